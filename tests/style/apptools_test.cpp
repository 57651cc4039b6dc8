// Application mode paints tool buttons (plain, auto-raise, checked, split and with a menu), arrows and tool
// box tabs from the look colours, hovered and pressed part by part, mirrored, with text readable in light
// and dark looks and outlines present once at every device pixel ratio; host mode paints them as the
// "Windows" style does.

#include "style2host.h"

#include "apps/pixels.h"
#include "support/edgeruns.h"
#include <QAbstractButton>
#include <QLabel>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBox>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using namespace style2;
using S = QStyle;

const QColor kBackground(0xfe, 0xfe, 0xfe);
const QColor kDisabledText(0x09, 0x59, 0x09);
const QColor kIcon(0xff, 0x00, 0x00);

// What a face shows: nothing (the background), the resting gradient, or a flat state colour.
enum class Shows { Flat, Raised, Hover, Pressed, Disabled };

QColor at(const QImage& image, QPoint logical) {
    const qreal ratio = image.devicePixelRatio();
    return QColor(image.pixel(int(logical.x() * ratio), int(logical.y() * ratio)));
}

// Checks the face in rect: its outline at the top left corner and its fill just inside.
void expectShows(const QImage& image, const QRect& rect, Shows shows, const std::string& what) {
    const QColor corner = at(image, rect.topLeft()), inside = at(image, rect.topLeft() + QPoint(2, 2));
    switch (shows) {
    case Shows::Flat:
        EXPECT_EQ(corner, kBackground) << what;
        EXPECT_EQ(inside, kBackground) << what;
        return;
    case Shows::Raised: {
        EXPECT_EQ(corner, darker2()) << what;
        const QColor bottom = at(image, QPoint(rect.left() + 2, rect.bottom() - 2));
        EXPECT_GT(inside.red(), bottom.red()) << what << ": from the lighter colour down";
        for (const QColor& flat : {buttonHover(), buttonSelected(), gui(), kBackground})
            EXPECT_NE(inside, flat) << what;
        return;
    }
    case Shows::Hover:
        EXPECT_EQ(corner, darker2()) << what;
        EXPECT_EQ(inside, buttonHover()) << what;
        return;
    case Shows::Pressed:
        EXPECT_EQ(corner, darker2()) << what;
        EXPECT_EQ(inside, buttonSelected()) << what;
        return;
    case Shows::Disabled:
        EXPECT_EQ(corner, darker1()) << what;
        EXPECT_EQ(inside, gui()) << what;
        return;
    }
}

// The pixels of exactly that colour: where they lie and their centre of mass.
struct Ink {
    QRect bounds;
    QPointF centre;
    int count = 0;
};

// tolerance: how far each channel may stray, for text whose strokes are smoothed into their background.
Ink inkOf(const QImage& image, const QColor& colour, int tolerance = 0) {
    auto near = [&](QColor c) {
        return qAbs(c.red() - colour.red()) <= tolerance && qAbs(c.green() - colour.green()) <= tolerance &&
               qAbs(c.blue() - colour.blue()) <= tolerance;
    };
    Ink ink;
    QPointF sum;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(QColor(image.pixel(x, y)))) {
                ink.bounds |= QRect(x, y, 1, 1);
                sum += QPointF(x + 0.5, y + 0.5);
                ++ink.count;
            }
    if (ink.count)
        ink.centre = sum / ink.count;
    return ink;
}

QIcon filledIcon() {
    return QIcon(filledPixmap(16, 16, kIcon));
}

// The light palette of a stock program and a dark one as dark desktop schemes give it.
QPalette schemePalette(bool dark) {
    if (!dark)
        return std::unique_ptr<QStyle>(QStyleFactory::create(QStringLiteral("Fusion")))->standardPalette();
    QPalette palette(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, Qt::white);
    palette.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    return palette;
}

class AppTools : public ::testing::Test {
protected:
    void SetUp() override { style.setApplicationMode(true); }

