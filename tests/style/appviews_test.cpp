// Application mode paints item views and their headers from the look colours: header faces in every state
// with their separators present once at every device pixel ratio, labels and sort arrows readable on them,
// selected and hovered items, branch and column view arrows without lines, check boxes framed like fields,
// table grids and disabled header labels, mirrored, in light and dark palettes; host mode paints them as the
// "Windows" style does.

#include "style2host.h"

#include "../apps/pixels.h"
#include "style/appcontrast.h"
#include "support/edgeruns.h"

#include <QHeaderView>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTreeView>
#include <functional>

#include <gtest/gtest.h>

namespace {

using namespace style2;

const QColor kBlank(0xfe, 0xfe, 0xfe);
const QColor kBase(0xfa, 0xfb, 0xfc);
const QColor kAlternate(0xf0, 0xf1, 0xf2);
const QColor kText(0x21, 0x22, 0x23);
const QColor kDisabledText(0x71, 0x72, 0x73);

enum class Scheme { Light, Dark };

QPalette schemePalette(Scheme scheme) {
    if (scheme == Scheme::Light) {
        std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        return fusion->standardPalette();
    }
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    for (QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::HighlightedText})
        dark.setColor(role, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    return dark;
}

class AppViews : public ::testing::Test {
protected:
    void SetUp() override { style.setApplicationMode(true); }

    // The look colours a host following the scheme's palette gives.
    void useScheme(Scheme scheme) {
        QColor colors[VelHostLook::ColorCount];
        VelHostLook::colorsForPalette(schemePalette(scheme), colors);
        for (int i = 0; i < VelHostLook::ColorCount; ++i)
            host.look()->setColor(VelHostLook::colorName(i), colors[i]);
    }
    LookColors look() {
        LookColors colors;
        style.askLookColors(nullptr, colors);
        return colors;
    }

    static QImage paint(QSize size, qreal ratio, const std::function<void(QPainter*)>& draw) {
        QImage image(size * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(kBlank);
        QPainter painter(&image);
        draw(&painter);
        return image;
    }
    static QImage control(const QStyle& with, QStyle::ControlElement element, const QStyleOption& option,
                          qreal ratio = 1) {
        return paint(option.rect.size(), ratio,
                     [&](QPainter* p) { with.drawControl(element, &option, p, nullptr); });
    }
    static QImage primitive(const QStyle& with, QStyle::PrimitiveElement element, const QStyleOption& option,
                            qreal ratio = 1) {
        return paint(option.rect.size(), ratio,
                     [&](QPainter* p) { with.drawPrimitive(element, &option, p, nullptr); });
    }

    static QStyleOptionHeader header(QStyle::State state, Qt::Orientation orientation = Qt::Horizontal,
                                     Qt::LayoutDirection direction = Qt::LeftToRight) {
        QStyleOptionHeader option;
        option.rect = QRect(0, 0, orientation == Qt::Horizontal ? 80 : 40, 24);
        option.state = QStyle::State_Raised | state;
        if (orientation == Qt::Horizontal)
            option.state |= QStyle::State_Horizontal;
        option.orientation = orientation;
        option.direction = direction;
        option.position = QStyleOptionHeader::Middle;
        option.palette = distinctPalette();
        return option;
    }
    static QStyleOptionViewItem item(QStyle::State state, const QPalette& palette = itemPalette()) {
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 120, 20);
        option.state = state;
        option.palette = palette;
        return option;
    }
    static QPalette itemPalette() {
        QPalette palette = distinctPalette();
        palette.setColor(QPalette::Base, kBase);
        palette.setColor(QPalette::AlternateBase, kAlternate);
        palette.setColor(QPalette::Text, kText);
        palette.setColor(QPalette::Disabled, QPalette::Text, kDisabledText);
        return palette;
    }

    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
    std::unique_ptr<QStyle> windows{QStyleFactory::create(QStringLiteral("Windows"))};
};

// The device pixel under a logical point.
QColor at(const QImage& image, QPoint logical) {
    const qreal ratio = image.devicePixelRatio();
    return QColor(image.pixel(int(logical.x() * ratio), int(logical.y() * ratio)));
}

int distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// Where the painted pixels of a glyph lie, from the centre of the image: a triangle leans to its base.
QPointF inkLean(const QImage& image) {
    QPointF sum;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)) != kBlank) {
                sum += QPointF(x, y);
                ++count;
            }
    return count ? sum / count - QPointF((image.width() - 1) / 2.0, (image.height() - 1) / 2.0) : QPointF();
}

