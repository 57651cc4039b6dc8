#pragma once
// The option of the titled frame control: a frame option with a title.

#include <QString>
#include <QStyleOptionFrame>

struct TitledFrameOption : public QStyleOptionFrame {
    TitledFrameOption() = default;
    QString title;
};
