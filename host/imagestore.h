#pragma once
// VelHostImageStore: the host's image store. It hands out ImageContainer objects by name (names compare
// exactly, case-sensitive). An image is added as encoded bytes, as a file path or as a ready pixmap; each
// container turns it into an icon on first use. Variants of an image for devices of pixel ratio 2 and 3
// are images of their own under the image's name with "@2x" or "@3x" appended (style/imagevariant.h).
//
// The store has a container decode its image when it is first found. An image that cannot be decoded
// (broken data, a missing file, or a size beyond the container's cap) is reported once, through
// problems() and a warning, and is never decoded again: from then on the store answers a stand-in
// container without an image, which costs nothing to ask. Adding the image again gives it a new try.

#include "style/guiservices.h"
#include "style/imagecontainer.h"

#include <QByteArray>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QVector>

class VelHostImageStore : public IImageStore {
public:
    VelHostImageStore();
    ~VelHostImageStore() override;
    VelHostImageStore(const VelHostImageStore&) = delete;
    VelHostImageStore& operator=(const VelHostImageStore&) = delete;

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelHostImageStore"; }

    IVelUnknown* findImage(const char* name) override;

    // Each add replaces an image of the same name and answers the new container (owned by the store).
    // A null or empty name is refused (null).
    ImageContainer* addImageData(const char* name, const QByteArray& encoded);
    ImageContainer* addImageFile(const char* name, const QString& path);
    ImageContainer* addPixmap(const char* name, const QPixmap& pixmap);
    // Adds any framework object under a name, for hosts that keep images of their own kinds.
    bool addObject(const char* name, IVelUnknown* object);
    bool remove(const char* name);

    // The style's images shipped with the host, each with its @2x and @3x variants: the radio buttons
    // from encoded bytes, the slider images from their resource file paths. False if any is missing.
    bool addStandardImages();

    // The container of that name, or null.
    ImageContainer* container(const char* name) const;
    // How often findImage was asked for that name.
    int finds(const char* name) const;
    // How many images the store holds, their variants not counted.
    int size() const;
    // What was reported about images that could not be decoded, one line per image, oldest first.
    QStringList problems() const { return m_problems; }

private:
    struct Entry {
        QByteArray name;
        IVelUnknown* object = nullptr; // one reference held
        QByteArray encoded;            // the bytes a container's data points at
        int finds = 0;
        bool undecodable = false; // its container tried and failed: the stand-in is answered instead
    };
    int indexOf(const char* name) const;
    Entry* put(const char* name, IVelUnknown* object);
    // Decodes the entry's container, unless it has its icon; marks and reports an image that fails.
    void decode(Entry& entry);

    QVector<Entry> m_entries;
    QStringList m_problems;
    ImageContainer* m_standIn = nullptr; // one reference held; made at the first failure
};