    static QStyleOptionToolButton toolButton(S::State state, bool split = false,
                                             S::SubControls active = S::SC_None,
                                             Qt::LayoutDirection direction = Qt::LeftToRight) {
        QStyleOptionToolButton o;
        o.rect = QRect(0, 0, 80, 24);
        o.state = state;
        o.direction = direction;
        o.palette = distinctPalette();
        o.palette.setColor(QPalette::Disabled, QPalette::ButtonText, kDisabledText);
        o.subControls = split ? S::SC_ToolButton | S::SC_ToolButtonMenu : S::SC_ToolButton;
        o.activeSubControls = active;
        o.features = split ? QStyleOptionToolButton::MenuButtonPopup | QStyleOptionToolButton::HasMenu
                           : QStyleOptionToolButton::None;
        o.toolButtonStyle = Qt::ToolButtonIconOnly;
        o.iconSize = QSize(16, 16);
        return o;
    }
    static QStyleOptionToolBox toolBoxTab(S::State state, Qt::LayoutDirection direction = Qt::LeftToRight) {
        QStyleOptionToolBox o;
        o.rect = QRect(0, 0, 160, 24);
        o.state = state;
        o.direction = direction;
        o.palette = distinctPalette();
        o.text = QStringLiteral("Page");
        o.icon = filledIcon();
        return o;
    }

    template <class Paint> static QImage paint(const QRect& rect, qreal ratio, Paint paintWith) {
        QImage image(rect.size() * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(kBackground);
        QPainter painter(&image);
        paintWith(&painter);
        return image;
    }
    static QImage button(QStyle& with, const QStyleOptionToolButton& o, qreal ratio = 1) {
        return paint(o.rect, ratio, [&](QPainter* p) { with.drawComplexControl(S::CC_ToolButton, &o, p); });
    }
    static QImage tab(QStyle& with, const QStyleOptionToolBox& o, qreal ratio = 1) {
        return paint(o.rect, ratio, [&](QPainter* p) { with.drawControl(S::CE_ToolBoxTab, &o, p); });
    }
    static QImage primitive(QStyle& with, S::PrimitiveElement element, const QStyleOption& o,
                            qreal ratio = 1) {
        return paint(o.rect, ratio, [&](QPainter* p) { with.drawPrimitive(element, &o, p); });
    }
    QRect part(const QStyleOptionToolButton& o, S::SubControl sub) {
        return style.subControlRect(S::CC_ToolButton, &o, sub);
    }

    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
    std::unique_ptr<QStyle> windows{QStyleFactory::create(QStringLiteral("Windows"))};
};

constexpr S::State kOn = S::State_Enabled;

TEST_F(AppTools, ToolButtonPartsShowTheirOwnState) {
    const struct {
        const char* name;
        S::State state;
        bool split;
        S::SubControls active;
        Shows button, menu;
    } rows[] = {
        {"resting", kOn | S::State_Raised, false, S::SC_None, Shows::Raised, Shows::Flat},
        {"auto-raise resting", kOn | S::State_Raised | S::State_AutoRaise, false, S::SC_None, Shows::Flat,
         Shows::Flat},
        {"auto-raise hovered", kOn | S::State_Raised | S::State_AutoRaise | S::State_MouseOver, false,
         S::SC_ToolButton, Shows::Hover, Shows::Flat},
        {"hovered", kOn | S::State_Raised | S::State_MouseOver, false, S::SC_None, Shows::Hover, Shows::Flat},
        {"pressed", kOn | S::State_Sunken, false, S::SC_ToolButton, Shows::Pressed, Shows::Flat},
        {"checked auto-raise", kOn | S::State_On | S::State_AutoRaise, false, S::SC_None, Shows::Pressed,
         Shows::Flat},
        {"disabled", S::State_Raised, false, S::SC_None, Shows::Disabled, Shows::Flat},
        {"disabled auto-raise", S::State_Raised | S::State_AutoRaise, false, S::SC_None, Shows::Flat,
         Shows::Flat},
        {"disabled checked auto-raise", S::State_On | S::State_AutoRaise, false, S::SC_None, Shows::Disabled,
         Shows::Flat},
        {"split resting", kOn | S::State_Raised, true, S::SC_None, Shows::Raised, Shows::Raised},
        {"split auto-raise resting", kOn | S::State_Raised | S::State_AutoRaise, true, S::SC_None,
         Shows::Flat, Shows::Flat},
        {"split button hovered", kOn | S::State_Raised | S::State_AutoRaise | S::State_MouseOver, true,
         S::SC_ToolButton, Shows::Hover, Shows::Raised},
        {"split menu hovered", kOn | S::State_Raised | S::State_AutoRaise | S::State_MouseOver, true,
         S::SC_ToolButtonMenu, Shows::Raised, Shows::Hover},
        {"split button pressed", kOn | S::State_Sunken, true, S::SC_ToolButton, Shows::Pressed,
         Shows::Raised},
        {"split menu open", kOn | S::State_Raised | S::State_Sunken, true, S::SC_ToolButtonMenu,
         Shows::Raised, Shows::Pressed},
        {"split disabled", S::State_Raised, true, S::SC_None, Shows::Disabled, Shows::Disabled},
    };
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft})
        for (const auto& row : rows) {
            const QStyleOptionToolButton o = toolButton(row.state, row.split, row.active, direction);
            const std::string name =
                std::string(row.name) + (direction == Qt::RightToLeft ? " mirrored" : "");
            const QImage image = button(style, o);
            const QRect b = part(o, S::SC_ToolButton), m = part(o, S::SC_ToolButtonMenu);
            expectShows(image, b, row.button, name + " button");
            if (row.split) {
                EXPECT_EQ(m.center().x() > b.center().x(), direction == Qt::LeftToRight) << name;
                expectShows(image, m, row.menu, name + " menu");
            }
            if (row.button != Shows::Flat) {
                EXPECT_NE(image, button(*windows, o)) << name;
            }
        }
}

