#include "style/support/recordingstyle.h"

#include <QPainter>

namespace {

template <class T> std::shared_ptr<const QStyleOption> copyAs(const QStyleOption* option) {
    return std::make_shared<T>(*static_cast<const T*>(option));
}

} // namespace

RecordingStyle::RecordingStyle() = default;
RecordingStyle::~RecordingStyle() = default;

std::shared_ptr<const QStyleOption> RecordingStyle::copyOption(const QStyleOption* option) {
    if (!option)
        return nullptr;
    switch (option->type) {
    case QStyleOption::SO_FocusRect:
        return copyAs<QStyleOptionFocusRect>(option);
    case QStyleOption::SO_Button:
        return copyAs<QStyleOptionButton>(option);
    case QStyleOption::SO_Tab:
        return copyAs<QStyleOptionTab>(option);
    case QStyleOption::SO_MenuItem:
        return copyAs<QStyleOptionMenuItem>(option);
    case QStyleOption::SO_Frame:
        return copyAs<QStyleOptionFrame>(option);
    case QStyleOption::SO_ProgressBar:
        return copyAs<QStyleOptionProgressBar>(option);
    case QStyleOption::SO_ToolBox:
        return copyAs<QStyleOptionToolBox>(option);
    case QStyleOption::SO_Header:
        return copyAs<QStyleOptionHeader>(option);
    case QStyleOption::SO_DockWidget:
        return copyAs<QStyleOptionDockWidget>(option);
    case QStyleOption::SO_ViewItem:
        return copyAs<QStyleOptionViewItem>(option);
    case QStyleOption::SO_TabWidgetFrame:
        return copyAs<QStyleOptionTabWidgetFrame>(option);
    case QStyleOption::SO_TabBarBase:
        return copyAs<QStyleOptionTabBarBase>(option);
    case QStyleOption::SO_RubberBand:
        return copyAs<QStyleOptionRubberBand>(option);
    case QStyleOption::SO_ToolBar:
        return copyAs<QStyleOptionToolBar>(option);
    case QStyleOption::SO_Slider:
        return copyAs<QStyleOptionSlider>(option);
    case QStyleOption::SO_SpinBox:
        return copyAs<QStyleOptionSpinBox>(option);
    case QStyleOption::SO_ToolButton:
        return copyAs<QStyleOptionToolButton>(option);
    case QStyleOption::SO_ComboBox:
        return copyAs<QStyleOptionComboBox>(option);
    case QStyleOption::SO_TitleBar:
        return copyAs<QStyleOptionTitleBar>(option);
    case QStyleOption::SO_GroupBox:
        return copyAs<QStyleOptionGroupBox>(option);
    case QStyleOption::SO_SizeGrip:
        return copyAs<QStyleOptionSizeGrip>(option);
    case QStyleOption::SO_Complex:
        return copyAs<QStyleOptionComplex>(option);
    default:
        return copyAs<QStyleOption>(option);
    }
}

StyleCall& RecordingStyle::record(StyleCall::Kind kind, int element, const QStyleOption* option,
                                  const QWidget* widget, QPainter* painter) const {
    StyleCall call;
    call.kind = kind;
    call.element = element;
    call.option = copyOption(option);
    call.widget = widget;
    call.painter = painter;
    if (painter && painter->isActive()) {
        call.pen = painter->pen();
        call.brush = painter->brush();
        call.font = painter->font();
    }
    m_calls.append(call);
    return m_calls.last();
}

int RecordingStyle::count(StyleCall::Kind kind, int element) const {
    int n = 0;
    for (const StyleCall& call : m_calls)
        if (call.kind == kind && (element == -1 || call.element == element))
            ++n;
    return n;
}

QVector<StyleCall> RecordingStyle::callsOf(StyleCall::Kind kind, int element) const {
    QVector<StyleCall> result;
    for (const StyleCall& call : m_calls)
        if (call.kind == kind && (element == -1 || call.element == element))
            result.append(call);
    return result;
}

const StyleCall* RecordingStyle::last(StyleCall::Kind kind, int element) const {
    for (int i = m_calls.size() - 1; i >= 0; --i)
        if (m_calls[i].kind == kind && (element == -1 || m_calls[i].element == element))
            return &m_calls[i];
    return nullptr;
}

int RecordingStyle::paintingCalls() const {
    int n = 0;
    for (const StyleCall& call : m_calls) {
        switch (call.kind) {
        case StyleCall::DrawPrimitive:
        case StyleCall::DrawControl:
        case StyleCall::DrawComplexControl:
        case StyleCall::DrawItemText:
        case StyleCall::DrawItemPixmap:
        case StyleCall::PolishWidget:
        case StyleCall::UnpolishWidget:
        case StyleCall::PolishPalette:
            ++n;
            break;
        default:
            break;
        }
    }
    return n;
}

void RecordingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
    record(StyleCall::DrawPrimitive, element, option, widget, painter);
    if (m_forwardPainting)
        QCommonStyle::drawPrimitive(element, option, painter, widget);
}

void RecordingStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    record(StyleCall::DrawControl, element, option, widget, painter);
    if (m_forwardPainting)
        QCommonStyle::drawControl(element, option, painter, widget);
}

void RecordingStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    record(StyleCall::DrawComplexControl, control, option, widget, painter);
    if (m_forwardPainting)
        QCommonStyle::drawComplexControl(control, option, painter, widget);
}

QRect RecordingStyle::subElementRect(SubElement element, const QStyleOption* option,
                                     const QWidget* widget) const {
    record(StyleCall::SubElementRect, element, option, widget);
    auto it = m_subElements.constFind(element);
    if (it != m_subElements.constEnd())
        return *it;
    return QCommonStyle::subElementRect(element, option, widget);
}

