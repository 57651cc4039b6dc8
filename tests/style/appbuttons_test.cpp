// Application mode paints push button bevels and check box indicators from the look colours in every state,
// with outlines present once at every device pixel ratio; host mode paints them as before.

#include "style/contrast.h"
#include "style2host.h"

#include "support/edgeruns.h"
#include <QStyleFactory>
#include <QStyleOption>

#include <gtest/gtest.h>

namespace {

using namespace style2;

class AppButtons : public ::testing::Test {
protected:
    void SetUp() override { style.setApplicationMode(true); }

    static QStyleOptionButton button(QStyle::State state, QStyleOptionButton::ButtonFeatures features = {}) {
        QStyleOptionButton option;
        option.rect = QRect(0, 0, 80, 24);
        option.state = state;
        option.features = features;
        option.palette = distinctPalette();
        option.palette.setColor(QPalette::Base, QColor(0xfa, 0xfb, 0x0b));
        return option;
    }

    QImage paint(QStyle& with, const QStyleOptionButton& option, bool control, qreal ratio = 1) {
        QImage image(option.rect.size() * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(QColor(0xfe, 0xfe, 0xfe));
        QPainter painter(&image);
        if (control)
            with.drawControl(QStyle::CE_PushButtonBevel, &option, &painter);
        else
            with.drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
        return image;
    }

    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
    std::unique_ptr<QStyle> windows{QStyleFactory::create(QStringLiteral("Windows"))};
};

QColor at(const QImage& image, QPoint logical) {
    const qreal ratio = image.devicePixelRatio();
    return QColor(image.pixel(int(logical.x() * ratio), int(logical.y() * ratio)));
}

const QColor kBase(0xfa, 0xfb, 0x0b);
const QColor kBlank(0xfe, 0xfe, 0xfe);

TEST_F(AppButtons, BevelsAndIndicatorsTakeTheLookColoursOfTheirState) {
    const QStyle::State on = QStyle::State_Enabled;
    const struct {
        const char* name;
        bool control; // a push button bevel, else a check box indicator
        QStyle::State state;
        QStyleOptionButton::ButtonFeatures features;
        QColor (*fill)();  // null: the palette's base colour; blank: nothing painted
        QColor (*frame)(); // null: any frame that stands out from the fill
        bool doubled;
    } rows[] = {
        {"hovered button", true, on | QStyle::State_MouseOver, {}, buttonHover, darker2, false},
        {"pressed button", true, on | QStyle::State_Sunken, {}, buttonSelected, darker2, false},
        {"disabled button", true, QStyle::State_None, {}, gui, darker1, false},
        {"default button", true, on | QStyle::State_MouseOver, QStyleOptionButton::DefaultButton, buttonHover,
         darker2, true},
        {"hovered flat button", true, on | QStyle::State_MouseOver, QStyleOptionButton::Flat, buttonHover,
         darker2, false},
        {"check box", false, on | QStyle::State_Off, {}, nullptr, darker2, false},
        // The hover of a check box is the highlight behind it; the box keeps its field.
        {"hovered check box",
         false,
         on | QStyle::State_MouseOver | QStyle::State_On,
         {},
         nullptr,
         darker2,
         false},
        {"pressed check box",
         false,
         on | QStyle::State_Sunken | QStyle::State_Off,
         {},
         buttonSelected,
         nullptr,
         false},
    };
    for (qreal ratio : {1.0, 2.0})
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << row.name << " x" << ratio);
            QStyleOptionButton option = button(row.state, row.features);
            if (!row.control)
                option.rect = QRect(0, 0, 13, 13);
            const QImage image = paint(style, option, row.control, ratio);
            const QRect r = option.rect;
            EXPECT_EQ(at(image, QPoint(2, r.height() - 3)), row.fill ? row.fill() : kBase);
            const QColor frame = row.frame ? row.frame() : at(image, QPoint(r.width() / 2, 0));
            if (!row.control) {
                EXPECT_GE(velContrastRatio(frame, at(image, QPoint(2, r.height() - 3))), 3.0);
            }
            EXPECT_EQ(at(image, QPoint(r.width() / 2, 0)), frame);
            EXPECT_EQ(at(image, QPoint(0, r.height() / 2)), frame);
            EXPECT_EQ(at(image, QPoint(r.width() / 2, 1)) == frame, row.doubled);
            EXPECT_NE(image, paint(*windows, option, row.control, ratio));
        }
    // A flat button at rest shows no face; a resting one runs from "ColorGUILighter1" down to "ColorGUI".
    EXPECT_EQ(at(paint(style, button(on, QStyleOptionButton::Flat), true), QPoint(40, 12)), kBlank);
    const QImage resting = paint(style, button(on), true);
    auto distance = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    };
    const QColor top = at(resting, QPoint(40, 1)), bottom = at(resting, QPoint(40, 22));
    EXPECT_LT(distance(top, lighter1()), distance(top, gui()));
    EXPECT_LT(distance(bottom, gui()), distance(bottom, lighter1()));
}

TEST_F(AppButtons, CheckMarksInTheTextColourShowTheState) {
    // The text colour of the distinct palette, readable on the base colour.
    const QColor text = distinctPalette().color(QPalette::Text);
    auto marks = [&](QStyle::State state) {
        QStyleOptionButton option = button(QStyle::State_Enabled | state);
        option.rect = QRect(0, 0, 13, 13);
        const QImage image = paint(style, option, false);
        int count = 0;
        for (int y = 2; y < 11; ++y)
            for (int x = 2; x < 11; ++x)
                count += velContrastRatio(QColor(image.pixel(x, y)), kBase) > 3.0;
        return std::make_pair(count, at(image, QPoint(6, 6)));
    };
    EXPECT_EQ(marks(QStyle::State_Off).first, 0);
    EXPECT_GT(marks(QStyle::State_On).first, 8) << "a tick";
    const auto partly = marks(QStyle::State_NoChange);
    EXPECT_EQ(partly.first, 25) << "a square of 5 by 5 in the middle";
    EXPECT_EQ(partly.second, text);
}

TEST_F(AppButtons, OutlinesArePresentOnceAtEveryRatio) {
    for (qreal ratio : {1.25, 1.5, 2.0, 3.0}) {
        const QStyleOptionButton option = button(QStyle::State_Enabled);
        const QImage image = paint(style, option, true, ratio);
        const int y = int(12 * ratio), x = int(40 * ratio);
        velExpectLogicalPixelEdges(velEdgeRuns(image, QPoint(0, y), QPoint(1, 0), image.width(), darker2()),
                                   2, ratio);
        velExpectLogicalPixelEdges(velEdgeRuns(image, QPoint(x, 0), QPoint(0, 1), image.height(), darker2()),
                                   2, ratio);
    }
}

TEST_F(AppButtons, HostModePaintsAsBefore) {
    style.setApplicationMode(false);
    for (bool control : {true, false}) {
        QStyleOptionButton option = button(QStyle::State_Enabled | QStyle::State_Raised);
        if (!control)
            option.rect = QRect(0, 0, 13, 13);
        EXPECT_EQ(paint(style, option, control), paint(*windows, option, control)) << control;
    }
}

} // namespace
