// Icons are drawn from their pixmap for the painter's device pixel ratio, not the application's: at
// ratio 2 a tool button, a tool box tab, a sub-window title and a header show the icon's 2x pixmap, at
// ratio 1 its 1x one; an icon without a larger pixmap is drawn from the one it has.

#include "style2host.h"

#include "style/iconpixmap.h"
#include <QStyleOption>
#include <functional>

#include <gtest/gtest.h>

namespace {

using namespace style2;
using S = QStyle;

// Each pixmap of the icon in a colour of its own, so a pixel tells which one was drawn.
const QColor kOne(0xfa, 0x10, 0x10), kTwo(0x10, 0x10, 0xfa), kThree(0x10, 0xfa, 0x10);

QIcon colouredIcon(bool larger = true) {
    QIcon icon;
    icon.addPixmap(filledPixmap(16, 16, kOne));
    if (larger) {
        icon.addPixmap(filledPixmap(32, 32, kTwo));
        icon.addPixmap(filledPixmap(48, 48, kThree));
    }
    return icon;
}

int count(const QImage& image, const QColor& color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += QColor(image.pixel(x, y)) == color;
    return n;
}

using Paint = std::function<void(QStyle&, QPainter*, const QIcon&)>;

template <class Option> Option make(QRect rect) {
    Option o;
    o.rect = rect;
    o.state = S::State_Enabled;
    o.palette = distinctPalette();
    return o;
}

const struct {
    const char* name;
    Paint how;
} kRows[] = {
    {"tool button",
     [](QStyle& style, QPainter* painter, const QIcon& icon) {
         auto o = make<QStyleOptionToolButton>(QRect(0, 0, 40, 40));
         o.state |= S::State_Raised;
         o.subControls = S::SC_ToolButton;
         o.toolButtonStyle = Qt::ToolButtonIconOnly;
         o.icon = icon;
         o.iconSize = QSize(16, 16);
         style.drawComplexControl(S::CC_ToolButton, &o, painter);
     }},
    {"tool box tab",
     [](QStyle& style, QPainter* painter, const QIcon& icon) {
         auto o = make<QStyleOptionToolBox>(QRect(0, 0, 120, 30));
         o.text = "Page";
         o.icon = icon;
         style.drawControl(S::CE_ToolBoxTab, &o, painter);
     }},
    {"sub-window title",
     [](QStyle& style, QPainter* painter, const QIcon& icon) {
         auto o = make<QStyleOptionTitleBar>(QRect(0, 0, 160, 24));
         o.state |= S::State_Active;
         o.titleBarState = Qt::WindowActive;
         o.titleBarFlags = Qt::SubWindow | Qt::WindowSystemMenuHint | Qt::WindowTitleHint;
         o.subControls = S::SC_TitleBarLabel | S::SC_TitleBarSysMenu;
         o.text = "Title";
         o.icon = icon;
         style.drawComplexControl(S::CC_TitleBar, &o, painter);
     }},
    {"header",
     [](QStyle& style, QPainter* painter, const QIcon& icon) {
         auto o = make<QStyleOptionHeader>(QRect(0, 0, 120, 24));
         o.text = "Name";
         o.icon = icon;
         o.iconAlignment = Qt::AlignLeft | Qt::AlignVCenter;
         style.drawControl(S::CE_HeaderLabel, &o, painter);
     }},
};

class AppIconPixmaps : public ::testing::Test {
protected:
    void SetUp() override { style.setApplicationMode(true); }

    QImage paint(const Paint& how, const QIcon& icon, qreal ratio) {
        QImage image(QSize(160, 40) * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(QColor(0xfe, 0xfe, 0xfe));
        QPainter painter(&image);
        how(style, &painter, icon);
        return image;
    }

    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
};

TEST_F(AppIconPixmaps, IconsComeAtThePaintersRatio) {
    const struct {
        qreal ratio;
        QColor drawn;
    } ratios[] = {{1.0, kOne}, {2.0, kTwo}, {3.0, kThree}};
    for (const auto& row : kRows)
        for (const auto& at : ratios) {
            const std::string where = std::string(row.name) + " x" + std::to_string(at.ratio);
            const QImage image = paint(row.how, colouredIcon(), at.ratio);
            // The whole icon in its own pixmap's colour: 16 x 16 logical pixels.
            EXPECT_EQ(count(image, at.drawn), qRound(256 * at.ratio * at.ratio)) << where;
            for (const QColor& other : {kOne, kTwo, kThree}) {
                if (other != at.drawn) {
                    EXPECT_EQ(count(image, other), 0) << where;
                }
            }
        }
}

TEST(IconPixmap, TakesTheVariantForTheRatioOrTheLargestThereIs) {
    const struct {
        bool larger;
        qreal ratio;
        QSize pixels;
        qreal pixmapRatio;
    } rows[] = {
        {true, 1.0, {16, 16}, 1.0},  {true, 2.0, {32, 32}, 2.0}, {true, 3.0, {48, 48}, 3.0},
        {false, 2.0, {16, 16}, 1.0}, {true, 0.0, {16, 16}, 1.0}, // no ratio: as at 1
    };
    for (const auto& row : rows) {
        const QPixmap pixmap = velIconPixmap(colouredIcon(row.larger), QSize(16, 16), row.ratio);
        EXPECT_EQ(pixmap.size(), row.pixels) << row.ratio;
        EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), row.pixmapRatio) << row.ratio;
    }
    EXPECT_TRUE(velIconPixmap(QIcon(), QSize(16, 16), 2.0).isNull());
    EXPECT_TRUE(velIconPixmap(colouredIcon(), QSize(), 2.0).isNull());
}

} // namespace
