// Pop-up menu entries and menu bar entries: backgrounds, separators, check column, text and shortcut,
// sub-menu arrows, and the right-to-left layout.

#include "style/optioncheck.h"
#include "style2host.h"
#include "support/recordingpaintdevice.h"

#include <QApplication>
#include <QIcon>
#include <QLinearGradient>
#include <QMenu>
#include <QStyleOption>
#include <gtest/gtest.h>

namespace {

using style2::Host;

constexpr int textFlags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;

const QColor iconOn(0xa1, 0x51, 0x11);
const QColor iconOff(0x11, 0x51, 0xa1);

// The application's layout direction for the life of the scope.
class LayoutDirection {
public:
    explicit LayoutDirection(Qt::LayoutDirection direction) : m_old(QApplication::layoutDirection()) {
        QApplication::setLayoutDirection(direction);
    }
    ~LayoutDirection() { QApplication::setLayoutDirection(m_old); }

private:
    Qt::LayoutDirection m_old;
};

class Style2MenuItem : public ::testing::Test {
protected:
    Style2MenuItem() {
        EXPECT_TRUE(registry.setThemeActive(false));
        host.base()->setPixelMetric(QStyle::PM_SmallIconSize, 16);
        host.base()->setStyleHint(QStyle::SH_UnderlineShortcut, 1);
        itemFont.setPixelSize(12);
        painterFont.setPixelSize(9);
        item.rect = QRect(0, 0, 200, 22);
        item.state = QStyle::State_Enabled;
        item.palette = style2::distinctPalette();
        item.menuItemType = QStyleOptionMenuItem::Normal;
        item.maxIconWidth = 16;
        velShortcutWidth(item) = 0;
        item.font = itemFont;
        item.text = QStringLiteral("Open");
        icon.addPixmap(style2::filledPixmap(16, 16, iconOff), QIcon::Normal, QIcon::Off);
        icon.addPixmap(style2::filledPixmap(16, 16, iconOn), QIcon::Normal, QIcon::On);
    }

    void paint(QStyle::ControlElement element = QStyle::CE_MenuItem) {
        device.clear();
        host.base()->clear();
        QPainter painter(&device);
        painter.setFont(painterFont);
        host.style().drawControl(element, &item, &painter, nullptr);
    }

    // The text of the entry in rect as QPainter::drawText lays it out with these flags and font.
    static QVector<PaintOp> laidOut(const QRect& rect, int flags, const QString& text, const QFont& font) {
        return RecordingPaintDevice::layoutText(rect, flags, text, font, QSize(200, 60));
    }
    // The recorded text ops of that text.
    QVector<PaintOp> drawn(const QString& text) const {
        QVector<PaintOp> ops;
        for (const PaintOp& op : device.ofKind(PaintOp::Text))
            if (op.text == text)
                ops << op;
        return ops;
    }
    // The text rectangle of the entry for a check column of checkcol.
    QRect textRect(int checkcol) const {
        const int xm = checkcol + 5;
        return QRect(item.rect.x() + xm, item.rect.y(), item.rect.width() - xm - velShortcutWidth(item) - 11,
                     item.rect.height());
    }

    style2::RegistryFile registry;
    Host host;
    QFont itemFont, painterFont;
    QStyleOptionMenuItem item;
    QIcon icon;
    RecordingPaintDevice device{200, 60};
};

TEST_F(Style2MenuItem, CheckColumnIsAtLeastTwenty) {
    item.menuHasCheckableItems = true;
    item.checked = true;
    paint();
    const StyleCall* mark = host.base()->last(StyleCall::DrawPrimitive, QStyle::PE_IndicatorMenuCheckMark);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->option->rect, QRect(2, 2, 16, 18));
    EXPECT_EQ(mark->option->state, QStyle::State_Enabled);
    const QVector<PaintOp> text = drawn(QStringLiteral("Open"));
    const QVector<PaintOp> expected = laidOut(textRect(20), textFlags | Qt::AlignLeft, item.text, itemFont);
    ASSERT_EQ(text.size(), 1);
    ASSERT_EQ(expected.size(), 1);
    EXPECT_EQ(text[0].point, expected[0].point);

