#include "host/imagestore.h"

#include "host/images/styleimages.h"
#include "host/pooledtext.h"
#include "host/servicequery.h"
#include "style/imagevariant.h"

#include <QFile>
#include <cstring>

// The images compiled into the host library; a static library has to register its resources itself.
static void initHostImages() {
    Q_INIT_RESOURCE(images);
}

namespace {

QString resourcePath(const QByteArray& name) {
    return QStringLiteral(":/melvoro/images/%1.png").arg(QString::fromLatin1(name));
}

} // namespace

VelHostImageStore::VelHostImageStore() {
    initHostImages();
}

VelHostImageStore::~VelHostImageStore() {
    QVector<Entry> entries;
    entries.swap(m_entries);
    for (Entry& entry : entries)
        entry.object->release();
    if (m_standIn)
        m_standIn->release();
}

bool VelHostImageStore::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velQueryService<IImageStore>(this, "VelHostImageStore", name, outOrWalk);
}

int VelHostImageStore::indexOf(const char* name) const {
    if (!name)
        return -1;
    for (int i = 0; i < m_entries.size(); ++i)
        if (std::strcmp(m_entries[i].name.constData(), name) == 0)
            return i;
    return -1;
}

IVelUnknown* VelHostImageStore::findImage(const char* name) {
    const int index = indexOf(name);
    if (index < 0)
        return nullptr;
    Entry& entry = m_entries[index];
    ++entry.finds;
    if (!entry.undecodable)
        decode(entry);
    if (entry.undecodable)
        return m_standIn;
    return entry.object;
}

void VelHostImageStore::decode(Entry& entry) {
    auto* image = velCast<ImageContainer>(entry.object, "ImageContainer");
    if (!image || !image->icon().isNull())
        return;
    const QString problem = image->problem();
    if (problem.isEmpty())
        return; // nothing to decode: a container without an image, which costs nothing to ask again
    if (!m_standIn) {
        m_standIn = new ImageContainer;
        m_standIn->addRef();
    }
    entry.undecodable = true;
    const QString report =
        QStringLiteral("image \"%1\" is not shown: %2").arg(QString::fromLatin1(entry.name), problem);
    m_problems.append(report);
    qWarning("%s", qPrintable(report));
}

VelHostImageStore::Entry* VelHostImageStore::put(const char* name, IVelUnknown* object) {
    object->addRef();
    const int index = indexOf(name);
    if (index >= 0) {
        Entry& entry = m_entries[index];
        IVelUnknown* old = entry.object;
        entry.object = object;
        entry.encoded.clear();
        entry.finds = 0;
        entry.undecodable = false;
        old->release();
        return &entry;
    }
    Entry entry;
    entry.name = QByteArray(name);
    entry.object = object;
    m_entries.append(entry);
    return &m_entries.last();
}

ImageContainer* VelHostImageStore::addImageData(const char* name, const QByteArray& encoded) {
    if (!name || !*name)
        return nullptr;
    auto* image = new ImageContainer;
    Entry* entry = put(name, image);
    // The container points into the store's copy of the bytes, which lives as long as the entry.
    entry->encoded = encoded;
    image->data = reinterpret_cast<const uchar*>(entry->encoded.constData());
    image->dataLength = static_cast<unsigned int>(entry->encoded.size());
    return image;
}

ImageContainer* VelHostImageStore::addImageFile(const char* name, const QString& path) {
    if (!name || !*name)
        return nullptr;
    auto* image = new ImageContainer;
    // An owned copy; an empty path simply stays empty.
    velSetFromQString(image->path, path);
    put(name, image);
    return image;
}

ImageContainer* VelHostImageStore::addPixmap(const char* name, const QPixmap& pixmap) {
    if (!name || !*name)
        return nullptr;
    auto* image = new ImageContainer;
    image->pixmap = pixmap;
    put(name, image);
    return image;
}

bool VelHostImageStore::addObject(const char* name, IVelUnknown* object) {
    if (!name || !*name || !object)
        return false;
    put(name, object);
    return true;
}

bool VelHostImageStore::remove(const char* name) {
    const int index = indexOf(name);
    if (index < 0)
        return false;
    IVelUnknown* object = m_entries[index].object;
    m_entries.remove(index);
    object->release();
    return true;
}

bool VelHostImageStore::addStandardImages() {
    bool complete = true;
    for (const VelStyleImage& image : velStyleImages) {
        for (const int scale : {1, velImageVariantScales[0], velImageVariantScales[1]}) {
            const QByteArray name = velImageVariantName(image.name, scale);
            const QString path = resourcePath(name);
            if (!QFile::exists(path)) {
                complete = false;
                continue;
            }
            if (std::strncmp(image.name, "radiobutton", 11) == 0) {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly)) {
                    complete = false;
                    continue;
                }
                addImageData(name.constData(), file.readAll());
            } else {
                addImageFile(name.constData(), path);
            }
        }
    }
    return complete;
}

int VelHostImageStore::size() const {
    int images = 0;
    for (const Entry& entry : m_entries)
        if (!velIsImageVariantName(entry.name.constData()))
            ++images;
    return images;
}

ImageContainer* VelHostImageStore::container(const char* name) const {
    const int index = indexOf(name);
    if (index < 0)
        return nullptr;
    return velCast<ImageContainer>(m_entries[index].object, "ImageContainer");
}

int VelHostImageStore::finds(const char* name) const {
    const int index = indexOf(name);
    return index < 0 ? 0 : m_entries[index].finds;
}
