// Application mode shows a control's focus frame only where the keyboard moved the focus, so a click
// leaves no frames behind; fields keep their focus line however they got the focus, and item views their
// current item's frame. Host mode keeps its frames whatever moved the focus.

#include "style2host.h"

#include <QStyleOption>
#include <functional>

#include <gtest/gtest.h>

namespace {

using namespace style2;
using S = QStyle;

using Paint = std::function<void(QStyle&, QPainter*, S::State)>;

template <class Option> Option make(QRect rect, S::State state) {
    Option o;
    o.rect = rect;
    o.state = state | S::State_Enabled;
    o.palette = distinctPalette();
    return o;
}

template <class Option> Paint control(S::ControlElement element, std::function<void(Option&)> setUp) {
    return [element, setUp](QStyle& style, QPainter* painter, S::State state) {
        auto o = make<Option>(QRect(0, 0, 120, 60), state);
        setUp(o);
        style.drawControl(element, &o, painter);
    };
}

template <class Option> Paint complex(S::ComplexControl element, std::function<void(Option&)> setUp) {
    return [element, setUp](QStyle& style, QPainter* painter, S::State state) {
        auto o = make<Option>(QRect(0, 0, 120, 60), state);
        setUp(o);
        style.drawComplexControl(element, &o, painter);
    };
}

QImage paint(QStyle& style, const Paint& how, S::State state, qreal ratio) {
    QImage image(QSize(120, 60) * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(0xfe, 0xfe, 0xfe));
    QPainter painter(&image);
    how(style, &painter, state);
    return image;
}

enum class Focus { Keyboard, Always };

struct Row {
    const char* name;
    Paint how;
    Focus shows;
};

const Row kRows[] = {
    {"push button", control<QStyleOptionButton>(S::CE_PushButton, [](auto& o) { o.text = "OK"; }),
     Focus::Keyboard},
    {"check box", control<QStyleOptionButton>(S::CE_CheckBox, [](auto& o) { o.text = "Check"; }),
     Focus::Keyboard},
    {"radio button", control<QStyleOptionButton>(S::CE_RadioButton, [](auto& o) { o.text = "Radio"; }),
     Focus::Keyboard},
    {"tab", control<QStyleOptionTab>(S::CE_TabBarTab, [](auto& o) { o.text = "Tab"; }), Focus::Keyboard},
    {"tool box tab", control<QStyleOptionToolBox>(S::CE_ToolBoxTab, [](auto& o) { o.text = "Page"; }),
     Focus::Keyboard},
    {"tool button",
     complex<QStyleOptionToolButton>(S::CC_ToolButton,
                                     [](auto& o) {
                                         o.state |= S::State_Raised;
                                         o.subControls = S::SC_ToolButton;
                                         o.toolButtonStyle = Qt::ToolButtonTextOnly;
                                         o.text = "Tool";
                                     }),
     Focus::Keyboard},
    {"group box",
     complex<QStyleOptionGroupBox>(S::CC_GroupBox,
                                   [](auto& o) {
                                       o.subControls = S::SC_GroupBoxFrame | S::SC_GroupBoxLabel;
                                       o.text = "Group";
                                       o.textAlignment = Qt::AlignLeft;
                                   }),
     Focus::Keyboard},
    {"slider",
     complex<QStyleOptionSlider>(S::CC_Slider,
                                 [](auto& o) {
                                     o.rect = QRect(0, 0, 120, 24);
                                     o.orientation = Qt::Horizontal;
                                     o.maximum = 100;
                                     o.sliderPosition = o.sliderValue = 30;
                                     o.subControls = S::SC_SliderGroove | S::SC_SliderHandle;
                                 }),
     Focus::Keyboard},
    {"dial",
     complex<QStyleOptionSlider>(S::CC_Dial,
                                 [](auto& o) {
                                     o.rect = QRect(0, 0, 60, 60);
                                     o.maximum = 100;
                                     o.sliderPosition = o.sliderValue = 30;
                                     o.subControls = S::SC_DialGroove | S::SC_DialHandle;
                                 }),
     Focus::Keyboard},
    {"combo box",
     complex<QStyleOptionComboBox>(S::CC_ComboBox,
                                   [](auto& o) {
                                       o.rect = QRect(0, 0, 120, 24);
                                       o.subControls = S::SC_All;
                                   }),
     Focus::Keyboard},
    {"item view item",
     control<QStyleOptionViewItem>(S::CE_ItemViewItem,
                                   [](auto& o) {
                                       o.rect = QRect(0, 0, 120, 20);
                                       o.features = QStyleOptionViewItem::HasDisplay;
                                       o.text = "Item";
                                   }),
     Focus::Always},
    {"line edit",
     [](QStyle& style, QPainter* painter, S::State state) {
         auto o = make<QStyleOptionFrame>(QRect(0, 0, 120, 24), state);
         o.lineWidth = 1;
         style.drawPrimitive(S::PE_FrameLineEdit, &o, painter);
     },
     Focus::Always},
    {"spin box",
     complex<QStyleOptionSpinBox>(S::CC_SpinBox,
                                  [](auto& o) {
                                      o.rect = QRect(0, 0, 120, 24);
                                      o.frame = true;
                                      o.subControls = S::SC_All;
                                  }),
     Focus::Always},
    {"editable combo box",
     complex<QStyleOptionComboBox>(S::CC_ComboBox,
                                   [](auto& o) {
                                       o.rect = QRect(0, 0, 120, 24);
                                       o.editable = true;
                                       o.subControls = S::SC_All;
                                   }),
     Focus::Always},
};

class AppFocus : public ::testing::Test {
protected:
    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
};

TEST_F(AppFocus, FramesShowWhereTheKeyboardMovedTheFocus) {
    style.setApplicationMode(true);
    for (qreal ratio : {1.0, 2.0})
        for (const Row& row : kRows) {
            const std::string where = std::string(row.name) + " x" + std::to_string(ratio);
            const QImage none = paint(style, row.how, S::State_None, ratio);
            const QImage clicked = paint(style, row.how, S::State_HasFocus, ratio);
            const QImage keyboard =
                paint(style, row.how, S::State_HasFocus | S::State_KeyboardFocusChange, ratio);
            EXPECT_NE(keyboard, none) << where;
            EXPECT_EQ(clicked != none, row.shows == Focus::Always) << where;
            // The keyboard flag alone, without the focus, shows nothing.
            EXPECT_EQ(paint(style, row.how, S::State_KeyboardFocusChange, ratio), none) << where;
        }
}

TEST_F(AppFocus, HostModeKeepsItsFramesAfterAClick) {
    for (const Row& row : kRows) {
        if (std::string(row.name) == "push button" || std::string(row.name) == "check box") {
            EXPECT_NE(paint(style, row.how, S::State_HasFocus, 1), paint(style, row.how, S::State_None, 1))
                << row.name;
        }
    }
}

} // namespace