// The painted pixel that stands out most from background.
QColor strongestInk(const QImage& image, const QColor& background) {
    QColor best = background;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            if (velContrastRatio(c, background) > velContrastRatio(best, background))
                best = c;
        }
    return best;
}

struct FaceRow {
    const char* name;
    QStyle::State state;
    bool enabled;
    QColor (*fill)(); // null: the raised gradient
    QColor (*line)();
};

TEST_F(AppViews, HeaderSectionsAreFacesOfTheirStateWithTrailingAndBottomLines) {
    const FaceRow rows[] = {
        {"at rest", QStyle::State_None, true, nullptr, darker2},
        {"hovered", QStyle::State_MouseOver, true, buttonHover, darker2},
        {"pressed", QStyle::State_Sunken, true, buttonSelected, darker2},
        {"selected", QStyle::State_On, true, buttonSelected, darker2},
        {"disabled", QStyle::State_MouseOver, false, gui, darker1},
    };
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical})
        for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft})
            for (const FaceRow& row : rows) {
                QStyleOptionHeader option =
                    header(row.state | (row.enabled ? QStyle::State_Enabled : QStyle::State_None),
                           orientation, direction);
                const QImage image = control(style, QStyle::CE_HeaderSection, option);
                const QRect r = option.rect;
                const bool rtl = direction == Qt::RightToLeft;
                const std::string name = std::string(row.name) +
                                         (orientation == Qt::Vertical ? " vertical" : "") +
                                         (rtl ? " mirrored" : "");
                if (row.fill) {
                    EXPECT_EQ(at(image, r.center()), row.fill()) << name;
                } else {
                    // A horizontal header's faces run down, a vertical header's across from its outer
                    // side, which is the right when mirrored (the trailing line lies at the other).
                    const int outer = rtl ? r.right() : r.left(), inner = rtl ? r.left() + 1 : r.right() - 1;
                    const bool horizontal = orientation == Qt::Horizontal;
                    const QPoint first = horizontal ? QPoint(r.center().x(), 0) : QPoint(outer, 10);
                    const QPoint last =
                        horizontal ? QPoint(r.center().x(), r.bottom() - 1) : QPoint(inner, 10);
                    EXPECT_LT(distance(at(image, first), lighter1()), distance(at(image, first), gui()))
                        << name;
                    EXPECT_LT(distance(at(image, last), gui()), distance(at(image, last), lighter1()))
                        << name;
                }
                EXPECT_EQ(at(image, QPoint(r.center().x(), r.bottom())), row.line()) << name;
                EXPECT_EQ(at(image, QPoint(rtl ? r.left() : r.right(), 8)), row.line())
                    << name << " trailing";
                EXPECT_NE(at(image, QPoint(rtl ? r.right() : r.left(), 8)), row.line()) << name << " leading";
                EXPECT_NE(image, control(*windows, QStyle::CE_HeaderSection, option)) << name;
            }
}

