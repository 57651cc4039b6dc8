// Application mode: the glyphs of title bar and dock widget buttons (black drawings in the base style) in a
// colour readable on the window they sit on, so that they show in dark palettes too. The window menu's
// picture is an icon, not a glyph, and keeps its colours.

#include "style/contrast.h"
#include "style/melvorostyle.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>
#include <QWidget>

namespace {

bool isWindowGlyph(QStyle::StandardPixmap pixmap) {
    switch (pixmap) {
    case QStyle::SP_TitleBarMinButton:
    case QStyle::SP_TitleBarMaxButton:
    case QStyle::SP_TitleBarCloseButton:
    case QStyle::SP_TitleBarNormalButton:
    case QStyle::SP_TitleBarShadeButton:
    case QStyle::SP_TitleBarUnshadeButton:
    case QStyle::SP_TitleBarContextHelpButton:
    case QStyle::SP_DockWidgetCloseButton:
        return true;
    default:
        return false;
    }
}

QIcon tinted(const QIcon& icon, const QColor& color) {
    QIcon result;
    const QList<QSize> sizes =
        icon.availableSizes().isEmpty() ? QList<QSize>{QSize(16, 16)} : icon.availableSizes();
    for (const QSize& size : sizes) {
        QPixmap pixmap = icon.pixmap(size);
        QPainter painter(&pixmap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), color);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}

} // namespace

QIcon MelvoroStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                 const QWidget* widget) const {
    const QIcon icon = QProxyStyle::standardIcon(standardIcon, option, widget);
    if (!applicationMode() || !isWindowGlyph(standardIcon) || icon.isNull())
        return icon;
    const QPalette palette = option ? option->palette : widget ? widget->palette() : QApplication::palette();
    return tinted(icon, velReadableOn(palette.color(QPalette::Window), palette.color(QPalette::WindowText)));
}
