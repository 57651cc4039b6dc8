// Frames at device pixel ratios 1.25, 1.5, 2 and 3: every edge of a group box, tab, menu entry, tool bar,
// push button and scroll bar is painted once, without gaps, on the device pixels its logical pixel covers.

#include "style/devicegrid.h"
#include "style2host.h"
#include "support/recordingpaintdevice.h"

#include <QStyleOption>
#include <QTabBar>
#include <QtMath>
#include <functional>
#include <gtest/gtest.h>

namespace {

using style2::Host;

const QPalette palette = style2::distinctPalette();
const QColor light = palette.light().color();
const QColor midlight = palette.midlight().color();
const QColor dark = palette.dark().color();
const QColor shadow = palette.shadow().color();
const QColor buttonFace = palette.button().color();
const QColor frameBlack(0, 0, 0);

const qreal ratios[] = {1.25, 1.5, 2.0, 3.0};

// The device pixels that logical pixel c covers at ratio r: those an integer fill of it covers.
int cellStart(int c, qreal r) {
    return qRound(c * r);
}

// One edge: the line of logical pixels at `at` (a column when vertical, a row otherwise) from `from` to
// `to`. Scans across it stay within [lo, hi] (logical). exact: the edge must lie on its logical
// pixel's cell; otherwise (the base style's one-device-pixel lines) one run anywhere in the scan.
struct Edge {
    const char* name;
    bool vertical;
    int at, from, to;
    QColor colour;
    int lo, hi;
    bool exact = true;
};

Edge column(const char* name, const QColor& colour, int x, int y1, int y2, int lo, int hi) {
    return {name, true, x, y1, y2, colour, lo, hi};
}
Edge row(const char* name, const QColor& colour, int y, int x1, int x2, int lo, int hi) {
    return {name, false, y, x1, x2, colour, lo, hi};
}
Edge loose(Edge edge) {
    edge.exact = false;
    return edge;
}

// Paints into a device image of the logical size at ratio r.
QImage render(const QSize& size, qreal r, const std::function<void(QPainter&)>& paint) {
    QImage image(qCeil(size.width() * r), qCeil(size.height() * r), QImage::Format_ARGB32);
    image.fill(QColor(0xfe, 0xfe, 0xfe));
    image.setDevicePixelRatio(r);
    QPainter painter(&image);
    paint(painter);
    return image;
}

// Every device scan across the edge, along the edge's inner length (its end pixels left out, where other
// edges meet it), finds the edge colour as one run: on its cell when exact.
void expectEdge(const QImage& image, qreal r, const Edge& e) {
    SCOPED_TRACE(testing::Message() << e.name << " at ratio " << r);
    const int limit = e.vertical ? image.width() : image.height();
    const int scanFrom = qMax(0, cellStart(qMax(e.lo, e.at - 2), r));
    const int scanTo = qMin(limit, cellStart(qMin(e.hi, e.at + 2) + 1, r));
    const int alongFrom = cellStart(e.from + 1, r), alongTo = cellStart(e.to, r);
    ASSERT_LT(alongFrom, alongTo);
    int gaps = 0, doubled = 0, misplaced = 0;
    for (int along = alongFrom; along < alongTo; ++along) {
        int runs = 0, first = -1, last = -1;
        bool inRun = false;
        for (int across = scanFrom; across < scanTo; ++across) {
            const QRgb pixel = e.vertical ? image.pixel(across, along) : image.pixel(along, across);
            const bool hit = pixel == e.colour.rgba();
            if (hit && !inRun) {
                ++runs;
                if (first < 0)
                    first = across;
            }
            if (hit)
                last = across;
            inRun = hit;
        }
        if (runs == 0)
            ++gaps;
        else if (runs > 1)
            ++doubled;
        else if (e.exact && (first != cellStart(e.at, r) || last + 1 != cellStart(e.at + 1, r)))
            ++misplaced;
    }
    EXPECT_EQ(gaps, 0) << "device scans missing the edge";
    EXPECT_EQ(doubled, 0) << "device scans crossing it twice";
    EXPECT_EQ(misplaced, 0) << "device scans finding it off its cell";
}

struct Control {
    const char* name;
    QSize size;
    std::function<void(QPainter&, MelvoroStyle&)> paint;
    QVector<Edge> edges;
};

void expectEdges(MelvoroStyle& style, const Control& control) {
    for (qreal r : ratios) {
        const QImage image = render(control.size, r, [&](QPainter& p) { control.paint(p, style); });
        for (const Edge& edge : control.edges)
            expectEdge(image, r, edge);
    }
}

QStyleOptionTab tabOption(QTabBar::Shape shape, const QRect& rect, bool selected) {
    QStyleOptionTab tab;
    tab.palette = palette;
    tab.state = QStyle::State_Enabled | (selected ? QStyle::State_Selected : QStyle::State_None);
    tab.position = QStyleOptionTab::Middle;
    tab.selectedPosition = QStyleOptionTab::NotAdjacent;
    tab.shape = shape;
    tab.rect = rect;
    return tab;
}

std::function<void(QPainter&, MelvoroStyle&)> paintTab(QStyleOptionTab tab) {
    return
        [tab](QPainter& p, MelvoroStyle& style) { style.drawControl(QStyle::CE_TabBarTabShape, &tab, &p); };
}

QStyleOptionMenuItem menuOption(const QRect& rect) {
    QStyleOptionMenuItem item;
    item.palette = palette;
    item.rect = rect;
    item.state = QStyle::State_Enabled | QStyle::State_Selected;
    item.menuItemType = QStyleOptionMenuItem::Normal;
    return item;
}

// The style's own frames, over a base that paints nothing.
class StyleFramesAtRatio : public ::testing::Test {
protected:
    StyleFramesAtRatio() {
        host.base()->setPixelMetric(QStyle::PM_TabBarBaseOverlap, 2);
        host.base()->setStyleHint(QStyle::SH_TabBar_Alignment, Qt::AlignLeft);
        host.base()->setSubControlRect(QStyle::CC_GroupBox, QStyle::SC_GroupBoxFrame, QRect(0, 0, 120, 60));
    }
    Host host;
};

TEST_F(StyleFramesAtRatio, GroupBoxFrame) {
    const auto paint = [](QPainter& p, MelvoroStyle& style) {
        QStyleOptionGroupBox box;
        box.rect = QRect(0, 0, 120, 60);
        box.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        box.text = QStringLiteral("Title");
        box.fontMetrics = QFontMetrics(p.font());
        p.setPen(dark);
        style.drawComplexControl(QStyle::CC_GroupBox, &box, &p);
    };
    // The top edge starts 5 pixels down and is cut behind the title; only its right end is scanned.
    expectEdges(host.style(),
                {"group box",
                 {120, 60},
                 paint,
                 {column("left", dark, 0, 5, 59, 0, 119), column("right", dark, 119, 5, 59, 0, 119),
                  row("bottom", dark, 59, 0, 119, 0, 59), row("top", dark, 5, 100, 119, 0, 59)}});
}

TEST_F(StyleFramesAtRatio, TabOutlinesInEveryOrientation) {
    const QColor top = style2::darker1();
    const Control tabs[] = {
        {"north tab",
         {80, 24},
         paintTab(tabOption(QTabBar::RoundedNorth, QRect(0, 2, 80, 20), false)),
         {column("light", light, 0, 4, 19, 0, 79), column("midlight", midlight, 1, 4, 19, 0, 79),
          row("top", top, 2, 2, 77, 0, 23), column("dark", dark, 78, 4, 19, 0, 79),
          column("shadow", shadow, 79, 4, 19, 0, 79)}},
        {"selected north tab",
         {80, 22},
         paintTab(tabOption(QTabBar::RoundedNorth, QRect(0, 0, 80, 22), true)),
         {row("top", top, 0, 2, 77, 0, 21), column("light", light, 0, 2, 20, 0, 79),
          column("shadow", shadow, 79, 2, 20, 0, 79)}},
        {"south tab",
         {80, 20},
         paintTab(tabOption(QTabBar::RoundedSouth, QRect(0, 0, 80, 20), false)),
         {column("light", light, 0, 2, 15, 0, 79), column("midlight", midlight, 1, 2, 15, 0, 79),
          row("dark", dark, 16, 2, 77, 0, 19), row("shadow", shadow, 17, 2, 77, 0, 19),
          column("right", shadow, 79, 2, 15, 0, 79)}},
        {"west tab",
         {20, 80},
         paintTab(tabOption(QTabBar::RoundedWest, QRect(0, 0, 20, 80), false)),
         {row("top", light, 0, 4, 17, 0, 79), row("top midlight", midlight, 1, 4, 17, 0, 79),
          column("left", light, 2, 2, 77, 0, 19), column("left midlight", midlight, 3, 2, 77, 0, 19),
          row("bottom", shadow, 79, 5, 17, 0, 79), row("bottom dark", dark, 78, 5, 17, 0, 79)}},
        {"east tab",
         {20, 80},
         paintTab(tabOption(QTabBar::RoundedEast, QRect(0, 0, 20, 80), false)),
         {row("top", light, 0, 2, 15, 0, 79), column("right", shadow, 17, 2, 77, 0, 19),
          column("right dark", dark, 16, 2, 77, 0, 19), row("bottom", shadow, 79, 2, 15, 0, 79),
          row("bottom dark", dark, 78, 2, 15, 0, 79)}},
    };
    for (const Control& tab : tabs) {
        SCOPED_TRACE(tab.name);
        expectEdges(host.style(), tab);
    }
}

TEST_F(StyleFramesAtRatio, SelectedMenuEntriesAndToolBar) {
    const Control controls[] = {
        {"selected menu entry",
         {100, 22},
         [](QPainter& p, MelvoroStyle& style) {
             const QStyleOptionMenuItem item = menuOption(QRect(0, 0, 100, 22));
             style.drawControl(QStyle::CE_MenuItem, &item, &p);
         },
         {column("left", frameBlack, 0, 0, 21, 0, 99), column("right", frameBlack, 99, 0, 21, 0, 99),
          row("top", frameBlack, 0, 0, 99, 0, 21), row("bottom", frameBlack, 21, 0, 99, 0, 21)}},
        {"selected menu bar entry",
         {60, 20},
         [](QPainter& p, MelvoroStyle& style) {
             const QStyleOptionMenuItem item = menuOption(QRect(0, 0, 60, 20));
             style.drawControl(QStyle::CE_MenuBarItem, &item, &p);
         },
         {column("left", frameBlack, 0, 0, 19, 0, 59), column("right", frameBlack, 59, 0, 19, 0, 59)}},
        {"menu frame",
         {100, 60},
         [](QPainter& p, MelvoroStyle& style) {
             QStyleOption frame;
             frame.rect = QRect(0, 0, 100, 60);
             style.drawPrimitive(QStyle::PE_FrameMenu, &frame, &p);
         },
         // Two pixels wide on the border, of which the inner one lies on the device.
         {column("left", frameBlack, 0, 0, 59, 0, 99), column("right", frameBlack, 99, 0, 59, 0, 99),
          row("top", frameBlack, 0, 0, 99, 0, 59), row("bottom", frameBlack, 59, 0, 99, 0, 59)}},
        {"menu separator",
         {100, 7},
         [](QPainter& p, MelvoroStyle& style) {
             QStyleOptionMenuItem item = menuOption(QRect(0, 0, 100, 7));
             item.state = QStyle::State_Enabled;
             item.menuItemType = QStyleOptionMenuItem::Separator;
             style.drawControl(QStyle::CE_MenuItem, &item, &p);
         },
         {row("dark", dark, 2, 0, 99, 0, 6), row("light", light, 3, 0, 99, 0, 6)}},
        {"tool bar",
         {200, 30},
         [](QPainter& p, MelvoroStyle& style) {
             QStyleOptionToolBar bar;
             bar.rect = QRect(0, 0, 200, 30);
             style.drawControl(QStyle::CE_ToolBar, &bar, &p);
         },
         {row("bottom line", style2::darker2(), 28, 0, 199, 0, 29)}},
    };
    for (const Control& control : controls) {
        SCOPED_TRACE(control.name);
        expectEdges(host.style(), control);
    }
}

// Push buttons and scroll bars over the base "Windows" style, whose bevels are one device pixel thin.
class WindowsFramesAtRatio : public ::testing::Test {
protected:
    WindowsFramesAtRatio() : host(false) {}
    Host host;
    MelvoroStyle style;
};

QStyleOptionButton buttonOption(QStyle::State state) {
    QStyleOptionButton button;
    button.palette = palette;
    button.rect = QRect(0, 0, 60, 24);
    button.state = QStyle::State_Enabled | state;
    return button;
}

TEST_F(WindowsFramesAtRatio, PushButtonBevelOnceAndPressedFaceOnePixelInside) {
    const QStyleOptionButton raised = buttonOption(QStyle::State_Raised);
    expectEdges(
        style,
        {"push button",
         {60, 24},
         [&raised](QPainter& p, MelvoroStyle& s) { s.drawControl(QStyle::CE_PushButton, &raised, &p); },
         {loose(column("left", light, 0, 0, 23, 0, 2)), loose(row("top", light, 0, 0, 59, 0, 2)),
          loose(column("right", shadow, 59, 0, 23, 57, 59)), loose(row("bottom", shadow, 23, 0, 59, 21, 23)),
          loose(column("inner right", dark, 58, 1, 22, 57, 59)),
          loose(row("inner bottom", dark, 22, 1, 58, 21, 23))}});

    // Pressed: the bevel is a plain fill and the face lies one logical pixel inside it on every side.
    const QStyleOptionButton pressed = buttonOption(QStyle::State_Sunken);
    for (qreal r : ratios) {
        SCOPED_TRACE(r);
        const QImage image =
            render({60, 24}, r, [&](QPainter& p) { style.drawControl(QStyle::CE_PushButton, &pressed, &p); });
        const int y = image.height() / 2, x = image.width() / 2;
        const QColor face = style2::buttonSelected();
        EXPECT_EQ(image.pixelColor(cellStart(1, r) - 1, y), buttonFace);
        EXPECT_EQ(image.pixelColor(cellStart(1, r), y), face);
        EXPECT_EQ(image.pixelColor(cellStart(59, r) - 1, y), face);
        EXPECT_EQ(image.pixelColor(cellStart(59, r), y), buttonFace);
        EXPECT_EQ(image.pixelColor(x, cellStart(1, r) - 1), buttonFace);
        EXPECT_EQ(image.pixelColor(x, cellStart(1, r)), face);
        EXPECT_EQ(image.pixelColor(x, cellStart(23, r) - 1), face);
        EXPECT_EQ(image.pixelColor(x, cellStart(23, r)), buttonFace);
    }
}

TEST_F(WindowsFramesAtRatio, ScrollBarButtonsAndSliderOnce) {
    QStyleOptionSlider bar;
    bar.palette = palette;
    bar.rect = QRect(0, 0, 17, 120);
    bar.orientation = Qt::Vertical;
    bar.state = QStyle::State_Enabled;
    bar.subControls = QStyle::SC_All;
    bar.minimum = 0;
    bar.maximum = 100;
    bar.pageStep = 20;
    bar.sliderPosition = bar.sliderValue = 40;
    QVector<Edge> edges;
    // Each part's edges: right and bottom in the shadow colour, the inner right line dark, the inner (arrow
    // buttons) or outer (slider) left and top lines light.
    const struct {
        QStyle::SubControl part;
        const char* names[5];
    } parts[] = {
        {QStyle::SC_ScrollBarSubLine, {"up right", "up bottom", "up inner right", "up left", "up top"}},
        {QStyle::SC_ScrollBarAddLine,
         {"down right", "down bottom", "down inner right", "down left", "down top"}},
        {QStyle::SC_ScrollBarSlider,
         {"slider right", "slider bottom", "slider inner right", "slider left", "slider top"}},
    };
    for (const auto& part : parts) {
        const QRect r = style.subControlRect(QStyle::CC_ScrollBar, &bar, part.part);
        ASSERT_GT(r.height(), 6);
        const char* const* n = part.names;
        // The base may put its last device row of a part on the first device row after it (at 1.25).
        edges << loose(column(n[0], shadow, r.right(), r.top(), r.bottom(), r.right() - 2, r.right()))
              << loose(row(n[1], shadow, r.bottom(), r.left(), r.right(), r.bottom() - 2, r.bottom() + 1))
              << loose(
                     column(n[2], dark, r.right() - 1, r.top() + 1, r.bottom() - 1, r.right() - 2, r.right()))
              << loose(column(n[3], light, r.left(), r.top() + 1, r.bottom() - 1, r.left(), r.left() + 2))
              << loose(row(n[4], light, r.top(), r.left() + 1, r.right() - 1, r.top(), r.top() + 2));
    }
    const auto paint = [&bar](QPainter& p, MelvoroStyle& s) {
        s.drawComplexControl(QStyle::CC_ScrollBar, &bar, &p);
    };
    expectEdges(style, {"scroll bar", {17, 120}, paint, edges});
}

// At ratio 1 the painter's own calls are made, so what is drawn there stays as it always was.
TEST(DeviceGrid, RatioOneMakesThePaintersOwnCalls) {
    RecordingPaintDevice device(100, 50);
    {
        QPainter p(&device);
        velGridLine(&p, 1, 2, 30, 2);
        velGridPoint(&p, 4, 5);
        velGridRect(&p, QRect(0, 0, 99, 49));
    }
    ASSERT_EQ(device.ops().size(), 3);
    EXPECT_EQ(device.ops()[0].kind, PaintOp::Line);
    EXPECT_EQ(device.ops()[0].line, QLineF(1, 2, 30, 2));
    EXPECT_EQ(device.ops()[1].kind, PaintOp::Point);
    EXPECT_EQ(device.ops()[2].kind, PaintOp::Rect);
    EXPECT_EQ(device.ops()[2].rect, QRectF(0, 0, 99, 49));
}

// Lines and outlines fill whole cells at any ratio: adjacent lines tile, a two-pixel outline covers the
// pixel before each side as well, and a brush fills the inside.
TEST(DeviceGrid, CellsTileAtEveryRatio) {
    const QColor red(0xff, 0, 0), green(0, 0xff, 0), blue(0, 0, 0xff), grey(0x80, 0x80, 0x80);
    const QColor blank(0xfe, 0xfe, 0xfe);
    for (qreal r : ratios) {
        SCOPED_TRACE(r);
        const QImage image = render({10, 10}, r, [&](QPainter& p) {
            p.setPen(red);
            velGridLine(&p, 0, 0, 0, 9);
            p.setPen(green);
            velGridLine(&p, 1, 9, 1, 0);
            p.setPen(QPen(blue, 2));
            p.setBrush(grey);
            velGridRect(&p, QRect(4, 1, 4, 7));
        });
        // Device columns of each logical column at the middle row, left to right.
        const QColor expected[10] = {red, green, blank, blue, blue, grey, grey, blue, blue, blank};
        const int y = cellStart(5, r);
        for (int x = 0; x < image.width(); ++x) {
            int c = 0;
            while (c < 9 && cellStart(c + 1, r) <= x)
                ++c;
            EXPECT_EQ(image.pixelColor(x, y), expected[c]) << "device column " << x;
        }
    }
}

} // namespace
