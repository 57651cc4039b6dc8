// Application mode paints dials, splitter handles, size grips, the status bar, tool tips and focus frames
// from the look colours: every state, both orientations and directions, marks that stand out from the
// window, one-pixel lines present once at every device pixel ratio; host mode paints them as the
// "Windows" style does.

#include "style2host.h"

#include "style/appcontrast.h"
#include "style/appfaces.h"
#include "support/edgeruns.h"
#include <QApplication>
#include <QDial>
#include <QRubberBand>
#include <QSplitter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolTip>
#include <climits>
#include <functional>

#include <gtest/gtest.h>

namespace {

using namespace style2;

const QColor kBlank(0xfe, 0xfe, 0xfe);
const qreal kRatios[] = {1.0, 1.25, 1.5, 2.0, 3.0};

QColor at(const QImage& image, QPoint logical) {
    const qreal ratio = image.devicePixelRatio();
    return QColor(image.pixel(int(logical.x() * ratio), int(logical.y() * ratio)));
}

// Whether every channel of c lies strictly between those of a and b.
bool strictlyBetween(const QColor& c, const QColor& a, const QColor& b) {
    auto in = [](int v, int x, int y) { return v > std::min(x, y) && v < std::max(x, y); };
    return in(c.red(), a.red(), b.red()) && in(c.green(), a.green(), b.green()) &&
           in(c.blue(), a.blue(), b.blue());
}

// The dark colour as marks show it on the window.
QColor mark() {
    return velMarkOn(gui(), darker2());
}

class AppMisc : public ::testing::Test {
protected:
    void SetUp() override { style.setApplicationMode(true); }

