#pragma once
// MelvoroStyle: the application's look, painted from the host's named colours and named images.
// Cases it does not handle go straight to the base style, never to CommonAppStyle.

#include "runtime/iptr.h"
#include "style/commonappstyle.h"
#include "style/guiservices.h"

#include <QColor>

class QStyleOptionButton;
class QStyleOptionComboBox;
class QStyleOptionSpinBox;
class QStyleOptionGroupBox;
class QStyleOptionHeader;
class QStyleOptionMenuItem;
class QStyleOptionProgressBar;
class QStyleOptionSlider;
class QStyleOptionTab;
class QStyleOptionTitleBar;
class QStyleOptionToolBar;
class QStyleOptionToolBox;
class QStyleOptionToolButton;
class QStyleOptionViewItem;

// The eight look colours every drawControl call asks for, in the order they are asked.
struct LookColors {
    QColor gui;            // "ColorGUI"
    QColor buttonHover;    // "ColorButtonHover"
    QColor buttonSelected; // "ColorButtonSelected"
    QColor buttonRaised;   // "ColorButtonRaised"
    QColor lighter1;       // "ColorGUILighter1"
    QColor lighter2;       // "ColorGUILighter2"
    QColor darker1;        // "ColorGUIDarker1"
    QColor darker2;        // "ColorGUIDarker2"
};

class MelvoroStyle : public CommonAppStyle {
    Q_OBJECT
public:
    MelvoroStyle();
    explicit MelvoroStyle(QStyle* base);
    ~MelvoroStyle() override;

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "MelvoroStyle"; }

    // Polish and palette.
    void polish(QPalette& palette) override;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using CommonAppStyle::polish;
    using CommonAppStyle::unpolish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawHoverHighlight(QPainter* painter, const QRect& rect) const override;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    // The host's look service, or null when the host has none.
    IGuiLook* look() const { return m_look.get(); }
    // The look colour of that name for widget (invalid without a look service).
    QColor widgetColor(const char* name, const QWidget* widget) const;
    QColor lookColor(const char* name) const;
    // Asks the eight colours of drawControl, in their order.
    void askLookColors(const QWidget* widget, LookColors& colors) const;

