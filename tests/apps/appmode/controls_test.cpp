// Application mode, through the plug-in's style: the controls a host never shows and the behaviour it does
// not want, as users of a Qt style expect them, seen in the rendered pixels, in light and dark palettes.

#include "../pixels.h"
#include "pluginstyle.h"

#include <QAbstractButton>
#include <QDockWidget>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QSlider>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

using appmode::PluginStyle;
using pixels::shown;

class AppModeControls : public PluginStyle {};

struct GroupBox : QGroupBox {
    using QGroupBox::initStyleOption;
    using QGroupBox::QGroupBox;
};

struct Slider : QSlider {
    using QSlider::initStyleOption;
    using QSlider::QSlider;
};

TEST_P(AppModeControls, PlainDockWidgetsHaveAReadableTitle) {
    QMainWindow window;
    auto* dock = new QDockWidget(QStringLiteral("Inspector"), &window);
    auto* content = new QLabel(QStringLiteral("content"));
    content->setMinimumWidth(200);
    dock->setWidget(content);
    window.addDockWidget(Qt::LeftDockWidgetArea, dock);
    window.setCentralWidget(new QWidget);
    window.resize(400, 240);
    shown(window);
    const QImage image = dock->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect title(0, 0, dock->width() / 2, dock->widget()->geometry().top());
    EXPECT_GE(title.height(), dock->fontMetrics().height());
    EXPECT_GT(pixels::inkCount(image, title), 20) << "the title text";
    EXPECT_GE(pixels::textContrast(image, title), velReadableContrast);
    // The float and close buttons show their glyphs on the title.
    const QList<QAbstractButton*> buttons = dock->findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 2);
    for (QAbstractButton* button : buttons)
        EXPECT_GT(pixels::inkCount(image, button->geometry().adjusted(1, 1, -1, -1), 2.0), 4);
}

TEST_P(AppModeControls, SubWindowsHaveTitleBarsWithButtonsActiveAndInactive) {
    QMdiArea area;
    area.resize(420, 300);
    QList<QMdiSubWindow*> windows;
    for (const char* title : {"Notes", "Report"}) {
        QMdiSubWindow* window = area.addSubWindow(new QLabel(QStringLiteral("text")));
        window->setWindowTitle(QLatin1String(title));
        window->setGeometry(windows.size() * 200, 0, 190, 120);
        windows.append(window);
    }
    shown(area);
    area.setActiveSubWindow(windows[1]);
    const QImage active = shown(*windows[1]);
    const QImage inactive = windows[0]->grab().toImage().convertToFormat(QImage::Format_RGB32);

    QStyleOptionTitleBar option;
    option.initFrom(windows[1]);
    option.titleBarFlags = windows[1]->windowFlags();
    option.subControls = QStyle::SC_All;
    EXPECT_GT(style->pixelMetric(QStyle::PM_TitleBarHeight, &option, windows[1]), 0);
    const int titleHeight = windows[1]->widget()->geometry().top();
    option.rect = QRect(0, 0, windows[1]->width(), titleHeight);
    EXPECT_GE(titleHeight, windows[1]->fontMetrics().height());
    const QRect close =
        style->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarCloseButton, windows[1]);
    EXPECT_FALSE(close.isEmpty());
    EXPECT_LE(close.bottom(), titleHeight);

    const QRect label(6, 2, 80, titleHeight - 4);
    for (const QImage* image : {&active, &inactive}) {
        EXPECT_GT(pixels::inkCount(*image, label), 20);
        EXPECT_GE(pixels::textContrast(*image, label), velReadableContrast);
    }
    EXPECT_NE(pixels::background(active, label), pixels::background(inactive, label))
        << "the active window's title bar stands out";
    EXPECT_GT(pixels::inkCount(active, close.adjusted(2, 2, -2, -2), 2.0), 4) << "the close button's cross";

    // The window menu's picture is the window's icon and keeps its colours; only the glyphs are recoloured.
    const QImage icon =
        style->standardIcon(QStyle::SP_TitleBarMenuButton, &option, windows[1]).pixmap(16, 16).toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (qAlpha(icon.pixel(x, y)) == 255)
                colours.insert(icon.pixel(x, y));
    EXPECT_GT(colours.size(), 2);
}

