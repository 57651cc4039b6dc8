// Application mode paints scroll bars from the look colours, in both orientations, mirrored, in every state
// of each part, with outlines present once at every device pixel ratio; host mode paints them as the
// "Windows" style does.

#include "style2host.h"

#include "support/edgeruns.h"
#include <QStyleFactory>
#include <QStyleOption>
#include <cmath>

#include <gtest/gtest.h>

namespace {

using namespace style2;

const QColor kDisabledArrow(0x09, 0x59, 0x09);

class AppScrollBar : public ::testing::Test {
protected:
    void SetUp() override { style.setApplicationMode(true); }

    static QStyleOptionSlider bar(Qt::Orientation orientation,
                                  Qt::LayoutDirection direction = Qt::LeftToRight) {
        QStyleOptionSlider option;
        option.orientation = orientation;
        option.direction = direction;
        option.rect = orientation == Qt::Horizontal ? QRect(0, 0, 120, 16) : QRect(0, 0, 16, 120);
        option.state = QStyle::State_Enabled;
        if (orientation == Qt::Horizontal)
            option.state |= QStyle::State_Horizontal;
        option.minimum = 0;
        option.maximum = 100;
        option.pageStep = 20;
        option.singleStep = 1;
        option.sliderPosition = option.sliderValue = 0;
        option.subControls = QStyle::SC_All;
        option.palette = distinctPalette();
        option.palette.setColor(QPalette::Disabled, QPalette::ButtonText, kDisabledArrow);
        return option;
    }

    QImage paint(QStyle& with, const QStyleOptionSlider& option, qreal ratio = 1) {
        QImage image(option.rect.size() * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(QColor(0xfe, 0xfe, 0xfe));
        QPainter painter(&image);
        with.drawComplexControl(QStyle::CC_ScrollBar, &option, &painter);
        return image;
    }
    QRect part(const QStyleOptionSlider& option, QStyle::SubControl sub) {
        return style.subControlRect(QStyle::CC_ScrollBar, &option, sub);
    }

    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
    std::unique_ptr<QStyle> windows{QStyleFactory::create(QStringLiteral("Windows"))};
};

// The device pixel under a logical point.
QColor at(const QImage& image, QPoint logical) {
    const qreal ratio = image.devicePixelRatio();
    return QColor(image.pixel(int(logical.x() * ratio), int(logical.y() * ratio)));
}

// A point inside a part, clear of its outline and its arrow.
QPoint inside(const QRect& r) {
    return r.topLeft() + QPoint(2, 2);
}

struct StateRow {
    const char* name;
    QStyle::State state;
    QStyle::SubControl active;
    QStyle::SubControl part; // where the colour is read
    QColor (*fill)();
    QColor (*outline)(); // the part's outline, or null
};

TEST_F(AppScrollBar, EachPartIsPaintedFromTheLookColoursInItsState) {
    const StateRow rows[] = {
        {"resting track", QStyle::State_None, QStyle::SC_None, QStyle::SC_ScrollBarAddPage, gui, darker1},
        {"hovered slider", QStyle::State_MouseOver, QStyle::SC_ScrollBarSlider, QStyle::SC_ScrollBarSlider,
         buttonHover, darker2},
        {"pressed slider", QStyle::State_Sunken, QStyle::SC_ScrollBarSlider, QStyle::SC_ScrollBarSlider,
         buttonSelected, darker2},
        {"hovered arrow", QStyle::State_MouseOver, QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarAddLine,
         buttonHover, darker2},
        {"pressed arrow", QStyle::State_Sunken, QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarSubLine,
         buttonSelected, darker2},
        {"pressed page", QStyle::State_Sunken, QStyle::SC_ScrollBarAddPage, QStyle::SC_ScrollBarAddPage,
         buttonHover, nullptr},
        {"slider of another part's hover", QStyle::State_MouseOver, QStyle::SC_ScrollBarAddLine,
         QStyle::SC_ScrollBarSlider, nullptr, darker2},
    };
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical})
        for (qreal ratio : {1.0, 2.0})
            for (const StateRow& row : rows) {
                QStyleOptionSlider option = bar(orientation);
                option.state |= row.state;
                option.activeSubControls = row.active;
                const QImage image = paint(style, option, ratio);
                const QRect r = part(option, row.part);
                const QColor fill = at(image, inside(r));
                if (row.fill) {
                    EXPECT_EQ(fill, row.fill()) << row.name << " " << orientation << " x" << ratio;
                } else {
                    EXPECT_NE(fill, buttonHover()) << row.name;
                    EXPECT_NE(fill, buttonSelected()) << row.name;
                }
                if (row.outline) {
                    EXPECT_EQ(at(image, r.bottomRight()), row.outline()) << row.name << " x" << ratio;
                }
                EXPECT_NE(image, paint(*windows, option, ratio)) << row.name;
            }
}

