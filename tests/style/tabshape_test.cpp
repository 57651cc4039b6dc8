// Tab shapes in the four rounded orientations: outlines line by line, gradient bodies, neighbours of the
// selected tab, right-to-left bars, and the tab widget with one tab.

#include "style2host.h"
#include "support/recordingpaintdevice.h"

#include <QLinearGradient>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

using style2::Host;

const QPalette palette = style2::distinctPalette();
const QColor light = palette.light().color();
const QColor midlight = palette.midlight().color();
const QColor dark = palette.dark().color();
const QColor shadow = palette.shadow().color();
const QColor background = palette.window().color();

// One line or point of an outline, with the pen colour it is drawn in.
struct Mark {
    PaintOp::Kind kind;
    QLineF line;
    QColor color;
};

Mark line(const QColor& color, int a, int b, int c, int d) {
    return {PaintOp::Line, QLineF(a, b, c, d), color};
}
Mark point(const QColor& color, int a, int b) {
    return {PaintOp::Point, QLineF(a, b, a, b), color};
}

class Style2TabShape : public ::testing::Test {
protected:
    Style2TabShape() {
        host.base()->setPixelMetric(QStyle::PM_TabBarBaseOverlap, 2);
        host.base()->setStyleHint(QStyle::SH_TabBar_Alignment, Qt::AlignLeft);
        tab.palette = palette;
        tab.state = QStyle::State_Enabled;
        tab.position = QStyleOptionTab::Middle;
        tab.selectedPosition = QStyleOptionTab::NotAdjacent;
        tab.shape = QTabBar::RoundedNorth;
        tab.rect = QRect(0, 2, 80, 20);
    }

    void paint(const QWidget* widget = nullptr) {
        device.clear();
        QPainter painter(&device);
        host.style().drawControl(QStyle::CE_TabBarTabShape, &tab, &painter, widget);
    }

    // The outline: every line and point painted, in order, against the expected ones.
    void expectOutline(const QVector<Mark>& expected) {
        QVector<PaintOp> marks;
        for (const PaintOp& op : device.ops())
            if (op.kind == PaintOp::Line || op.kind == PaintOp::Point)
                marks << op;
        ASSERT_EQ(marks.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const PaintOp& op = marks[i];
            const Mark& mark = expected[i];
            ASSERT_EQ(op.kind, mark.kind) << "mark " << i;
            if (mark.kind == PaintOp::Line)
                EXPECT_EQ(op.line, mark.line) << "mark " << i;
            else
                EXPECT_EQ(op.point, mark.line.p1()) << "mark " << i;
            EXPECT_EQ(op.pen.color(), mark.color) << "mark " << i;
        }
    }

    // The gradient that filled the north tab body.
    const QLinearGradient* bodyGradient() const {
        for (const PaintOp& op : device.ops())
            if (op.kind == PaintOp::Rect && op.brush.style() == Qt::LinearGradientPattern)
                return static_cast<const QLinearGradient*>(op.brush.gradient());
        return nullptr;
    }

    Host host;
    QStyleOptionTab tab;
    RecordingPaintDevice device{200, 100};
};

// ---------------------------------------------------------------- north

TEST_F(Style2TabShape, NorthUnselectedLineByLine) {
    paint();
    expectOutline({line(light, 0, 4, 0, 19), point(light, 1, 3), line(midlight, 1, 4, 1, 19),
                   line(style2::darker1(), 2, 2, 77, 2), line(shadow, 79, 4, 79, 19), point(shadow, 78, 3),
                   line(dark, 78, 4, 78, 19)});
    const QLinearGradient* gradient = bodyGradient();
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->start(), QPointF(0, 0));
    EXPECT_EQ(gradient->finalStop(), QPointF(0, 20));
    const QGradientStops stops = gradient->stops();
    ASSERT_EQ(stops.size(), 4);
    EXPECT_EQ(stops[0], QGradientStop(0.0, style2::lighter1()));
    EXPECT_EQ(stops[1], QGradientStop(0.55, style2::darker1()));
    EXPECT_EQ(stops[2], QGradientStop(0.56, style2::darker2()));
    EXPECT_EQ(stops[3], QGradientStop(1.0, style2::gui()));
}