    item.maxIconWidth = 24;
    paint();
    mark = host.base()->last(StyleCall::DrawPrimitive, QStyle::PE_IndicatorMenuCheckMark);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->option->rect, QRect(2, 2, 20, 18));
    EXPECT_EQ(textRect(24).left(), 29);
    EXPECT_EQ(drawn(QStringLiteral("Open")).value(0).point,
              laidOut(textRect(24), textFlags | Qt::AlignLeft, item.text, itemFont).value(0).point);
}

TEST_F(Style2MenuItem, TextRectangleEndsBeforeTheShortcutColumn) {
    velShortcutWidth(item) = 30;
    item.text = QStringLiteral("Open\tCtrl+O");
    EXPECT_EQ(textRect(20).right(), item.rect.right() - 30 - 11);
    paint();
    const QVector<PaintOp> open = drawn(QStringLiteral("Open"));
    const QVector<PaintOp> openExpected =
        laidOut(textRect(20), textFlags | Qt::AlignLeft, QStringLiteral("Open"), itemFont);
    ASSERT_EQ(open.size(), 1);
    EXPECT_EQ(open[0].point, openExpected.value(0).point);
    const QRect shortcut(QPoint(textRect(20).right(), 0), QPoint(199, 21));
    const QVector<PaintOp> keys = drawn(QStringLiteral("Ctrl+O"));
    ASSERT_EQ(keys.size(), 1);
    EXPECT_EQ(
        keys[0].point,
        laidOut(shortcut, textFlags | Qt::AlignLeft, QStringLiteral("Ctrl+O"), painterFont).value(0).point);
    EXPECT_EQ(keys[0].font.pixelSize(), 9) << "the shortcut keeps the painter's font";
    EXPECT_EQ(open[0].font.pixelSize(), 12) << "the entry's text is in the entry's font";
}

TEST_F(Style2MenuItem, UncheckableEntryGetsNoCheckMark) {
    item.menuHasCheckableItems = false;
    item.checked = true;
    paint();
    EXPECT_EQ(host.base()->count(StyleCall::DrawPrimitive, QStyle::PE_IndicatorMenuCheckMark), 0);
}

TEST_F(Style2MenuItem, SelectedEntryIsHoverColouredAndFramed) {
    item.state |= QStyle::State_Selected;
    paint();
    const QVector<PaintOp> rects = device.ofKind(PaintOp::Rect);
    ASSERT_EQ(rects.size(), 2);
    EXPECT_EQ(rects[0].rect, QRectF(0, 0, 200, 22));
    EXPECT_EQ(rects[0].brush.color(), style2::buttonHover());
    EXPECT_EQ(rects[1].rect, QRectF(0, 0, 199, 21));
    EXPECT_EQ(rects[1].pen.color(), QColor(0, 0, 0));
    const QVector<PaintOp> text = drawn(QStringLiteral("Open"));
    ASSERT_EQ(text.size(), 1);
    EXPECT_EQ(text[0].pen.color(), item.palette.highlightedText().color());
}

TEST_F(Style2MenuItem, SelectedFramePixels) {
    item.state |= QStyle::State_Selected;
    item.text.clear();
    QImage image = style2::blankImage(200, 22);
    {
        QPainter painter(&image);
        host.style().drawControl(QStyle::CE_MenuItem, &item, &painter, nullptr);
    }
    for (int x = 0; x < 200; x += 19) {
        EXPECT_EQ(image.pixelColor(x, 0), QColor(0, 0, 0)) << x;
        EXPECT_EQ(image.pixelColor(x, 21), QColor(0, 0, 0)) << x;
    }
    EXPECT_EQ(image.pixelColor(0, 10), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(199, 10), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(100, 10), style2::buttonHover());
}

