// Application mode: dock widget titles and the title bars of sub-windows (MDI), painted in the look with
// the title readable on it; the title bar's buttons are tool button panels with glyphs drawn in lines.

#include "style/appfaces.h"
#include "style/contrast.h"
#include "style/devicegrid.h"
#include "style/iconpixmap.h"
#include "style/melvorostyle.h"
#include "style/optioncheck.h"

#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

namespace {

// A vertical wash from the lighter look colour into the title's own colour, with a line at its foot.
void paintTitleBackground(QPainter* painter, const QRect& r, const QColor& top, const QColor& bottom,
                          const QColor& line) {
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(0.6, bottom);
    gradient.setColorAt(1.0, bottom);
    painter->fillRect(r, QBrush(gradient));
    painter->setPen(line);
    painter->drawLine(r.bottomLeft(), r.bottomRight());
}

// A text colour readable on both ends of the title's wash.
QColor titleText(const QColor& top, const QColor& bottom, const QColor& preferred) {
    const QColor onBottom = velReadableOn(bottom, preferred);
    return velContrastRatio(top, onBottom) >= velReadableContrast ? onBottom : velReadableOn(top, onBottom);
}

// The glyph of a title bar button in color, centred in r: drawn with the pen, so no picture is decoded,
// scaled or recoloured at a paint, and its lines stay whole at every device pixel ratio.
void drawTitleGlyph(QPainter* painter, const QRect& r, QStyle::StandardPixmap glyph, const QColor& color) {
    const int side = qMin(r.width(), r.height()) - 6;
    if (side < 4)
        return;
    QRect box(0, 0, side, side);
    box.moveCenter(r.center());
    painter->save();
    painter->setPen(QPen(color, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter->setBrush(Qt::NoBrush);
    // A window: its outline under a title band two pixels high.
    auto window = [painter, &color](const QRect& w) {
        velGridRect(painter, w.adjusted(0, 0, -1, -1));
        painter->fillRect(QRect(w.left(), w.top() + 1, w.width(), 1), color);
    };
    switch (glyph) {
    case QStyle::SP_TitleBarCloseButton: {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(color, 1.5, Qt::SolidLine, Qt::FlatCap));
        const QRectF cross = QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->drawLine(cross.topLeft(), cross.bottomRight());
        painter->drawLine(cross.topRight(), cross.bottomLeft());
        break;
    }
    case QStyle::SP_TitleBarMaxButton:
        window(box);
        break;
    case QStyle::SP_TitleBarNormalButton: {
        // Two windows, the front one below and left of the one behind it.
        const int step = qMax(2, side / 4);
        const QRect back = box.adjusted(step, 0, 0, -step);
        const QRect front = box.adjusted(0, step, -step, 0);
        painter->fillRect(QRect(back.left(), back.top(), back.width(), 2), color);
        velGridLine(painter, back.right(), back.top() + 2, back.right(), back.bottom());
        velGridLine(painter, front.right() + 1, back.bottom(), back.right() - 1, back.bottom());
        window(front);
        break;
    }
    case QStyle::SP_TitleBarMinButton:
        painter->fillRect(QRect(box.left(), box.bottom() - 1, box.width(), 2), color);
        break;
    case QStyle::SP_TitleBarShadeButton:
        velAppArrow(painter, box, Qt::UpArrow, color);
        break;
    case QStyle::SP_TitleBarUnshadeButton:
        velAppArrow(painter, box, Qt::DownArrow, color);
        break;
    default: {
        QFont font = painter->font();
        font.setBold(true);
        painter->setFont(font);
        painter->setPen(color);
        painter->drawText(r, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
    painter->restore();
}

} // namespace

void MelvoroStyle::drawDockTitleApp(const QStyleOption* option, QPainter* painter, const QWidget* widget,
                                    const LookColors& colors) const {
    const auto* dock = velOption<QStyleOptionDockWidget>(option);
    if (!dock)
        return;
    painter->save();
    paintTitleBackground(painter, dock->rect, colors.lighter1, colors.gui, colors.darker1);
    if (!dock->title.isEmpty()) {
        QRect r = subElementRect(SE_DockWidgetTitleBarText, dock, widget);
        if (dock->verticalTitleBar) {
            // A vertical title bar reads from bottom to top.
            r = r.transposed();
            painter->translate(r.left(), r.top() + r.width());
            painter->rotate(-90);
            painter->translate(-r.left(), -r.top());
        }
        const int indent = painter->fontMetrics().descent();
        r.adjust(indent + 1, -1, -indent - 1, -1);
        const QString title = painter->fontMetrics().elidedText(dock->title, Qt::ElideRight, r.width());
        QPalette palette = dock->palette;
        palette.setColor(QPalette::WindowText,
                         titleText(colors.lighter1, colors.gui, palette.color(QPalette::WindowText)));
        drawItemText(painter, r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette,
                     dock->state & State_Enabled, title, QPalette::WindowText);
    }
    painter->restore();
}

void MelvoroStyle::drawTitleBarApp(const QStyleOptionTitleBar* option, QPainter* painter,
                                   const QWidget* widget) const {
    const bool active = option->state & State_Active;
    const QColor top = lookColor("ColorGUILighter1");
    const QColor bottom =
        active ? widgetColor("ColorButtonSelected", widget) : widgetColor("ColorGUI", widget);

    if (option->subControls & SC_TitleBarLabel) {
        painter->save();
        paintTitleBackground(painter, option->rect, top, bottom, lookColor("ColorGUIDarker2"));
        const QRect label =
            subControlRect(CC_TitleBar, option, SC_TitleBarLabel, widget).adjusted(2, 0, -2, 0);
        QFont font = painter->font();
        font.setBold(active);
        painter->setFont(font);
        painter->setPen(titleText(top, bottom, option->palette.color(QPalette::WindowText)));
        const QString title = painter->fontMetrics().elidedText(option->text, Qt::ElideRight, label.width());
        painter->drawText(label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);
        painter->restore();
    }

    // The buttons: tool button panels and the style's glyphs, the glyphs in a colour readable on the panels.
    const Qt::WindowFlags flags = option->titleBarFlags;
    const bool minimized = option->titleBarState & Qt::WindowMinimized;
    const bool maximized = option->titleBarState & Qt::WindowMaximized;
    const struct {
        SubControl sub;
        bool shown;
        StandardPixmap glyph;
    } buttons[] = {
        {SC_TitleBarCloseButton, bool(flags & Qt::WindowSystemMenuHint), SP_TitleBarCloseButton},
        {SC_TitleBarMaxButton, (flags & Qt::WindowMaximizeButtonHint) && !maximized, SP_TitleBarMaxButton},
        {SC_TitleBarNormalButton,
         ((flags & Qt::WindowMinimizeButtonHint) && minimized) ||
             ((flags & Qt::WindowMaximizeButtonHint) && maximized),
         SP_TitleBarNormalButton},
        {SC_TitleBarMinButton, (flags & Qt::WindowMinimizeButtonHint) && !minimized, SP_TitleBarMinButton},
        {SC_TitleBarContextHelpButton, bool(flags & Qt::WindowContextHelpButtonHint),
         SP_TitleBarContextHelpButton},
        {SC_TitleBarShadeButton, (flags & Qt::WindowShadeButtonHint) && !minimized, SP_TitleBarShadeButton},
        {SC_TitleBarUnshadeButton, (flags & Qt::WindowShadeButtonHint) && minimized,
         SP_TitleBarUnshadeButton},
    };
    const QColor glyphColor =
        velReadableOn(option->palette.color(QPalette::Button), option->palette.color(QPalette::ButtonText));
    for (const auto& button : buttons) {
        if (!button.shown || !(option->subControls & button.sub))
            continue;
        const QRect r = subControlRect(CC_TitleBar, option, button.sub, widget);
        if (!r.isValid())
            continue;
        QStyleOption panel(*option);
        panel.rect = r;
        const bool down = (option->activeSubControls & button.sub) && (option->state & State_Sunken);
        panel.state = (option->state & ~(State_Sunken | State_Raised)) | (down ? State_Sunken : State_Raised);
        drawPrimitive(PE_PanelButtonTool, &panel, painter, widget);
        QRect place = r;
        if (down)
            place.translate(pixelMetric(PM_ButtonShiftHorizontal, option, widget),
                            pixelMetric(PM_ButtonShiftVertical, option, widget));
        drawTitleGlyph(painter, place, button.glyph, glyphColor);
    }

    // The window's icon.
    if ((option->subControls & SC_TitleBarSysMenu) && (flags & Qt::WindowSystemMenuHint)) {
        const QRect r = subControlRect(CC_TitleBar, option, SC_TitleBarSysMenu, widget);
        if (r.isValid()) {
            const QIcon icon =
                option->icon.isNull() ? standardIcon(SP_TitleBarMenuButton, option, widget) : option->icon;
            const int extent = pixelMetric(PM_SmallIconSize, option, widget);
            drawItemPixmap(painter, r, Qt::AlignCenter, velIconPixmap(icon, QSize(extent, extent), painter));
        }
    }
}