    using Paint = std::function<void(QStyle&, QPainter*)>;
    static QImage paint(QStyle& with, const QSize& size, const Paint& how, qreal ratio = 1) {
        QImage image(size * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(kBlank);
        QPainter painter(&image);
        how(with, &painter);
        return image;
    }
    static Paint primitive(QStyle::PrimitiveElement element, const QStyleOption& option,
                           const QWidget* widget = nullptr) {
        return [element, &option, widget](QStyle& s, QPainter* p) {
            s.drawPrimitive(element, &option, p, widget);
        };
    }
    static Paint control(QStyle::ControlElement element, const QStyleOption& option,
                         const QWidget* widget = nullptr) {
        return [element, &option, widget](QStyle& s, QPainter* p) {
            s.drawControl(element, &option, p, widget);
        };
    }
    static Paint dialPaint(const QStyleOptionSlider& option, const QWidget* widget = nullptr) {
        return [&option, widget](QStyle& s, QPainter* p) {
            s.drawComplexControl(QStyle::CC_Dial, &option, p, widget);
        };
    }
    template <class Option> static Option option(QRect rect, QStyle::State state) {
        Option o;
        o.rect = rect;
        o.state = state;
        o.palette = distinctPalette();
        return o;
    }
    // A dial of 100 x 100 at value 50 of 0 to 100, without notches.
    static QStyleOptionSlider dial(QStyle::State state = QStyle::State_Enabled, int position = 50) {
        auto o = option<QStyleOptionSlider>(QRect(0, 0, 100, 100), state);
        o.minimum = 0;
        o.maximum = 100;
        o.sliderPosition = o.sliderValue = position;
        o.singleStep = 1;
        o.pageStep = 10;
        o.upsideDown = true;
        o.subControls = QStyle::SC_DialGroove | QStyle::SC_DialHandle;
        return o;
    }

    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
    std::unique_ptr<QStyle> windows{QStyleFactory::create(QStringLiteral("Windows"))};
};

TEST(AppMarks, LookColoursAreDeepenedUntilTheyReadOnTheirBackground) {
    const struct {
        QColor background, first, second, expected; // invalid expected: deepened, neither look colour
    } rows[] = {
        {Qt::white, buttonSelected(), darker2(), buttonSelected()},
        {Qt::white, lighter2(), darker2(), darker2()},
        {gui(), buttonSelected(), darker2(), QColor()},
        {Qt::black, buttonHover(), gui(), QColor()},
        {lighter1(), lighter2(), lighter1(), QColor()},
    };
    for (const auto& row : rows) {
        const QColor line = velMarkOn(row.background, row.first, row.second);
        EXPECT_GE(velContrastRatio(line, row.background), velReadableMarkContrast)
            << line.name().toStdString();
        if (row.expected.isValid()) {
            EXPECT_EQ(line, row.expected);
        } else {
            EXPECT_NE(line, row.first);
            EXPECT_NE(line, row.second);
            // Deepened away from the background: darker on a light one, lighter on a dark one.
            const bool light = velRelativeLuminance(row.background) > 0.18;
            EXPECT_EQ(velRelativeLuminance(line) < velRelativeLuminance(row.second), light);
        }
    }
}

TEST_F(AppMisc, DialKnobsAreFacesInEveryState) {
    QDial held;
    held.setSliderDown(true);
    const struct {
        QStyle::State state;
        const QWidget* widget;
        QColor knob; // invalid: the resting gradient from "ColorGUILighter1" to "ColorGUI"
    } rows[] = {
        {QStyle::State_Enabled, nullptr, QColor()},
        {QStyle::State_Enabled | QStyle::State_MouseOver, nullptr, buttonHover()},
        {QStyle::State_Enabled | QStyle::State_Sunken, nullptr, buttonSelected()},
        {QStyle::State_Enabled | QStyle::State_MouseOver, &held, buttonSelected()},
        {QStyle::State_None, nullptr, gui()},
        {QStyle::State_Enabled | QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange, nullptr,
         QColor()},
        {QStyle::State_Enabled | QStyle::State_HasFocus, nullptr, QColor()}, // by a click: no ring
    };
    const QImage unfocused = paint(style, QSize(100, 100), dialPaint(dial()));
    for (qreal ratio : kRatios)
        for (const auto& row : rows) {
            const QStyleOptionSlider o = dial(row.state);
            const QImage image = paint(style, QSize(100, 100), dialPaint(o, row.widget), ratio);
            const std::string where = std::to_string(&row - rows) + " x" + std::to_string(ratio);
            const QColor knob = at(image, QPoint(50, 62)); // below the middle, off the pointer
            if (row.knob.isValid())
                EXPECT_EQ(knob, row.knob) << where;
            else
                EXPECT_TRUE(strictlyBetween(knob, lighter1(), gui())) << where;
            // The pointer stands up from the middle at value 50 of a dial that leaves its bottom open.
            EXPECT_NE(at(image, QPoint(50, 30)), knob) << where;
            EXPECT_NE(image, paint(*windows, QSize(100, 100), dialPaint(o), ratio)) << where;
            // The focus rings the knob, between it and the track; nothing else shows it.
            if (ratio == 1.0) {
                EXPECT_EQ(at(image, QPoint(89, 50)) != at(unfocused, QPoint(89, 50)),
                          velShowsFocusFrame(row.state))
                    << where;
            }
        }
}

TEST_F(AppMisc, DialTracksShowTheValueFromTheMinimumInTheDialsSense) {
    // Points on the middle of the track: the left (9 o'clock) and the right (3 o'clock).
    const QPoint left(5, 50), right(95, 50);
    const struct {
        bool upsideDown, wrapping;
        int position;
        Qt::LayoutDirection direction;
        bool leftFilled, rightFilled;
    } rows[] = {
        {true, false, 50, Qt::LeftToRight, true, false},    {true, false, 50, Qt::RightToLeft, true, false},
        {false, false, 50, Qt::LeftToRight, false, true},   {true, true, 50, Qt::LeftToRight, true, false},
        {false, true, 50, Qt::LeftToRight, false, true},    {true, false, 0, Qt::LeftToRight, false, false},
        {true, false, 100, Qt::LeftToRight, true, true},    {true, false, 500, Qt::LeftToRight, true, true},
        {true, false, -500, Qt::LeftToRight, false, false},
    };
    for (qreal ratio : kRatios)
        for (const auto& row : rows) {
            QStyleOptionSlider o = dial(QStyle::State_Enabled, row.position);
            o.upsideDown = row.upsideDown;
            o.dialWrapping = row.wrapping;
            o.direction = row.direction;
            const QImage image = paint(style, QSize(100, 100), dialPaint(o), ratio);
            const std::string where = std::to_string(&row - rows) + " x" + std::to_string(ratio);
            EXPECT_EQ(at(image, left), row.leftFilled ? mark() : darker1()) << where;
            EXPECT_EQ(at(image, right), row.rightFilled ? mark() : darker1()) << where;
            EXPECT_GE(velContrastRatio(mark(), gui()), velReadableMarkContrast);
        }
    // Disabled, the value lies in "ColorGUIDarker1" on a track of "ColorGUI".
    const QImage disabled = paint(style, QSize(100, 100), dialPaint(dial(QStyle::State_None)));
    EXPECT_EQ(at(disabled, left), darker1());
    EXPECT_EQ(at(disabled, right), gui());
}

TEST_F(AppMisc, DialNotchesRingTheTrackAndStayFewForHugeRanges) {
    QStyleOptionSlider o = dial();
    o.subControls |= QStyle::SC_DialTickmarks;
    o.tickInterval = 25; // notches every 75 degrees from the lower left: one at the top
    const QImage notched = paint(style, QSize(100, 100), dialPaint(o));
    EXPECT_NE(at(notched, QPoint(50, 4)), kBlank);
    EXPECT_EQ(at(notched, QPoint(78, 14)), kBlank) << "between two notches, outside the track";
    // A range of every int in steps of one paints a bounded number of notches, and paints.
    o.minimum = INT_MIN;
    o.maximum = INT_MAX;
    o.tickInterval = 1;
    o.sliderPosition = 0;
    EXPECT_NE(at(paint(style, QSize(100, 100), dialPaint(o)), QPoint(50, 4)), kBlank);
    // Bad input paints nothing: a dial too small to hold a knob, an option of another kind.
    QStyleOptionSlider tiny = dial();
    tiny.rect = QRect(0, 0, 6, 6);
    EXPECT_EQ(paint(style, QSize(6, 6), dialPaint(tiny)),
              paint(style, QSize(6, 6), [](QStyle&, QPainter*) {}));
    QStyleOptionComplex other;
    other.rect = QRect(0, 0, 100, 100);
    const QImage none = paint(style, QSize(100, 100), [&](QStyle& s, QPainter* p) {
        s.drawComplexControl(QStyle::CC_Dial, &other, p);
    });
    EXPECT_EQ(at(none, QPoint(50, 50)), kBlank);
}

TEST_F(AppMisc, SplitterHandlesShowFiveDotsAndTheirState) {
    const struct {
        QStyle::State state;
        QColor fill, dots;
    } rows[] = {
        {QStyle::State_Enabled, kBlank, mark()},
        {QStyle::State_Enabled | QStyle::State_MouseOver, buttonHover(), mark()},
        {QStyle::State_Enabled | QStyle::State_Sunken, buttonSelected(), mark()},
        {QStyle::State_None, kBlank, darker1()},
    };
    for (bool upright : {true, false})
        for (const auto& row : rows) {
            const QSize size = upright ? QSize(6, 60) : QSize(60, 6);
            auto o = option<QStyleOption>(QRect(QPoint(0, 0), size), row.state);
            if (upright)
                o.state |= QStyle::State_Horizontal;
            const QImage image = paint(style, size, control(QStyle::CE_Splitter, o));
            const std::string where = std::to_string(&row - rows) + (upright ? " upright" : " lying");
            EXPECT_EQ(at(image, QPoint(0, 0)), row.fill) << where;
            const QPoint along = upright ? QPoint(0, 1) : QPoint(1, 0);
            const QPoint middle = upright ? QPoint(3, 0) : QPoint(0, 3);
            EXPECT_EQ(velEdgeRuns(image, middle, along, 60, row.dots).size(), 5) << where;
            EXPECT_EQ(at(image, upright ? QPoint(3, 30) : QPoint(30, 3)), row.dots)
                << where << ": the middle";
            EXPECT_NE(image, paint(*windows, size, control(QStyle::CE_Splitter, o))) << where;
        }
}

// The main window flags a separator by its dock area's orientation; the grip follows the separator's shape.
TEST_F(AppMisc, DockSeparatorsAreGrippedAsSplitterHandles) {
    for (QStyle::StateFlag flag : {QStyle::State_None, QStyle::State_Horizontal})
        for (bool upright : {true, false})
            for (bool hovered : {false, true}) {
                const QSize size = upright ? QSize(3, 60) : QSize(60, 3);
                auto o = option<QStyleOption>(QRect(QPoint(0, 0), size), QStyle::State_Enabled | flag);
                if (hovered)
                    o.state |= QStyle::State_MouseOver;
                const QImage image =
                    paint(style, size, primitive(QStyle::PE_IndicatorDockWidgetResizeHandle, o));
                const QPoint from = upright ? QPoint(1, 0) : QPoint(0, 1);
                const QPoint along = upright ? QPoint(0, 1) : QPoint(1, 0);
                EXPECT_EQ(velEdgeRuns(image, from, along, 60, mark()).size(), 5) << upright << hovered;
                EXPECT_EQ(at(image, from + 2 * along), hovered ? buttonHover() : kBlank);
            }
}

TEST_F(AppMisc, SubWindowFramesAndRubberBandsWearTheLook) {
    for (bool active : {false, true}) {
        auto frame = option<QStyleOptionFrame>(QRect(0, 0, 60, 40), QStyle::State_Enabled);
        frame.lineWidth = 4;
        if (active)
            frame.state |= QStyle::State_Active;
        const QImage image = paint(style, QSize(60, 40), primitive(QStyle::PE_FrameWindow, frame));
        EXPECT_EQ(at(image, QPoint(0, 20)), darker2());
        for (QPoint band : {QPoint(2, 20), QPoint(57, 20), QPoint(30, 3), QPoint(30, 36)})
            EXPECT_EQ(at(image, band), active ? buttonSelected() : gui()) << band.x() << "," << band.y();
        EXPECT_EQ(at(image, QPoint(30, 20)), kBlank) << "the sub-window's contents";
        EXPECT_NE(image, paint(*windows, QSize(60, 40), primitive(QStyle::PE_FrameWindow, frame)));
    }
    // A rubber band lets the view show through, but not as a window of its own.
    QWidget view, inside(&view);
    for (const QWidget* widget : {static_cast<const QWidget*>(&inside), static_cast<const QWidget*>(&view)}) {
        auto band = option<QStyleOptionRubberBand>(QRect(0, 0, 40, 30), QStyle::State_Enabled);
        band.shape = QRubberBand::Rectangle;
        const QImage image = paint(style, QSize(40, 30), control(QStyle::CE_RubberBand, band, widget));
        EXPECT_EQ(at(image, QPoint(0, 15)), darker2());
        const QColor face = at(image, QPoint(20, 15));
        if (widget == &view) {
            EXPECT_EQ(face, buttonHover());
        } else {
            EXPECT_TRUE(strictlyBetween(face, buttonHover(), kBlank));
        }
        EXPECT_NE(image, paint(*windows, QSize(40, 30), control(QStyle::CE_RubberBand, band, widget)));
    }
    QStyleOptionRubberBand band;
    band.shape = QRubberBand::Rectangle;
    band.rect = QRect(0, 0, 40, 30);
    QStyleHintReturnMask mask;
    EXPECT_EQ(style.styleHint(QStyle::SH_RubberBand_Mask, &band, nullptr, &mask), 0) << "not hollow";
}

TEST_F(AppMisc, SizeGripsGatherTheirDotsInTheirCorner) {
    const QRect r(0, 0, 13, 13);
    const struct {
        int corner; // -1: a plain option, the corner by direction
        Qt::LayoutDirection direction;
        QPoint near, far;
    } rows[] = {
        {Qt::BottomRightCorner, Qt::LeftToRight, {11, 11}, {1, 1}},
        {Qt::BottomLeftCorner, Qt::RightToLeft, {1, 11}, {11, 1}},
        {Qt::TopRightCorner, Qt::LeftToRight, {11, 1}, {1, 11}},
        {Qt::TopLeftCorner, Qt::LeftToRight, {1, 1}, {11, 11}},
        {-1, Qt::LeftToRight, {11, 11}, {1, 1}},
        {-1, Qt::RightToLeft, {1, 11}, {11, 1}},
    };
    for (const auto& row : rows) {
        auto grip = option<QStyleOptionSizeGrip>(r, QStyle::State_Enabled);
        grip.corner = Qt::Corner(qMax(row.corner, 0));
        auto plain = option<QStyleOption>(r, QStyle::State_Enabled);
        grip.direction = plain.direction = row.direction;
        const QStyleOption& o = row.corner < 0 ? plain : grip;
        const QImage image = paint(style, r.size(), control(QStyle::CE_SizeGrip, o));
        const std::string where = std::to_string(&row - rows);
        EXPECT_EQ(at(image, row.near), mark()) << where;
        EXPECT_EQ(at(image, row.far), kBlank) << where;
        EXPECT_NE(image, paint(*windows, r.size(), control(QStyle::CE_SizeGrip, o))) << where;
    }
    auto disabled = option<QStyleOptionSizeGrip>(r, QStyle::State_None);
    disabled.corner = Qt::BottomRightCorner;
    EXPECT_EQ(at(paint(style, r.size(), control(QStyle::CE_SizeGrip, disabled)), QPoint(11, 11)), darker1());
}

TEST_F(AppMisc, StatusBarsWearTheToolBarWashAndPartTheirItemsByOneLine) {
    const auto panel = option<QStyleOption>(QRect(0, 0, 200, 24), QStyle::State_Enabled);
    const QImage bar = paint(style, QSize(200, 24), primitive(QStyle::PE_PanelStatusBar, panel));
    // The dark line, deepened until it reads on the window and on the wash.
    const QColor line = velMarkBetween(gui(), lighter1(), darker2());
    EXPECT_EQ(at(bar, QPoint(100, 0)), line);
    EXPECT_GE(velContrastRatio(line, gui()), velReadableMarkContrast);
    EXPECT_GE(velContrastRatio(line, lighter1()), velReadableMarkContrast);
    EXPECT_TRUE(strictlyBetween(at(bar, QPoint(100, 5)), lighter1(), gui()));
    EXPECT_NE(bar, paint(*windows, QSize(200, 24), primitive(QStyle::PE_PanelStatusBar, panel)));

    // An item's frame: a separator on its leading side only, no sunken box.
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        auto item = option<QStyleOption>(QRect(20, 0, 60, 24), QStyle::State_None);
        item.direction = direction;
        const QImage image = paint(style, QSize(100, 24), primitive(QStyle::PE_FrameStatusBarItem, item));
        const bool ltr = direction == Qt::LeftToRight;
        EXPECT_EQ(at(image, QPoint(ltr ? 20 : 79, 12)), line);
        EXPECT_EQ(at(image, QPoint(ltr ? 79 : 20, 12)), kBlank);
        EXPECT_EQ(at(image, QPoint(50, 0)), kBlank);
        EXPECT_EQ(at(image, QPoint(50, 23)), kBlank);
    }
}

TEST_F(AppMisc, ToolTipsLieOnTheLightestColourInTheDarkFrame) {
    const auto tip = option<QStyleOptionFrame>(QRect(0, 0, 120, 24), QStyle::State_Enabled);
    const QImage image = paint(style, QSize(120, 24), primitive(QStyle::PE_PanelTipLabel, tip));
    EXPECT_EQ(at(image, QPoint(0, 0)), darker2());
    EXPECT_EQ(at(image, QPoint(60, 12)), lighter2());
    EXPECT_NE(image, paint(*windows, QSize(120, 24), primitive(QStyle::PE_PanelTipLabel, tip)));
}

// A tip's text colour is readable on the tip: its own where it reads, else the window text.
TEST_F(AppMisc, ToolTipLabelsGetATextColourReadableOnTheirFace) {
    QWidget anchor;
    QToolTip::showText(QPoint(10, 10), QStringLiteral("tip"), &anchor);
    QWidget* label = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->inherits("QTipLabel"))
            label = window;
    ASSERT_NE(label, nullptr);
    const QColor unreadable = lighter1(); // close to "ColorGUILighter2"
    for (const QColor& text : {QColor(Qt::black), unreadable}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::ToolTipText, text);
        label->setPalette(palette);
        style.polish(label);
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            EXPECT_EQ(label->palette().color(group, QPalette::ToolTipBase), lighter2());
            const QColor shown = label->palette().color(group, QPalette::ToolTipText);
            EXPECT_GE(velContrastRatio(shown, lighter2()), velReadableContrast);
            if (text == Qt::black) {
                EXPECT_EQ(shown, text);
            }
        }
    }
    QToolTip::hideText();
}