TEST_F(Style2MenuItem, BackgroundFollowsTheTheme) {
    paint();
    EXPECT_EQ(device.count(PaintOp::Rect), 0) << "no theme: no background";

    ASSERT_TRUE(registry.setThemeActive(true));
    paint();
    ASSERT_EQ(device.count(PaintOp::Rect), 1);
    EXPECT_EQ(device.first(PaintOp::Rect)->rect, QRectF(0, 0, 200, 22));
    EXPECT_EQ(device.first(PaintOp::Rect)->brush.color(), style2::gui());
    const QVector<PaintOp> text = drawn(QStringLiteral("Open"));
    ASSERT_EQ(text.size(), 1);
    EXPECT_EQ(text[0].pen.color(), item.palette.buttonText().color());
}

TEST_F(Style2MenuItem, EmptyAreaPaintsOnlyTheBackground) {
    item.menuItemType = QStyleOptionMenuItem::SubMenu;
    item.menuHasCheckableItems = true;
    item.checked = true;
    paint(QStyle::CE_MenuEmptyArea);
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(host.base()->paintingCalls(), 0);

    ASSERT_TRUE(registry.setThemeActive(true));
    paint(QStyle::CE_MenuEmptyArea);
    ASSERT_EQ(device.ops().size(), 1);
    EXPECT_EQ(device.ops()[0].brush.color(), style2::gui());
    EXPECT_EQ(host.base()->paintingCalls(), 0);
}

// A pop-up menu asks for the theme once per paint, which ends with its empty area: a change of theme
// during a paint shows at the menu's next paint.
TEST_F(Style2MenuItem, AMenuTakesTheThemeOfTheStartOfEachPaint) {
    QMenu menu;
    auto paintMenu = [&](bool changeTo) {
        device.clear();
        QPainter painter(&device);
        host.style().drawControl(QStyle::CE_MenuItem, &item, &painter, &menu);
        EXPECT_TRUE(registry.setThemeActive(changeTo));
        host.style().drawControl(QStyle::CE_MenuItem, &item, &painter, &menu);
        host.style().drawControl(QStyle::CE_MenuEmptyArea, &item, &painter, &menu);
        return device.count(PaintOp::Rect);
    };
    ASSERT_TRUE(registry.setThemeActive(true));
    EXPECT_EQ(paintMenu(false), 3);
    EXPECT_EQ(paintMenu(true), 0);
    EXPECT_EQ(paintMenu(true), 3);
    // Entries painted for anything but a menu read the theme each time.
    device.clear();
    {
        QPainter painter(&device);
        host.style().drawControl(QStyle::CE_MenuItem, &item, &painter, nullptr);
        ASSERT_TRUE(registry.setThemeActive(false));
        host.style().drawControl(QStyle::CE_MenuItem, &item, &painter, nullptr);
    }
    EXPECT_EQ(device.count(PaintOp::Rect), 1);
}

TEST_F(Style2MenuItem, SeparatorLines) {
    item.menuItemType = QStyleOptionMenuItem::Separator;
    item.rect = QRect(0, 10, 100, 7);
    paint();
    const QVector<PaintOp> lines = device.ofKind(PaintOp::Line);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].line, QLineF(0, 12, 100, 12));
    EXPECT_EQ(lines[0].pen.color(), item.palette.dark().color());
    EXPECT_EQ(lines[1].line, QLineF(0, 13, 100, 13));
    EXPECT_EQ(lines[1].pen.color(), item.palette.light().color());
    EXPECT_EQ(device.count(PaintOp::Text), 0);
}

