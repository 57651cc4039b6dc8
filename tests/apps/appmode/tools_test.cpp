// Application mode, through the plug-in's style: tool buttons of every popup mode and tool boxes as
// programs build them, painted in the look rather than as the "Windows" style paints them, lighting up part
// by part under the mouse, with readable texts, in light and dark palettes.

#include "../pixels.h"
#include "pluginstyle.h"

#include <QAbstractButton>
#include <QHoverEvent>
#include <QLabel>
#include <QMenu>
#include <QToolBox>
#include <QToolButton>

namespace {

using appmode::PluginStyle;
using pixels::shown;

class AppModeTools : public PluginStyle {
protected:
    // The widget, with the widgets inside it, as the "Windows" style paints them.
    static QImage asWindows(QWidget& widget) {
        std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
        QList<QWidget*> all = widget.findChildren<QWidget*>();
        all.prepend(&widget);
        for (QWidget* w : all)
            w->setStyle(windows.get());
        const QImage image = shown(widget);
        for (QWidget* w : all)
            w->setStyle(nullptr);
        return image;
    }
};

// The widget as it paints now, with no events handled first.
QImage grabbed(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void sendHover(QWidget* widget, QEvent::Type type, QPoint pos, QPoint old) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
    QHoverEvent event(type, pos, widget->mapToGlobal(pos), old);
#else
    QHoverEvent event(type, pos, old);
#endif
    QApplication::sendEvent(widget, &event);
}

// The mouse at pos inside the widget, as the toolkit reports it to a widget that tracks hover.
void hoverAt(QWidget* widget, QPoint pos) {
    QApplication::processEvents();
    widget->setAttribute(Qt::WA_UnderMouse, true);
    sendHover(widget, QEvent::HoverEnter, pos, QPoint(-1, -1));
    sendHover(widget, QEvent::HoverMove, pos, pos);
}

// The mouse away from the widget (a window shown where the pointer rests starts under it).
void leave(QWidget* widget) {
    QApplication::processEvents();
    widget->setAttribute(Qt::WA_UnderMouse, false);
    sendHover(widget, QEvent::HoverLeave, QPoint(-1, -1), QPoint(-1, -1));
}

TEST_P(AppModeTools, ToolButtonsOfEveryPopupModeLightUpPartByPart) {
    QMenu menu;
    menu.addAction(QStringLiteral("Entry"));
    for (QToolButton::ToolButtonPopupMode mode :
         {QToolButton::DelayedPopup, QToolButton::MenuButtonPopup, QToolButton::InstantPopup}) {
        QToolButton button;
        button.setText(QStringLiteral("Tools"));
        button.setMenu(&menu);
        button.setPopupMode(mode);
        button.resize(button.sizeHint() + QSize(16, 6));
        shown(button);
        leave(&button);
        const QImage resting = grabbed(button);
        EXPECT_NE(resting, asWindows(button)) << mode;
        EXPECT_TRUE(button.testAttribute(Qt::WA_Hover)) << mode;

        const QRect corner(1, 1, 2, 2), farCorner(button.width() - 3, 1, 2, 2);
        hoverAt(&button, QPoint(4, 4));
        const QImage hovered = grabbed(button);
        EXPECT_TRUE(pixels::differ(resting, hovered, corner)) << mode;
        const QRect text = hovered.rect().adjusted(3, 3, -16, -3);
        EXPECT_GE(pixels::textContrast(hovered, text), velReadableContrast) << mode;
        // A split button lights up the part under the mouse alone.
        EXPECT_EQ(pixels::differ(resting, hovered, farCorner), mode != QToolButton::MenuButtonPopup) << mode;
        if (mode == QToolButton::MenuButtonPopup) {
            hoverAt(&button, QPoint(button.width() - 3, 4));
            const QImage menuHovered = grabbed(button);
            EXPECT_TRUE(pixels::differ(resting, menuHovered, farCorner));
            EXPECT_FALSE(pixels::differ(resting, menuHovered, corner));
        }
    }

    // Auto-raise buttons lie flat until the mouse comes.
    QWidget window;
    window.resize(120, 40);
    auto* flat = new QToolButton(&window);
    flat->setText(QStringLiteral("Flat"));
    flat->setAutoRaise(true);
    flat->setGeometry(10, 5, 80, 28);
    const QImage before = shown(window);
    EXPECT_EQ(QColor(before.pixel(10, 5)), QColor(before.pixel(5, 5))) << "no outline at rest";
    hoverAt(flat, QPoint(4, 4));
    const QImage after = grabbed(window);
    EXPECT_NE(QColor(after.pixel(10, 5)), QColor(after.pixel(5, 5))) << "an outline under the mouse";
}

TEST_P(AppModeTools, ToolBoxTabsShowTheOpenPageHoverAndReadableTitles) {
    QToolBox box;
    for (const char* title : {"General", "Advanced", "Expert"})
        box.addItem(new QLabel(QStringLiteral("contents")), QLatin1String(title));
    box.setItemEnabled(2, false);
    box.resize(240, 260);
    const QImage resting = shown(box);
    EXPECT_NE(resting, asWindows(box));
    QList<QAbstractButton*> tabs = box.findChildren<QAbstractButton*>();
    ASSERT_EQ(tabs.size(), 3);
    auto face = [&](const QImage& image, int i) {
        return pixels::background(image, tabs[i]->geometry().adjusted(2, 2, -2, -2));
    };
    EXPECT_NE(face(resting, 0), face(resting, 1)) << "the open page's tab stands out";
    EXPECT_NE(face(resting, 2), face(resting, 1)) << "a disabled tab stands apart";
    for (int i = 0; i < 2; ++i) {
        const QRect g = tabs[i]->geometry();
        const QRect title(g.x() + 3, g.y() + 3, 80, g.height() - 6);
        EXPECT_GT(pixels::inkCount(resting, title), 10) << i;
        EXPECT_GE(pixels::textContrast(resting, title), velReadableContrast) << i;
    }
    EXPECT_TRUE(tabs[1]->testAttribute(Qt::WA_Hover));
    hoverAt(tabs[1], QPoint(4, 4));
    const QImage hovered = grabbed(box);
    EXPECT_NE(face(hovered, 1), face(resting, 1)) << "the tab under the mouse lights up";
    const QRect g = tabs[1]->geometry();
    EXPECT_GE(pixels::textContrast(hovered, QRect(g.x() + 3, g.y() + 3, 80, g.height() - 6)),
              velReadableContrast);
}

INSTANTIATE_TEST_SUITE_P(Schemes, AppModeTools,
                         ::testing::Values(appmode::Scheme::Light, appmode::Scheme::Dark),
                         appmode::schemeName);

} // namespace
