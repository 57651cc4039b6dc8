#include "style/melvorostyle.h"

#include "runtime/velid.h"

MelvoroStyle::MelvoroStyle() = default;

MelvoroStyle::MelvoroStyle(QStyle* base) : CommonAppStyle(base) {}

MelvoroStyle::~MelvoroStyle() {
    m_look.reset();
}

bool MelvoroStyle::queryInterface(const char* name, void* outOrWalk, int32_t reserved) {
    if (velCheckClass(name, outOrWalk, "MelvoroStyle", static_cast<MelvoroStyle*>(this),
                      static_cast<IVelUnknown*>(this)))
        return true;
    const bool found = CommonAppStyle::queryInterface(name, outOrWalk, reserved);
    velEndClassWalk(name, outOrWalk);
    return found;
}

QColor MelvoroStyle::widgetColor(const char* name, const QWidget* widget) const {
    QColor color;
    if (IGuiLook* look = m_look.get())
        look->widgetColor(PooledName::borrowed(name), color, widget);
    return color;
}

QColor MelvoroStyle::lookColor(const char* name) const {
    QColor color;
    if (IGuiLook* look = m_look.get())
        look->lookColor(PooledName::borrowed(name), color);
    return color;
}

void MelvoroStyle::askLookColors(const QWidget* widget, LookColors& colors) const {
    if (!m_look)
        return;
    colors.gui = widgetColor("ColorGUI", widget);
    colors.buttonHover = widgetColor("ColorButtonHover", widget);
    colors.buttonSelected = widgetColor("ColorButtonSelected", widget);
    colors.buttonRaised = widgetColor("ColorButtonRaised", widget);
    colors.lighter1 = lookColor("ColorGUILighter1");
    colors.lighter2 = lookColor("ColorGUILighter2");
    colors.darker1 = lookColor("ColorGUIDarker1");
    colors.darker2 = lookColor("ColorGUIDarker2");
}

const VelID& melvoroStyleClassId() {
    static const VelID id(0x5e3a9c41u, 0x7d2b, 0x4c8e, {0x9f, 0x13, 0x6a, 0xd4, 0x2e, 0x81, 0xb7, 0x05});
    return id;
}
