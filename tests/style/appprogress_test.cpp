// Application mode paints progress bars from the look colours: filled from the reading start in both
// orientations, mirrored and inverted, busy, disabled, with outlines present once at every device pixel
// ratio; host mode paints them as the "Windows" style does.

#include "style2host.h"

#include "support/edgeruns.h"
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QProgressBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QThread>
#include <QTimer>
#include <cmath>

#include <gtest/gtest.h>

namespace {

using namespace style2;

class AppProgress : public ::testing::Test {
protected:
    void SetUp() override { style.setApplicationMode(true); }

    static QStyleOptionProgressBar bar(Qt::Orientation orientation, int progress) {
        QStyleOptionProgressBar option;
        option.rect = orientation == Qt::Horizontal ? QRect(0, 0, 120, 20) : QRect(0, 0, 20, 120);
        option.state = QStyle::State_Enabled;
        if (orientation == Qt::Horizontal)
            option.state |= QStyle::State_Horizontal;
        option.minimum = 0;
        option.maximum = 100;
        option.progress = progress;
        option.textVisible = false;
        option.palette = distinctPalette();
        return option;
    }

    QImage paint(QStyle& with, const QStyleOptionProgressBar& option, qreal ratio = 1) {
        QImage image(option.rect.size() * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(QColor(0xfe, 0xfe, 0xfe));
        QPainter painter(&image);
        with.drawControl(QStyle::CE_ProgressBar, &option, &painter);
        return image;
    }

    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
    std::unique_ptr<QStyle> windows{QStyleFactory::create(QStringLiteral("Windows"))};
};

QColor at(const QImage& image, QPoint logical) {
    const qreal ratio = image.devicePixelRatio();
    return QColor(image.pixel(int(logical.x() * ratio), int(logical.y() * ratio)));
}

// Whether a pixel shows the done part: a colour between "ColorButtonHover" and "ColorButtonSelected".
bool isDone(const QColor& c) {
    auto between = [](int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); };
    const QColor a = buttonHover(), b = buttonSelected();
    return between(c.red(), a.red(), b.red()) && between(c.green(), a.green(), b.green()) &&
           between(c.blue(), a.blue(), b.blue());
}

struct FillRow {
    Qt::Orientation orientation;
    Qt::LayoutDirection direction;
    bool inverted;
    bool fromFarEnd; // right when horizontal, bottom when vertical
};

TEST_F(AppProgress, FillsFromTheReadingStartInTheLookColours) {
    const FillRow rows[] = {
        {Qt::Horizontal, Qt::LeftToRight, false, false}, {Qt::Horizontal, Qt::RightToLeft, false, true},
        {Qt::Horizontal, Qt::LeftToRight, true, true},   {Qt::Horizontal, Qt::RightToLeft, true, false},
        {Qt::Vertical, Qt::LeftToRight, false, true},    {Qt::Vertical, Qt::LeftToRight, true, false},
        {Qt::Vertical, Qt::RightToLeft, false, true},
    };
    for (qreal ratio : {1.0, 2.0})
        for (const FillRow& row : rows) {
            QStyleOptionProgressBar option = bar(row.orientation, 30);
            option.direction = row.direction;
            option.invertedAppearance = row.inverted;
            const QImage image = paint(style, option, ratio);
            const bool horizontal = row.orientation == Qt::Horizontal;
            const QPoint nearStart(10, 10);
            const QPoint nearEnd = horizontal ? QPoint(109, 10) : QPoint(10, 109);
            const QPoint filled = row.fromFarEnd ? nearEnd : nearStart;
            const QPoint empty = row.fromFarEnd ? nearStart : nearEnd;
            const std::string where = std::to_string(&row - rows) + " x" + std::to_string(ratio);
            EXPECT_TRUE(isDone(at(image, filled))) << where;
            EXPECT_EQ(at(image, empty), gui()) << where;
            EXPECT_EQ(at(image, QPoint(0, 0)), darker2()) << where;
            EXPECT_NE(image, paint(*windows, option, ratio)) << where;
        }
}

TEST_F(AppProgress, DisabledBarsAreFlatAndPale) {
    QStyleOptionProgressBar option = bar(Qt::Horizontal, 50);
    option.state &= ~QStyle::State_Enabled;
    const QImage image = paint(style, option);
    EXPECT_EQ(at(image, QPoint(20, 10)), darker1());
    EXPECT_EQ(at(image, QPoint(100, 10)), gui());
    EXPECT_EQ(at(image, QPoint(0, 0)), darker1());
}

// Repaints asked from elsewhere add no repaint chains of their own: the bar keeps one frame pending.
TEST_F(AppProgress, ABusyBarKeepsOneRepaintPending) {
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    QProgressBar widget;
    widget.setStyle(&style);
    widget.setRange(0, 0);
    widget.resize(120, 20);
    widget.show();
    widget.installEventFilter(&counter);
    const auto run = [](int ms) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    for (int i = 0; i < 4; ++i) {
        widget.repaint();
        run(10);
    }
    counter.paints = 0;
    run(240);
    // One chain repaints about every 40 ms; one chain per outside repaint would be four times as many.
    EXPECT_LE(counter.paints, 10);
    widget.setStyle(nullptr);
}

// The pending repaint belongs to the bar: no timer of the event dispatcher's, whose clean-up would run
// code of a module its host has closed by then.
TEST_F(AppProgress, ABusyBarsPendingRepaintIsItsOwnChild) {
    auto* widget = new QProgressBar;
    widget->setRange(0, 0);
    widget->resize(120, 20);
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    ASSERT_NE(dispatcher, nullptr);
    const int dispatcherChildren = dispatcher->children().size();
    QStyleOptionProgressBar option = bar(Qt::Horizontal, 0);
    option.maximum = 0;
    QImage image(option.rect.size(), QImage::Format_ARGB32);
    for (int i = 0; i < 2; ++i) {
        QPainter painter(&image);
        style.drawControl(QStyle::CE_ProgressBar, &option, &painter, widget);
    }
    EXPECT_EQ(dispatcher->children().size(), dispatcherChildren);
    const QList<QTimer*> timers = widget->findChildren<QTimer*>();
    ASSERT_EQ(timers.size(), 1);
    EXPECT_TRUE(timers[0]->isActive());
    QPointer<QTimer> timer = timers[0];
    delete widget;
    EXPECT_TRUE(timer.isNull());
}

TEST_F(AppProgress, BusyBarsShowAMovingBlock) {
    QProgressBar widget;
    widget.setRange(0, 0);
    widget.resize(120, 20);
    QStyleOptionProgressBar option = bar(Qt::Horizontal, 0);
    option.maximum = 0;
    QList<QImage> frames;
    for (int frame = 0; frame < 3; ++frame) {
        if (frame)
            QThread::msleep(120);
        QImage image(option.rect.size(), QImage::Format_ARGB32);
        image.fill(QColor(0xfe, 0xfe, 0xfe));
        {
            QPainter painter(&image);
            style.drawControl(QStyle::CE_ProgressBar, &option, &painter, &widget);
        }
        int done = 0;
        for (int x = 0; x < 120; ++x)
            done += isDone(QColor(image.pixel(x, 10)));
        EXPECT_GT(done, 8) << "a block";
        EXPECT_LT(done, 60) << "not a full bar";
        frames.append(image);
    }
    // Between three frames a block that turns round at one end moves at least once.
    EXPECT_TRUE(frames[0] != frames[1] || frames[1] != frames[2]);
}

// Along the middle of a busy block: how often the colour turns between the two of its stripes. A bar
// partly done shows one colour all along.
int stripeTurns(const QImage& image, bool horizontal, const QColor& face, const QColor& stripe) {
    const qreal ratio = image.devicePixelRatio();
    const int middle = int(10 * ratio), length = horizontal ? image.width() : image.height();
    int turns = 0;
    QColor last;
    for (int i = 0; i < length; ++i) {
        const QColor c(horizontal ? image.pixel(i, middle) : image.pixel(middle, i));
        if (c != face && c != stripe)
            continue;
        turns += last.isValid() && c != last;
        last = c;
    }
    return turns;
}

TEST_F(AppProgress, BusyBlocksAreStripedAndHeldStillByTheirTime) {
    style.setProperty("busyAnimationTime", 500);
    const struct {
        bool enabled;
        QColor face, stripe;
    } looks[] = {{true, buttonHover(), buttonSelected()}, {false, darker1(), gui()}};
    for (qreal ratio : {1.0, 1.5, 2.0})
        for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical})
            for (const auto& look : looks) {
                const bool horizontal = orientation == Qt::Horizontal;
                const std::string where = std::to_string(ratio) + (horizontal ? " horizontal" : " vertical") +
                                          (look.enabled ? "" : " disabled");
                QStyleOptionProgressBar option = bar(orientation, 0);
                option.maximum = 0;
                if (!look.enabled)
                    option.state &= ~QStyle::State_Enabled;
                const QImage image = paint(style, option, ratio);
                // 30 pixels of a 120-pixel bar, 50 pixels from the reading start after 500 ms: one stripe
                // every 8 pixels.
                EXPECT_GE(stripeTurns(image, horizontal, look.face, look.stripe), 5) << where;
                // The block begins about 50 pixels into the groove, the groove bare before it.
                int begins = -1;
                for (int i = 4; i < 116 && begins < 0; ++i) {
                    const QPoint p = horizontal ? QPoint(i, 10) : QPoint(10, 119 - i);
                    if (at(image, p) != gui())
                        begins = i;
                }
                EXPECT_GE(begins, 45) << where;
                EXPECT_LE(begins, 60) << where;
                // A bar partly done shows no stripes.
                QStyleOptionProgressBar done = bar(orientation, 40);
                done.state = option.state;
                EXPECT_EQ(stripeTurns(paint(style, done, ratio), horizontal, buttonHover(), buttonSelected()),
                          0)
                    << where;
            }
}