TEST_F(AppViews, HeaderSeparatorsArePresentOnceAtEveryRatio) {
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0})
        for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical})
            for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
                const bool horizontal = orientation == Qt::Horizontal;
                // Three sections side by side (horizontal) or stacked (vertical).
                const QSize size = horizontal ? QSize(90, 20) : QSize(40, 60);
                const QImage image = paint(size, ratio, [&](QPainter* p) {
                    for (int i = 0; i < 3; ++i) {
                        QStyleOptionHeader option = header(QStyle::State_Enabled, orientation, direction);
                        option.rect = horizontal ? QRect(30 * i, 0, 30, 20) : QRect(0, 20 * i, 40, 20);
                        style.drawControl(QStyle::CE_HeaderSection, &option, p, nullptr);
                    }
                });
                const QSize device = image.size();
                const int midRow = int(10 * ratio), midColumn = int(15 * ratio);
                // Along the header: a line between sections and after the last; across it: one line.
                const QList<int> along =
                    horizontal
                        ? velEdgeRuns(image, QPoint(0, midRow), QPoint(1, 0), device.width(), darker2())
                        : velEdgeRuns(image, QPoint(midColumn, 0), QPoint(0, 1), device.height(), darker2());
                const QList<int> across =
                    horizontal
                        ? velEdgeRuns(image, QPoint(midColumn, 0), QPoint(0, 1), device.height(), darker2())
                        : velEdgeRuns(image, QPoint(0, midRow), QPoint(1, 0), device.width(), darker2());
                velExpectLogicalPixelEdges(along, 3, ratio);
                velExpectLogicalPixelEdges(across, 1, ratio);
            }
}

TEST_F(AppViews, HeaderLabelsAndSortArrowsAreReadableOnEveryFace) {
    for (Scheme scheme : {Scheme::Light, Scheme::Dark}) {
        useScheme(scheme);
        const LookColors colors = look();
        const struct {
            const char* name;
            QStyle::State state;
            QColor first, last; // the ends of the face
        } faces[] = {{"at rest", QStyle::State_None, colors.lighter1, colors.gui},
                     {"hovered", QStyle::State_MouseOver, colors.buttonHover, colors.buttonHover},
                     {"pressed", QStyle::State_Sunken, colors.buttonSelected, colors.buttonSelected},
                     {"selected", QStyle::State_On, colors.buttonSelected, colors.buttonSelected}};
        for (const auto& face : faces) {
            const std::string name = std::string(face.name) + (scheme == Scheme::Dark ? " dark" : " light");
            QStyleOptionHeader option = header(QStyle::State_Enabled | face.state);
            option.palette = schemePalette(scheme);
            // A button text that vanishes on the face: the label must not take it.
            option.palette.setColor(QPalette::ButtonText, face.last);
            option.text = QStringLiteral("Name");
            option.sortIndicator = QStyleOptionHeader::SortDown;
            const QImage image = control(style, QStyle::CE_Header, option);
            const QColor ink = strongestInk(image, face.last);
            EXPECT_GT(pixels::inkCount(image, option.rect.adjusted(2, 2, -20, -2)), 10) << name;
            EXPECT_GE(velContrastRatio(ink, face.first), velReadableContrast) << name;
            EXPECT_GE(velContrastRatio(ink, face.last), velReadableContrast) << name;
            EXPECT_NE(control(style, QStyle::CE_HeaderLabel, option),
                      control(*windows, QStyle::CE_HeaderLabel, option))
                << name;
            // The sort arrow, alone, in the label's colour.
            option.rect = QRect(0, 0, 16, 24);
            const QImage arrow = primitive(style, QStyle::PE_IndicatorHeaderArrow, option);
            EXPECT_GE(velContrastRatio(strongestInk(arrow, kBlank), face.last), velReadableContrast) << name;
        }
    }
}

