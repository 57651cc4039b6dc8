#pragma once
// ImageContainer: one image of the host's image store, held as encoded bytes, a file path or a pixmap,
// and turned into an icon once, on first use.

#include "runtime/pooledstring.h"
#include "runtime/velobject.h"

#include <QIcon>
#include <QPixmap>

class ImageContainer : public virtual IVelUnknown {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "ImageContainer"; }

    // The cached icon, built on first use.
    QIcon& icon();

    QIcon cachedIcon;
    QPixmap pixmap;
    const uchar* data = nullptr;
    unsigned int dataLength = 0;
    PooledString path;
};

// "PNG", "BMP" or "XBM" for those suffixes in any case; null otherwise.
const char* imageFormatForSuffix(const QString& suffix);