TEST_F(AppMisc, FocusFramesAreOneSolidLineThatReadsOnTheirBackground) {
    const struct {
        QColor background; // invalid: none named, the frame lies on a face of the look
        QColor expected;   // invalid: deepened from the dark colour
    } rows[] = {
        {Qt::white, buttonSelected()},
        {QColor(), QColor()},
        {Qt::black, QColor()},
    };
    for (const auto& row : rows) {
        auto focus = option<QStyleOptionFocusRect>(QRect(0, 0, 60, 20),
                                                   QStyle::State_Enabled | QStyle::State_KeyboardFocusChange);
        focus.backgroundColor = row.background;
        const QImage image = paint(style, QSize(60, 20), primitive(QStyle::PE_FrameFocusRect, focus));
        const QColor line = at(image, QPoint(30, 0));
        const QColor under = row.background.isValid() ? row.background : gui();
        EXPECT_GE(velContrastRatio(line, under), velReadableMarkContrast);
        if (row.expected.isValid()) {
            EXPECT_EQ(line, row.expected);
        }
        // Solid: every pixel of the edge the same colour, not dotted.
        for (int x = 0; x < 60; ++x)
            EXPECT_EQ(at(image, QPoint(x, 19)), line) << x;
        EXPECT_EQ(at(image, QPoint(30, 10)), kBlank);
        EXPECT_NE(image, paint(*windows, QSize(60, 20), primitive(QStyle::PE_FrameFocusRect, focus)));
    }
    // The default button's frame: the dark colour where the Windows style draws black.
    const auto button = option<QStyleOptionButton>(QRect(0, 0, 60, 20), QStyle::State_Enabled);
    const QImage frame = paint(style, QSize(60, 20), primitive(QStyle::PE_FrameDefaultButton, button));
    EXPECT_EQ(at(frame, QPoint(0, 10)), mark());
    EXPECT_NE(frame, paint(*windows, QSize(60, 20), primitive(QStyle::PE_FrameDefaultButton, button)));
}