TEST_F(AppViews, SortArrowsPointTheWayOfTheSortInBothDirections) {
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QStyleOptionHeader option = header(QStyle::State_Enabled, Qt::Horizontal, direction);
        option.rect = QRect(0, 0, 16, 24);
        option.sortIndicator = QStyleOptionHeader::SortUp;
        const QImage up = primitive(style, QStyle::PE_IndicatorHeaderArrow, option);
        EXPECT_GT(inkLean(up).y(), 0.3) << "an arrow pointing up leans to its base below";
        EXPECT_NE(up, primitive(*windows, QStyle::PE_IndicatorHeaderArrow, option));
        option.sortIndicator = QStyleOptionHeader::SortDown;
        EXPECT_LT(inkLean(primitive(style, QStyle::PE_IndicatorHeaderArrow, option)).y(), -0.3);
        option.sortIndicator = QStyleOptionHeader::None;
        EXPECT_EQ(primitive(style, QStyle::PE_IndicatorHeaderArrow, option),
                  paint(option.rect.size(), 1, [](QPainter*) {}));
    }
}

TEST_F(AppViews, EmptyHeaderAreaContinuesTheBarAtRest) {
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical})
        for (bool enabled : {true, false}) {
            const bool horizontal = orientation == Qt::Horizontal;
            QStyleOption option;
            option.rect = QRect(0, 0, 60, 24);
            option.palette = distinctPalette();
            option.state = (enabled ? QStyle::State_Enabled : QStyle::State_None) |
                           (horizontal ? QStyle::State_Horizontal : QStyle::State_None);
            const QImage image = control(style, QStyle::CE_HeaderEmptyArea, option);
            const QColor line = enabled ? darker2() : darker1();
            EXPECT_EQ(at(image, QPoint(30, 23)) == line, horizontal) << "bottom line " << orientation;
            EXPECT_EQ(at(image, QPoint(59, 12)) == line, !horizontal) << "trailing line " << orientation;
            if (!enabled) {
                EXPECT_EQ(at(image, QPoint(30, 12)), gui());
            }
            option.state |= QStyle::State_MouseOver;
            EXPECT_EQ(control(style, QStyle::CE_HeaderEmptyArea, option), image) << "no hover";
            EXPECT_NE(image, control(*windows, QStyle::CE_HeaderEmptyArea, option));
        }
}

struct PanelRow {
    const char* name;
    QStyle::State state;
    bool alternate;
    std::function<QColor()> item, row; // what each panel lies in
};

TEST_F(AppViews, ItemAndRowPanelsShowSelectionHoverAndAlternateRows) {
    // The grey of the selected colour's luminance: 0x12, 0x22, 0x32 is as light as 0x21 on each channel.
    const QColor grey(0x21, 0x21, 0x21);
    const QStyle::State active = QStyle::State_Enabled | QStyle::State_Active;
    const PanelRow rows[] = {
        {"at rest", active, false, [] { return kBlank; }, [] { return kBlank; }},
        {"alternate", active, true, [] { return kBlank; }, [] { return kAlternate; }},
        {"selected", active | QStyle::State_Selected, true, buttonSelected, buttonSelected},
        {"selected without the focus", QStyle::State_Enabled | QStyle::State_Selected, false,
         [&] { return grey; }, [&] { return grey; }},
        {"selected and disabled", QStyle::State_Active | QStyle::State_Selected, false, gui, gui},
        {"hovered", active | QStyle::State_MouseOver, true, buttonHover, buttonHover},
        {"hovered and disabled", QStyle::State_MouseOver, false, [] { return kBlank; },
         [] { return kBlank; }},
    };
    EXPECT_NE(grey, buttonSelected());
    for (const PanelRow& row : rows) {
        QStyleOptionViewItem option = item(row.state);
        if (row.alternate)
            option.features |= QStyleOptionViewItem::Alternate;
        const QImage itemPanel = primitive(style, QStyle::PE_PanelItemViewItem, option);
        const QImage rowPanel = primitive(style, QStyle::PE_PanelItemViewRow, option);
        EXPECT_EQ(at(itemPanel, QPoint(2, 2)), row.item()) << row.name;
        EXPECT_EQ(at(itemPanel, QPoint(118, 18)), row.item()) << row.name << ": the whole item";
        EXPECT_EQ(at(rowPanel, QPoint(2, 2)), row.row()) << row.name;
        if (row.item() != kBlank) {
            EXPECT_NE(itemPanel, primitive(*windows, QStyle::PE_PanelItemViewItem, option)) << row.name;
        }
    }
    // An item's own background lies under it, the selection over it.
    QStyleOptionViewItem option = item(active);
    option.backgroundBrush = QBrush(barColor());
    EXPECT_EQ(at(primitive(style, QStyle::PE_PanelItemViewItem, option), QPoint(5, 5)), barColor());
    option.state |= QStyle::State_Selected;
    EXPECT_EQ(at(primitive(style, QStyle::PE_PanelItemViewItem, option), QPoint(5, 5)), buttonSelected());
}

