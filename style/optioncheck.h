#pragma once
// Style options are recognised by their type and version fields, as the toolkit's option cast does.

#include <QStyleOption>

template <class T> const T* velOption(const QStyleOption* option, int minVersion = 1) {
    if (option && option->type == T::Type && option->version >= minVersion)
        return static_cast<const T*>(option);
    return nullptr;
}

// A frame option of the second version: SO_Frame, version 2 or later.
inline const QStyleOptionFrame* velFrameOptionV2(const QStyleOption* option) {
    return velOption<QStyleOptionFrame>(option, 2);
}