TEST_F(AppTools, PanelPrimitivesAreFacesOrOutlinesInTheState) {
    const struct {
        S::PrimitiveElement element;
        S::State state;
        Shows shows;
    } rows[] = {
        {S::PE_PanelButtonTool, kOn | S::State_Raised, Shows::Raised},
        {S::PE_PanelButtonTool, kOn | S::State_Raised | S::State_MouseOver, Shows::Hover},
        {S::PE_PanelButtonTool, kOn | S::State_Sunken, Shows::Pressed},
        {S::PE_PanelButtonTool, kOn | S::State_AutoRaise | S::State_Raised, Shows::Flat},
        {S::PE_PanelButtonTool, kOn, Shows::Flat},
        {S::PE_PanelButtonTool, S::State_Raised, Shows::Disabled},
        {S::PE_IndicatorButtonDropDown, kOn | S::State_Sunken, Shows::Pressed},
        {S::PE_IndicatorButtonDropDown, kOn | S::State_Raised, Shows::Raised},
    };
    for (const auto& row : rows) {
        QStyleOption o;
        o.rect = QRect(0, 0, 40, 24);
        o.state = row.state;
        const QImage image = primitive(style, row.element, o);
        expectShows(image, o.rect, row.shows, std::to_string(row.element) + " " + std::to_string(row.state));
        if (row.shows != Shows::Flat) {
            EXPECT_NE(image, primitive(*windows, row.element, o));
        }
    }
    // The frame alone leaves the inside alone.
    QStyleOption o;
    o.rect = QRect(0, 0, 40, 24);
    o.state = kOn | S::State_Sunken;
    const QImage frame = primitive(style, S::PE_FrameButtonTool, o);
    EXPECT_EQ(at(frame, QPoint(0, 0)), darker2());
    EXPECT_EQ(at(frame, QPoint(2, 2)), kBackground);
}

TEST_F(AppTools, ArrowsAreTrianglesInTheButtonTextColourPointingTheirWay) {
    const struct {
        S::PrimitiveElement element;
        int dx, dy; // where the ink's centre lies from the middle of its bounds: toward the wide base
    } rows[] = {
        {S::PE_IndicatorArrowUp, 0, 1},   {S::PE_IndicatorArrowDown, 0, -1},
        {S::PE_IndicatorArrowLeft, 1, 0}, {S::PE_IndicatorArrowRight, -1, 0},
        {S::PE_IndicatorSpinUp, 0, 1},    {S::PE_IndicatorSpinDown, 0, -1},
    };
    for (const auto& row : rows)
        for (bool enabled : {true, false}) {
            QStyleOption o;
            o.rect = QRect(0, 0, 16, 16);
            o.state = enabled ? kOn : S::State_None;
            o.palette = distinctPalette();
            o.palette.setColor(QPalette::Disabled, QPalette::ButtonText, kDisabledText);
            const QColor colour = enabled ? distinctPalette().color(QPalette::ButtonText) : kDisabledText;
            const QImage image = primitive(style, row.element, o);
            const Ink ink = inkOf(image, colour);
            ASSERT_GT(ink.count, 6) << row.element;
            const QPointF middle = QRectF(ink.bounds).center();
            EXPECT_EQ(int(ink.centre.x() > middle.x() + 0.2) - int(ink.centre.x() < middle.x() - 0.2), row.dx)
                << row.element;
            EXPECT_EQ(int(ink.centre.y() > middle.y() + 0.2) - int(ink.centre.y() < middle.y() - 0.2), row.dy)
                << row.element;
            EXPECT_NE(image, primitive(*windows, row.element, o)) << row.element;
        }
    // Plus and minus: a bar across, and for the plus one down.
    for (S::PrimitiveElement element : {S::PE_IndicatorSpinPlus, S::PE_IndicatorSpinMinus}) {
        QStyleOption o;
        o.rect = QRect(0, 0, 16, 16);
        o.state = kOn;
        o.palette = distinctPalette();
        const Ink ink = inkOf(primitive(style, element, o), distinctPalette().color(QPalette::ButtonText));
        EXPECT_EQ(ink.bounds.width(), 9) << element;
        EXPECT_EQ(ink.bounds.height(), element == S::PE_IndicatorSpinPlus ? 9 : 1) << element;
    }
}