TEST_F(AppMisc, LinesArePresentOnceAtEveryRatio) {
    const auto panel = option<QStyleOption>(QRect(0, 0, 80, 24), QStyle::State_Enabled);
    const auto tip = option<QStyleOptionFrame>(QRect(0, 0, 80, 24), QStyle::State_Enabled);
    auto focus = option<QStyleOptionFocusRect>(QRect(0, 0, 80, 24),
                                               QStyle::State_Enabled | QStyle::State_KeyboardFocusChange);
    focus.backgroundColor = Qt::white;
    const auto button = option<QStyleOptionButton>(QRect(0, 0, 80, 24), QStyle::State_Enabled);
    auto frame = option<QStyleOptionFrame>(QRect(0, 0, 80, 24), QStyle::State_Enabled);
    frame.lineWidth = 1;
    const auto separator =
        option<QStyleOption>(QRect(0, 0, 80, 24), QStyle::State_Enabled | QStyle::State_Horizontal);
    const struct {
        const char* name;
        Paint how;
        QColor line;
        bool down; // count down the middle column, else across the middle row
        int edges;
    } rows[] = {
        {"status bar", primitive(QStyle::PE_PanelStatusBar, panel),
         velMarkBetween(gui(), lighter1(), darker2()), true, 1},
        {"tool bar separator", primitive(QStyle::PE_IndicatorToolBarSeparator, separator),
         velMarkBetween(gui(), lighter1(), darker2()), false, 1},
        {"tool tip", primitive(QStyle::PE_PanelTipLabel, tip), darker2(), false, 2},
        {"tool tip", primitive(QStyle::PE_PanelTipLabel, tip), darker2(), true, 2},
        {"focus", primitive(QStyle::PE_FrameFocusRect, focus), buttonSelected(), false, 2},
        {"focus", primitive(QStyle::PE_FrameFocusRect, focus), buttonSelected(), true, 2},
        {"default button", primitive(QStyle::PE_FrameDefaultButton, button), mark(), false, 2},
        {"sub-window", primitive(QStyle::PE_FrameWindow, frame), darker2(), false, 2},
        {"sub-window", primitive(QStyle::PE_FrameWindow, frame), darker2(), true, 2},
    };
    for (const auto& row : rows)
        for (qreal ratio : kRatios) {
            const QImage image = paint(style, QSize(80, 24), row.how, ratio);
            const QPoint from = row.down ? QPoint(int(40 * ratio), 0) : QPoint(0, int(12 * ratio));
            const QPoint step = row.down ? QPoint(0, 1) : QPoint(1, 0);
            SCOPED_TRACE(row.name);
            velExpectLogicalPixelEdges(velEdgeRuns(image, from, step, 1000, row.line), row.edges, ratio);
        }
}

