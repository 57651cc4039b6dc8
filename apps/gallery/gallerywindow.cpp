#include "apps/gallery/gallerywindow.h"

#include "apps/gallery/pages.h"
#include "apps/gallery/screenshot.h"
#include "apps/gallery/titledframe.h"
#include "host/qextdockwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDial>
#include <QDockWidget>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QRect radioIndicator(const QRadioButton* radio) {
    QStyleOptionButton option;
    option.initFrom(radio);
    option.text = radio->text();
    option.state |= radio->isChecked() ? QStyle::State_On : QStyle::State_Off;
    return radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

} // namespace

GalleryWindow::GalleryWindow(QStyle* compareStyle, bool applicationPage, QWidget* parent) : QWidget(parent) {
    setObjectName("galleryWindow");
    setWindowTitle("Gallery");
    auto* layout = new QVBoxLayout(this);
    auto* panels = new QHBoxLayout;
    m_panel = new GalleryPanel(this, applicationPage);
    panels->addWidget(m_panel, 1);
    if (compareStyle) {
        m_compare = new GalleryPanel(this, applicationPage);
        m_compare->setObjectName("comparePanel");
        m_compare->floatingWindow()->setObjectName("compareFloatingWindow");
        m_compare->showcaseMenu()->setObjectName("compareFileMenu");
        m_compare->applyStyle(compareStyle);
        m_compare->setPalette(compareStyle->standardPalette());
        panels->addWidget(m_compare, 1);
    }
    layout->addLayout(panels, 1);

    auto* logTitle = new QLabel("Messages from the module", this);
    layout->addWidget(logTitle);
    m_log = new QPlainTextEdit(this);
    m_log->setObjectName("log");
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(500);
    m_log->setFixedHeight(64);
    layout->addWidget(m_log);
}

void GalleryWindow::appendLog(const QString& message) {
    m_log->appendPlainText(message);
}

void GalleryWindow::showAll() {
    show();
    m_panel->floatingWindow()->show();
    if (m_compare)
        m_compare->floatingWindow()->show();
    activateWindow();
    settle();
}

void GalleryWindow::renderShot(GalleryShot& shot) {
    showAll();
    QList<GalleryPanel*> panels{m_panel};
    if (m_compare)
        panels.append(m_compare);
    for (GalleryPanel* panel : panels)
        panel->applyLiveStates();
    settle();

    // The pop-up menus open below their menu bar entries, with their showcase entry selected.
    for (GalleryPanel* panel : panels) {
        QMenu* menu = panel->showcaseMenu();
        QAction* active = menu->activeAction();
        const QRect entry = panel->galleryMenuBar()->actionGeometry(menu->menuAction());
        menu->popup(panel->galleryMenuBar()->mapToGlobal(entry.bottomLeft()));
        menu->setActiveAction(active);
    }
    settle();

    shot.addWindow(this);
    for (GalleryPanel* panel : panels)
        shot.addWindow(panel->showcaseMenu());
    for (GalleryPanel* panel : panels)
        shot.addWindow(panel->floatingWindow());

    noteControls(shot, m_panel, QString());
    if (m_compare)
        noteControls(shot, m_compare, "compare.");
    shot.note("log", m_log);

    for (GalleryPanel* panel : panels)
        panel->showcaseMenu()->hide();
}

void GalleryWindow::noteControls(GalleryShot& shot, GalleryPanel* panel, const QString& prefix) {
    shot.note(prefix + "panel", panel);
    shot.note(prefix + "menuBar", panel->galleryMenuBar());
    shot.note(prefix + "toolBar", panel->toolBar());
    const QList<QPair<QString, QTabWidget*>> tabs{{"northTabs", panel->northTabs()},
                                                  {"southTabs", panel->southTabs()},
                                                  {"westTabs", panel->westTabs()},
                                                  {"eastTabs", panel->eastTabs()},
                                                  {"singleTab", panel->singleTab()}};
    for (const auto& entry : tabs) {
        QTabBar* bar = entry.second->tabBar();
        shot.note(prefix + entry.first, entry.second);
        shot.note(prefix + entry.first + ".tabBar", bar);
        shot.note(prefix + entry.first + ".selectedTab", bar, bar->tabRect(bar->currentIndex()));
    }
    shot.note(prefix + "radioOn", panel->radioOn());
    shot.note(prefix + "radioOn.indicator", panel->radioOn(), radioIndicator(panel->radioOn()));
    shot.note(prefix + "radioOff", panel->radioOff());
    shot.note(prefix + "radioOff.indicator", panel->radioOff(), radioIndicator(panel->radioOff()));
    shot.note(prefix + "checkHovered", panel->checkBoxHovered());
    shot.note(prefix + "slider", panel->slider());
    shot.note(prefix + "focusButton", panel->focusButton());
    shot.note(prefix + "pressedButton", panel->pressedButton());
    shot.note(prefix + "flatButton", panel->flatButton());
    shot.note(prefix + "nestedGroup", panel->nestedGroup());
    shot.note(prefix + "progressBar", panel->progressBar());
    shot.note(prefix + "titledFrame", panel->titledFrame());
    shot.note(prefix + "dockedWindow", panel->dockedWindow());
    shot.note(prefix + "floatingWindow", panel->floatingWindow());
    if (QWidget* page = panel->applicationPage()) {
        shot.note(prefix + "applicationPage", page);
        shot.note(prefix + "plainDock", panel->plainDock());
        shot.note(prefix + "mdiArea", panel->mdiArea());
        shot.note(prefix + "overflowTabs", panel->overflowTabs());
        shot.note(prefix + "verticalSlider", panel->verticalSlider());
        shot.note(prefix + "checkableGroup", panel->checkableGroup());
        const char* const names[] = {"treeView", "tableView", "menuToolButton", "toolBox",   "dial",
                                     "splitter", "dateEdit",  "busyProgress",   "scrollBar", "statusBar"};
        const QList<QWidget*> controls{panel->treeView(), panel->tableView(),    panel->menuToolButton(),
                                       panel->toolBox(),  panel->dial(),         panel->splitter(),
                                       panel->dateEdit(), panel->busyProgress(), panel->scrollBar(),
                                       panel->statusBar()};
        for (int i = 0; i < controls.size(); ++i)
            shot.note(prefix + QLatin1String(names[i]), controls[i]);
    }

    QMenu* menu = panel->showcaseMenu();
    shot.note(prefix + "menu", menu);
    if (QAction* active = menu->activeAction())
        shot.note(prefix + "menu.activeItem", menu, menu->actionGeometry(active));
    if (QAction* byDefault = menu->defaultAction())
        shot.note(prefix + "menu.defaultItem", menu, menu->actionGeometry(byDefault));
}
