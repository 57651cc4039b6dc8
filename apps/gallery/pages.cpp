#include "apps/gallery/pages.h"

#include "apps/gallery/titledframe.h"
#include "host/qextdockwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDial>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

QIcon galleryIcon(int shape, const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color.darker(160), 1));
    painter.setBrush(color);
    switch (shape) {
    case 1:
        painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        break;
    case 2: {
        QPainterPath path;
        path.moveTo(8, 1.5);
        path.lineTo(14.5, 14.5);
        path.lineTo(1.5, 14.5);
        path.closeSubpath();
        painter.drawPath(path);
        break;
    }
    default:
        painter.drawRect(QRectF(2.5, 2.5, 11, 11));
        break;
    }
    painter.end();
    return QIcon(pixmap);
}

namespace {

const QColor kRed(200, 60, 50);
const QColor kGreen(60, 150, 70);
const QColor kBlue(50, 100, 200);
const QColor kGold(220, 170, 40);

QWidget* section(const QString& title, QLayout* content) {
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    return box;
}

QTabWidget* tabWidget(QTabWidget::TabPosition position, const QString& name, int tabs, QWidget* parent) {
    auto* widget = new QTabWidget(parent);
    widget->setObjectName(name);
    widget->setTabPosition(position);
    static const char* const kTitles[] = {"General", "Colours", "Advanced", "More"};
    for (int i = 0; i < tabs; ++i) {
        auto* page = new QWidget(widget);
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(new QLabel(QString("%1 page").arg(QLatin1String(kTitles[i % 4])), page));
        layout->addStretch(1);
        widget->addTab(page, QLatin1String(kTitles[i % 4]));
    }
    // The middle tab is selected, so both kinds of neighbour of a selected tab are shown.
    widget->setCurrentIndex(tabs > 2 ? 1 : 0);
    widget->setMinimumSize(180, 110);
    return widget;
}

// A mouse move inside a widget that believes the mouse is over it: buttons take their hover state
// from such moves, sliders from the attribute alone.
void hover(QWidget* widget) {
    widget->setAttribute(Qt::WA_UnderMouse, true);
    const QPointF inside(4, widget->height() / 2);
    QMouseEvent move(QEvent::MouseMove, inside, widget->mapToGlobal(inside.toPoint()), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    widget->update();
}

} // namespace

GalleryPanel::GalleryPanel(QWidget* parent, bool applicationPage) : QMainWindow(parent) {
    setObjectName("galleryPanel");
    if (parent)
        setWindowFlags(Qt::Widget);
    setWindowTitle("Gallery");
    setDockOptions(QMainWindow::AnimatedDocks);

    buildMenus();
    buildToolBar();

    auto* central = new QWidget(this);
    central->setObjectName("pages");
    auto* grid = new QGridLayout(central);
    grid->addWidget(buildButtonsPage(), 0, 0);
    grid->addWidget(buildChoicesPage(), 0, 1);
    grid->addWidget(buildSlidersPage(), 0, 2);
    grid->addWidget(buildGroupsPage(), 1, 0, 1, 3);
    grid->addWidget(buildTabsPage(), 2, 0, 1, 3);
    if (applicationPage)
        grid->addWidget(buildApplicationPage(), 3, 0, 1, 3);
    setCentralWidget(central);

    buildDocks();
    if (applicationPage) {
        m_plainDock = new QDockWidget("Inspector", this);
        m_plainDock->setObjectName("plainDock");
        auto* content = new QLabel("A plain dock widget", m_plainDock);
        content->setMargin(8);
        m_plainDock->setWidget(content);
        addDockWidget(Qt::LeftDockWidgetArea, m_plainDock);
    }
}

GalleryPanel::~GalleryPanel() = default;

void GalleryPanel::buildMenus() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName("menuBar");
    setMenuBar(m_menuBar);