TEST_F(Style2MenuItem, DisabledEntryIsEtched) {
    item.state = QStyle::State_None;
    velShortcutWidth(item) = 40;
    item.text = QStringLiteral("Open\tCtrl+O");
    paint();
    const QRect t = textRect(20);
    const QRect s(QPoint(t.right(), 0), QPoint(199, 21));
    const int flags = textFlags | Qt::AlignLeft;
    const QVector<PaintOp> ops = device.ofKind(PaintOp::Text);
    ASSERT_EQ(ops.size(), 4);
    const QColor lightColor = item.palette.light().color();
    const QColor textColor = item.palette.text().color();
    EXPECT_EQ(ops[0].text, QStringLiteral("Ctrl+O"));
    EXPECT_EQ(ops[0].pen.color(), lightColor);
    EXPECT_EQ(ops[0].point, laidOut(s.translated(1, 1), flags, "Ctrl+O", painterFont).value(0).point);
    EXPECT_EQ(ops[1].text, QStringLiteral("Ctrl+O"));
    EXPECT_EQ(ops[1].pen.color(), textColor);
    EXPECT_EQ(ops[1].point, laidOut(s, flags, "Ctrl+O", painterFont).value(0).point);
    EXPECT_EQ(ops[2].text, QStringLiteral("Open"));
    EXPECT_EQ(ops[2].pen.color(), lightColor);
    EXPECT_EQ(ops[2].point, laidOut(t.translated(1, 1), flags, "Open", itemFont).value(0).point);
    EXPECT_EQ(ops[3].text, QStringLiteral("Open"));
    EXPECT_EQ(ops[3].pen.color(), textColor);
    EXPECT_EQ(ops[3].point, laidOut(t, flags, "Open", itemFont).value(0).point);
}

TEST_F(Style2MenuItem, EnabledOrSelectedEntryIsNotEtched) {
    item.text = QStringLiteral("Open\tCtrl+O");
    paint();
    EXPECT_EQ(device.count(PaintOp::Text), 2);
    item.state = QStyle::State_Selected;
    paint();
    EXPECT_EQ(device.count(PaintOp::Text), 2);
    for (const PaintOp& op : device.ofKind(PaintOp::Text))
        EXPECT_EQ(op.pen.color(), item.palette.text().color()) << "disabled text colour";
}

TEST_F(Style2MenuItem, DefaultEntryIsBold) {
    item.menuItemType = QStyleOptionMenuItem::DefaultItem;
    item.text = QStringLiteral("Open\tCtrl+O");
    paint();
    ASSERT_EQ(drawn(QStringLiteral("Open")).size(), 1);
    EXPECT_TRUE(drawn(QStringLiteral("Open"))[0].font.bold());
    ASSERT_EQ(drawn(QStringLiteral("Ctrl+O")).size(), 1);
    EXPECT_FALSE(drawn(QStringLiteral("Ctrl+O"))[0].font.bold());

    item.menuItemType = QStyleOptionMenuItem::Normal;
    paint();
    EXPECT_FALSE(drawn(QStringLiteral("Open")).value(0).font.bold());
}

TEST_F(Style2MenuItem, HiddenMnemonicsFollowTheBaseHint) {
    host.base()->setStyleHint(QStyle::SH_UnderlineShortcut, 0);
    item.text = QStringLiteral("&Open");
    paint();
    const QVector<PaintOp> expected =
        laidOut(textRect(20), textFlags | Qt::TextHideMnemonic | Qt::AlignLeft, item.text, itemFont);
    const QVector<PaintOp> ops = device.ofKind(PaintOp::Text);
    ASSERT_EQ(ops.size(), expected.size());
    for (int i = 0; i < ops.size(); ++i) {
        EXPECT_EQ(ops[i].text, expected[i].text);
        EXPECT_EQ(ops[i].point, expected[i].point);
    }
    EXPECT_EQ(device.count(PaintOp::Line), 0) << "no underline";
}

