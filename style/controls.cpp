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
    case CE_TabBarTabLabel:
        if (!applicationMode())
            break;
        if (const auto* tab = velOption<QStyleOptionTab>(option))
            drawTabLabelApp(tab, painter, widget);
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
    case CE_ToolButtonLabel:
        if (!applicationMode())
            break;
        if (const auto* button = velOption<QStyleOptionToolButton>(option))
            drawToolButtonLabelApp(button, painter, widget, colors);
        return;
    case CE_ToolBoxTab:
        if (!applicationMode())
            break;
        if (const auto* tab = velOption<QStyleOptionToolBox>(option)) {
            drawControl(CE_ToolBoxTabShape, tab, painter, widget);
            drawControl(CE_ToolBoxTabLabel, tab, painter, widget);
        }
        return;
    case CE_ToolBoxTabShape:
        if (!applicationMode())
            break;
        if (const auto* tab = velOption<QStyleOptionToolBox>(option))
            drawToolBoxTabShapeApp(tab, painter, colors);
        return;
    case CE_ToolBoxTabLabel:
        if (!applicationMode())
            break;
        if (const auto* tab = velOption<QStyleOptionToolBox>(option))
            drawToolBoxTabLabelApp(tab, painter, widget, colors);
        return;
    case CE_HeaderSection:
        if (!applicationMode())
            break;
        drawHeaderSectionApp(option, painter, colors);
        return;
    case CE_HeaderLabel:
        if (!applicationMode())
            break;
        if (const auto* header = velOption<QStyleOptionHeader>(option))
            drawHeaderLabelApp(header, painter, widget, colors);
        return;
    case CE_HeaderEmptyArea:
        if (!applicationMode())
            break;
        drawHeaderEmptyAreaApp(option, painter, colors);
        return;
    case CE_ItemViewItem:
        if (!applicationMode())
            break;
        if (const auto* item = velOption<QStyleOptionViewItem>(option))
            drawItemViewItemApp(item, painter, widget, colors);
        return;
    case CE_ComboBoxLabel:
        if (const auto* comboBox = velOption<QStyleOptionComboBox>(option); comboBox && applicationMode()) {
            drawComboBoxLabelApp(comboBox, painter, widget);
            return;
        }
        break;
    case CE_RubberBand:
        if (!applicationMode())
            break;
        drawRubberBandApp(option, painter, widget);
        return;
    case CE_Splitter:
        if (!applicationMode())
            break;
        drawSplitterApp(option, painter, colors);
        return;
    case CE_SizeGrip:
        if (!applicationMode())
            break;
        drawSizeGripApp(option, painter, colors);
        return;
    default:
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