    m_fileMenu = m_menuBar->addMenu("&File");
    m_fileMenu->setObjectName("fileMenu");
    QAction* newAction = m_fileMenu->addAction(galleryIcon(0, kBlue), "&New");
    newAction->setShortcut(QKeySequence("Ctrl+N"));
    QAction* openAction = m_fileMenu->addAction(galleryIcon(1, kGreen), "&Open...");
    openAction->setShortcut(QKeySequence("Ctrl+O"));
    QAction* save = m_fileMenu->addAction("&Save");
    save->setShortcut(QKeySequence("Ctrl+S"));
    save->setEnabled(false);
    m_fileMenu->addSeparator();
    QMenu* recent = m_fileMenu->addMenu("&Recent files");
    recent->setObjectName("recentMenu");
    recent->addAction("report.txt");
    recent->addAction("notes.txt");
    QAction* autoSave = m_fileMenu->addAction("&Auto save");
    autoSave->setCheckable(true);
    autoSave->setChecked(true);
    QAction* pinned = m_fileMenu->addAction(galleryIcon(2, kGold), "&Pinned");
    pinned->setCheckable(true);
    pinned->setChecked(true);
    QAction* print = m_fileMenu->addAction("&Print");
    print->setShortcut(QKeySequence("Ctrl+P"));
    m_fileMenu->setDefaultAction(print);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction("E&xit");
    // The selected entry of the opened menu.
    m_fileMenu->setActiveAction(openAction);

    QMenu* edit = m_menuBar->addMenu("&Edit");
    edit->setObjectName("editMenu");
    QAction* undo = edit->addAction("&Undo");
    undo->setShortcut(QKeySequence("Ctrl+Z"));
    undo->setEnabled(false);
    edit->addAction(galleryIcon(0, kRed), "Cu&t")->setShortcut(QKeySequence("Ctrl+X"));
    edit->addAction("&Copy")->setShortcut(QKeySequence("Ctrl+C"));

    QMenu* view = m_menuBar->addMenu("&View");
    view->setObjectName("viewMenu");
    QAction* wrap = view->addAction("&Word wrap");
    wrap->setCheckable(true);
    QAction* grid = view->addAction("&Grid");
    grid->setCheckable(true);
    grid->setChecked(true);

    QMenu* tools = m_menuBar->addMenu("&Tools");
    tools->setObjectName("toolsMenu");
    tools->menuAction()->setEnabled(false);

    // A menu bar entry with an icon shows the icon alone.
    auto* status = new QAction(galleryIcon(1, kGold), "Status", m_menuBar);
    m_menuBar->addAction(status);
}