TEST_F(AppViews, SelectedAndHoveredItemTextsAreReadable) {
    for (Scheme scheme : {Scheme::Light, Scheme::Dark}) {
        useScheme(scheme);
        const QStyle::State active = QStyle::State_Enabled | QStyle::State_Active;
        for (QStyle::State state :
             {active | QStyle::State_Selected, active | QStyle::State_Selected | QStyle::State_HasFocus,
              QStyle::State_Enabled | QStyle::State_Selected, active | QStyle::State_MouseOver}) {
            QStyleOptionViewItem option = item(state, schemePalette(scheme));
            option.features |= QStyleOptionViewItem::HasDisplay;
            option.text = QStringLiteral("Selected entry");
            option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
            const QImage image = control(style, QStyle::CE_ItemViewItem, option);
            const QRect area = option.rect.adjusted(2, 2, -2, -2);
            EXPECT_GT(pixels::inkCount(image, area), 20) << int(state);
            EXPECT_GE(pixels::textContrast(image, area), velReadableContrast)
                << "state " << int(state) << (scheme == Scheme::Dark ? " dark" : " light");
            EXPECT_NE(image, control(*windows, QStyle::CE_ItemViewItem, option)) << int(state);
            if (state & QStyle::State_HasFocus) {
                option.state &= ~QStyle::State_HasFocus;
                EXPECT_NE(image, control(style, QStyle::CE_ItemViewItem, option)) << "the focus frame shows";
            }
        }
    }
}

TEST_F(AppViews, BranchesAndColumnViewArrowsShowArrowsAndNoLines) {
    const struct {
        const char* name;
        QStyle::PrimitiveElement element;
        QStyle::State state;
        Qt::LayoutDirection direction;
        QPointF lean; // the way to the arrow's base
    } rows[] = {
        {"closed", QStyle::PE_IndicatorBranch, QStyle::State_None, Qt::LeftToRight, {-1, 0}},
        {"closed mirrored", QStyle::PE_IndicatorBranch, QStyle::State_None, Qt::RightToLeft, {1, 0}},
        {"open", QStyle::PE_IndicatorBranch, QStyle::State_Open, Qt::LeftToRight, {0, -1}},
        {"open mirrored", QStyle::PE_IndicatorBranch, QStyle::State_Open, Qt::RightToLeft, {0, -1}},
        {"column", QStyle::PE_IndicatorColumnViewArrow, QStyle::State_None, Qt::LeftToRight, {-1, 0}},
        {"column mirrored", QStyle::PE_IndicatorColumnViewArrow, QStyle::State_None, Qt::RightToLeft, {1, 0}},
    };
    const QStyle::State branch = QStyle::State_Enabled | QStyle::State_Active | QStyle::State_Item |
                                 QStyle::State_Sibling | QStyle::State_Children;
    for (const auto& row : rows) {
        QStyleOptionViewItem option = item(branch | row.state);
        option.rect = QRect(0, 0, 20, 20);
        option.direction = row.direction;
        const QImage image = primitive(style, row.element, option);
        const QPointF lean = inkLean(image);
        EXPECT_GT(lean.x() * row.lean.x() + lean.y() * row.lean.y(), 0.3) << row.name;
        EXPECT_LT(std::abs(lean.x() * row.lean.y() + lean.y() * row.lean.x()), 0.3) << row.name;
        EXPECT_EQ(strongestInk(image, kBlank), darker2()) << row.name << ": in the dark colour";
        EXPECT_NE(image, primitive(*windows, row.element, option)) << row.name;
    }
    // On a base the dark colour does not stand out from, the arrow takes the text colour.
    QPalette dark = itemPalette();
    dark.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::Text, Qt::white);
    QStyleOptionViewItem option = item(branch, dark);
    option.rect = QRect(0, 0, 20, 20);
    for (QStyle::PrimitiveElement element : {QStyle::PE_IndicatorBranch, QStyle::PE_IndicatorColumnViewArrow})
        EXPECT_EQ(strongestInk(primitive(style, element, option), kBlank), QColor(Qt::white)) << element;
    // A row without children shows nothing where the base style draws its dotted lines.
    option.state &= ~QStyle::State_Children;
    const QImage blank = paint(option.rect.size(), 1, [](QPainter*) {});
    EXPECT_EQ(primitive(style, QStyle::PE_IndicatorBranch, option), blank);
    EXPECT_NE(primitive(*windows, QStyle::PE_IndicatorBranch, option), blank);
}

