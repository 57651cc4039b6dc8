#pragma once
// The option of the titled frame control: a frame option with a title.

#include <QString>
#include <QStyleOptionFrame>

struct TitledFrameOption : public QStyleOptionFrame {
    // A version above every plain frame option's, so the style reads the title only where there is one.
    enum StyleOptionVersion { Version = 0x100 };
    TitledFrameOption() { version = Version; }
    QString title;
};