TEST_F(AppMisc, ToolBarSeparatorsAndHandlesAreMarksThatReadOnTheWash) {
    const QColor mark = velMarkBetween(gui(), lighter1(), darker2());
    const auto separator =
        option<QStyleOption>(QRect(0, 0, 8, 24), QStyle::State_Enabled | QStyle::State_Horizontal);
    const auto across = option<QStyleOption>(QRect(0, 0, 24, 8), QStyle::State_Enabled);
    const auto handle =
        option<QStyleOption>(QRect(0, 0, 8, 24), QStyle::State_Enabled | QStyle::State_Horizontal);
    const struct {
        const char* name;
        Paint how;
        QSize size;
        QPoint on; // a pixel of the mark
        QColor color;
    } rows[] = {
        {"upright separator",
         primitive(QStyle::PE_IndicatorToolBarSeparator, separator),
         {8, 24},
         {3, 12},
         mark},
        {"lying separator", primitive(QStyle::PE_IndicatorToolBarSeparator, across), {24, 8}, {12, 3}, mark},
        {"handle",
         primitive(QStyle::PE_IndicatorToolBarHandle, handle),
         {8, 24},
         {3, 3 + 8},
         velMarkOn(gui(), darker2())},
    };
    for (const auto& row : rows) {
        const QImage image = paint(style, row.size, row.how);
        EXPECT_EQ(at(image, row.on), row.color) << row.name;
        EXPECT_NE(image, paint(*windows, row.size, row.how)) << row.name;
    }
}