TEST_F(Style2MenuItem, CheckedIconIsFramedAndShownOn) {
    item.icon = icon;
    item.menuHasCheckableItems = true;
    item.checked = true;
    paint();
    EXPECT_EQ(host.base()->count(StyleCall::DrawPrimitive, QStyle::PE_IndicatorMenuCheckMark), 0);
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    const PaintOp* pixmap = device.first(PaintOp::Pixmap);
    EXPECT_EQ(pixmap->rect, QRectF(2, 3, 16, 16)) << "centred in the check column (0, 0, 20, 22)";
    EXPECT_EQ(pixmap->image.pixelColor(0, 0), iconOn);
    ASSERT_EQ(device.count(PaintOp::Rect), 1);
    const PaintOp* frame = device.first(PaintOp::Rect);
    EXPECT_EQ(frame->rect, QRectF(1, 1, 18, 19));
    EXPECT_EQ(frame->pen.color(), item.palette.text().color());
    EXPECT_EQ(frame->brush.style(), Qt::NoBrush);
}

TEST_F(Style2MenuItem, UncheckedIconIsShownOffWithoutFrame) {
    item.icon = icon;
    item.menuHasCheckableItems = true;
    item.checked = false;
    paint();
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->image.pixelColor(0, 0), iconOff);
    EXPECT_EQ(device.count(PaintOp::Rect), 0);
}

TEST_F(Style2MenuItem, SubMenuArrow) {
    item.menuItemType = QStyleOptionMenuItem::SubMenu;
    item.text.clear();
    paint();
    const StyleCall* arrow = host.base()->last(StyleCall::DrawPrimitive, QStyle::PE_IndicatorArrowRight);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->option->rect, QRect(183, 7, 9, 9));
    EXPECT_EQ(arrow->option->rect.right(), item.rect.right() - 8);
    EXPECT_EQ(arrow->option->state, QStyle::State_Enabled);
    EXPECT_EQ(arrow->option->palette.buttonText().color(), item.palette.buttonText().color());

    item.state = QStyle::State_Selected;
    paint();
    arrow = host.base()->last(StyleCall::DrawPrimitive, QStyle::PE_IndicatorArrowRight);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->option->state, QStyle::State_None);
    EXPECT_EQ(arrow->option->palette.buttonText().color(), item.palette.highlightedText().color());
}

TEST_F(Style2MenuItem, RightToLeftChangesOnlyAlignmentAndArrow) {
    LayoutDirection rtl(Qt::RightToLeft);
    item.menuItemType = QStyleOptionMenuItem::SubMenu;
    item.menuHasCheckableItems = true;
    item.checked = true;
    paint();
    EXPECT_EQ(host.base()->count(StyleCall::DrawPrimitive, QStyle::PE_IndicatorArrowRight), 0);
    const StyleCall* arrow = host.base()->last(StyleCall::DrawPrimitive, QStyle::PE_IndicatorArrowLeft);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->option->rect, QRect(183, 7, 9, 9));
    const StyleCall* mark = host.base()->last(StyleCall::DrawPrimitive, QStyle::PE_IndicatorMenuCheckMark);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->option->rect, QRect(2, 2, 16, 18));
    const QVector<PaintOp> text = drawn(QStringLiteral("Open"));
    ASSERT_EQ(text.size(), 1);
    EXPECT_EQ(text[0].point,
              laidOut(textRect(20), textFlags | Qt::AlignRight, item.text, itemFont).value(0).point);
    EXPECT_NE(text[0].point,
              laidOut(textRect(20), textFlags | Qt::AlignLeft, item.text, itemFont).value(0).point);
}

TEST_F(Style2MenuItem, OtherOptionPaintsNothing) {
    ASSERT_TRUE(registry.setThemeActive(true));
    QStyleOption plain;
    plain.rect = item.rect;
    item.version = 0;
    {
        QPainter painter(&device);
        for (auto element : {QStyle::CE_MenuItem, QStyle::CE_MenuEmptyArea, QStyle::CE_MenuBarItem,
                             QStyle::CE_MenuBarEmptyArea}) {
            host.style().drawControl(element, &plain, &painter, nullptr);
            host.style().drawControl(element, &item, &painter, nullptr);
        }
    }
    EXPECT_TRUE(device.isEmpty());
}