private:
    // Primitives.
    void drawGroupBoxFrame(const QStyleOption* option, QPainter* painter) const;
    void drawMenuFrame(const QStyleOption* option, QPainter* painter) const;
    void drawCheckBoxIndicator(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawRadioButtonIndicator(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;

    // Controls.
    void drawPushButton(const QStyleOptionButton* option, QPainter* painter, const QWidget* widget) const;
    void drawPushButtonBevel(const QStyleOptionButton* option, QPainter* painter,
                             const QWidget* widget) const;
    void drawPushButtonLabel(const QStyleOptionButton* option, QPainter* painter, const QWidget* widget,
                             const LookColors& colors) const;
    void drawToolBar(const QStyleOptionToolBar* option, QPainter* painter, const LookColors& colors) const;
    void drawDockWidgetTitle(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawTabShape(const QStyleOptionTab* option, QPainter* painter, const QWidget* widget,
                      const LookColors& colors) const;
    void drawMenuItem(ControlElement element, const QStyleOptionMenuItem* option, QPainter* painter,
                      const QWidget* widget, const LookColors& colors) const;
    void drawMenuBarItem(const QStyleOptionMenuItem* option, QPainter* painter, const QWidget* widget,
                         const LookColors& colors) const;

    // Complex controls.
    void drawSlider(const QStyleOptionSlider* option, QPainter* painter, const QWidget* widget) const;
    void drawGroupBox(const QStyleOptionGroupBox* option, QPainter* painter, const QWidget* widget) const;

    // Application mode: the controls a host never shows and the behaviour it does not want, in the look.
    void drawDockTitleApp(const QStyleOption* option, QPainter* painter, const QWidget* widget,
                          const LookColors& colors) const;
    void drawTitleBarApp(const QStyleOptionTitleBar* option, QPainter* painter, const QWidget* widget) const;
    void drawTabWidgetFrameApp(const QStyleOption* option, QPainter* painter) const;
    void drawGroupBoxApp(const QStyleOptionGroupBox* option, QPainter* painter, const QWidget* widget) const;
    void drawSliderApp(const QStyleOptionSlider* option, QPainter* painter, const QWidget* widget) const;
    void drawProgressGrooveApp(const QStyleOption* option, QPainter* painter, const LookColors& colors) const;
    void drawProgressContentsApp(const QStyleOptionProgressBar* option, QPainter* painter,
                                 const QWidget* widget, const LookColors& colors) const;
    void drawLineEditApp(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                         const QWidget* widget) const;
    void drawSpinBoxApp(const QStyleOptionSpinBox* option, QPainter* painter, const QWidget* widget) const;
    void drawComboBoxApp(const QStyleOptionComboBox* option, QPainter* painter, const QWidget* widget) const;
    void drawComboBoxLabelApp(const QStyleOptionComboBox* option, QPainter* painter,
                              const QWidget* widget) const;
    void drawScrollBarApp(const QStyleOptionSlider* option, QPainter* painter, const QWidget* widget) const;
    void drawToolButtonApp(const QStyleOptionToolButton* option, QPainter* painter,
                           const QWidget* widget) const;
    void drawToolButtonLabelApp(const QStyleOptionToolButton* option, QPainter* painter,
                                const QWidget* widget, const LookColors& colors) const;
    // PE_PanelButtonTool, PE_FrameButtonTool and PE_IndicatorButtonDropDown.
    void drawToolPanelApp(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                          const QWidget* widget) const;
    // PE_IndicatorArrowUp/Down/Left/Right and PE_IndicatorSpinUp/Down/Plus/Minus.
    void drawArrowApp(PrimitiveElement element, const QStyleOption* option, QPainter* painter) const;
    void drawToolBoxTabShapeApp(const QStyleOptionToolBox* option, QPainter* painter,
                                const LookColors& colors) const;
    void drawToolBoxTabLabelApp(const QStyleOptionToolBox* option, QPainter* painter, const QWidget* widget,
                                const LookColors& colors) const;
    void drawHeaderSectionApp(const QStyleOption* option, QPainter* painter, const LookColors& colors) const;
    void drawHeaderLabelApp(const QStyleOptionHeader* option, QPainter* painter, const QWidget* widget,
                            const LookColors& colors) const;
    void drawHeaderArrowApp(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawHeaderEmptyAreaApp(const QStyleOption* option, QPainter* painter,
                                const LookColors& colors) const;
    void drawItemViewPanelApp(PrimitiveElement element, const QStyleOptionViewItem* option, QPainter* painter,
                              const QWidget* widget) const;
    void drawItemViewItemApp(const QStyleOptionViewItem* option, QPainter* painter, const QWidget* widget,
                             const LookColors& colors) const;
    void drawBranchApp(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawColumnViewArrowApp(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    // The colour of a table's grid lines, as the style hint answers it.
    QRgb tableGridColorApp(const QStyleOption* option, const QWidget* widget) const;
    void drawCheckIndicatorApp(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawDialApp(const QStyleOptionSlider* option, QPainter* painter, const QWidget* widget) const;
    void drawSplitterApp(const QStyleOption* option, QPainter* painter, const LookColors& colors) const;
    void drawDockSeparatorApp(const QStyleOption* option, QPainter* painter, const LookColors& colors) const;
    void drawSizeGripApp(const QStyleOption* option, QPainter* painter, const LookColors& colors) const;
    void drawToolBarSeparatorApp(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawToolBarHandleApp(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    // The status bar's panel (PE_PanelStatusBar) and the frames of its items (PE_FrameStatusBarItem).
    void drawStatusBarApp(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                          const QWidget* widget) const;
    void drawTipLabelApp(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    // Focus frames (PE_FrameFocusRect) and the default button's frame (PE_FrameDefaultButton).
    void drawFocusFrameApp(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const;
    // A tab's label (CE_TabBarTabLabel) as the base style lays it out, with the focus frame of this look.
    void drawTabLabelApp(const QStyleOptionTab* option, QPainter* painter, const QWidget* widget) const;
    void drawWindowFrameApp(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawRubberBandApp(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    // Gives a tool tip a text colour readable on the tip's face.
    void polishTipLabelApp(QWidget* widget) const;
    void drawPushButtonBevelApp(const QStyleOptionButton* option, QPainter* painter,
                                const LookColors& colors) const;

    SPtr<IGuiLook> m_look;
};

// The class identifier under which the module offers MelvoroStyle.
const VelID& melvoroStyleClassId();

// Whether the desktop runs with a visual theme: the current user's "ThemeActive" value reads "1".
bool isThemeActive();