TEST_F(AppScrollBar, RestingFacesRunFromLighterToTheWindowColour) {
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        const QStyleOptionSlider option = bar(orientation);
        const QImage image = paint(style, option);
        const QRect slider = part(option, QStyle::SC_ScrollBarSlider).adjusted(1, 1, -1, -1);
        const QPoint last = orientation == Qt::Horizontal ? QPoint(slider.center().x(), slider.bottom())
                                                          : QPoint(slider.right(), slider.center().y());
        auto distance = [](const QColor& a, const QColor& b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue());
        };
        const QColor first = at(image, slider.topLeft()), end = at(image, last);
        EXPECT_LT(distance(first, lighter1()), distance(first, gui())) << orientation;
        EXPECT_LT(distance(end, gui()), distance(end, lighter1())) << orientation;
    }
}

TEST_F(AppScrollBar, DisabledBarsAreFlatWithPaleOutlinesAndDisabledArrows) {
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        QStyleOptionSlider option = bar(orientation);
        option.state &= ~QStyle::State_Enabled;
        const QImage image = paint(style, option);
        const QRect slider = part(option, QStyle::SC_ScrollBarSlider);
        EXPECT_EQ(at(image, inside(slider)), gui());
        EXPECT_EQ(at(image, slider.topLeft()), darker1());
        const QRect button = part(option, QStyle::SC_ScrollBarSubLine);
        EXPECT_EQ(at(image, button.center()), kDisabledArrow);
    }
}

// The x of the centre of the arrow's full-colour pixels, relative to the button's centre.
double arrowLean(const QImage& image, const QRect& button, const QColor& color) {
    double sum = 0;
    int count = 0;
    for (int y = button.top(); y <= button.bottom(); ++y)
        for (int x = button.left(); x <= button.right(); ++x)
            if (QColor(image.pixel(x, y)) == color) {
                sum += x;
                ++count;
            }
    return count ? sum / count - (button.left() + button.right()) / 2.0 : 0;
}

TEST_F(AppScrollBar, MirroredBarsStartAtTheRightWithArrowsPointingOutwards) {
    const QColor arrow = distinctPalette().color(QPalette::ButtonText);
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        const bool rtl = direction == Qt::RightToLeft;
        const QStyleOptionSlider option = bar(Qt::Horizontal, direction);
        const QImage image = paint(style, option);
        const QRect back = part(option, QStyle::SC_ScrollBarSubLine);
        const QRect slider = part(option, QStyle::SC_ScrollBarSlider);
        EXPECT_EQ(back.left() > 60, rtl);
        EXPECT_EQ(slider.left() > 60, rtl) << "the slider starts next to the back button";
        // A triangle's full-colour pixels lean towards its base, away from its tip.
        const double lean = arrowLean(image, back, arrow);
        EXPECT_NE(lean, 0);
        EXPECT_EQ(lean < 0, rtl) << "the back arrow points to the reading start";
    }
}

TEST_F(AppScrollBar, OutlinesArePresentOnceAtEveryRatio) {
    for (qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        const QStyleOptionSlider option = bar(Qt::Horizontal);
        const QImage image = paint(style, option, ratio);
        const QRect slider = part(option, QStyle::SC_ScrollBarSlider);
        // Along the middle row of the slider: its left and right edge, each one logical pixel wide.
        const int y = int(slider.center().y() * ratio);
        velExpectLogicalPixelEdges(velEdgeRuns(image, QPoint(int(slider.left() * ratio), y), QPoint(1, 0),
                                               int((slider.right() + 1) * ratio) - int(slider.left() * ratio),
                                               darker2()),
                                   2, ratio);
    }
}

TEST_F(AppScrollBar, HostModePaintsAsTheWindowsStyle) {
    style.setApplicationMode(false);
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        QStyleOptionSlider option = bar(orientation);
        option.state |= QStyle::State_Sunken;
        option.activeSubControls = QStyle::SC_ScrollBarSlider;
        EXPECT_EQ(paint(style, option), paint(*windows, option));
    }
}

} // namespace
