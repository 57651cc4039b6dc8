#pragma once
// The gallery's widgets: every control the application style paints, in each state it tells apart.
// The gallery application and the paint benchmark build the same panel from here.

#include <QColor>
#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QString>

class QCheckBox;
class QDateEdit;
class QDial;
class QDockWidget;
class QGroupBox;
class QLayout;
class QMdiArea;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QSplitter;
class QStyle;
class QTabBar;
class QTabWidget;
class QTableView;
class QToolBar;
class QToolBox;
class QToolButton;
class QTreeView;
class QextDockWindow;
class TitledFrame;

// One gallery: a main window (usable as a child widget) with a menu bar, a tool bar, the control pages
// in its centre and two host dock windows, one docked and one floating.
class GalleryPanel : public QMainWindow {
    Q_OBJECT
public:
    // With a parent the panel is an ordinary child widget; its floating dock window is still a window.
    // applicationPage: a page of the controls of application mode is added (a plain dock widget, sub-windows,
    // an overflowing tab bar, vertical sliders with ticks, a checkable group box with a mnemonic, item views,
    // tool buttons, a tool box, dials, splitters, fields, progress and scroll bars, a status bar). Its data
    // and dates are fixed, so every run shows the same.
    explicit GalleryPanel(QWidget* parent = nullptr, bool applicationPage = false);
    ~GalleryPanel() override;

    // Gives this panel and every widget in it (menus and the floating dock window too) the given style,
    // which stays owned by the caller.
    void applyStyle(QStyle* style);

    // Puts the widgets into the states that need a shown window or a mouse: the keyboard focus on the
    // focused button, the mouse over the "hovered" controls.
    void applyLiveStates();

    QMenuBar* galleryMenuBar() const { return m_menuBar; }
    // The pop-up menu the gallery shows opened; its active entry is selected.
    QMenu* showcaseMenu() const { return m_fileMenu; }
    QToolBar* toolBar() const { return m_toolBar; }
    QTabWidget* northTabs() const { return m_tabs[0]; }
    QTabWidget* southTabs() const { return m_tabs[1]; }
    QTabWidget* westTabs() const { return m_tabs[2]; }
    QTabWidget* eastTabs() const { return m_tabs[3]; }
    QTabWidget* singleTab() const { return m_singleTab; }
    QRadioButton* radioOn() const { return m_radioOn; }
    QRadioButton* radioOff() const { return m_radioOff; }
    QCheckBox* checkBoxHovered() const { return m_checkHovered; }
    QSlider* slider() const { return m_slider; }
    QPushButton* focusButton() const { return m_focusButton; }
    QPushButton* pressedButton() const { return m_pressedButton; }
    QPushButton* flatButton() const { return m_flatButton; }
    QGroupBox* nestedGroup() const { return m_nestedGroup; }
    QProgressBar* progressBar() const { return m_progress; }
    TitledFrame* titledFrame() const { return m_titledFrame; }
    QextDockWindow* dockedWindow() const { return m_docked; }
    QextDockWindow* floatingWindow() const { return m_floating; }

    // The application page and its controls; null without the page.
    QWidget* applicationPage() const { return m_appPage; }
    QDockWidget* plainDock() const { return m_plainDock; }
    QMdiArea* mdiArea() const { return m_mdiArea; }
    QTabBar* overflowTabs() const { return m_overflowTabs; }
    QSlider* verticalSlider() const { return m_verticalSlider; }
    QGroupBox* checkableGroup() const { return m_checkableGroup; }
    QTreeView* treeView() const { return m_treeView; }
    QTableView* tableView() const { return m_tableView; }
    QToolButton* menuToolButton() const { return m_menuToolButton; }
    QToolBox* toolBox() const { return m_toolBox; }
    QDial* dial() const { return m_dial; }
    QSplitter* splitter() const { return m_splitter; }
    QDateEdit* dateEdit() const { return m_dateEdit; }
    QProgressBar* busyProgress() const { return m_busyProgress; }
    QScrollBar* scrollBar() const { return m_scrollBar; }

    // Every menu of the panel, the sub-menus included.
    QList<QMenu*> menus() const;

private:
    void buildMenus();
    void buildToolBar();
    QWidget* buildButtonsPage();
    QWidget* buildChoicesPage();
    QWidget* buildSlidersPage();
    QWidget* buildGroupsPage();
    QWidget* buildTabsPage();
    void buildDocks();
    QWidget* buildApplicationPage();
    QWidget* buildToolButtons();
    QWidget* buildTreeView();
    QWidget* buildTableView();
    QLayout* buildDialAndSplitter();
    QLayout* buildFields();
    QLayout* buildProgressAndScrollBars();
    QMenuBar* m_menuBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QToolBar* m_toolBar = nullptr;
    QTabWidget* m_tabs[4] = {};
    QTabWidget* m_singleTab = nullptr;
    QRadioButton* m_radioOn = nullptr;
    QRadioButton* m_radioOff = nullptr;
    QRadioButton* m_radioHovered = nullptr;
    QCheckBox* m_checkHovered = nullptr;
    QSlider* m_slider = nullptr;
    QSlider* m_sliderHovered = nullptr;
    QPushButton* m_focusButton = nullptr;
    QPushButton* m_pressedButton = nullptr;
    QPushButton* m_flatButton = nullptr;
    QGroupBox* m_nestedGroup = nullptr;
    QProgressBar* m_progress = nullptr;
    TitledFrame* m_titledFrame = nullptr;
    QextDockWindow* m_docked = nullptr;
    QextDockWindow* m_floating = nullptr;
    QWidget* m_appPage = nullptr;
    QDockWidget* m_plainDock = nullptr;
    QMdiArea* m_mdiArea = nullptr;
    QTabBar* m_overflowTabs = nullptr;
    QSlider* m_verticalSlider = nullptr;
    QGroupBox* m_checkableGroup = nullptr;
    QTreeView* m_treeView = nullptr;
    QTableView* m_tableView = nullptr;
    QToolButton* m_menuToolButton = nullptr;
    QToolButton* m_hoveredArrow = nullptr;
    QToolBox* m_toolBox = nullptr;
    QDial* m_dial = nullptr;
    QSplitter* m_splitter = nullptr;
    QDateEdit* m_dateEdit = nullptr;
    QProgressBar* m_busyProgress = nullptr;
    QScrollBar* m_scrollBar = nullptr;
};

// A small coloured icon of the given shape (0 square, 1 circle, 2 triangle), the same on every run.
QIcon galleryIcon(int shape, const QColor& color);
