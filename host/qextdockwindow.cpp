#include "host/qextdockwindow.h"

#include "host/saturatingcount.h"

QextDockWindow::QextDockWindow(const QString& title, QWidget* parent, int id)
    : QDockWidget(title, parent), m_id(id) {
    connect(this, qOverload<bool>(&QDockWidget::visibilityChanged), this,
            &QextDockWindow::handleVisibilityChanged);
}

QextDockWindow::~QextDockWindow() = default;

void QextDockWindow::applyFloatingState(bool floating) {
    m_appliedFloating = floating;
    velCountUp(m_floatingStateCalls);
}

bool QextDockWindow::wantsTitle() const {
    return m_wantsTitle;
}

void QextDockWindow::handleCursorChanged(const QCursor& cursor) {
    setCursor(cursor);
}

void QextDockWindow::handleVisibilityChanged(bool visible) {
    emit visibilityChanged(m_id, visible);
}

void QextDockWindow::setAutoHide(bool hide) {
    m_autoHide = hide;
}
