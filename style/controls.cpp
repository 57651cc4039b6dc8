// drawControl: asks the eight look colours once per call, then paints the elements of the application's
// look; every other element goes to the base style.

#include "style/melvorostyle.h"
#include "style/optioncheck.h"

#include <QPainter>
#include <QStyleOption>

void MelvoroStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    // Without an option or a painter there is nothing to paint, and the base style is not asked either.
    if (!option || !painter)
        return;

    LookColors colors;
    askLookColors(widget, colors);

    switch (element) {
    case CE_PushButton:
        if (const auto* button = velOption<QStyleOptionButton>(option))
            drawPushButton(button, painter, widget);
        return;
    case CE_PushButtonBevel:
        if (const auto* button = velOption<QStyleOptionButton>(option)) {
            if (applicationMode())
                drawPushButtonBevelApp(button, painter, colors);
            else
                drawPushButtonBevel(button, painter, widget);
        }
        return;
    case CE_PushButtonLabel:
        if (const auto* button = velOption<QStyleOptionButton>(option))
            drawPushButtonLabel(button, painter, widget, colors);
        return;
    case CE_TabBarTabShape:
        if (const auto* tab = velOption<QStyleOptionTab>(option))
            drawTabShape(tab, painter, widget, colors);
        return;
    case CE_MenuItem:
    case CE_MenuEmptyArea:
        if (const auto* item = velOption<QStyleOptionMenuItem>(option))
            drawMenuItem(element, item, painter, widget, colors);
        return;
    case CE_MenuBarItem:
    case CE_MenuBarEmptyArea:
        if (const auto* item = velOption<QStyleOptionMenuItem>(option))
            drawMenuBarItem(item, painter, widget, colors);
        return;
    case CE_DockWidgetTitle:
        if (applicationMode())
            drawDockTitleApp(option, painter, widget, colors);
        else
            drawDockWidgetTitle(option, painter, widget);
        return;
    case CE_ToolBar:
        if (const auto* toolBar = velOption<QStyleOptionToolBar>(option))
            drawToolBar(toolBar, painter, colors);
        return;
    case CE_ProgressBarGroove:
        if (!applicationMode())
            break;
        drawProgressGrooveApp(option, painter, colors);
        return;
    case CE_ProgressBarContents:
        if (!applicationMode())
            break;
        if (const auto* bar = velOption<QStyleOptionProgressBar>(option))
            drawProgressContentsApp(bar, painter, widget, colors);
        return;
    case CE_ComboBoxLabel:
        if (!applicationMode())
            break;
        if (const auto* box = velOption<QStyleOptionComboBox>(option)) {
            // The look shows the focus by a frame on the face, not by a selection: the text keeps the
            // colour readable on the face.
            QStyleOptionComboBox label(*box);
            label.state &= ~State_HasFocus;
            QProxyStyle::drawControl(element, &label, painter, widget);
        }
        return;
    default:
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
