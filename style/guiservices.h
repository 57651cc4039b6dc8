#pragma once
// The host's look service (named colours) and image store (named images).

#include "runtime/iptr.h"
#include "runtime/pooledstring.h"
#include "runtime/services.h"
#include "runtime/velobject.h"

#include <QColor>

class QWidget;

class IGuiLook : public virtual IVelUnknown {
public:
    // Fills color with the look colour of that name as seen by widget (which may be null).
    virtual int32_t widgetColor(const PooledName& name, QColor& color, const QWidget* widget) = 0;
    virtual int32_t lookColor(const PooledName& name, QColor& color) = 0;
};
VEL_INTERFACE_NAME(IGuiLook, "IGuiLook");

class IImageStore : public virtual IVelUnknown {
public:
    VEL_PLACEHOLDER(1)
    VEL_PLACEHOLDER(2)
    VEL_PLACEHOLDER(3)
    // The image object of that name (an "ImageContainer"), or null. No reference is added.
    virtual IVelUnknown* findImage(const char* name) = 0;
};
VEL_INTERFACE_NAME(IImageStore, "IImageStore");