TEST_P(AppModeControls, TabsThatDoNotFitAreReachedByScrollArrows) {
    QTabBar bar;
    for (int i = 1; i <= 9; ++i)
        bar.addTab(QStringLiteral("Document %1").arg(i));
    bar.resize(220, bar.sizeHint().height());
    shown(bar);
    QList<QToolButton*> arrows = bar.findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    for (QToolButton* arrow : arrows)
        EXPECT_TRUE(arrow->isVisible());
    QToolButton* forward = arrows[0]->arrowType() == Qt::RightArrow ? arrows[0] : arrows[1];
    for (int i = 0; i < 20 && !bar.rect().contains(bar.tabRect(8)); ++i)
        forward->click();
    EXPECT_TRUE(bar.rect().contains(bar.tabRect(8).center())) << "the last tab came into view";
}

TEST_P(AppModeControls, TabWidgetsHaveAPaneFrame) {
    QTabWidget tabs;
    tabs.addTab(new QWidget, QStringLiteral("One"));
    tabs.resize(200, 120);
    const QImage image = shown(tabs);
    const int y = tabs.height() - 1;
    const QColor inside = QColor(image.pixel(100, y - 10));
    EXPECT_GT(velContrastRatio(QColor(image.pixel(100, y)), inside), 1.2) << "bottom edge of the pane";
    EXPECT_GT(velContrastRatio(QColor(image.pixel(0, y - 20)), inside), 1.2) << "left edge of the pane";
}

TEST_P(AppModeControls, GroupBoxesKeepTheToolkitsSpacing) {
    QGroupBox box(QStringLiteral("Mode"));
    auto* row = new QHBoxLayout(&box);
    auto* label = new QLabel(QStringLiteral("Mode:"));
    auto* value = new QLabel(QStringLiteral("Normal"));
    row->addWidget(label);
    row->addWidget(value);
    row->addStretch(1);
    shown(box);
    EXPECT_GT(row->spacing(), 0);
    EXPECT_GE(value->x() - label->geometry().right(), 3) << "labels do not touch their fields";
}

TEST_P(AppModeControls, CheckableGroupBoxShowsItsStateAndClicks) {
    GroupBox box(QStringLiteral("E&xclusive options"));
    box.setCheckable(true);
    box.setChecked(true);
    (new QHBoxLayout(&box))->addWidget(new QLabel(QStringLiteral("inside")));
    box.resize(220, 80);
    const QImage checked = shown(box);
    QStyleOptionGroupBox option;
    box.initStyleOption(&option);
    const QRect check =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxCheckBox, &box);
    ASSERT_FALSE(check.isEmpty());
    box.setChecked(false);
    const QImage unchecked = shown(box);
    EXPECT_TRUE(pixels::differ(checked, unchecked, check)) << "the check box shows the state";

    // A click on the check box switches the box.
    const QPointF at = check.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, box.mapToGlobal(at.toPoint()), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, box.mapToGlobal(at.toPoint()), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
    QApplication::sendEvent(&box, &release);
    EXPECT_TRUE(box.isChecked());
}

// The title row of a group box: its ink, from the check box on.
QRect titleInk(GroupBox& box, QStyle* style, const QImage& image) {
    QStyleOptionGroupBox option;
    box.initStyleOption(&option);
    const QRect label = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    return pixels::inkBounds(image, label.adjusted(-1, -1, 1, 2));
}

