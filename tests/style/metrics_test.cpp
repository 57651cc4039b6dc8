// The style's metric and hint table, the slider's size and the geometry it takes from the base style.

#include "style2host.h"

#include <QStyleOption>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using style2::Host;

TEST(Style2Metrics, FixedValuesDoNotAskTheBase) {
    Host host;
    RecordingStyle* base = host.base();
    const QStyle::PixelMetric fixed[] = {QStyle::PM_SliderLength, QStyle::PM_DockWidgetSeparatorExtent,
                                         QStyle::PM_TabBarBaseHeight, QStyle::PM_TitleBarHeight,
                                         QStyle::PM_DockWidgetTitleMargin};
    for (QStyle::PixelMetric metric : fixed)
        base->setPixelMetric(metric, 99);
    EXPECT_EQ(host.style().pixelMetric(QStyle::PM_SliderLength), 13);
    EXPECT_EQ(host.style().pixelMetric(QStyle::PM_DockWidgetSeparatorExtent), 3);
    EXPECT_EQ(host.style().pixelMetric(QStyle::PM_TabBarBaseHeight), 0);
    EXPECT_EQ(host.style().pixelMetric(QStyle::PM_TitleBarHeight), 0);
    EXPECT_EQ(host.style().pixelMetric(QStyle::PM_DockWidgetTitleMargin), 0);
    EXPECT_EQ(base->count(StyleCall::PixelMetric), 0);
}

TEST(Style2Metrics, ScrollBarExtentIsTheBaseValueOffWindowsVista) {
    Host host;
    host.base()->setPixelMetric(QStyle::PM_ScrollBarExtent, 23);
    EXPECT_EQ(host.style().pixelMetric(QStyle::PM_ScrollBarExtent), 23);
}

TEST(Style2Metrics, ProgressBarChunkWidthIsNeverZero) {
    Host host;
    host.base()->setPixelMetric(QStyle::PM_ProgressBarChunkWidth, 0);
    EXPECT_EQ(host.style().pixelMetric(QStyle::PM_ProgressBarChunkWidth), 1);
    host.base()->setPixelMetric(QStyle::PM_ProgressBarChunkWidth, 7);
    EXPECT_EQ(host.style().pixelMetric(QStyle::PM_ProgressBarChunkWidth), 7);

    MelvoroStyle overWindows; // the real base style
    EXPECT_GT(overWindows.pixelMetric(QStyle::PM_ProgressBarChunkWidth), 0);
}

TEST(Style2Metrics, OtherMetricsComeFromTheBaseWithTheirArguments) {
    Host host;
    host.base()->setPixelMetric(QStyle::PM_ButtonMargin, 31);
    host.base()->setPixelMetric(QStyle::PixelMetric(QStyle::PM_CustomBase + 1), 42);
    QStyleOption option;
    QWidget widget;
    EXPECT_EQ(host.style().pixelMetric(QStyle::PM_ButtonMargin, &option, &widget), 31);
    const StyleCall* call = host.base()->last(StyleCall::PixelMetric, QStyle::PM_ButtonMargin);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->widget, &widget);
    ASSERT_TRUE(call->option);
    // The custom metric that the application styles' common base answers with 0 is the base's here.
    EXPECT_EQ(host.style().pixelMetric(QStyle::PixelMetric(QStyle::PM_CustomBase + 1)), 42);
}

TEST(Style2Metrics, HintTable) {
    Host host;
    host.base()->setStyleHint(QStyle::SH_TabBar_PreferNoArrows, 0);
    EXPECT_EQ(host.style().styleHint(QStyle::SH_TabBar_PreferNoArrows), 1);
    EXPECT_EQ(host.base()->count(StyleCall::StyleHint, QStyle::SH_TabBar_PreferNoArrows), 0);

    host.base()->setStyleHint(QStyle::SH_GroupBox_TextLabelColor, 0x123456);
    EXPECT_EQ(host.style().styleHint(QStyle::SH_GroupBox_TextLabelColor), 0x123456);
    host.base()->setStyleHint(QStyle::SH_UnderlineShortcut, 0);
    EXPECT_EQ(host.style().styleHint(QStyle::SH_UnderlineShortcut), 0);
    host.base()->setStyleHint(QStyle::SH_UnderlineShortcut, 1);
    EXPECT_EQ(host.style().styleHint(QStyle::SH_UnderlineShortcut), 1);
}

TEST(Style2Metrics, CommonBaseValuesComeFromTheWindowsStyle) {
    Host host(false);
    MelvoroStyle style;
    QStyle* windows = style.baseStyle();
    ASSERT_NE(windows, nullptr);
    EXPECT_EQ(style.styleHint(QStyle::SH_GroupBox_TextLabelColor),
              windows->styleHint(QStyle::SH_GroupBox_TextLabelColor));
    EXPECT_EQ(style.pixelMetric(QStyle::PixelMetric(QStyle::PM_CustomBase + 1)),
              windows->pixelMetric(QStyle::PixelMetric(QStyle::PM_CustomBase + 1)));
    EXPECT_EQ(style.pixelMetric(QStyle::PM_ScrollBarExtent),
              windows->pixelMetric(QStyle::PM_ScrollBarExtent));
}

TEST(Style2Size, SliderHeightIsTheThumbImageHeight) {
    Host host;
    host.base()->setSizeFromContents(QStyle::CT_Slider, QSize(120, 40));
    QStyleOptionSlider option;
    EXPECT_EQ(host.style().sizeFromContents(QStyle::CT_Slider, &option, QSize(100, 20)),
              QSize(120, style2::thumbHeight));
}

TEST(Style2Size, SliderWithoutThumbImageIsTenHigh) {
    Host host;
    host.images()->remove("slider_thumb_on");
    host.base()->setSizeFromContents(QStyle::CT_Slider, QSize(120, 40));
    QStyleOptionSlider option;
    EXPECT_EQ(host.style().sizeFromContents(QStyle::CT_Slider, &option, QSize(100, 20)), QSize(120, 10));
}

TEST(Style2Size, OtherContentsAreTheBaseSize) {
    Host host;
    host.base()->setSizeFromContents(QStyle::CT_PushButton, QSize(77, 33));
    QStyleOptionButton option;
    EXPECT_EQ(host.style().sizeFromContents(QStyle::CT_PushButton, &option, QSize(10, 10)), QSize(77, 33));
}

TEST(Style2Size, MissingOptionKeepsTheContentsSize) {
    Host host;
    EXPECT_EQ(host.style().sizeFromContents(QStyle::CT_Slider, nullptr, QSize(12, 8)), QSize(12, 8));
    EXPECT_EQ(host.style().sizeFromContents(QStyle::CT_PushButton, nullptr, QSize(12, 8)), QSize(12, 8));
    EXPECT_EQ(host.style().subControlRect(QStyle::CC_Slider, nullptr, QStyle::SC_SliderHandle), QRect());
    EXPECT_TRUE(host.base()->calls().isEmpty());
}

} // namespace