TEST_F(AppMisc, DialsAndSplitterHandlesTrackTheMouseAndHeldDialsRepaint) {
    QDial dial;
    QSplitter splitter;
    splitter.addWidget(new QWidget);
    splitter.addWidget(new QWidget);
    QSplitterHandle* handle = splitter.handle(1);
    for (bool app : {false, true}) {
        style.setApplicationMode(app);
        for (QWidget* widget : {static_cast<QWidget*>(&dial), static_cast<QWidget*>(handle)}) {
            widget->setAttribute(Qt::WA_Hover, false);
            style.polish(widget);
            EXPECT_EQ(widget->testAttribute(Qt::WA_Hover), app) << widget->metaObject()->className();
            style.unpolish(widget);
            EXPECT_FALSE(widget->testAttribute(Qt::WA_Hover));
        }
    }
    EXPECT_EQ(style.pixelMetric(QStyle::PM_SplitterWidth), 6);

    // A held dial is shown pressed: letting it go repaints it, though its value stays.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    dial.setStyle(&style);
    dial.resize(60, 60);
    dial.show();
    QApplication::processEvents();
    dial.setSliderDown(true);
    dial.installEventFilter(&counter);
    QApplication::processEvents();
    counter.paints = 0;
    dial.setSliderDown(false);
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
    dial.setStyle(nullptr);
}