QRect RecordingStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                     SubControl sub, const QWidget* widget) const {
    record(StyleCall::SubControlRect, control, option, widget).subControl = sub;
    auto it = m_subControls.constFind(qMakePair(int(control), int(sub)));
    if (it != m_subControls.constEnd())
        return *it;
    return QCommonStyle::subControlRect(control, option, sub, widget);
}

QStyle::SubControl RecordingStyle::hitTestComplexControl(ComplexControl control,
                                                         const QStyleOptionComplex* option,
                                                         const QPoint& point, const QWidget* widget) const {
    record(StyleCall::HitTestComplexControl, control, option, widget).point = point;
    return QCommonStyle::hitTestComplexControl(control, option, point, widget);
}

int RecordingStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    record(StyleCall::PixelMetric, metric, option, widget);
    auto it = m_metrics.constFind(metric);
    if (it != m_metrics.constEnd())
        return *it;
    return QCommonStyle::pixelMetric(metric, option, widget);
}

QSize RecordingStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                       const QWidget* widget) const {
    record(StyleCall::SizeFromContents, type, option, widget).size = size;
    auto it = m_sizes.constFind(type);
    if (it != m_sizes.constEnd())
        return *it;
    return QCommonStyle::sizeFromContents(type, option, size, widget);
}

int RecordingStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                              QStyleHintReturn* returnData) const {
    record(StyleCall::StyleHint, hint, option, widget);
    auto it = m_hints.constFind(hint);
    if (it != m_hints.constEnd())
        return *it;
    return QCommonStyle::styleHint(hint, option, widget, returnData);
}

QPixmap RecordingStyle::standardPixmap(StandardPixmap pixmap, const QStyleOption* option,
                                       const QWidget* widget) const {
    record(StyleCall::StandardPixmap, pixmap, option, widget);
    return QCommonStyle::standardPixmap(pixmap, option, widget);
}

QIcon RecordingStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                   const QWidget* widget) const {
    record(StyleCall::StandardIcon, icon, option, widget);
    return QCommonStyle::standardIcon(icon, option, widget);
}

QPixmap RecordingStyle::generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap,
                                            const QStyleOption* option) const {
    record(StyleCall::GeneratedIconPixmap, mode, option, nullptr).pixmap = pixmap;
    return QCommonStyle::generatedIconPixmap(mode, pixmap, option);
}

int RecordingStyle::layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                                  Qt::Orientation orientation, const QStyleOption* option,
                                  const QWidget* widget) const {
    record(StyleCall::LayoutSpacing, orientation, option, widget);
    return QCommonStyle::layoutSpacing(control1, control2, orientation, option, widget);
}

QRect RecordingStyle::itemTextRect(const QFontMetrics& metrics, const QRect& rect, int flags, bool enabled,
                                   const QString& text) const {
    StyleCall& call = record(StyleCall::ItemTextRect, -1, nullptr, nullptr);
    call.rect = rect;
    call.flags = flags;
    call.enabled = enabled;
    call.text = text;
    return QCommonStyle::itemTextRect(metrics, rect, flags, enabled, text);
}

QRect RecordingStyle::itemPixmapRect(const QRect& rect, int flags, const QPixmap& pixmap) const {
    StyleCall& call = record(StyleCall::ItemPixmapRect, -1, nullptr, nullptr);
    call.rect = rect;
    call.flags = flags;
    call.pixmap = pixmap;
    return QCommonStyle::itemPixmapRect(rect, flags, pixmap);
}

void RecordingStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                                  bool enabled, const QString& text, QPalette::ColorRole textRole) const {
    StyleCall& call = record(StyleCall::DrawItemText, -1, nullptr, nullptr, painter);
    call.rect = rect;
    call.flags = flags;
    call.palette = palette;
    call.enabled = enabled;
    call.text = text;
    call.role = textRole;
    if (m_forwardPainting)
        QCommonStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
}

void RecordingStyle::drawItemPixmap(QPainter* painter, const QRect& rect, int alignment,
                                    const QPixmap& pixmap) const {
    StyleCall& call = record(StyleCall::DrawItemPixmap, -1, nullptr, nullptr, painter);
    call.rect = rect;
    call.flags = alignment;
    call.pixmap = pixmap;
    if (m_forwardPainting)
        QCommonStyle::drawItemPixmap(painter, rect, alignment, pixmap);
}

void RecordingStyle::polish(QWidget* widget) {
    record(StyleCall::PolishWidget, -1, nullptr, widget);
    QCommonStyle::polish(widget);
}

void RecordingStyle::unpolish(QWidget* widget) {
    record(StyleCall::UnpolishWidget, -1, nullptr, widget);
    QCommonStyle::unpolish(widget);
}

void RecordingStyle::polish(QApplication* application) {
    record(StyleCall::PolishApplication, -1, nullptr, nullptr);
    QCommonStyle::polish(application);
}

void RecordingStyle::unpolish(QApplication* application) {
    record(StyleCall::UnpolishApplication, -1, nullptr, nullptr);
    QCommonStyle::unpolish(application);
}

void RecordingStyle::polish(QPalette& palette) {
    record(StyleCall::PolishPalette, -1, nullptr, nullptr).palette = palette;
    QCommonStyle::polish(palette);
}

QPalette RecordingStyle::standardPalette() const {
    record(StyleCall::StandardPalette, -1, nullptr, nullptr);
    return QCommonStyle::standardPalette();
}