TEST_F(Style2TabShape, NorthUnselectedPixels) {
    QImage image = style2::blankImage(200, 100);
    {
        QPainter painter(&image);
        host.style().drawControl(QStyle::CE_TabBarTabShape, &tab, &painter, nullptr);
    }
    EXPECT_EQ(image.pixelColor(0, 4), light);
    EXPECT_EQ(image.pixelColor(0, 19), light);
    EXPECT_EQ(image.pixelColor(1, 3), light);
    EXPECT_EQ(image.pixelColor(1, 10), midlight);
    EXPECT_EQ(image.pixelColor(2, 2), style2::darker1());
    EXPECT_EQ(image.pixelColor(77, 2), style2::darker1());
    EXPECT_EQ(image.pixelColor(79, 10), shadow);
    EXPECT_EQ(image.pixelColor(78, 3), shadow);
    EXPECT_EQ(image.pixelColor(78, 10), dark);
    // Below the edges and past the top line's ends the body shows.
    EXPECT_NE(image.pixelColor(0, 20), light);
    EXPECT_NE(image.pixelColor(79, 20), shadow);
    EXPECT_NE(image.pixelColor(78, 2), style2::darker1());
    // Body rows past the sharp step are on the dark side of it.
    const QColor lower = image.pixelColor(40, 13);
    EXPECT_NEAR(lower.red(), style2::darker2().red(), 40);
    EXPECT_LT(lower.green(), 0x40);
}

TEST_F(Style2TabShape, NorthSelectedFirstTabOfLeftAlignedBarReachesTheBase) {
    tab.state |= QStyle::State_Selected;
    tab.position = QStyleOptionTab::Beginning;
    paint();
    // bt is halved to 1; the first edge reaches y2 = 21.
    expectOutline({line(light, 0, 4, 0, 21), point(light, 1, 3), line(midlight, 1, 4, 1, 21),
                   line(style2::darker1(), 2, 2, 77, 2), line(shadow, 79, 4, 79, 20), point(shadow, 78, 3),
                   line(dark, 78, 4, 78, 20)});
    const QLinearGradient* gradient = bodyGradient();
    ASSERT_NE(gradient, nullptr);
    const QGradientStops stops = gradient->stops();
    ASSERT_EQ(stops.size(), 3);
    EXPECT_EQ(stops[0], QGradientStop(0.0, style2::gui()));
    EXPECT_EQ(stops[1], QGradientStop(0.45, style2::lighter1()));
    EXPECT_EQ(stops[2], QGradientStop(1.0, QColor(253, 254, 255)));
}

TEST_F(Style2TabShape, NorthSelectedLastTabOfRightAlignedBarReachesTheBase) {
    host.base()->setStyleHint(QStyle::SH_TabBar_Alignment, Qt::AlignRight);
    tab.state |= QStyle::State_Selected;
    tab.position = QStyleOptionTab::End;
    paint();
    expectOutline({line(light, 0, 4, 0, 20), point(light, 1, 3), line(midlight, 1, 4, 1, 20),
                   line(style2::darker1(), 2, 2, 77, 2), line(shadow, 79, 4, 79, 21), point(shadow, 78, 3),
                   line(dark, 78, 4, 78, 21)});
}

TEST_F(Style2TabShape, NorthNeighboursOfTheSelectedTab) {
    tab.selectedPosition = QStyleOptionTab::PreviousIsSelected;
    paint();
    expectOutline({line(style2::darker1(), 0, 2, 77, 2), line(shadow, 79, 4, 79, 19), point(shadow, 78, 3),
                   line(dark, 78, 4, 78, 19)});

    tab.selectedPosition = QStyleOptionTab::NextIsSelected;
    paint();
    expectOutline({line(light, 0, 4, 0, 19), point(light, 1, 3), line(midlight, 1, 4, 1, 19),
                   line(style2::darker1(), 2, 2, 79, 2)});

    // The first tab keeps its first edge even beside a selected tab.
    tab.position = QStyleOptionTab::Beginning;
    tab.selectedPosition = QStyleOptionTab::PreviousIsSelected;
    paint();
    expectOutline({line(light, 0, 4, 0, 19), point(light, 1, 3), line(midlight, 1, 4, 1, 19),
                   line(style2::darker1(), 0, 2, 77, 2), line(shadow, 79, 4, 79, 19), point(shadow, 78, 3),
                   line(dark, 78, 4, 78, 19)});
}