void GalleryPanel::buildToolBar() {
    m_toolBar = new QToolBar("Tools", this);
    m_toolBar->setObjectName("toolBar");
    m_toolBar->setMovable(true);
    m_toolBar->addAction(galleryIcon(0, kBlue), "New");
    m_toolBar->addAction(galleryIcon(1, kGreen), "Open");
    QAction* save = m_toolBar->addAction(galleryIcon(2, kGold), "Save");
    save->setEnabled(false);
    m_toolBar->addSeparator();
    QAction* bold = m_toolBar->addAction(galleryIcon(0, kRed), "Mark");
    bold->setCheckable(true);
    bold->setChecked(true);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

QWidget* GalleryPanel::buildButtonsPage() {
    auto* grid = new QGridLayout;
    auto* normal = new QPushButton("Normal");
    m_flatButton = new QPushButton("Flat");
    m_flatButton->setFlat(true);
    auto* disabled = new QPushButton("Disabled");
    disabled->setEnabled(false);
    auto* flatDisabled = new QPushButton("Flat disabled");
    flatDisabled->setFlat(true);
    flatDisabled->setEnabled(false);
    auto* iconOnly = new QPushButton(galleryIcon(1, kBlue), QString());
    iconOnly->setObjectName("iconOnlyButton");
    iconOnly->setToolTip("Icon only");
    auto* iconText = new QPushButton(galleryIcon(0, kGreen), "Icon and text");
    auto* checkable = new QPushButton("Checkable");
    checkable->setCheckable(true);
    checkable->setChecked(true);
    m_pressedButton = new QPushButton("Pressed");
    m_pressedButton->setDown(true);
    auto* defaultButton = new QPushButton("Default");
    defaultButton->setDefault(true);
    m_focusButton = new QPushButton("&Focused");
    m_focusButton->setObjectName("focusButton");

    const QList<QPushButton*> buttons{normal,   m_flatButton, disabled,        flatDisabled,  iconOnly,
                                      iconText, checkable,    m_pressedButton, defaultButton, m_focusButton};
    for (int i = 0; i < buttons.size(); ++i)
        grid->addWidget(buttons[i], i / 2, i % 2);
    return section("Push buttons", grid);
}

QWidget* GalleryPanel::buildChoicesPage() {
    auto* grid = new QGridLayout;
    auto* unchecked = new QCheckBox("Unchecked");
    auto* checked = new QCheckBox("Checked");
    checked->setChecked(true);
    auto* partial = new QCheckBox("Partly");
    partial->setTristate(true);
    partial->setCheckState(Qt::PartiallyChecked);
    auto* disabledCheck = new QCheckBox("Disabled");
    disabledCheck->setChecked(true);
    disabledCheck->setEnabled(false);
    m_checkHovered = new QCheckBox("Hovered");
    m_checkHovered->setObjectName("checkHovered");
    grid->addWidget(unchecked, 0, 0);
    grid->addWidget(checked, 1, 0);
    grid->addWidget(partial, 2, 0);
    grid->addWidget(disabledCheck, 3, 0);
    grid->addWidget(m_checkHovered, 4, 0);

    // Each radio button in its own group, so several can be on at once.
    auto* radioGroup = new QWidget;
    auto* radios = new QVBoxLayout(radioGroup);
    radios->setContentsMargins(0, 0, 0, 0);
    m_radioOn = new QRadioButton("On");
    m_radioOn->setObjectName("radioOn");
    m_radioOn->setAutoExclusive(false);
    m_radioOn->setChecked(true);
    m_radioOff = new QRadioButton("Off");
    m_radioOff->setObjectName("radioOff");
    m_radioOff->setAutoExclusive(false);
    auto* radioPressed = new QRadioButton("Pressed");
    radioPressed->setAutoExclusive(false);
    radioPressed->setChecked(true);
    radioPressed->setDown(true);
    auto* radioDisabled = new QRadioButton("Disabled");
    radioDisabled->setAutoExclusive(false);
    radioDisabled->setEnabled(false);
    m_radioHovered = new QRadioButton("Hovered");
    m_radioHovered->setAutoExclusive(false);
    m_radioHovered->setObjectName("radioHovered");
    for (QRadioButton* radio : {m_radioOn, m_radioOff, radioPressed, radioDisabled, m_radioHovered})
        radios->addWidget(radio);
    grid->addWidget(radioGroup, 0, 1, 5, 1);
    return section("Check boxes and radio buttons", grid);
}

QWidget* GalleryPanel::buildSlidersPage() {
    auto* layout = new QGridLayout;
    m_slider = new QSlider(Qt::Horizontal);
    m_slider->setObjectName("slider");
    m_slider->setRange(0, 100);
    m_slider->setValue(30);
    auto* ticks = new QSlider(Qt::Horizontal);
    ticks->setRange(0, 10);
    ticks->setValue(7);
    ticks->setTickPosition(QSlider::TicksBelow);
    auto* disabled = new QSlider(Qt::Horizontal);
    disabled->setValue(50);
    disabled->setEnabled(false);
    m_sliderHovered = new QSlider(Qt::Horizontal);
    m_sliderHovered->setObjectName("sliderHovered");
    m_sliderHovered->setValue(80);
    auto* vertical = new QSlider(Qt::Vertical);
    vertical->setValue(40);
    vertical->setMinimumHeight(90);
    m_progress = new QProgressBar;
    m_progress->setObjectName("progressBar");
    m_progress->setRange(0, 100);
    m_progress->setValue(40);
    auto* full = new QProgressBar;
    full->setRange(0, 100);
    full->setValue(100);
    full->setTextVisible(false);

    layout->addWidget(m_slider, 0, 0);
    layout->addWidget(ticks, 1, 0);
    layout->addWidget(disabled, 2, 0);
    layout->addWidget(m_sliderHovered, 3, 0);
    layout->addWidget(vertical, 0, 1, 4, 1);
    layout->addWidget(m_progress, 4, 0, 1, 2);
    layout->addWidget(full, 5, 0, 1, 2);
    return section("Sliders and progress", layout);
}

QWidget* GalleryPanel::buildGroupsPage() {
    auto* row = new QHBoxLayout;

    auto* plain = new QGroupBox("Plain");
    auto* plainLayout = new QVBoxLayout(plain);
    plainLayout->addWidget(new QLabel("A plain group"));

    auto* checkable = new QGroupBox("Checkable");
    checkable->setCheckable(true);
    checkable->setChecked(true);
    auto* checkableLayout = new QVBoxLayout(checkable);
    checkableLayout->addWidget(new QCheckBox("Inside"));

    auto* off = new QGroupBox("Switched off");
    off->setCheckable(true);
    off->setChecked(false);
    auto* offLayout = new QVBoxLayout(off);
    offLayout->addWidget(new QLabel("Disabled content"));

    m_nestedGroup = new QGroupBox("Nested");
    m_nestedGroup->setObjectName("nestedGroup");
    auto* outerLayout = new QVBoxLayout(m_nestedGroup);
    auto* holder = new QWidget;
    auto* holderLayout = new QVBoxLayout(holder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    auto* inner = new QGroupBox("Inner");
    auto* innerLayout = new QVBoxLayout(inner);
    innerLayout->addWidget(new QLabel("Two levels down"));
    holderLayout->addWidget(inner);
    outerLayout->addWidget(holder);

    auto* untitled = new QGroupBox;
    auto* untitledLayout = new QVBoxLayout(untitled);
    untitledLayout->addWidget(new QLabel("No title"));

    m_titledFrame = new TitledFrame("Titled frame");
    m_titledFrame->setObjectName("titledFrame");

    for (QWidget* w : {static_cast<QWidget*>(plain), static_cast<QWidget*>(checkable),
                       static_cast<QWidget*>(off), static_cast<QWidget*>(m_nestedGroup),
                       static_cast<QWidget*>(untitled), static_cast<QWidget*>(m_titledFrame)})
        row->addWidget(w);
    return section("Group boxes", row);
}

QWidget* GalleryPanel::buildTabsPage() {
    auto* row = new QHBoxLayout;
    m_tabs[0] = tabWidget(QTabWidget::North, "northTabs", 3, nullptr);
    m_tabs[1] = tabWidget(QTabWidget::South, "southTabs", 3, nullptr);
    m_tabs[2] = tabWidget(QTabWidget::West, "westTabs", 3, nullptr);
    m_tabs[3] = tabWidget(QTabWidget::East, "eastTabs", 3, nullptr);
    m_singleTab = tabWidget(QTabWidget::North, "singleTab", 1, nullptr);
    for (QTabWidget* tabs : m_tabs)
        row->addWidget(tabs);
    row->addWidget(m_singleTab);
    return section("Tabs", row);
}

void GalleryPanel::buildDocks() {
    m_docked = new QextDockWindow("Docked window", this, 1);
    m_docked->setObjectName("dockedWindow");
    auto* dockedContent = new QLabel("Docked host window", m_docked);
    dockedContent->setMargin(8);
    m_docked->setWidget(dockedContent);
    addDockWidget(Qt::RightDockWidgetArea, m_docked);

    m_floating = new QextDockWindow("Floating window", this, 2);
    m_floating->setObjectName("floatingWindow");
    auto* floatingContent = new QLabel("Floating host window", m_floating);
    floatingContent->setMargin(8);
    m_floating->setWidget(floatingContent);
    addDockWidget(Qt::RightDockWidgetArea, m_floating);
    m_floating->setFloating(true);
    m_floating->resize(220, 90);
}

QWidget* GalleryPanel::buildApplicationPage() {
    auto* rows = new QVBoxLayout;
    auto* row = new QHBoxLayout;

    m_mdiArea = new QMdiArea;
    m_mdiArea->setObjectName("mdiArea");
    m_mdiArea->setMinimumSize(260, 150);
    // Its size hint follows the screen's size; the page keeps one size on every screen.
    m_mdiArea->setMaximumHeight(180);
    for (const char* title : {"Notes", "Report"}) {
        auto* text = new QLabel(QString("%1 window").arg(QLatin1String(title)));
        text->setMargin(6);
        QMdiSubWindow* window = m_mdiArea->addSubWindow(text);
        window->setWindowTitle(QLatin1String(title));
        window->resize(170, 90);
    }
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    windows.last()->move(70, 50);
    m_mdiArea->setActiveSubWindow(windows.last());
    row->addWidget(m_mdiArea, 2);

    // More tabs than fit: the scroll arrows reach the others.
    m_overflowTabs = new QTabBar;
    m_overflowTabs->setObjectName("overflowTabs");
    for (int i = 1; i <= 9; ++i)
        m_overflowTabs->addTab(QString("Document %1").arg(i));
    m_overflowTabs->setMaximumWidth(220);
    auto* tabsColumn = new QVBoxLayout;
    tabsColumn->addWidget(m_overflowTabs);
    tabsColumn->addWidget(buildToolButtons());
    tabsColumn->addStretch(1);
    row->addLayout(tabsColumn, 1);

    auto* sliders = new QHBoxLayout;
    const QSlider::TickPosition ticks[] = {QSlider::TicksBothSides, QSlider::TicksLeft, QSlider::TicksRight};
    for (int i = 0; i < 3; ++i) {
        auto* slider = new QSlider(Qt::Vertical);
        slider->setRange(0, 10);
        slider->setValue(3 + 2 * i);
        slider->setTickPosition(ticks[i]);
        slider->setMinimumHeight(110);
        slider->setEnabled(i < 2);
        sliders->addWidget(slider);
        if (i == 0) {
            slider->setObjectName("verticalSlider");
            m_verticalSlider = slider;
        }
    }
    row->addLayout(sliders);

    m_checkableGroup = new QGroupBox("E&xclusive options");
    m_checkableGroup->setObjectName("checkableGroup");
    m_checkableGroup->setCheckable(true);
    m_checkableGroup->setChecked(true);
    auto* groupLayout = new QVBoxLayout(m_checkableGroup);
    groupLayout->addWidget(new QRadioButton("&First"));
    groupLayout->addWidget(new QRadioButton("&Second"));
    auto* mode = new QHBoxLayout;
    mode->addWidget(new QLabel("Mode:"));
    mode->addWidget(new QLabel("Normal"));
    groupLayout->addLayout(mode);
    row->addWidget(m_checkableGroup, 1);
    rows->addLayout(row);

    auto* views = new QHBoxLayout;
    views->addWidget(buildTreeView(), 3);
    views->addWidget(buildTableView(), 3);
    m_toolBox = new QToolBox;
    m_toolBox->setObjectName("toolBox");
    for (const char* title : {"Colours", "Fonts", "Layout"})
        m_toolBox->addItem(new QLabel(QString("%1 settings").arg(QLatin1String(title))), title);
    m_toolBox->setItemEnabled(2, false);
    m_toolBox->setItemIcon(1, galleryIcon(1, kGreen));
    views->addWidget(m_toolBox, 2);
    views->addLayout(buildDialAndSplitter(), 2);
    rows->addLayout(views);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(buildFields(), 3);
    bottom->addLayout(buildProgressAndScrollBars(), 2);
    rows->addLayout(bottom);

    auto* status = statusBar();
    status->setObjectName("statusBar");
    status->showMessage("Ready");
    auto* permanent = new QLabel("Line 12, column 4");
    status->addPermanentWidget(permanent);

    auto* page = section("Application mode", rows);
    page->setObjectName("applicationPage");
    m_appPage = page;
    return page;
}

QWidget* GalleryPanel::buildToolButtons() {
    auto* holder = new QWidget;
    holder->setObjectName("toolButtons");
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* menu = new QMenu("Choices", this);
    menu->setObjectName("toolButtonMenu");
    menu->addAction("First choice");
    menu->addAction("Second choice");
    const struct {
        const char* text;
        QToolButton::ToolButtonPopupMode mode;
    } popups[] = {{"Delayed", QToolButton::DelayedPopup},
                  {"Split", QToolButton::MenuButtonPopup},
                  {"Instant", QToolButton::InstantPopup}};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QToolButton;
        button->setText(QLatin1String(popups[i].text));
        button->setIcon(galleryIcon(i, i == 1 ? kGreen : kBlue));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setPopupMode(popups[i].mode);
        button->setMenu(menu);
        grid->addWidget(button, 0, i);
        if (popups[i].mode == QToolButton::MenuButtonPopup)
            m_menuToolButton = button;
    }
    // Arrow buttons, raised and auto-raised (flat until the mouse comes).
    const Qt::ArrowType arrows[] = {Qt::LeftArrow, Qt::UpArrow, Qt::DownArrow, Qt::RightArrow};
    auto* arrowRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* arrow = new QToolButton;
        arrow->setArrowType(arrows[i]);
        arrow->setAutoRaise(i >= 2);
        if (i == 3) {
            arrow->setObjectName("hoveredArrow");
            m_hoveredArrow = arrow;
        }
        arrowRow->addWidget(arrow);
    }
    auto* checked = new QToolButton;
    checked->setText("On");
    checked->setCheckable(true);
    checked->setChecked(true);
    arrowRow->addWidget(checked);
    auto* disabled = new QToolButton;
    disabled->setText("Off");
    disabled->setEnabled(false);
    arrowRow->addWidget(disabled);
    arrowRow->addStretch(1);
    grid->addLayout(arrowRow, 1, 0, 1, 3);
    return holder;
}

