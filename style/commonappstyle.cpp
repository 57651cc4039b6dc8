#include "style/commonappstyle.h"

#include "host/qextdockwindow.h"
#include "host/titledframeoption.h"
#include "style/devicegrid.h"
#include "style/optioncheck.h"

#include <QPainter>
#include <QStyleFactory>

CommonAppStyle::CommonAppStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

CommonAppStyle::CommonAppStyle(QStyle* base) : QProxyStyle(base) {}

CommonAppStyle::~CommonAppStyle() = default;

bool CommonAppStyle::queryInterface(const char* name, void* outOrWalk, int32_t) {
    if (velCheckClass(name, outOrWalk, "CommonAppStyle", static_cast<CommonAppStyle*>(this),
                      static_cast<IVelUnknown*>(this)))
        return true;
    return velCheckInterface(name, outOrWalk, "IGuiAppStyle", static_cast<IGuiAppStyle*>(this));
}

void CommonAppStyle::polish(QWidget*) {}

void CommonAppStyle::unpolish(QWidget*) {}

void CommonAppStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    // The base styles read the option without checking it; without one there is nothing to paint.
    if (!option || !painter)
        return;
    if (element == CE_DockWidgetTitle) {
        // Only the host's dock windows get a title, and only when they ask for one; in application mode
        // every dock widget has its title.
        const auto* dock = dynamic_cast<const QextDockWindow*>(widget);
        if (applicationMode() || (dock && dock->wantsTitle()))
            QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QRect CommonAppStyle::subElementRect(SubElement element, const QStyleOption* option,
                                     const QWidget* widget) const {
    if (!option)
        return QRect();
    // The toolkit places the tab bar's scroll buttons from the tab bar widget itself, without checking
    // that there is one.
    if (!widget && (element == SE_TabBarScrollLeftButton || element == SE_TabBarScrollRightButton))
        return QRect();
    return QProxyStyle::subElementRect(element, option, widget);
}

void CommonAppStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    if (!option || !painter)
        return;
    if (control != CC_TitledFrame) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // The option arrives as a complex option by the signature, but is the host's titled frame option.
    const auto* frame = velOption<TitledFrameOption>(option, TitledFrameOption::Version);
    if (!frame)
        return;
    painter->setPen(QPen(QBrush(QColor(0, 0, 0, 255)), 1));
    const QRect& rect = frame->rect;
    velGridRect(painter, rect);
    const QRect titleRect(QPoint(35, 0), QPoint(rect.right() - 11, rect.bottom() - rect.top()));
    painter->drawText(titleRect,
                      Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip | Qt::TextShowMnemonic,
                      frame->title);
}

QRect CommonAppStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                     SubControl sub, const QWidget* widget) const {
    if (!option)
        return QRect();
    if (control == CC_TitledFrame)
        return option->rect;
    return QProxyStyle::subControlRect(control, option, sub, widget);
}

int CommonAppStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PixelMetric(PM_CustomBase + 1))
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize CommonAppStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                       const QWidget* widget) const {
    if (!option)
        return size;
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

int CommonAppStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                              QStyleHintReturn* returnData) const {
    if (hint == SH_GroupBox_TextLabelColor)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