TEST_F(Style2TabShape, NorthRightToLeftSwapsFirstAndLast) {
    tab.direction = Qt::RightToLeft;
    tab.state |= QStyle::State_Selected;
    tab.position = QStyleOptionTab::Beginning; // the last tab of a right-to-left bar
    paint();
    // A left-aligned right-to-left bar ends at its last tab: the last edge reaches the base.
    expectOutline({line(light, 0, 4, 0, 20), point(light, 1, 3), line(midlight, 1, 4, 1, 20),
                   line(style2::darker1(), 2, 2, 77, 2), line(shadow, 79, 4, 79, 21), point(shadow, 78, 3),
                   line(dark, 78, 4, 78, 21)});

    tab.state = QStyle::State_Enabled;
    tab.position = QStyleOptionTab::Middle;
    tab.selectedPosition = QStyleOptionTab::NextIsSelected; // the previous one, seen right to left
    paint();
    expectOutline({line(style2::darker1(), 0, 2, 77, 2), line(shadow, 79, 4, 79, 19), point(shadow, 78, 3),
                   line(dark, 78, 4, 78, 19)});
}

// ---------------------------------------------------------------- south, west, east

TEST_F(Style2TabShape, SouthUnselectedFirstTab) {
    tab.shape = QTabBar::RoundedSouth;
    tab.rect = QRect(0, 0, 80, 20);
    tab.position = QStyleOptionTab::Beginning;
    paint();
    EXPECT_EQ(bodyGradient(), nullptr) << "only tabs above the pane get a body";
    expectOutline({line(light, 2, 15, 2, 2), point(light, 3, 16), line(midlight, 3, 15, 3, 2),
                   line(shadow, 4, 17, 77, 17), line(dark, 4, 16, 77, 16), line(shadow, 79, 15, 79, 2),
                   point(shadow, 78, 16), line(dark, 78, 15, 78, 2)});
}

TEST_F(Style2TabShape, SouthSelectedWipesItsTopRows) {
    tab.shape = QTabBar::RoundedSouth;
    tab.rect = QRect(0, 0, 80, 20);
    tab.state |= QStyle::State_Selected;
    paint();
    expectOutline({line(background, 0, 1, 79, 1), line(background, 0, 0, 79, 0), line(light, 0, 17, 0, 1),
                   point(light, 1, 18), line(midlight, 1, 17, 1, 1), line(shadow, 2, 19, 77, 19),
                   line(dark, 2, 18, 77, 18), line(shadow, 79, 17, 79, 1), point(shadow, 78, 18),
                   line(dark, 78, 17, 78, 1)});
}

TEST_F(Style2TabShape, SouthRightToLeftInsetsTheEndTab) {
    tab.shape = QTabBar::RoundedSouth;
    tab.rect = QRect(0, 0, 80, 20);
    tab.direction = Qt::RightToLeft;
    tab.position = QStyleOptionTab::End; // the first tab of a right-to-left bar
    paint();
    expectOutline({line(light, 2, 15, 2, 2), point(light, 3, 16), line(midlight, 3, 15, 3, 2),
                   line(shadow, 4, 17, 77, 17), line(dark, 4, 16, 77, 16), line(shadow, 79, 15, 79, 2),
                   point(shadow, 78, 16), line(dark, 78, 15, 78, 2)});
}

TEST_F(Style2TabShape, WestUnselected) {
    tab.shape = QTabBar::RoundedWest;
    tab.rect = QRect(0, 0, 20, 80);
    paint();
    expectOutline({line(light, 4, 0, 17, 0), point(light, 3, 1), line(midlight, 4, 1, 17, 1),
                   line(light, 2, 2, 2, 77), line(midlight, 3, 2, 3, 77), line(shadow, 5, 79, 17, 79),
                   point(shadow, 4, 78), line(dark, 5, 78, 17, 78), point(dark, 3, 78), point(dark, 4, 79)});
}

TEST_F(Style2TabShape, WestIsNotMirroredRightToLeft) {
    tab.shape = QTabBar::RoundedWest;
    tab.rect = QRect(0, 0, 20, 80);
    tab.direction = Qt::RightToLeft;
    tab.position = QStyleOptionTab::Beginning; // stays the first tab
    paint();
    expectOutline({line(light, 4, 2, 17, 2), point(light, 3, 3), line(midlight, 4, 3, 17, 3),
                   line(light, 2, 4, 2, 77), line(midlight, 3, 4, 3, 77), line(shadow, 5, 79, 17, 79),
                   point(shadow, 4, 78), line(dark, 5, 78, 17, 78), point(dark, 3, 78), point(dark, 4, 79)});
}