QWidget* GalleryPanel::buildTreeView() {
    auto* model = new QStandardItemModel(0, 2, this);
    model->setHorizontalHeaderLabels({"Name", "Size"});
    const struct {
        const char* name;
        const char* size;
        Qt::CheckState check;
    } files[] = {{"draft.txt", "2 KB", Qt::Unchecked},
                 {"notes.txt", "5 KB", Qt::PartiallyChecked},
                 {"report.txt", "14 KB", Qt::Checked}};
    for (const char* folderName : {"Documents", "Music", "Pictures"}) {
        auto* folder = new QStandardItem(galleryIcon(0, kGold), QLatin1String(folderName));
        folder->setEditable(false);
        QList<QStandardItem*> folderRow{folder, new QStandardItem};
        model->appendRow(folderRow);
        if (QLatin1String(folderName) == QLatin1String("Music"))
            continue;
        for (const auto& file : files) {
            auto* item = new QStandardItem(QLatin1String(file.name));
            item->setCheckable(true);
            item->setCheckState(file.check);
            folder->appendRow({item, new QStandardItem(QLatin1String(file.size))});
        }
    }
    m_treeView = new QTreeView;
    m_treeView->setObjectName("treeView");
    m_treeView->setModel(model);
    m_treeView->header()->setSortIndicatorShown(true);
    m_treeView->header()->setSortIndicator(0, Qt::AscendingOrder);
    m_treeView->expand(model->index(0, 0));
    m_treeView->setColumnWidth(0, 150);
    m_treeView->setMinimumSize(230, 170);
    const QModelIndex selected = model->index(2, 0, model->index(0, 0));
    m_treeView->selectionModel()->select(selected, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_treeView->selectionModel()->setCurrentIndex(selected, QItemSelectionModel::NoUpdate);
    return m_treeView;
}

QWidget* GalleryPanel::buildTableView() {
    auto* model = new QStandardItemModel(5, 3, this);
    model->setHorizontalHeaderLabels({"Item", "Count", "Price"});
    static const char* const kItems[] = {"Apples", "Pears", "Plums", "Cherries", "Grapes"};
    for (int r = 0; r < 5; ++r) {
        model->setItem(r, 0, new QStandardItem(QLatin1String(kItems[r])));
        model->setItem(r, 1, new QStandardItem(QString::number(3 + 4 * r)));
        model->setItem(r, 2,
                       new QStandardItem(QString("%1.%2").arg(1 + r).arg(25 * (r % 4), 2, 10, QChar('0'))));
    }
    m_tableView = new QTableView;
    m_tableView->setObjectName("tableView");
    m_tableView->setModel(model);
    m_tableView->setAlternatingRowColors(true);
    m_tableView->setMinimumSize(230, 170);
    m_tableView->resizeColumnsToContents();
    m_tableView->selectionModel()->select(model->index(1, 1), QItemSelectionModel::Select);
    return m_tableView;
}

QLayout* GalleryPanel::buildDialAndSplitter() {
    auto* column = new QVBoxLayout;
    auto* dials = new QHBoxLayout;
    m_dial = new QDial;
    m_dial->setObjectName("dial");
    m_dial->setRange(0, 100);
    m_dial->setValue(35);
    m_dial->setNotchesVisible(true);
    m_dial->setFixedSize(72, 72);
    auto* plainDial = new QDial;
    plainDial->setValue(70);
    plainDial->setEnabled(false);
    plainDial->setFixedSize(72, 72);
    dials->addWidget(m_dial);
    dials->addWidget(plainDial);
    dials->addStretch(1);
    column->addLayout(dials);

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName("splitter");
    auto pane = [](const char* text) {
        auto* label = new QLabel(QLatin1String(text));
        label->setFrameShape(QFrame::StyledPanel);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumSize(40, 30);
        return label;
    };
    m_splitter->addWidget(pane("Left"));
    auto* right = new QSplitter(Qt::Vertical);
    right->addWidget(pane("Top"));
    right->addWidget(pane("Bottom"));
    m_splitter->addWidget(right);
    m_splitter->setMinimumHeight(90);
    column->addWidget(m_splitter, 1);
    return column;
}

QLayout* GalleryPanel::buildFields() {
    auto* grid = new QGridLayout;
    auto* line = new QLineEdit("Line edit");
    auto* lineDisabled = new QLineEdit("Disabled");
    lineDisabled->setEnabled(false);
    auto* combo = new QComboBox;
    combo->addItems({"Combo box", "Second"});
    auto* editable = new QComboBox;
    editable->setEditable(true);
    editable->addItems({"Editable", "Second"});
    auto* spin = new QSpinBox;
    spin->setRange(0, 100);
    spin->setValue(42);
    auto* spinDisabled = new QDoubleSpinBox;
    spinDisabled->setValue(3.5);
    spinDisabled->setEnabled(false);
    // Fixed dates and formats, so every run and every locale shows the same.
    m_dateEdit = new QDateEdit(QDate(2024, 3, 14));
    m_dateEdit->setObjectName("dateEdit");
    m_dateEdit->setDisplayFormat("yyyy-MM-dd");
    m_dateEdit->setCalendarPopup(true);
    auto* time = new QTimeEdit(QTime(9, 41));
    time->setDisplayFormat("HH:mm");
    auto* dateTime = new QDateTimeEdit(QDateTime(QDate(2024, 3, 14), QTime(17, 5)));
    dateTime->setDisplayFormat("yyyy-MM-dd HH:mm");
    auto* dateDisabled = new QDateEdit(QDate(2023, 12, 31));
    dateDisabled->setDisplayFormat("yyyy-MM-dd");
    dateDisabled->setEnabled(false);
    const QList<QWidget*> fields{line,         lineDisabled, combo, editable, spin,
                                 spinDisabled, m_dateEdit,   time,  dateTime, dateDisabled};
    for (int i = 0; i < fields.size(); ++i)
        grid->addWidget(fields[i], i / 2, i % 2);
    return grid;
}

QLayout* GalleryPanel::buildProgressAndScrollBars() {
    auto* grid = new QGridLayout;
    auto* vertical = new QProgressBar;
    vertical->setOrientation(Qt::Vertical);
    vertical->setRange(0, 100);
    vertical->setValue(65);
    vertical->setMinimumHeight(80);
    auto* verticalBusy = new QProgressBar;
    verticalBusy->setOrientation(Qt::Vertical);
    verticalBusy->setRange(0, 0);
    verticalBusy->setTextVisible(false);
    m_busyProgress = new QProgressBar;
    m_busyProgress->setObjectName("busyProgress");
    m_busyProgress->setRange(0, 0);
    auto* disabledProgress = new QProgressBar;
    disabledProgress->setRange(0, 100);
    disabledProgress->setValue(70);
    disabledProgress->setEnabled(false);
    m_scrollBar = new QScrollBar(Qt::Horizontal);
    m_scrollBar->setObjectName("scrollBar");
    m_scrollBar->setRange(0, 100);
    m_scrollBar->setValue(30);
    m_scrollBar->setPageStep(25);
    auto* scrollDisabled = new QScrollBar(Qt::Horizontal);
    scrollDisabled->setEnabled(false);
    auto* scrollVertical = new QScrollBar(Qt::Vertical);
    scrollVertical->setRange(0, 100);
    scrollVertical->setValue(60);
    scrollVertical->setPageStep(40);
    grid->addWidget(m_busyProgress, 0, 0);
    grid->addWidget(disabledProgress, 1, 0);
    grid->addWidget(m_scrollBar, 2, 0);
    grid->addWidget(scrollDisabled, 3, 0);
    grid->addWidget(vertical, 0, 1, 5, 1);
    grid->addWidget(verticalBusy, 0, 2, 5, 1);
    grid->addWidget(scrollVertical, 0, 3, 5, 1);
    grid->setRowStretch(4, 1);
    return grid;
}

void GalleryPanel::applyStyle(QStyle* style) {
    setStyle(style);
    // A style change can make new children (the menu bar makes its extension menu anew): pass again until
    // every widget has the style (a few passes at most: a widget with a style sheet never reports it).
    bool changed = true;
    for (int pass = 0; changed && pass < 4; ++pass) {
        changed = false;
        const QList<QWidget*> children = findChildren<QWidget*>();
        for (QWidget* child : children) {
            if (child->style() != style) {
                child->setStyle(style);
                changed = true;
            }
        }
    }
}

void GalleryPanel::applyLiveStates() {
    m_focusButton->setFocus(Qt::OtherFocusReason);
    hover(m_checkHovered);
    hover(m_radioHovered);
    hover(m_sliderHovered);
    if (m_hoveredArrow)
        hover(m_hoveredArrow);
}

QList<QMenu*> GalleryPanel::menus() const {
    return findChildren<QMenu*>();
}
