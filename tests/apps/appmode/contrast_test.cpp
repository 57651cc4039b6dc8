// Application mode, through the plug-in's style: every text stays readable (WCAG contrast of at least
// 4.5:1, measured in the rendered pixels) in the normal, hover, pressed, checked and selected states, in a
// light and a dark palette, with the look colours following the palette.

#include "../pixels.h"
#include "pluginstyle.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <QTabBar>
#include <QVBoxLayout>
#include <functional>

namespace {

using appmode::PluginStyle;
using pixels::shown;

class AppModeContrast : public PluginStyle {};

// The mouse over a widget, as a move into it makes it.
void hover(QWidget* widget) {
    widget->setAttribute(Qt::WA_UnderMouse, true);
    const QPointF inside(4, widget->height() / 2);
    QMouseEvent move(QEvent::MouseMove, inside, widget->mapToGlobal(inside.toPoint()), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

struct Case {
    const char* name;
    // Builds the controls in a shown window and answers the area of the text to measure, in the window.
    std::function<QRect(QWidget& window)> build;
};

QRect inWindow(QWidget* widget, const QRect& local) {
    return QRect(widget->mapTo(widget->window(), local.topLeft()), local.size());
}

QRect button(QWidget& window, void (*setUp)(QPushButton*)) {
    auto* b = new QPushButton(QStringLiteral("Apply"), &window);
    b->setGeometry(10, 10, 120, 32);
    setUp(b);
    return inWindow(b, b->rect().adjusted(5, 5, -5, -5));
}

const Case cases[] = {
    {"window text",
     [](QWidget& window) {
         auto* label = new QLabel(QStringLiteral("Window text"), &window);
         label->setGeometry(10, 10, 150, 24);
         return inWindow(label, label->rect());
     }},
    {"push button", [](QWidget& w) { return button(w, [](QPushButton*) {}); }},
    {"pressed push button", [](QWidget& w) { return button(w, [](QPushButton* b) { b->setDown(true); }); }},
    {"checked push button",
     [](QWidget& w) {
         return button(w, [](QPushButton* b) {
             b->setCheckable(true);
             b->setChecked(true);
         });
     }},
    {"flat push button", [](QWidget& w) { return button(w, [](QPushButton* b) { b->setFlat(true); }); }},
    {"hovered check box",
     [](QWidget& window) {
         auto* check = new QCheckBox(QStringLiteral("Hovered choice"), &window);
         check->setGeometry(10, 10, 160, 24);
         hover(check);
         QStyleOptionButton option;
         option.initFrom(check);
         const QRect text = check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
         return inWindow(check, text.adjusted(0, 3, -12, -3));
     }},
    {"selected tab",
     [](QWidget& window) {
         auto* bar = new QTabBar(&window);
         bar->addTab(QStringLiteral("First"));
         bar->addTab(QStringLiteral("Second"));
         bar->setGeometry(10, 10, 200, bar->sizeHint().height());
         return inWindow(bar, bar->tabRect(0).adjusted(4, 4, -4, -4));
     }},
    {"tab",
     [](QWidget& window) {
         auto* bar = new QTabBar(&window);
         bar->addTab(QStringLiteral("First"));
         bar->addTab(QStringLiteral("Second"));
         bar->setGeometry(10, 10, 200, bar->sizeHint().height());
         return inWindow(bar, bar->tabRect(1).adjusted(4, 4, -4, -4));
     }},
};

TEST_P(AppModeContrast, ControlTextsAreReadable) {
    for (const Case& c : cases) {
        QWidget window;
        window.resize(240, 60);
        const QRect area = c.build(window);
        const QImage image = shown(window);
        EXPECT_GT(pixels::inkCount(image, area), 10) << c.name;
        EXPECT_GE(pixels::textContrast(image, area), velReadableContrast) << c.name;
    }
}

TEST_P(AppModeContrast, MenuEntriesAreReadableNormalAndSelected) {
    QMenu menu;
    QAction* open = menu.addAction(QStringLiteral("Open file"));
    QAction* save = menu.addAction(QStringLiteral("Save file"));
    QAction* check = menu.addAction(QStringLiteral("Checked entry"));
    check->setCheckable(true);
    check->setChecked(true);
    menu.popup(QPoint(0, 0));
    menu.setActiveAction(open);
    const QImage image = shown(menu);
    for (QAction* action : {open, save, check}) {
        const QRect area = menu.actionGeometry(action).adjusted(3, 3, -3, -3);
        EXPECT_GE(pixels::textContrast(image, area), velReadableContrast) << qPrintable(action->text());
    }

    // Menu bar entries, selected and not, painted as the menu bar paints them.
    QMenuBar bar;
    bar.addAction(QStringLiteral("File"));
    bar.resize(200, bar.sizeHint().height());
    shown(bar);
    for (bool selected : {false, true}) {
        QStyleOptionMenuItem item;
        item.initFrom(&bar);
        item.rect = QRect(0, 0, 60, bar.height());
        item.text = QStringLiteral("File");
        item.menuItemType = QStyleOptionMenuItem::Normal;
        if (selected)
            item.state |= QStyle::State_Selected;
        QImage image(item.rect.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        style->drawControl(QStyle::CE_MenuBarItem, &item, &painter, &bar);
        painter.end();
        EXPECT_GE(pixels::textContrast(image, item.rect.adjusted(3, 3, -3, -3)), velReadableContrast)
            << "selected " << selected;
    }
}

TEST_P(AppModeContrast, LookFollowsThePalette) {
    // Top-level windows take the look's window colour, which follows the palette: light on light, dark on
    // dark.
    QWidget window;
    window.resize(50, 50);
    shown(window);
    const double windowLuminance = velRelativeLuminance(window.palette().color(QPalette::Window));
    EXPECT_EQ(windowLuminance < 0.2, dark());
    // Switching the application's palette brings the other look to windows shown before.
    QApplication::setPalette(appmode::schemePalette(dark() ? appmode::Scheme::Light : appmode::Scheme::Dark));
    QApplication::processEvents();
    EXPECT_EQ(velRelativeLuminance(window.palette().color(QPalette::Window)) < 0.2, !dark());
}

INSTANTIATE_TEST_SUITE_P(Schemes, AppModeContrast,
                         ::testing::Values(appmode::Scheme::Light, appmode::Scheme::Dark),
                         appmode::schemeName);

} // namespace
