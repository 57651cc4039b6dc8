#include "apps/gallery/titledframe.h"

#include "host/titledframeoption.h"

#include <QPainter>
#include <QStyle>

namespace {
// The custom complex control of the application styles: a frame with a title.
constexpr QStyle::ComplexControl kTitledFrameControl = QStyle::ComplexControl(QStyle::CC_CustomBase + 1);
} // namespace

TitledFrame::TitledFrame(const QString& title, QWidget* parent) : QWidget(parent), m_title(title) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TitledFrame::setTitle(const QString& title) {
    m_title = title;
    update();
}

void TitledFrame::initStyleOption(TitledFrameOption* option) const {
    option->initFrom(this);
    option->rect = rect();
    option->lineWidth = 1;
    option->midLineWidth = 0;
    option->title = m_title;
}

QSize TitledFrame::sizeHint() const {
    return QSize(fontMetrics().horizontalAdvance(m_title) + 60, 48);
}

QSize TitledFrame::minimumSizeHint() const {
    return QSize(80, 32);
}

void TitledFrame::paintEvent(QPaintEvent*) {
    TitledFrameOption option;
    initStyleOption(&option);
    QPainter painter(this);
    // The style recognises the option by its type and version; the control's signature only takes the
    // complex option type, so the frame option travels through it as its QStyleOption part.
    style()->drawComplexControl(kTitledFrameControl, reinterpret_cast<const QStyleOptionComplex*>(&option),
                                &painter, this);
}
