// The mode switch of the style and what application mode changes below the painting: the answers of the
// metric and hint table, group box layouts, palettes, the host's titled frame.

#include "host/titledframeoption.h"
#include "style/support/stylehost.h"
#include "style2host.h"

#include <QGroupBox>
#include <QImage>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

using style2::Host;

TEST(Style3Mode, HostModeByDefaultAndSwitchedByTheProperty) {
    Host host;
    MelvoroStyle& style = host.style();
    EXPECT_FALSE(style.applicationMode());
    EXPECT_EQ(style.property("applicationMode"), QVariant(false));
    // A declared property: setting it answers true, so a host can tell the style has the mode.
    EXPECT_TRUE(style.setProperty("applicationMode", true));
    EXPECT_TRUE(style.applicationMode());
    EXPECT_TRUE(style.setProperty("applicationMode", false));
    EXPECT_FALSE(style.applicationMode());
    CommonAppStyle common(new RecordingStyle);
    EXPECT_TRUE(common.setProperty("applicationMode", true));
    EXPECT_TRUE(common.applicationMode());
}

// What the host fixes, and what application mode leaves to the base style.
struct TableRow {
    bool isHint;
    int id;
    int hostValue;  // the table's value in host mode
    bool appIsBase; // application mode: the base style's answer
};

TEST(Style3Mode, TableAnswersByMode) {
    const TableRow rows[] = {
        {false, QStyle::PM_TitleBarHeight, 0, true},
        {false, QStyle::PM_DockWidgetTitleMargin, 0, true},
        {false, QStyle::PM_TabBarBaseHeight, 0, true},
        {true, QStyle::SH_TabBar_PreferNoArrows, 1, true},
        {false, QStyle::PM_SliderLength, 13, false},
        {false, QStyle::PM_DockWidgetSeparatorExtent, 3, false},
    };
    Host host;
    MelvoroStyle& style = host.style();
    for (const TableRow& row : rows) {
        if (row.isHint)
            host.base()->setStyleHint(QStyle::StyleHint(row.id), 77);
        else
            host.base()->setPixelMetric(QStyle::PixelMetric(row.id), 77);
        auto ask = [&] {
            return row.isHint ? style.styleHint(QStyle::StyleHint(row.id))
                              : style.pixelMetric(QStyle::PixelMetric(row.id));
        };
        style.setApplicationMode(false);
        EXPECT_EQ(ask(), row.hostValue) << row.id;
        style.setApplicationMode(true);
        EXPECT_EQ(ask(), row.appIsBase ? 77 : row.hostValue) << row.id;
    }
}

TEST(Style3Mode, ApplicationModeKeepsGroupBoxLayoutsAndTheApplicationsPalette) {
    Host host;
    MelvoroStyle& style = host.style();
    style.setApplicationMode(true);
    QGroupBox box;
    auto* layout = new QVBoxLayout(&box);
    layout->setContentsMargins(11, 11, 11, 11);
    layout->setSpacing(6);
    style.polish(&box);
    EXPECT_EQ(layout->spacing(), 6);
    EXPECT_EQ(layout->contentsMargins(), QMargins(11, 11, 11, 11));

    QPalette palette(QColor(40, 40, 40));
    const QColor window = palette.color(QPalette::Window);
    style.polish(palette);
    EXPECT_EQ(palette.color(QPalette::Window), window);
}

TEST(Style3Mode, TitledFrameIsPaintedInEitherModeWithoutWarnings) {
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { warnings.append(message); });
    StyleTestHost host;
    MelvoroStyle style; // over the toolkit's "Windows" style, which does not know the control
    for (bool applicationMode : {false, true}) {
        style.setApplicationMode(applicationMode);
        TitledFrameOption option;
        option.rect = QRect(0, 0, 120, 40);
        option.title = QStringLiteral("Files");
        QImage image = style2::blankImage(120, 40);
        {
            QPainter painter(&image);
            style.drawComplexControl(CommonAppStyle::CC_TitledFrame,
                                     reinterpret_cast<const QStyleOptionComplex*>(&option), &painter);
        }
        EXPECT_EQ(QColor(image.pixel(0, 20)), QColor(0, 0, 0)) << "the frame's left edge";
        EXPECT_EQ(style.subControlRect(CommonAppStyle::CC_TitledFrame,
                                       reinterpret_cast<const QStyleOptionComplex*>(&option),
                                       QStyle::SC_CustomBase),
                  option.rect);
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join('\n'));
}

} // namespace