TEST_F(AppTools, LabelsPlaceIconTextAndArrowsByStyleAndDirection) {
    // On the hover face the label is drawn in the text colour readable on it.
    const QColor text = velReadableOn(buttonHover(), distinctPalette().color(QPalette::ButtonText));
    const struct {
        Qt::ToolButtonStyle buttonStyle;
        bool icon, words;
    } rows[] = {
        {Qt::ToolButtonIconOnly, true, false},
        {Qt::ToolButtonTextOnly, false, true},
        {Qt::ToolButtonTextBesideIcon, true, true},
        {Qt::ToolButtonTextUnderIcon, true, true},
    };
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft})
        for (const auto& row : rows) {
            QStyleOptionToolButton o = toolButton(kOn | S::State_MouseOver, false, S::SC_None, direction);
            o.rect = QRect(0, 0, 80, 44);
            o.icon = filledIcon();
            o.text = QStringLiteral("Tool");
            o.toolButtonStyle = row.buttonStyle;
            const QImage image = button(style, o);
            const Ink icon = inkOf(image, kIcon), words = inkOf(image, text, 0x60);
            EXPECT_EQ(icon.count > 0, row.icon) << row.buttonStyle;
            EXPECT_EQ(words.count > 10, row.words) << row.buttonStyle;
            if (row.buttonStyle == Qt::ToolButtonTextBesideIcon) {
                if (direction == Qt::LeftToRight) {
                    EXPECT_LT(icon.bounds.right(), words.bounds.left());
                } else {
                    EXPECT_GT(icon.bounds.left(), words.bounds.right());
                }
            } else if (row.buttonStyle == Qt::ToolButtonTextUnderIcon) {
                EXPECT_LT(icon.bounds.bottom(), words.bounds.top());
            }
        }

    // Arrow buttons: the arrow, pointing its way, in the label's colour.
    const struct {
        Qt::ArrowType arrow;
        int dx, dy;
    } arrows[] = {
        {Qt::UpArrow, 0, 1}, {Qt::DownArrow, 0, -1}, {Qt::LeftArrow, 1, 0}, {Qt::RightArrow, -1, 0}};
    for (const auto& row : arrows) {
        QStyleOptionToolButton o = toolButton(kOn | S::State_MouseOver);
        o.rect = QRect(0, 0, 24, 24);
        o.features |= QStyleOptionToolButton::Arrow;
        o.arrowType = row.arrow;
        const QImage image = button(style, o);
        const Ink ink = inkOf(image, text);
        ASSERT_GT(ink.count, 6) << row.arrow;
        const QPointF middle = QRectF(ink.bounds).center();
        EXPECT_EQ(int(ink.centre.x() > middle.x() + 0.2) - int(ink.centre.x() < middle.x() - 0.2), row.dx);
        EXPECT_EQ(int(ink.centre.y() > middle.y() + 0.2) - int(ink.centre.y() < middle.y() - 0.2), row.dy);
        EXPECT_NE(image, button(*windows, o)) << row.arrow;
    }
}

TEST_F(AppTools, MenuMarksSitOnTheReadingEnd) {
    const QColor text = velReadableOn(buttonHover(), distinctPalette().color(QPalette::ButtonText));
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        const bool ltr = direction == Qt::LeftToRight;
        // A menu that opens from the whole button: a small arrow in the lower far corner.
        QStyleOptionToolButton whole = toolButton(kOn | S::State_MouseOver, false, S::SC_None, direction);
        whole.features |= QStyleOptionToolButton::HasMenu;
        const Ink mark = inkOf(button(style, whole), text);
        ASSERT_GT(mark.count, 0) << ltr;
        EXPECT_GT(mark.bounds.top(), whole.rect.height() / 2);
        EXPECT_EQ(mark.bounds.left() > whole.rect.width() / 2, ltr);
        EXPECT_EQ(mark.bounds.right() < whole.rect.width() / 2, !ltr);
        // A split button: the arrow in its menu part.
        QStyleOptionToolButton split =
            toolButton(kOn | S::State_MouseOver, true, S::SC_ToolButtonMenu, direction);
        const Ink arrow = inkOf(button(style, split), text);
        ASSERT_GT(arrow.count, 0) << ltr;
        EXPECT_TRUE(part(split, S::SC_ToolButtonMenu).contains(arrow.bounds)) << ltr;
    }
}

