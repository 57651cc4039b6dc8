#pragma once
// Style options are recognised by their type and version fields, as the toolkit's option cast does.
// Qt 6 numbers every option's versions from 1 again, so a version is named by the shape it stands for.

#include <QStyleOption>
#include <QtGlobal>
#include <type_traits>

template <class T> const T* velOption(const QStyleOption* option, int minVersion = 1) {
    if (option && option->type == T::Type && option->version >= minVersion)
        return static_cast<const T*>(option);
    return nullptr;
}

// The first frame option version that carries `features`: the second on Qt 5, the first on Qt 6.
constexpr int velFrameFeaturesVersion = QT_VERSION_MAJOR >= 6 ? 1 : 2;

// A frame option with features: SO_Frame with the fields of the second Qt 5 version or later.
inline const QStyleOptionFrame* velFrameOptionV2(const QStyleOption* option) {
    return velOption<QStyleOptionFrame>(option, velFrameFeaturesVersion);
}

// The width a menu item keeps for its shortcut column (`tabWidth` in Qt 5, `reservedShortcutWidth` in Qt 6).
template <class Item> auto& velShortcutWidth(Item& item) {
    static_assert(std::is_same_v<std::remove_const_t<Item>, QStyleOptionMenuItem>, "a menu item option");
#if QT_VERSION_MAJOR >= 6
    return item.reservedShortcutWidth;
#else
    return item.tabWidth;
#endif
}
