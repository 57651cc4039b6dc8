// Application mode, through the plug-in's style: tool tips readable in light and dark palettes, size
// grips turned to the corner they resize from, splitter handles and dials that light up under the mouse,
// seen in the rendered pixels.

#include "../pixels.h"
#include "pluginstyle.h"

#include <QDial>
#include <QHoverEvent>
#include <QLabel>
#include <QMainWindow>
#include <QSizeGrip>
#include <QSplitter>
#include <QStatusBar>
#include <QToolTip>

namespace {

using appmode::PluginStyle;
using pixels::shown;

class AppModeMisc : public PluginStyle {};

QImage grabbed(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_P(AppModeMisc, ToolTipTextIsReadable) {
    QWidget anchor;
    anchor.resize(100, 40);
    shown(anchor);
    QToolTip::showText(anchor.mapToGlobal(QPoint(10, 10)), QStringLiteral("A readable tip"), &anchor);
    QWidget* tip = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->inherits("QTipLabel") && window->isVisible())
            tip = window;
    ASSERT_NE(tip, nullptr);
    const QImage image = shown(*tip);
    const QRect text = tip->rect().adjusted(2, 2, -2, -2);
    EXPECT_GT(pixels::inkCount(image, text), 20);
    EXPECT_GE(pixels::textContrast(image, text), velReadableContrast);
    // The tip lies on a light face in a light palette, a dark one in a dark palette.
    EXPECT_EQ(velRelativeLuminance(pixels::background(image, text)) < 0.2, dark());
    QToolTip::hideText();
}

TEST_P(AppModeMisc, SizeGripsTurnToTheirCorner) {
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QMainWindow window;
        window.setLayoutDirection(direction);
        window.setCentralWidget(new QLabel(QStringLiteral("content")));
        window.statusBar()->showMessage(QStringLiteral("Ready"));
        window.resize(300, 200);
        shown(window);
        auto* grip = window.statusBar()->findChild<QSizeGrip*>();
        ASSERT_NE(grip, nullptr);
        ASSERT_TRUE(grip->isVisible());
        const QImage image = grabbed(grip);
        const int w = image.width(), h = image.height();
        const bool rtl = direction == Qt::RightToLeft;
        const QRect nearCorner(rtl ? 0 : w - 6, h - 6, 6, 6), farCorner(rtl ? w - 5 : 0, 0, 5, 5);
        // Dots against the status bar's wash, which each row shows at its end away from the corner.
        auto dots = [&](const QRect& area) {
            int count = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    count += velContrastRatio(image.pixel(x, y), image.pixel(rtl ? w - 1 : 0, y)) >= 1.3;
            return count;
        };
        EXPECT_GE(dots(nearCorner), 4) << direction;
        EXPECT_EQ(dots(farCorner), 0) << direction;
    }
}

TEST_P(AppModeMisc, SplitterHandlesAndDialsLightUpUnderTheMouse) {
    QSplitter splitter;
    splitter.addWidget(new QDial);
    splitter.addWidget(new QLabel(QStringLiteral("right")));
    splitter.resize(300, 160);
    shown(splitter);
    QSplitterHandle* handle = splitter.handle(1);
    auto* dial = qobject_cast<QDial*>(splitter.widget(0));
    for (QWidget* widget : {static_cast<QWidget*>(handle), static_cast<QWidget*>(dial)}) {
        ASSERT_TRUE(widget->testAttribute(Qt::WA_Hover)) << widget->metaObject()->className();
        // Wherever the pointer rests on the screen, the widget starts without it.
        widget->setAttribute(Qt::WA_UnderMouse, false);
        const QImage resting = grabbed(widget);
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
        QHoverEvent enter(QEvent::HoverEnter, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                          QPointF(-1, -1));
#else
        QHoverEvent enter(QEvent::HoverEnter, QPointF(2, 2), QPointF(-1, -1));
#endif
        QApplication::sendEvent(widget, &enter);
        widget->setAttribute(Qt::WA_UnderMouse, true);
        const QImage hovered = grabbed(widget);
        EXPECT_TRUE(pixels::differ(resting, hovered, resting.rect())) << widget->metaObject()->className();
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, AppModeMisc,
                         ::testing::Values(appmode::Scheme::Light, appmode::Scheme::Dark),
                         appmode::schemeName);

} // namespace