TEST_P(AppModeControls, GroupBoxTitlesShowMnemonicsDisabledColourFlatnessAndAlignment) {
    GroupBox plain(QStringLiteral("Exclusive"));
    GroupBox mnemonic(QStringLiteral("E&xclusive"));
    for (GroupBox* box : {&plain, &mnemonic})
        box->resize(200, 60);
    const QRect plainInk = titleInk(plain, style, shown(plain));
    const QRect mnemonicInk = titleInk(mnemonic, style, shown(mnemonic));
    ASSERT_FALSE(plainInk.isEmpty());
    EXPECT_LE(std::abs(mnemonicInk.width() - plainInk.width()), 1) << "no literal '&'";
    if (style->styleHint(QStyle::SH_UnderlineShortcut, nullptr, &mnemonic)) {
        EXPECT_GT(mnemonicInk.bottom(), plainInk.bottom()) << "the mnemonic is underlined";
    }

    const QImage enabled = shown(plain);
    plain.setEnabled(false);
    const QImage disabled = shown(plain);
    QStyleOptionGroupBox option;
    plain.initStyleOption(&option);
    const QRect label = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &plain);
    EXPECT_LT(pixels::textContrast(disabled, label), pixels::textContrast(enabled, label))
        << "a disabled title is drawn in the disabled colour";

    GroupBox flat(QStringLiteral("Flat"));
    flat.resize(200, 60);
    const QImage framed = shown(flat);
    flat.setFlat(true);
    const QImage flatImage = shown(flat);
    EXPECT_GT(pixels::inkCount(framed, QRect(0, 30, 12, 10), 1.2), 0) << "a framed box has its left edge";
    EXPECT_EQ(pixels::inkCount(flatImage, QRect(0, 30, 12, 10), 1.2), 0) << "a flat box has none";

    GroupBox right(QStringLiteral("Right"));
    right.setAlignment(Qt::AlignRight);
    right.resize(200, 60);
    const QRect rightInk = titleInk(right, style, shown(right));
    ASSERT_FALSE(rightInk.isEmpty());
    EXPECT_GT(rightInk.left(), right.width() / 2) << "the title follows the alignment";
}

// A slider painted straight from an option, in a given state.
QImage paintSlider(QStyle* style, const QStyleOptionSlider& option, const QWidget* widget) {
    QImage image(option.rect.right() + 1, option.rect.bottom() + 1, QImage::Format_RGB32);
    image.fill(option.palette.color(QPalette::Window));
    QPainter painter(&image);
    style->drawComplexControl(QStyle::CC_Slider, &option, &painter, widget);
    return image;
}

TEST_P(AppModeControls, VerticalSlidersWithTicksInTheirRectangle) {
    Slider slider(Qt::Vertical);
    slider.setRange(0, 10);
    slider.setValue(3);
    slider.setTickPosition(QSlider::TicksBothSides);
    slider.resize(slider.sizeHint().width(), 160);
    const QImage image = shown(slider);
    QStyleOptionSlider option;
    slider.initStyleOption(&option);
    const QRect handle = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
    const QRect groove = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &slider);
    EXPECT_GT(handle.width(), handle.height()) << "a vertical slider's handle lies across it";
    EXPECT_TRUE(slider.rect().contains(handle)) << "nothing of the handle is clipped";
    EXPECT_GT(groove.height(), 100) << "the groove runs along the slider";
    // Tick marks on both sides of the handle's column.
    EXPECT_GT(pixels::inkCount(image, QRect(0, 0, handle.left(), slider.height())), 5);
    EXPECT_GT(pixels::inkCount(image, QRect(handle.right() + 1, 0, slider.width(), slider.height())), 5);

    // Geometry relative to the option's rectangle, wherever it starts.
    option.rect.translate(7, 40);
    const QRect moved = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &slider);
    EXPECT_EQ(moved, groove.translated(7, 40));

    Slider horizontal(Qt::Horizontal);
    horizontal.setTickPosition(QSlider::TicksBelow);
    horizontal.resize(160, horizontal.sizeHint().height());
    shown(horizontal);
    QStyleOptionSlider across;
    horizontal.initStyleOption(&across);
    EXPECT_TRUE(horizontal.rect().contains(
        style->subControlRect(QStyle::CC_Slider, &across, QStyle::SC_SliderHandle, &horizontal)));
}