TEST_F(AppProgress, AHeldBusyBarStandsStillAndAsksForNoRepaint) {
    QProgressBar widget;
    widget.setRange(0, 0);
    widget.resize(120, 20);
    QStyleOptionProgressBar option = bar(Qt::Horizontal, 0);
    option.maximum = 0;
    const auto frame = [&] {
        QImage image(option.rect.size(), QImage::Format_ARGB32);
        image.fill(QColor(0xfe, 0xfe, 0xfe));
        QPainter painter(&image);
        style.drawControl(QStyle::CE_ProgressBar, &option, &painter, &widget);
        return image;
    };
    style.setProperty("busyAnimationTime", 200);
    const QImage first = frame();
    QThread::msleep(60);
    EXPECT_EQ(frame(), first) << "held: the same picture later";
    EXPECT_TRUE(widget.findChildren<QTimer*>().isEmpty()) << "no repaint asked";
    style.setProperty("busyAnimationTime", 700);
    EXPECT_NE(frame(), first) << "another time, another place";
    // The bar's own time wins over the style's.
    widget.setProperty("busyAnimationTime", 200);
    EXPECT_EQ(frame(), first);
    // Without a time (or with a negative one) the bar follows the clock again and asks for its repaint.
    widget.setProperty("busyAnimationTime", QVariant());
    style.setProperty("busyAnimationTime", -1);
    frame();
    EXPECT_EQ(widget.findChildren<QTimer*>().size(), 1);
}

TEST_F(AppProgress, OutlinesArePresentOnceAtEveryRatio) {
    for (qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        const QImage image = paint(style, bar(Qt::Horizontal, 50), ratio);
        // Down the middle column of the done part: the groove's and the part's top and bottom edges.
        const int x = int(20 * ratio);
        velExpectLogicalPixelEdges(velEdgeRuns(image, QPoint(x, 0), QPoint(0, 1), image.height(), darker2()),
                                   4, ratio);
    }
}

TEST_F(AppProgress, HostModePaintsAsTheWindowsStyle) {
    style.setApplicationMode(false);
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical})
        EXPECT_EQ(paint(style, bar(orientation, 40)), paint(*windows, bar(orientation, 40)));
}

} // namespace