TEST_F(AppViews, TableGridReadsOnTheBaseInTheLookColours) {
    for (Scheme scheme : {Scheme::Light, Scheme::Dark}) {
        useScheme(scheme);
        const LookColors colors = look();
        QStyleOptionViewItem option = item(QStyle::State_Enabled, schemePalette(scheme));
        const QColor base = option.palette.color(QPalette::Base);
        const QColor grid = QColor::fromRgba(QRgb(style.styleHint(QStyle::SH_Table_GridLineColor, &option)));
        const char* name = scheme == Scheme::Dark ? "dark" : "light";
        EXPECT_GE(velContrastRatio(grid, base), velReadableMarkContrast) << name;
        EXPECT_EQ(grid, velMarkOn(base, colors.darker1, colors.darker2)) << name;
    }
}

TEST_F(AppViews, DisabledHeaderLabelsLieFlatInTheDisabledTextColour) {
    QPixmap red(16, 16);
    red.fill(Qt::red);
    for (bool withIcon : {false, true}) {
        QStyleOptionHeader option = header(QStyle::State_Enabled);
        option.rect = QRect(0, 0, 100, 24);
        option.text = QStringLiteral("Name");
        option.palette.setColor(QPalette::ButtonText, kText);
        option.palette.setColor(QPalette::Disabled, QPalette::ButtonText, kDisabledText);
        option.palette.setColor(QPalette::Disabled, QPalette::Light, QColor(0xff, 0x40, 0xff));
        if (withIcon)
            option.icon = QIcon(red);
        const QImage enabled = control(style, QStyle::CE_HeaderLabel, option);
        option.state &= ~QStyle::State_Enabled;
        const QImage disabled = control(style, QStyle::CE_HeaderLabel, option);
        const char* name = withIcon ? "with icon" : "text only";
        EXPECT_EQ(strongestInk(disabled, kBlank), kDisabledText) << name;
        // The text lies where the enabled one lies, with no etched copy beside it.
        const int textLeft = withIcon ? 24 : 0;
        for (int y = 0; y < disabled.height(); ++y)
            for (int x = textLeft; x < disabled.width(); ++x)
                ASSERT_EQ(QColor(disabled.pixel(x, y)) == kBlank, QColor(enabled.pixel(x, y)) == kBlank)
                    << name << " at " << x << "," << y;
    }
}

struct CheckRow {
    const char* name;
    QStyle::State state;
    QColor (*centre)(); // the middle of the box
    QColor (*frame)();
    int markPixels; // at least, in the mark's colour
};

