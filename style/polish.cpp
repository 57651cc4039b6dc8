#include "style/melvorostyle.h"

#include "host/qextdockwindow.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDial>
#include <QGroupBox>
#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QToolButton>

namespace {

// The controls whose hover highlight the style paints.
bool tracksHover(QWidget* widget) {
    return qobject_cast<QPushButton*>(widget) || qobject_cast<QRadioButton*>(widget) ||
           qobject_cast<QSlider*>(widget) || qobject_cast<QCheckBox*>(widget);
}

// The controls whose parts application mode shows hovered.
bool tracksHoverApp(QWidget* widget) {
    return qobject_cast<QScrollBar*>(widget) || qobject_cast<QComboBox*>(widget) ||
           qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QDial*>(widget) ||
           qobject_cast<QSplitterHandle*>(widget) ||
           // Tool buttons, and the tabs of tool boxes (a button class the toolkit keeps to itself).
           qobject_cast<QToolButton*>(widget) || widget->inherits("QToolBoxButton");
}

// An item view sees the mouse over its items through its viewport, a header over its sections itself.
void setItemViewHover(QWidget* widget, bool on) {
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    if (!view)
        return;
    view->viewport()->setAttribute(Qt::WA_Hover, on);
    if (qobject_cast<QHeaderView*>(view))
        view->setAttribute(Qt::WA_Hover, on);
}

} // namespace

void MelvoroStyle::polish(QWidget* widget) {
    if (!widget)
        return;
    QPalette palette = widget->palette();
    const QColor gui = widgetColor("ColorGUI", widget);

    // Group boxes: a box holding other boxes gets a margin, a box of plain controls loses its spacing.
    // In application mode group boxes keep the toolkit's spacing and margins.
    QLayout* layout = widget->layout();
    if (layout && !applicationMode() && qobject_cast<QGroupBox*>(widget)) {
        const QList<QGroupBox*> inner = widget->findChildren<QGroupBox*>();
        if (inner.isEmpty())
            layout->setSpacing(0);
        else
            layout->setContentsMargins(5, 5, 5, 5);
    }

    if (tracksHover(widget) || (applicationMode() && tracksHoverApp(widget)))
        widget->setAttribute(Qt::WA_Hover, true);
    if (applicationMode())
        setItemViewHover(widget, true);

    if (auto* dock = qobject_cast<QextDockWindow*>(widget)) {
        if (dock->isFloating()) {
            dock->applyFloatingState(true);
        } else {
            // Docked windows stay where the host put them.
            dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
            dock->applyFloatingState(false);
        }
    }

    if (widget->isWindow()) {
        palette.setColor(QPalette::Window, gui);
        widget->setPalette(palette);
    }

    if (applicationMode()) {
        if (widget->inherits("QTipLabel"))
            polishTipLabelApp(widget);
        // A dial shows its knob pressed while it is held, which its own repaints do not follow.
        if (auto* dial = qobject_cast<QDial*>(widget)) {
            const auto repaint = static_cast<void (QWidget::*)()>(&QWidget::update);
            connect(dial, &QAbstractSlider::sliderPressed, dial, repaint, Qt::UniqueConnection);
            connect(dial, &QAbstractSlider::sliderReleased, dial, repaint, Qt::UniqueConnection);
        }
    }
}

void MelvoroStyle::unpolish(QWidget* widget) {
    if (widget && (tracksHover(widget) || (applicationMode() && tracksHoverApp(widget))))
        widget->setAttribute(Qt::WA_Hover, false);
    if (widget && applicationMode())
        setItemViewHover(widget, false);
    if (auto* dial = qobject_cast<QDial*>(widget)) {
        const auto repaint = static_cast<void (QWidget::*)()>(&QWidget::update);
        disconnect(dial, &QAbstractSlider::sliderPressed, dial, repaint);
        disconnect(dial, &QAbstractSlider::sliderReleased, dial, repaint);
    }
}

void MelvoroStyle::polish(QPalette& palette) {
    // In application mode the application's palette is its own: the look follows it, not the reverse.
    if (!m_look || applicationMode())
        return;
    palette.setColor(QPalette::Window, widgetColor("ColorButtonShade", nullptr));
}