TEST_F(AppTools, FocusIsShownInsideTheButtonPart) {
    for (bool split : {false, true}) {
        const QStyleOptionToolButton resting = toolButton(kOn | S::State_Raised, split);
        QStyleOptionToolButton focused = resting;
        focused.state |= S::State_HasFocus | S::State_KeyboardFocusChange;
        const QImage a = button(style, resting), b = button(style, focused);
        const QRect inner = part(resting, S::SC_ToolButton).adjusted(2, 2, -2, -2);
        EXPECT_TRUE(pixels::differ(a, b, inner)) << split;
        if (split) {
            EXPECT_FALSE(pixels::differ(a, b, part(resting, S::SC_ToolButtonMenu)));
        }
    }
}

TEST_F(AppTools, ToolBoxTabsAreFacesInTheirStateWithTheIconOnTheReadingStart) {
    const struct {
        S::State state;
        Shows shows; // Flat: the open page's wash
    } rows[] = {
        {kOn, Shows::Raised},
        {kOn | S::State_MouseOver, Shows::Hover},
        {kOn | S::State_Sunken, Shows::Pressed},
        {kOn | S::State_Selected, Shows::Flat},
        {kOn | S::State_Selected | S::State_MouseOver, Shows::Flat},
        {S::State_None, Shows::Disabled},
    };
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft})
        for (const auto& row : rows) {
            const QStyleOptionToolBox o = toolBoxTab(row.state, direction);
            const QImage image = tab(style, o);
            if (row.shows == Shows::Flat) {
                EXPECT_EQ(at(image, QPoint(0, 0)), darker2());
                EXPECT_EQ(at(image, QPoint(2, 1)), buttonHover()) << "from the hover colour";
                EXPECT_EQ(at(image, QPoint(2, 22)), buttonSelected()) << "into the pressed one";
            } else {
                expectShows(image, o.rect, row.shows, std::to_string(row.state));
            }
            EXPECT_NE(image, tab(*windows, o)) << row.state;
            if (!(row.state & S::State_Enabled))
                continue; // the icon is greyed
            const Ink icon = inkOf(image, kIcon);
            ASSERT_GT(icon.count, 0) << row.state;
            EXPECT_EQ(icon.bounds.right() < 40, direction == Qt::LeftToRight) << row.state;
            EXPECT_EQ(icon.bounds.left() > 120, direction == Qt::RightToLeft) << row.state;
        }
}

TEST_F(AppTools, TextsAreReadableOnEveryFaceInLightAndDarkLooks) {
    const struct {
        const char* name;
        S::State state;
        bool split, toolBox;
        S::SubControls active;
    } rows[] = {
        {"tool button", kOn | S::State_Raised, false, false, S::SC_None},
        {"auto-raise tool button", kOn | S::State_Raised | S::State_AutoRaise, false, false, S::SC_None},
        {"hovered tool button", kOn | S::State_Raised | S::State_MouseOver, false, false, S::SC_ToolButton},
        {"pressed tool button", kOn | S::State_Sunken, false, false, S::SC_ToolButton},
        {"checked tool button", kOn | S::State_On | S::State_AutoRaise, false, false, S::SC_None},
        {"split, menu hovered", kOn | S::State_Raised | S::State_AutoRaise | S::State_MouseOver, true, false,
         S::SC_ToolButtonMenu},
        {"tool box tab", kOn, false, true, S::SC_None},
        {"hovered tool box tab", kOn | S::State_MouseOver, false, true, S::SC_None},
        {"pressed tool box tab", kOn | S::State_Sunken, false, true, S::SC_None},
        {"open page's tab", kOn | S::State_Selected, false, true, S::SC_None},
    };
    for (bool dark : {false, true}) {
        const QPalette palette = schemePalette(dark);
        QColor colors[VelHostLook::ColorCount];
        VelHostLook::colorsForPalette(palette, colors);
        for (int i = 0; i < VelHostLook::ColorCount; ++i)
            host.look()->setColor(VelHostLook::colorName(i), colors[i]);
        for (const auto& row : rows) {
            QImage image(120, 28, QImage::Format_RGB32);
            // Flat buttons show the window behind them.
            image.fill(colors[0]);
            QPainter painter(&image);
            QRect area;
            if (row.toolBox) {
                QStyleOptionToolBox o = toolBoxTab(row.state);
                o.rect = image.rect();
                o.palette = palette;
                o.icon = QIcon();
                style.drawControl(S::CE_ToolBoxTab, &o, &painter);
                area = o.rect.adjusted(3, 3, -60, -3);
            } else {
                QStyleOptionToolButton o = toolButton(row.state, row.split, row.active);
                o.rect = image.rect();
                o.palette = palette;
                o.text = QStringLiteral("Apply");
                o.toolButtonStyle = Qt::ToolButtonTextOnly;
                style.drawComplexControl(S::CC_ToolButton, &o, &painter);
                area = part(o, S::SC_ToolButton).adjusted(3, 3, -3, -3);
            }
            painter.end();
            EXPECT_GT(pixels::inkCount(image, area), 10) << row.name << " dark " << dark;
            EXPECT_GE(pixels::textContrast(image, area), velReadableContrast) << row.name << " dark " << dark;
        }
    }
}

