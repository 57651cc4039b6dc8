// Application mode at device pixel ratios 1.25, 1.5, 2 and 3, through the plug-in's style, on real widgets:
// every frame edge of a group box, a tab, a menu entry, a push button and a scroll bar is there once and
// one logical pixel wide, as many as at ratio 1; radio buttons show their pictures' own detail at whole
// ratios, not the picture of ratio 1 blown up.

#include "../../style/support/edgeruns.h"
#include "../pixels.h"
#include "pluginstyle.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>
#include <memory>

namespace {

using appmode::PluginStyle;

class AppModeRatios : public PluginStyle {};

// The widget painted at a device pixel ratio.
QImage atRatio(QWidget& widget, qreal ratio) {
    QImage image(widget.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    widget.render(&image);
    image.setDevicePixelRatio(1);
    return image;
}

// One scan across edges of a control: from a logical point along a direction for a logical length; the
// edges are the runs of the colour found at ratio 1 at colourAt.
struct Scan {
    QPoint from;
    bool vertical;
    int length;
    QPoint colourAt;
    int edges;
};

struct Control {
    const char* name;
    std::function<QWidget*()> make;
    // The scans, once the control is shown at its size.
    std::function<QVector<Scan>(QWidget*)> scans;
};

QWidget* groupBox() {
    auto* box = new QGroupBox(QStringLiteral("Title"));
    (new QVBoxLayout(box))->addWidget(new QLabel(QStringLiteral("inside")));
    box->resize(200, 90);
    return box;
}

QWidget* tabBar() {
    auto* bar = new QTabBar;
    bar->addTab(QStringLiteral("First"));
    bar->addTab(QStringLiteral("Second"));
    bar->resize(240, bar->sizeHint().height());
    return bar;
}

QWidget* tabWidget() {
    auto* tabs = new QTabWidget;
    tabs->addTab(new QWidget, QStringLiteral("One"));
    tabs->resize(200, 120);
    return tabs;
}

QWidget* menu() {
    auto* menu = new QMenu;
    menu->setWindowFlags(Qt::Widget);
    menu->addAction(QStringLiteral("Open file"));
    menu->setActiveAction(menu->addAction(QStringLiteral("Save file")));
    menu->resize(180, menu->sizeHint().height());
    return menu;
}

QWidget* button() {
    auto* button = new QPushButton(QStringLiteral("Apply"));
    button->resize(120, 32);
    return button;
}

QWidget* scrollBar() {
    auto* bar = new QScrollBar(Qt::Horizontal);
    bar->setRange(0, 100);
    bar->setValue(40);
    bar->resize(200, bar->sizeHint().height());
    return bar;
}

const Control controls[] = {
    {"group box", groupBox,
     [](QWidget* w) {
         // Across the frame's sides below the title, and down its right part through top and bottom.
         const int y = w->height() - 20, x = w->width() - 20;
         return QVector<Scan>{{{0, y}, false, w->width(), {0, y}, 2},
                              {{x, 0}, true, w->height(), {x, w->height() - 1}, 2}};
     }},
    {"tab", tabBar,
     [](QWidget* w) {
         const QRect tab = static_cast<QTabBar*>(w)->tabRect(0);
         return QVector<Scan>{
             {{tab.center().x(), 0}, true, tab.height() / 2, {tab.center().x(), tab.top()}, 1}};
     }},
    {"tab pane", tabWidget,
     [](QWidget* w) {
         const int y = w->height() - 20, x = w->width() - 20;
         return QVector<Scan>{{{0, y}, false, w->width(), {0, y}, 2},
                              {{x, w->height() - 40}, true, 40, {x, w->height() - 1}, 1}};
     }},
    {"menu entry", menu,
     [](QWidget* w) {
         auto* menu = static_cast<QMenu*>(w);
         const QRect entry = menu->actionGeometry(menu->activeAction());
         const int x = entry.right() - 6;
         return QVector<Scan>{
             {{x, entry.top()}, true, entry.height(), {x, entry.top()}, 2},
             {{entry.left(), entry.top() + 3}, false, entry.width(), {entry.left(), entry.top() + 3}, 2}};
     }},
    {"push button", button,
     [](QWidget* w) {
         return QVector<Scan>{{{0, 4}, false, w->width(), {0, 4}, 2},
                              {{w->width() - 8, 0}, true, w->height(), {w->width() - 8, 0}, 2}};
     }},
    {"scroll bar", scrollBar,
     [](QWidget* w) {
         // Down through the slider, and along the bar through both arrow buttons' and the slider's sides.
         auto* bar = static_cast<QScrollBar*>(w);
         QStyleOptionSlider option;
         option.initFrom(bar);
         option.orientation = Qt::Horizontal;
         option.state |= QStyle::State_Horizontal;
         option.minimum = bar->minimum();
         option.maximum = bar->maximum();
         option.sliderPosition = option.sliderValue = bar->value();
         option.pageStep = bar->pageStep();
         const QRect slider =
             bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
         const int x = slider.center().x();
         return QVector<Scan>{{{x, 0}, true, w->height(), {x, slider.top()}, 2},
                              {{slider.left(), 3}, false, slider.width(), {slider.left(), 3}, 2}};
     }},
};

QList<int> runsAt(const QImage& image, qreal ratio, const Scan& scan, const QColor& colour) {
    // Along the device pixels of the scan's logical pixels, through the middle of those across it.
    const int along = scan.vertical ? scan.from.y() : scan.from.x();
    const int across = int(((scan.vertical ? scan.from.x() : scan.from.y()) + 0.5) * ratio);
    const int start = qRound(along * ratio), end = qRound((along + scan.length) * ratio);
    const QPoint from = scan.vertical ? QPoint(across, start) : QPoint(start, across);
    return velEdgeRuns(image, from, scan.vertical ? QPoint(0, 1) : QPoint(1, 0), end - start, colour);
}

TEST_P(AppModeRatios, EveryFrameEdgeIsThereOnceAtEveryRatio) {
    for (const Control& control : controls) {
        std::unique_ptr<QWidget> widget(control.make());
        pixels::shown(*widget);
        const QImage one = atRatio(*widget, 1);
        for (const Scan& scan : control.scans(widget.get())) {
            const QColor colour(one.pixel(scan.colourAt));
            SCOPED_TRACE(testing::Message() << control.name << " scan from " << scan.from.x() << ","
                                            << scan.from.y() << " colour " << qPrintable(colour.name()));
            velExpectLogicalPixelEdges(runsAt(one, 1, scan, colour), scan.edges, 1);
            for (qreal ratio : {1.25, 1.5, 2.0, 3.0})
                velExpectLogicalPixelEdges(runsAt(atRatio(*widget, ratio), ratio, scan, colour), scan.edges,
                                           ratio);
        }
    }
}

// (The slider's pictures are checked on the painted operations, in tests/style/appslider_test.cpp.)
TEST_P(AppModeRatios, RadioButtonsShowTheVariantsOwnDetailAtWholeRatios) {
    for (bool checked : {false, true}) {
        QRadioButton radio(QStringLiteral("On"));
        radio.setChecked(checked);
        pixels::shown(radio);
        QStyleOptionButton button;
        button.initFrom(&radio);
        const QRect picture = style->subElementRect(QStyle::SE_RadioButtonIndicator, &button, &radio);
        ASSERT_FALSE(picture.isEmpty());
        const QImage one = atRatio(radio, 1).copy(picture);
        for (int ratio : {2, 3}) {
            const QRect device(picture.topLeft() * ratio, picture.size() * ratio);
            EXPECT_NE(atRatio(radio, ratio).copy(device), one.scaled(one.size() * ratio))
                << "checked " << checked << " x" << ratio;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, AppModeRatios,
                         ::testing::Values(appmode::Scheme::Light, appmode::Scheme::Dark),
                         appmode::schemeName);

} // namespace