TEST_F(AppViews, CheckIndicatorsAreBoxesInTheLookInEveryState) {
    const CheckRow rows[] = {
        {"unchecked", QStyle::State_Enabled | QStyle::State_Off, [] { return kBase; }, darker2, 0},
        {"checked", QStyle::State_Enabled | QStyle::State_On, nullptr, darker2, 6},
        {"partly checked", QStyle::State_Enabled | QStyle::State_NoChange, [] { return kText; }, darker2, 9},
        {"pressed", QStyle::State_Enabled | QStyle::State_Sunken | QStyle::State_Off, buttonSelected, nullptr,
         0},
        {"disabled checked", QStyle::State_On, nullptr, darker1, 4},
        {"disabled partly", QStyle::State_NoChange, [] { return kDisabledText; }, darker1, 9},
    };
    for (const CheckRow& row : rows) {
        QStyleOptionViewItem option = item(row.state);
        option.rect = QRect(0, 0, 13, 13);
        const QImage image = primitive(style, QStyle::PE_IndicatorItemViewItemCheck, option);
        if (row.centre) {
            EXPECT_EQ(at(image, QPoint(6, 6)), row.centre()) << row.name;
        }
        const QColor frame = row.frame ? row.frame() : at(image, QPoint(0, 6));
        EXPECT_EQ(at(image, QPoint(0, 6)), frame) << row.name;
        EXPECT_EQ(at(image, QPoint(12, 6)), frame) << row.name;
        EXPECT_NE(at(image, QPoint(6, 1)), frame) << row.name << ": one pixel";
        const QColor mark = row.state & QStyle::State_Enabled ? kText : kDisabledText;
        int marks = 0;
        for (int y = 1; y < 12; ++y)
            for (int x = 1; x < 12; ++x)
                marks += at(image, QPoint(x, y)) == mark;
        EXPECT_GE(marks, row.markPixels) << row.name;
        if (row.markPixels == 0) {
            EXPECT_EQ(marks, 0) << row.name;
        }
        EXPECT_NE(image, primitive(*windows, QStyle::PE_IndicatorItemViewItemCheck, option)) << row.name;
        // A check box shows the same indicator.
        QStyleOptionButton button;
        button.QStyleOption::operator=(option);
        EXPECT_EQ(primitive(style, QStyle::PE_IndicatorCheckBox, button), image) << row.name;
    }
    // On a base the dark colour does not stand out from, the frame is drawn halfway to the text colour.
    QPalette dark = itemPalette();
    dark.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::Text, Qt::white);
    QStyleOptionViewItem option = item(QStyle::State_Enabled | QStyle::State_Off, dark);
    option.rect = QRect(0, 0, 13, 13);
    const QImage image = primitive(style, QStyle::PE_IndicatorItemViewItemCheck, option);
    EXPECT_GE(velContrastRatio(at(image, QPoint(0, 6)), QColor(0x10, 0x10, 0x10)), 3.0);
    EXPECT_NE(at(image, QPoint(0, 6)), QColor(Qt::white));
}

TEST_F(AppViews, CheckIndicatorFramesArePresentOnceAtEveryRatio) {
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        QStyleOptionViewItem option = item(QStyle::State_Enabled | QStyle::State_Off);
        option.rect = QRect(0, 0, 13, 13);
        const QImage image = primitive(style, QStyle::PE_IndicatorItemViewItemCheck, option, ratio);
        const int middle = int(6 * ratio);
        velExpectLogicalPixelEdges(
            velEdgeRuns(image, QPoint(0, middle), QPoint(1, 0), image.width(), darker2()), 2, ratio);
        velExpectLogicalPixelEdges(
            velEdgeRuns(image, QPoint(middle, 0), QPoint(0, 1), image.height(), darker2()), 2, ratio);
    }
}