TEST_F(AppMisc, HostModePaintsAsTheWindowsStyle) {
    style.setApplicationMode(false);
    QStyleOptionSlider knob = dial(QStyle::State_Enabled | QStyle::State_HasFocus);
    knob.subControls = QStyle::SC_All;
    auto handle = option<QStyleOption>(QRect(0, 0, 6, 60), QStyle::State_Enabled | QStyle::State_MouseOver);
    auto grip = option<QStyleOptionSizeGrip>(QRect(0, 0, 13, 13), QStyle::State_Enabled);
    const auto panel = option<QStyleOption>(QRect(0, 0, 100, 24), QStyle::State_Enabled);
    const auto tip = option<QStyleOptionFrame>(QRect(0, 0, 100, 24), QStyle::State_Enabled);
    const auto focus = option<QStyleOptionFocusRect>(QRect(0, 0, 100, 24), QStyle::State_Enabled);
    const auto button = option<QStyleOptionButton>(QRect(0, 0, 100, 24), QStyle::State_Enabled);
    const auto band = option<QStyleOptionRubberBand>(QRect(0, 0, 60, 40), QStyle::State_Enabled);
    const Paint paints[] = {
        dialPaint(knob),
        control(QStyle::CE_Splitter, handle),
        control(QStyle::CE_SizeGrip, grip),
        primitive(QStyle::PE_PanelStatusBar, panel),
        primitive(QStyle::PE_FrameStatusBarItem, panel),
        primitive(QStyle::PE_PanelTipLabel, tip),
        primitive(QStyle::PE_FrameFocusRect, focus),
        primitive(QStyle::PE_FrameDefaultButton, button),
        primitive(QStyle::PE_FrameWindow, tip),
        primitive(QStyle::PE_IndicatorDockWidgetResizeHandle, handle),
        control(QStyle::CE_RubberBand, band),
        primitive(QStyle::PE_IndicatorToolBarSeparator, panel),
        primitive(QStyle::PE_IndicatorToolBarHandle, handle),
    };
    for (const Paint& how : paints)
        EXPECT_EQ(paint(style, QSize(100, 100), how), paint(*windows, QSize(100, 100), how)) << &how - paints;
    EXPECT_EQ(style.pixelMetric(QStyle::PM_SplitterWidth), windows->pixelMetric(QStyle::PM_SplitterWidth));
    QStyleHintReturnMask mask;
    EXPECT_EQ(style.styleHint(QStyle::SH_RubberBand_Mask, &band, nullptr, &mask),
              windows->styleHint(QStyle::SH_RubberBand_Mask, &band, nullptr, &mask));
}

} // namespace
