#pragma once
// ImageContainer: one image of the host's image store, held as encoded bytes, a file path or a pixmap,
// and turned into an icon once, on first use.
//
// Decoding is capped: an image is decoded only when its header declares a size of at most
// kImageMaxSide pixels a side (64 MiB at 32 bits a pixel). The declared size is read before any pixel is
// decoded; an image that declares more, or whose size cannot be read first, stays undecoded and gives an
// icon without pixmaps, as undecodable data does. An image file is read only when it is a regular file.

#include "runtime/pooledstring.h"
#include "runtime/velobject.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

// The longest side, in pixels, of an image that a container decodes.
constexpr int kImageMaxSide = 4096;

class ImageContainer : public virtual IVelUnknown {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "ImageContainer"; }

    // The cached icon, built on first use.
    QIcon& icon();

    // Why the container's data or file gives no image, in a few words ("its data declares 20000 x 20000
    // pixels, more than 4096 x 4096"), for a container whose icon came out without pixmaps. Empty when it has
    // neither data nor a file path. Reads no more than the image's header.
    QString problem() const;

    QIcon cachedIcon;
    QPixmap pixmap;
    const uchar* data = nullptr;
    unsigned int dataLength = 0;
    PooledString path;
};

// "PNG", "BMP" or "XBM" for those suffixes in any case; null otherwise.
const char* imageFormatForSuffix(const QString& suffix);
