// Every standard control in application mode, through the plug-in's style, one row each: drawn otherwise
// than the "Windows" style draws it, left to right and right to left, in a light and a dark palette; each
// state it tells apart shows in its picture; and where it shows a text, the text keeps at least 4.5:1
// against the fill around it, measured from the darkest or lightest text pixel.

#include "../pixels.h"
#include "pluginstyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDateTimeEdit>
#include <QDial>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <type_traits>

namespace {

using appmode::PluginStyle;

enum State : unsigned { Normal = 0, Disabled = 1, Hovered = 2, Pressed = 4, Checked = 8, Focused = 16 };
const unsigned kStates[] = {Normal, Disabled, Hovered, Pressed, Checked, Focused};

const char* stateName(unsigned state) {
    switch (state) {
    case Disabled:
        return "disabled";
    case Hovered:
        return "hovered";
    case Pressed:
        return "pressed";
    case Checked:
        return "checked";
    case Focused:
        return "focused";
    }
    return "normal";
}

// One control: how to make it showing a text (where it shows one), and the states it tells apart.
struct Row {
    const char* name;
    std::function<QWidget*(const QString& text)> make;
    unsigned states;
    bool text = true;
    bool hoverAtEnd = false; // the mouse goes to the reading end, not the start
    bool flatAtRest = false; // at rest only its text shows, as in any style
};

QWidget* tabBar(const QString& text) {
    auto* bar = new QTabBar;
    bar->addTab(text);
    bar->addTab(QStringLiteral("Other"));
    return bar;
}

QWidget* menuBar(const QString& text) {
    auto* bar = new QMenuBar;
    bar->addMenu(text);
    bar->addMenu(QStringLiteral("Other"));
    return bar;
}

// A menu shown in place, its first entry selected.
QWidget* menu(const QString& text) {
    auto* menu = new QMenu;
    menu->setWindowFlags(Qt::Widget);
    menu->addAction(QStringLiteral("Entry"));
    menu->addSeparator();
    menu->setActiveAction(menu->addAction(text));
    return menu;
}

QWidget* toolBar(const QString& text) {
    auto* bar = new QToolBar;
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addAction(text);
    bar->addAction(QStringLiteral("Other"))->setCheckable(true);
    return bar;
}

QWidget* groupBox(const QString& text, bool checkable) {
    auto* box = new QGroupBox(text);
    box->setCheckable(checkable);
    box->setChecked(false);
    (new QVBoxLayout(box))->addWidget(new QLabel(QStringLiteral("inside")));
    return box;
}

template <class Edit> QWidget* dateTimeEdit(const QString& text, const char* format, bool popup) {
    auto* edit = new Edit;
    edit->setDateTime(QDateTime(QDate(2024, 3, 14), QTime(9, 41)));
    edit->setDisplayFormat(QStringLiteral("'%1' ").arg(text) + QLatin1String(format));
    edit->setCalendarPopup(popup);
    return edit;
}

QWidget* combo(const QString& text, bool editable) {
    auto* box = new QComboBox;
    box->setEditable(editable);
    box->addItem(text);
    return box;
}

QWidget* progress(const QString& text, Qt::Orientation orientation) {
    auto* bar = new QProgressBar;
    bar->setOrientation(orientation);
    bar->setValue(50);
    bar->setFormat(text);
    bar->setTextVisible(orientation == Qt::Horizontal);
    return bar;
}

QWidget* dockTitle(const QString& text) {
    auto* window = new QMainWindow;
    auto* dock = new QDockWidget(text, window);
    auto* content = new QLabel(QStringLiteral("content"));
    content->setMinimumWidth(200);
    dock->setWidget(content);
    window->addDockWidget(Qt::LeftDockWidgetArea, dock);
    window->setCentralWidget(new QWidget);
    return window;
}

QWidget* subWindow(const QString& text) {
    auto* area = new QMdiArea;
    QMdiSubWindow* window = area->addSubWindow(new QLabel(QStringLiteral("content")));
    window->setWindowTitle(text);
    window->setGeometry(4, 4, 200, 90);
    area->setMinimumHeight(110);
    return area;
}

QWidget* toolButton(const QString& text, QToolButton::ToolButtonPopupMode mode, bool autoRaise) {
    auto* button = new QToolButton;
    button->setText(text);
    button->setAutoRaise(autoRaise);
    if (mode != QToolButton::DelayedPopup) {
        button->setPopupMode(mode);
        button->setMenu(new QMenu(button));
    }
    return button;
}

QWidget* toolBox(const QString& text) {
    auto* box = new QToolBox;
    box->addItem(new QLabel(QStringLiteral("page")), text);
    box->addItem(new QLabel(QStringLiteral("other")), QStringLiteral("Other"));
    return box;
}

// An item view: its header holds the text, and one of its rows is selected.
template <class View> QWidget* itemView(const QString& text) {
    auto* view = new View;
    if constexpr (std::is_same_v<View, QTreeWidget>) {
        view->setHeaderLabels({text, QStringLiteral("Size")});
        auto* item = new QTreeWidgetItem(view, {QStringLiteral("Folder"), QStringLiteral("1")});
        new QTreeWidgetItem(item, {QStringLiteral("File"), QStringLiteral("2")});
        (new QTreeWidgetItem(view, {QStringLiteral("Other"), QStringLiteral("3")}))->setSelected(true);
    } else {
        view->setColumnCount(2);
        view->setRowCount(2);
        view->setHorizontalHeaderLabels({text, QStringLiteral("Size")});
        view->setItem(1, 1, new QTableWidgetItem(QStringLiteral("7")));
        view->item(1, 1)->setSelected(true);
    }
    view->setMaximumHeight(110);
    return view;
}

QWidget* splitter(const QString&) {
    auto* split = new QSplitter;
    split->addWidget(new QLabel(QStringLiteral("left")));
    split->addWidget(new QLabel(QStringLiteral("right")));
    return split;
}

QWidget* statusBar(const QString& text) {
    auto* bar = new QStatusBar;
    bar->addWidget(new QLabel(text));
    bar->addPermanentWidget(new QLabel(QStringLiteral("permanent")));
    return bar;
}

QWidget* panel(const QString& text) {
    auto* label = new QLabel(text);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

template <class Widget> QWidget* make(const QString& text) {
    return new Widget(text);
}

QWidget* spin(const QString& text) {
    auto* box = new QSpinBox;
    box->setRange(0, 999);
    box->setValue(text.toInt());
    return box;
}

template <class Widget, Qt::Orientation orientation> QWidget* oriented(const QString&) {
    auto* widget = new Widget(orientation);
    widget->setRange(0, 100);
    widget->setValue(30);
    if (orientation == Qt::Vertical)
        widget->setMinimumHeight(120);
    return widget;
}

const Row rows[] = {
    {"push button", make<QPushButton>, Disabled | Hovered | Pressed | Checked | Focused},
    {"flat push button",
     [](const QString& t) {
         auto* b = new QPushButton(t);
         b->setFlat(true);
         return b;
     },
     Hovered | Pressed},
    {"check box", make<QCheckBox>, Disabled | Hovered | Pressed | Checked},
    {"radio button", make<QRadioButton>, Disabled | Hovered | Pressed | Checked},
    {"tab bar", tabBar, Disabled},
    {"menu bar", menuBar, Disabled},
    {"menu", menu, Disabled},
    {"tool bar", toolBar, Disabled},
    {"horizontal slider", oriented<QSlider, Qt::Horizontal>, Disabled | Hovered, false},
    {"vertical slider", oriented<QSlider, Qt::Vertical>, Disabled, false},
    {"group box", [](const QString& t) { return groupBox(t, false); }, Disabled},
    {"checkable group box", [](const QString& t) { return groupBox(t, true); }, Disabled | Checked},
    {"horizontal scroll bar", oriented<QScrollBar, Qt::Horizontal>, Disabled | Hovered, false},
    {"vertical scroll bar", oriented<QScrollBar, Qt::Vertical>, Disabled | Hovered, false},
    {"line edit", make<QLineEdit>, Disabled | Focused},
    {"combo box", [](const QString& t) { return combo(t, false); }, Disabled | Hovered | Focused},
    {"editable combo box", [](const QString& t) { return combo(t, true); }, Disabled | Focused},
    {"spin box", spin, Disabled | Hovered | Focused, true, true},
    {"date edit", [](const QString& t) { return dateTimeEdit<QDateEdit>(t, "yyyy", true); }, Disabled},
    {"time edit", [](const QString& t) { return dateTimeEdit<QTimeEdit>(t, "HH:mm", false); }, Disabled},
    {"progress bar", [](const QString& t) { return progress(t, Qt::Horizontal); }, Disabled},
    {"vertical progress bar", [](const QString& t) { return progress(t, Qt::Vertical); }, Disabled, false},
    {"dock title", dockTitle, Disabled},
    {"sub-window title", subWindow, Disabled},
    {"tool button", [](const QString& t) { return toolButton(t, QToolButton::DelayedPopup, false); },
     Disabled | Hovered | Pressed | Checked},
    {"auto-raised tool button",
     [](const QString& t) { return toolButton(t, QToolButton::DelayedPopup, true); },
     Hovered | Pressed | Checked, true, false, true},
    {"split tool button", [](const QString& t) { return toolButton(t, QToolButton::MenuButtonPopup, false); },
     Disabled | Hovered | Pressed},
    {"menu tool button", [](const QString& t) { return toolButton(t, QToolButton::InstantPopup, false); },
     Disabled | Hovered},
    {"tool box", toolBox, Disabled},
    {"tree view", itemView<QTreeWidget>, Disabled | Focused},
    {"table view", itemView<QTableWidget>, Disabled | Focused},
    {"dial", [](const QString&) { return new QDial; }, Disabled, false},
    {"splitter", splitter, Disabled, false},
    {"status bar", statusBar, Disabled},
    {"size grip", [](const QString&) { return new QSizeGrip(nullptr); }, Disabled, false},
    {"framed panel", panel, Disabled},
};

// Two texts of the same width (digits are as wide as each other) whose strokes differ: what differs
// between the pictures of the two is the text.
const QString kText = QStringLiteral("808"), kOtherText = QStringLiteral("111");

// The mouse over a widget, as a move into it makes it: near its top corner at the reading start (where
// indicators and the first arrow buttons lie) or at the reading end (where spin buttons lie).
void hover(QWidget* widget, bool atEnd) {
    widget->setAttribute(Qt::WA_UnderMouse, true);
    const bool start = !atEnd;
    const QPointF inside(widget->isRightToLeft() == start ? widget->width() - 6 : 6, 6);
    QMouseEvent move(QEvent::MouseMove, inside, widget->mapToGlobal(inside.toPoint()), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

class AppModeSweep : public PluginStyle {
protected:
    void SetUp() override {
        PluginStyle::SetUp();
        // A text cursor that blinks would make two pictures of one field differ.
        QApplication::setCursorFlashTime(0);
    }

    // The control of the row in one state, on a plain background in the application's palette, painted by
    // the application's style or by the one given.
    QImage render(const Row& row, unsigned state, Qt::LayoutDirection direction, const QString& text,
                  QStyle* other = nullptr) {
        QWidget window;
        window.setLayoutDirection(direction);
        auto* holder = new QWidget(&window);
        holder->setAutoFillBackground(true);
        holder->setPalette(QApplication::palette());
        auto* layout = new QVBoxLayout(holder);
        layout->setContentsMargins(6, 6, 6, 6);
        QWidget* widget = row.make(text);
        layout->addWidget(widget);
        widget->setMinimumWidth(200);
        if (other) {
            window.setStyle(other);
            for (QWidget* child : window.findChildren<QWidget*>())
                child->setStyle(other);
        }
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (state & Disabled)
            widget->setEnabled(false);
        if ((state & Checked) && button) {
            button->setCheckable(true);
            button->setChecked(true);
        }
        if (auto* box = qobject_cast<QGroupBox*>(widget); box && (state & Checked))
            box->setChecked(true);
        holder->resize(holder->sizeHint());
        window.resize(holder->size());
        // Away from where the pointer rests, which would hover what is under it.
        window.move(QCursor::pos() + QPoint(40, 40));
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        // The focus on the control only in its focused state, moved there as by the keyboard so that its
        // focus frame shows; on the window otherwise.
        window.setFocusPolicy(Qt::StrongFocus);
        if (state & Focused) {
            widget->setFocus(Qt::TabFocusReason);
            window.setAttribute(Qt::WA_KeyboardFocusChange);
        } else
            window.setFocus(Qt::OtherFocusReason);
        // Pressed last: a button that loses the focus is let go.
        if ((state & Pressed) && button)
            button->setDown(true);
        pixels::shown(window);
        // The mouse last, once the window has settled (its events would take the hover back).
        if (state & Hovered)
            hover(widget, row.hoverAtEnd);
        return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    QStyle* windows() {
        if (!m_windows)
            m_windows.reset(QStyleFactory::create(QStringLiteral("Windows")));
        return m_windows.get();
    }

private:
    std::unique_ptr<QStyle> m_windows;
};

// The contrast of the strongest text pixel against the fill around the text: the text is what differs
// between the pictures of two texts, the fill the most frequent colour among the other pixels between its
// strokes. 0 without any text drawn.
double textContrast(const QImage& image, const QImage& other) {
    QRect text;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != other.pixel(x, y))
                text |= QRect(x, y, 1, 1);
    if (text.isEmpty())
        return 0;
    QHash<QRgb, int> counts;
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            if (image.pixel(x, y) == other.pixel(x, y))
                ++counts[image.pixel(x, y)];
    QRgb fill = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(fill))
            fill = it.key();
    double best = 1.0;
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            if (image.pixel(x, y) != other.pixel(x, y))
                best = std::max(best, velContrastRatio(QColor(image.pixel(x, y)), QColor(fill)));
    return best;
}

TEST_P(AppModeSweep, EveryControlInEveryStateIsTheLooksOwnAndReadable) {
    QStringList faults;
    for (const Row& row : rows) {
        for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            const QImage normal = render(row, Normal, direction, kText);
            for (unsigned state : kStates) {
                if (state != Normal && !(row.states & state))
                    continue;
                const QString where = QStringLiteral("%1, %2, %3")
                                          .arg(QLatin1String(row.name), QLatin1String(stateName(state)),
                                               direction == Qt::RightToLeft ? "RTL" : "LTR");
                const QImage image = state == Normal ? normal : render(row, state, direction, kText);
                if (!(state == Normal && row.flatAtRest) &&
                    image == render(row, state, direction, kText, windows()))
                    faults << where + ": drawn as the Windows style draws it";
                if (state != Normal && image == normal)
                    faults << where + ": the state does not show";
                if (!row.text || state == Disabled)
                    continue;
                const double contrast = textContrast(image, render(row, state, direction, kOtherText));
                if (contrast < velReadableContrast)
                    faults << where + QStringLiteral(": text contrast %1").arg(contrast, 0, 'f', 2);
            }
        }
    }
    EXPECT_TRUE(faults.isEmpty()) << qPrintable(faults.join('\n'));
}

INSTANTIATE_TEST_SUITE_P(Schemes, AppModeSweep,
                         ::testing::Values(appmode::Scheme::Light, appmode::Scheme::Dark),
                         appmode::schemeName);

} // namespace