TEST_F(Style2TabShape, WestSelected) {
    tab.shape = QTabBar::RoundedWest;
    tab.rect = QRect(0, 0, 20, 80);
    tab.state |= QStyle::State_Selected;
    paint();
    // bt = 1: the edges stop one pixel short of the base side x2 = 19.
    expectOutline({line(background, 18, 0, 18, 79), line(background, 19, 0, 19, 79), line(light, 2, 0, 18, 0),
                   point(light, 1, 1), line(midlight, 2, 1, 18, 1), line(light, 0, 2, 0, 77),
                   line(midlight, 1, 2, 1, 77), line(shadow, 3, 79, 18, 79), point(shadow, 2, 78),
                   line(dark, 3, 78, 18, 78), point(dark, 1, 78), point(dark, 2, 79)});
}

TEST_F(Style2TabShape, EastUnselected) {
    tab.shape = QTabBar::RoundedEast;
    tab.rect = QRect(0, 0, 20, 80);
    paint();
    expectOutline({line(light, 15, 0, 2, 0), point(light, 16, 1), line(midlight, 14, 1, 2, 1),
                   point(midlight, 16, 0), line(shadow, 17, 2, 17, 77), line(dark, 16, 2, 16, 77),
                   line(shadow, 15, 79, 2, 79), point(shadow, 16, 78), line(dark, 15, 78, 2, 78)});
}

TEST_F(Style2TabShape, EastSelectedLastTab) {
    tab.shape = QTabBar::RoundedEast;
    tab.rect = QRect(0, 0, 20, 80);
    tab.state |= QStyle::State_Selected;
    tab.position = QStyleOptionTab::End;
    paint();
    expectOutline({line(background, 1, 0, 1, 79), line(background, 0, 0, 0, 79), line(light, 17, 0, 1, 0),
                   point(light, 18, 1), line(midlight, 16, 1, 1, 1), point(midlight, 18, 0),
                   line(shadow, 19, 2, 19, 77), line(dark, 18, 2, 18, 77), line(shadow, 17, 79, 1, 79),
                   point(shadow, 18, 78), line(dark, 17, 78, 1, 78)});
}

TEST_F(Style2TabShape, TriangularTabGetsOnlyTheGenericPainting) {
    tab.shape = QTabBar::TriangularNorth;
    paint();
    EXPECT_EQ(bodyGradient(), nullptr);
    for (const PaintOp& op : device.ops()) {
        EXPECT_NE(op.pen.color(), style2::darker1());
        EXPECT_FALSE(op.kind == PaintOp::Line && op.pen.color() == light);
    }
}

// ---------------------------------------------------------------- the widget around the tab bar

TEST_F(Style2TabShape, TabWidgetWithOneTabShowsNoTab) {
    QTabWidget tabs;
    tabs.addTab(new QWidget, QStringLiteral("only"));
    auto* bar = tabs.findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    paint(bar);
    EXPECT_TRUE(device.isEmpty());

    tabs.addTab(new QWidget, QStringLiteral("second"));
    paint(bar);
    EXPECT_NE(bodyGradient(), nullptr);
}

TEST_F(Style2TabShape, StandAloneTabBarAndNullWidgetArePainted) {
    QTabBar standAlone;
    standAlone.addTab(QStringLiteral("only"));
    paint(&standAlone);
    EXPECT_NE(bodyGradient(), nullptr);

    QWidget parent;
    auto* inside = new QTabBar(&parent);
    inside->addTab(QStringLiteral("only"));
    paint(inside);
    EXPECT_NE(bodyGradient(), nullptr);

    paint(nullptr);
    EXPECT_NE(bodyGradient(), nullptr);
}

TEST_F(Style2TabShape, OtherOptionPaintsNothing) {
    QStyleOption plain;
    plain.rect = tab.rect;
    tab.version = 0;
    {
        QPainter painter(&device);
        host.style().drawControl(QStyle::CE_TabBarTabShape, &plain, &painter, nullptr);
        host.style().drawControl(QStyle::CE_TabBarTabShape, &tab, &painter, nullptr);
    }
    EXPECT_TRUE(device.isEmpty());
}

} // namespace