TEST_F(AppViews, HostModePaintsAsTheWindowsStyle) {
    style.setApplicationMode(false);
    QStyleOptionHeader section = header(QStyle::State_Enabled | QStyle::State_Sunken);
    section.text = QStringLiteral("Name");
    section.sortIndicator = QStyleOptionHeader::SortUp;
    QStyleOptionViewItem selected =
        item(QStyle::State_Enabled | QStyle::State_Active | QStyle::State_Selected);
    selected.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasCheckIndicator;
    selected.text = QStringLiteral("Entry");
    selected.checkState = Qt::Checked;
    QStyleOptionViewItem branch = item(QStyle::State_Enabled | QStyle::State_Item | QStyle::State_Children);
    branch.rect = QRect(0, 0, 20, 20);
    QStyleOptionViewItem check = item(QStyle::State_Enabled | QStyle::State_On);
    check.rect = QRect(0, 0, 13, 13);
    QStyleOption empty;
    empty.rect = QRect(0, 0, 40, 20);
    empty.state = QStyle::State_Enabled | QStyle::State_Horizontal;
    for (QStyle::ControlElement element :
         {QStyle::CE_Header, QStyle::CE_HeaderSection, QStyle::CE_HeaderLabel})
        EXPECT_EQ(control(style, element, section), control(*windows, element, section)) << element;
    EXPECT_EQ(control(style, QStyle::CE_HeaderEmptyArea, empty),
              control(*windows, QStyle::CE_HeaderEmptyArea, empty));
    EXPECT_EQ(control(style, QStyle::CE_ItemViewItem, selected),
              control(*windows, QStyle::CE_ItemViewItem, selected));
    const struct {
        QStyle::PrimitiveElement element;
        const QStyleOption& option;
    } primitives[] = {
        {QStyle::PE_IndicatorHeaderArrow, section},    {QStyle::PE_PanelItemViewItem, selected},
        {QStyle::PE_PanelItemViewRow, selected},       {QStyle::PE_IndicatorBranch, branch},
        {QStyle::PE_IndicatorColumnViewArrow, branch}, {QStyle::PE_IndicatorItemViewItemCheck, check}};
    for (const auto& p : primitives)
        EXPECT_EQ(primitive(style, p.element, p.option), primitive(*windows, p.element, p.option))
            << p.element;
    EXPECT_EQ(style.styleHint(QStyle::SH_ItemView_ShowDecorationSelected),
              windows->styleHint(QStyle::SH_ItemView_ShowDecorationSelected));
    EXPECT_EQ(style.styleHint(QStyle::SH_Table_GridLineColor, &selected),
              windows->styleHint(QStyle::SH_Table_GridLineColor, &selected));
    section.state &= ~QStyle::State_Enabled;
    EXPECT_EQ(control(style, QStyle::CE_HeaderLabel, section),
              control(*windows, QStyle::CE_HeaderLabel, section))
        << "disabled label";
}

TEST_F(AppViews, ItemViewsSeeTheMouseOverTheirItemsInApplicationModeOnly) {
    EXPECT_EQ(style.styleHint(QStyle::SH_ItemView_ShowDecorationSelected), 1);
    for (bool application : {true, false}) {
        style.setApplicationMode(application);
        QTreeView view;
        style.polish(&view);
        style.polish(view.header());
        EXPECT_EQ(view.viewport()->testAttribute(Qt::WA_Hover), application);
        EXPECT_EQ(view.header()->testAttribute(Qt::WA_Hover), application)
            << "a header sees its sections itself";
        EXPECT_FALSE(view.testAttribute(Qt::WA_Hover));
        style.unpolish(&view);
        style.unpolish(view.header());
        EXPECT_FALSE(view.viewport()->testAttribute(Qt::WA_Hover));
        EXPECT_FALSE(view.header()->testAttribute(Qt::WA_Hover));
    }
}

} // namespace