TEST_P(AppModeControls, PressedAndDisabledSlidersAndIndicatorsStandApart) {
    Slider slider(Qt::Horizontal);
    slider.resize(160, slider.sizeHint().height());
    shown(slider);
    QStyleOptionSlider option;
    slider.initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle; // as the slider paints itself
    const QRect handle = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
    const QImage normal = paintSlider(style, option, &slider);
    QStyleOptionSlider pressed(option);
    pressed.state |= QStyle::State_Sunken;
    pressed.activeSubControls = QStyle::SC_SliderHandle;
    QStyleOptionSlider disabled(option);
    disabled.state &= ~QStyle::State_Enabled;
    EXPECT_TRUE(pixels::differ(normal, paintSlider(style, pressed, &slider), handle)) << "pressed";
    EXPECT_TRUE(pixels::differ(normal, paintSlider(style, disabled, &slider), option.rect)) << "disabled";

    // Radio buttons and check boxes, on and off, enabled and disabled.
    for (QStyle::PrimitiveElement element : {QStyle::PE_IndicatorRadioButton, QStyle::PE_IndicatorCheckBox}) {
        for (QStyle::State on : {QStyle::State_On, QStyle::State_Off}) {
            QStyleOptionButton indicator;
            indicator.rect = QRect(0, 0, 13, 13);
            indicator.palette = QApplication::palette();
            auto paint = [&](QStyle::State state) {
                QImage image(13, 13, QImage::Format_RGB32);
                image.fill(indicator.palette.color(QPalette::Window));
                indicator.state = state | on;
                QPainter painter(&image);
                style->drawPrimitive(element, &indicator, &painter, nullptr);
                return image;
            };
            EXPECT_TRUE(
                pixels::differ(paint(QStyle::State_Enabled), paint(QStyle::State_None), indicator.rect))
                << "element " << element << " on " << (on == QStyle::State_On);
        }
    }
}

// The ink of each half of a menu entry's row.
struct RowInk {
    QRect left, right;
};

RowInk rowInk(const QImage& image, const QRect& row) {
    const int half = row.left() + row.width() / 2;
    return {pixels::inkBounds(image,
                              QRect(row.left() + 2, row.top() + 2, half - row.left() - 2, row.height() - 4)),
            pixels::inkBounds(image, QRect(half, row.top() + 2, row.right() - half - 2, row.height() - 4))};
}

TEST_P(AppModeControls, RightToLeftMenusAreMirrored) {
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        const bool rtl = direction == Qt::RightToLeft;
        QMenu menu;
        menu.setLayoutDirection(direction);
        QAction* go = menu.addAction(QStringLiteral("Go"));
        go->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+G")));
        QAction* alone = menu.addAction(QStringLiteral("Alpha"));
        QMenu* more = menu.addMenu(QStringLiteral("More"));
        more->addAction(QStringLiteral("Inner"));
        menu.popup(QPoint(0, 0));
        const QImage image = shown(menu);

        const RowInk label = rowInk(image, menu.actionGeometry(alone));
        EXPECT_EQ(label.left.isEmpty(), rtl) << "a label alone sits at the reading start";
        EXPECT_EQ(label.right.isEmpty(), !rtl);

        // The shortcut is the wider ink, at the reading end.
        const RowInk both = rowInk(image, menu.actionGeometry(go));
        ASSERT_FALSE(both.left.isEmpty());
        ASSERT_FALSE(both.right.isEmpty());
        EXPECT_EQ(both.left.width() > both.right.width(), rtl) << "shortcut at the left when mirrored";

        // The sub-menu arrow at the reading end, pointing onwards.
        const QRect row = menu.actionGeometry(more->menuAction());
        const RowInk arrow = rowInk(image, row);
        if (rtl) {
            EXPECT_LT(arrow.left.left(), row.left() + 20);
        } else {
            EXPECT_GT(arrow.right.right(), row.right() - 20);
        }
        menu.hide();

        QMenuBar bar;
        bar.setLayoutDirection(direction);
        QAction* file = bar.addAction(QStringLiteral("File"));
        QAction* edit = bar.addAction(QStringLiteral("Edit"));
        bar.resize(300, bar.sizeHint().height());
        shown(bar);
        EXPECT_EQ(bar.actionGeometry(file).x() > bar.actionGeometry(edit).x(), rtl);
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, AppModeControls,
                         ::testing::Values(appmode::Scheme::Light, appmode::Scheme::Dark),
                         appmode::schemeName);

} // namespace
