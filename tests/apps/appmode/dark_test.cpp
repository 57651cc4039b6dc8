// Application mode, through the plug-in's style, in light and dark palettes: a button's resting, hovered
// and pressed faces stand apart from each other, a selected item stands apart from the view's base, their
// texts stay readable, and the one-pixel lines of the status bar and the tool bar read on what they
// separate (contrast of at least 3:1).

#include "../pixels.h"
#include "pluginstyle.h"
#include "style/appcontrast.h"

#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyleOption>
#include <QToolBar>
#include <algorithm>

namespace {

// Faces that are meant to look different stand at least this far apart.
constexpr double kFacesApart = 1.3;
constexpr double kSelectionOnBase = 1.5;

QPalette darkOf(QColor window, QColor text, QColor base, QColor highlight) {
    QPalette palette(window, window);
    for (QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::HighlightedText})
        palette.setColor(role, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Highlight, highlight);
    return palette;
}

struct Scheme {
    const char* name;
    QPalette (*palette)();
};

const Scheme schemes[] = {
    {"Light", [] { return appmode::schemePalette(appmode::Scheme::Light); }},
    {"Dark", [] { return appmode::schemePalette(appmode::Scheme::Dark); }},
    {"BlueGreyDark",
     [] {
         return darkOf(QColor(0x31, 0x36, 0x3b), QColor(0xef, 0xf0, 0xf1), QColor(0x23, 0x26, 0x29),
                       QColor(0x3d, 0xae, 0xe9));
     }},
    {"Darker",
     [] {
         return darkOf(QColor(0x42, 0x42, 0x42), QColor(0xf0, 0xf0, 0xf0), QColor(0x30, 0x30, 0x30),
                       QColor(0x2f, 0x6a, 0x9a));
     }},
    {"FlatDark",
     [] {
         return darkOf(QColor(0x30, 0x30, 0x30), Qt::white, QColor(0x30, 0x30, 0x30),
                       QColor(0x2a, 0x82, 0xda));
     }},
};

class AppModeDark : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        QStyle* created = appmode::createPluginStyle();
        ASSERT_NE(created, nullptr);
        QApplication::setStyle(created);
        QApplication::setPalette(scheme().palette());
        style = created;
    }
    void TearDown() override { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows"))); }

    const Scheme& scheme() const { return schemes[GetParam()]; }

    QStyle* style = nullptr;
};

double ratio(const QImage& image, QPoint a, QPoint b) {
    return velContrastRatio(QColor(image.pixel(a)), QColor(image.pixel(b)));
}

TEST_P(AppModeDark, ButtonFacesStandApartWithReadableTexts) {
    QPushButton button(QStringLiteral("Apply"));
    button.resize(120, 32);
    const QRect r = button.rect();
    // Each state's face: its top and bottom (the ends of a resting gradient) left of the text.
    const QStyle::State states[] = {QStyle::State_None, QStyle::State_MouseOver, QStyle::State_Sunken};
    QColor faces[3][2];
    for (int s = 0; s < 3; ++s) {
        QStyleOptionButton option;
        option.initFrom(&button);
        option.rect = r;
        option.text = button.text();
        option.state = (option.state & ~QStyle::State_MouseOver) | QStyle::State_Enabled | states[s];
        if (states[s] == QStyle::State_Sunken)
            option.state |= QStyle::State_Raised;
        QImage image(r.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        style->drawControl(QStyle::CE_PushButton, &option, &painter, &button);
        painter.end();
        faces[s][0] = QColor(image.pixel(6, 3));
        faces[s][1] = QColor(image.pixel(6, r.height() - 4));
        EXPECT_GE(pixels::textContrast(image, r.adjusted(30, 6, -30, -6)), velReadableContrast)
            << scheme().name << " state " << s;
    }
    auto apart = [&](int a, int b) {
        double least = 21;
        for (const QColor& x : faces[a])
            for (const QColor& y : faces[b])
                least = std::min(least, velContrastRatio(x, y));
        return least;
    };
    EXPECT_GE(apart(0, 1), kFacesApart) << scheme().name << ": hover from rest";
    EXPECT_GE(apart(0, 2), kFacesApart) << scheme().name << ": pressed from rest";
    EXPECT_GE(apart(1, 2), kFacesApart) << scheme().name << ": pressed from hover";
}

TEST_P(AppModeDark, SelectionStandsApartFromTheBase) {
    QListWidget view;
    view.addItem(QStringLiteral("Selected entry"));
    view.addItem(QStringLiteral("Other entry"));
    view.resize(200, 100);
    view.setCurrentRow(0);
    view.setFocus();
    const QImage image = pixels::shown(view);
    const QRect item(view.viewport()->mapTo(&view, view.visualItemRect(view.item(0)).topLeft()),
                     view.visualItemRect(view.item(0)).size());
    const QColor base = view.palette().color(QPalette::Active, QPalette::Base);
    const QColor fill = pixels::background(image, item);
    EXPECT_GE(velContrastRatio(fill, base), kSelectionOnBase) << scheme().name;
    EXPECT_GE(pixels::textContrast(image, item.adjusted(2, 1, -2, -1)), velReadableContrast) << scheme().name;
}

TEST_P(AppModeDark, StatusAndToolBarLinesRead) {
    QMainWindow window;
    auto* bar = window.addToolBar(QStringLiteral("Tools"));
    bar->addAction(QStringLiteral("Open"));
    window.setCentralWidget(new QWidget);
    auto* first = new QLabel(QStringLiteral("Ready"));
    auto* second = new QLabel(QStringLiteral("Line 1"));
    window.statusBar()->addWidget(first, 1);
    window.statusBar()->addWidget(second);
    window.resize(320, 200);
    const QImage image = pixels::shown(window);

    // The status bar's top line against the window above and the bar below.
    const QRect status = window.statusBar()->geometry();
    for (int x : {20, status.width() / 2}) {
        const QPoint line(x, status.top());
        EXPECT_GE(ratio(image, line, line - QPoint(0, 1)), velReadableMarkContrast) << scheme().name;
        EXPECT_GE(ratio(image, line, line + QPoint(0, 2)), velReadableMarkContrast) << scheme().name;
    }
    // The separator on the second item's leading side (its frame starts two pixels before it), against the
    // bar on both sides of it.
    const int x = status.left() + second->geometry().left() - 2;
    for (int y : {status.top() + 5, status.center().y()}) {
        EXPECT_GE(ratio(image, QPoint(x, y), QPoint(x - 1, y)), velReadableMarkContrast) << scheme().name;
        EXPECT_GE(ratio(image, QPoint(x, y), QPoint(x + 1, y)), velReadableMarkContrast) << scheme().name;
    }
    // The tool bar's line one row above its bottom, against the bar above and below it.
    const QRect tools = bar->geometry();
    const QPoint line(tools.right() - 10, tools.bottom() - 1);
    EXPECT_GE(ratio(image, line, line - QPoint(0, 1)), velReadableMarkContrast) << scheme().name;
    EXPECT_GE(ratio(image, line, line + QPoint(0, 1)), velReadableMarkContrast) << scheme().name;
}

INSTANTIATE_TEST_SUITE_P(Schemes, AppModeDark, ::testing::Range(0, int(std::size(schemes))),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(schemes[info.param].name);
                         });

} // namespace