// ---------------------------------------------------------------- menu bar

class Style2MenuBarItem : public Style2MenuItem {
protected:
    Style2MenuBarItem() { item.rect = QRect(10, 0, 60, 20); }
    const StyleCall* text() { return host.base()->last(StyleCall::DrawItemText); }
};

TEST_F(Style2MenuBarItem, DefaultItemPaintsNothing) {
    item.menuItemType = QStyleOptionMenuItem::DefaultItem;
    item.state |= QStyle::State_Selected;
    paint(QStyle::CE_MenuBarItem);
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(host.base()->paintingCalls(), 0);
}

TEST_F(Style2MenuBarItem, SelectedEntryIsHoverColouredAndOutlined) {
    item.state |= QStyle::State_Selected;
    paint(QStyle::CE_MenuBarItem);
    const QVector<PaintOp> rects = device.ofKind(PaintOp::Rect);
    ASSERT_EQ(rects.size(), 2);
    EXPECT_EQ(rects[0].rect, QRectF(10, 0, 60, 20));
    EXPECT_EQ(rects[0].brush.color(), style2::buttonHover());
    EXPECT_EQ(rects[1].rect, QRectF(10, -1, 59, 22));
    EXPECT_EQ(rects[1].pen.color(), QColor(0, 0, 0));
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->rect, item.rect);
    EXPECT_EQ(text()->flags, 0xB84);
    EXPECT_EQ(text()->role, QPalette::HighlightedText);
    EXPECT_EQ(text()->text, QStringLiteral("Open"));
    EXPECT_TRUE(text()->enabled);
}

TEST_F(Style2MenuBarItem, PlainEntryIsLighterOverItsWholeHeight) {
    QImage image = style2::blankImage(80, 20);
    {
        QPainter painter(&image);
        host.style().drawControl(QStyle::CE_MenuBarItem, &item, &painter, nullptr);
    }
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(image.pixelColor(69, y), style2::lighter1()) << y;
    EXPECT_EQ(image.pixelColor(9, 10), QColor(0xfe, 0xfe, 0xfe));

    paint(QStyle::CE_MenuBarItem);
    ASSERT_EQ(device.count(PaintOp::Rect), 1);
    const auto* gradient = static_cast<const QLinearGradient*>(device.first(PaintOp::Rect)->brush.gradient());
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->finalStop(), QPointF(0, 20));
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->role, QPalette::ButtonText);
}

TEST_F(Style2MenuBarItem, DisabledEntryUsesTheTextRole) {
    item.state = QStyle::State_None;
    paint(QStyle::CE_MenuBarEmptyArea);
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->role, QPalette::Text);
    EXPECT_FALSE(text()->enabled);
}

TEST_F(Style2MenuBarItem, IconOrTextNeverBoth) {
    item.icon = icon;
    paint(QStyle::CE_MenuBarItem);
    EXPECT_EQ(host.base()->count(StyleCall::DrawItemText), 0);
    const StyleCall* pixmap = host.base()->last(StyleCall::DrawItemPixmap);
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->rect, item.rect);
    EXPECT_EQ(pixmap->flags, 0xB84);
    EXPECT_EQ(pixmap->pixmap.size(), QSize(16, 16));
    EXPECT_EQ(pixmap->pixmap.toImage().pixelColor(0, 0), iconOff);
}

TEST_F(Style2MenuBarItem, HiddenMnemonicsFollowTheBaseHint) {
    host.base()->setStyleHint(QStyle::SH_UnderlineShortcut, 0);
    paint(QStyle::CE_MenuBarItem);
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->flags, 0x8B84);
}

} // namespace