TEST_F(AppTools, OutlinesArePresentOnceAtEveryRatio) {
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        // A split button, either way round: its outline and the line the parts share, each once.
        for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            const QImage split =
                button(style, toolButton(kOn | S::State_Raised, true, S::SC_None, direction), ratio);
            velExpectLogicalPixelEdges(
                velEdgeRuns(split, QPoint(0, int(3 * ratio)), QPoint(1, 0), split.width(), darker2()), 3,
                ratio);
            velExpectLogicalPixelEdges(
                velEdgeRuns(split, QPoint(int(40 * ratio), 0), QPoint(0, 1), split.height(), darker2()), 2,
                ratio);
        }
        // A tool box tab, across and down.
        const QImage page = tab(style, toolBoxTab(kOn | S::State_Sunken), ratio);
        velExpectLogicalPixelEdges(
            velEdgeRuns(page, QPoint(0, int(2 * ratio)), QPoint(1, 0), page.width(), darker2()), 2, ratio);
        velExpectLogicalPixelEdges(
            velEdgeRuns(page, QPoint(int(80 * ratio), 0), QPoint(0, 1), page.height(), darker2()), 2, ratio);
    }
}

TEST_F(AppTools, ToolButtonsAndToolBoxTabsTrackTheMouseInApplicationModeOnly) {
    QToolButton toolButton;
    QToolBox toolBox;
    toolBox.addItem(new QLabel(QStringLiteral("page")), QStringLiteral("Page"));
    const QList<QAbstractButton*> tabs = toolBox.findChildren<QAbstractButton*>();
    ASSERT_EQ(tabs.size(), 1);
    for (bool application : {true, false}) {
        style.setApplicationMode(application);
        for (QWidget* widget : {static_cast<QWidget*>(&toolButton), static_cast<QWidget*>(tabs[0])}) {
            widget->setAttribute(Qt::WA_Hover, false);
            style.polish(widget);
            EXPECT_EQ(widget->testAttribute(Qt::WA_Hover), application) << widget->metaObject()->className();
        }
    }
}

TEST_F(AppTools, HostModePaintsAsTheWindowsStyle) {
    style.setApplicationMode(false);
    for (S::State state : {kOn | S::State_Raised, kOn | S::State_Sunken | S::State_MouseOver,
                           kOn | S::State_On | S::State_AutoRaise}) {
        QStyleOptionToolButton o = toolButton(state, true, S::SC_ToolButton);
        o.text = QStringLiteral("Tool");
        o.toolButtonStyle = Qt::ToolButtonTextOnly;
        EXPECT_EQ(button(style, o), button(*windows, o)) << state;
        const QStyleOptionToolBox t = toolBoxTab(state | S::State_Selected);
        EXPECT_EQ(tab(style, t), tab(*windows, t)) << state;
        QStyleOption p;
        p.rect = QRect(0, 0, 16, 16);
        p.state = state;
        for (S::PrimitiveElement element :
             {S::PE_IndicatorArrowUp, S::PE_PanelButtonTool, S::PE_IndicatorSpinPlus})
            EXPECT_EQ(primitive(style, element, p), primitive(*windows, element, p)) << element;
    }
}

} // namespace
