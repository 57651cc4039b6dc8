// Application mode paints line edits, spin boxes and combo boxes from the look colours: fields framed in
// the dark line (an inner line with the focus), buttons and plain combo boxes as faces hovered and pressed
// each on its own, mirrored, with outlines present once at every device pixel ratio; host mode paints them
// as the "Windows" style does.

#include "style2host.h"

#include "support/edgeruns.h"
#include <QStyleFactory>
#include <QStyleOption>
#include <QTreeView>
#include <cmath>

#include <gtest/gtest.h>

namespace {

using namespace style2;

const QColor kBase(0xfa, 0xfb, 0xfc);

class AppFields : public ::testing::Test {
protected:
    void SetUp() override { style.setApplicationMode(true); }

    template <class Option> static Option option(QStyle::State state, int width = 120, int height = 24) {
        Option o;
        o.rect = QRect(0, 0, width, height);
        o.state = QStyle::State_Enabled | state;
        o.palette = distinctPalette();
        o.palette.setColor(QPalette::Base, kBase);
        return o;
    }
    static QStyleOptionFrame lineEdit(QStyle::State state) {
        auto o = option<QStyleOptionFrame>(state);
        o.lineWidth = 2;
        return o;
    }
    static QStyleOptionSpinBox spinBox(QStyle::State state, QStyle::SubControl active = QStyle::SC_None) {
        auto o = option<QStyleOptionSpinBox>(state);
        o.subControls = QStyle::SC_All;
        o.activeSubControls = active;
        o.frame = true;
        o.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        return o;
    }
    static QStyleOptionComboBox comboBox(QStyle::State state, bool editable,
                                         QStyle::SubControl active = QStyle::SC_None) {
        auto o = option<QStyleOptionComboBox>(state);
        o.subControls = QStyle::SC_All;
        o.activeSubControls = active;
        o.editable = editable;
        o.frame = true;
        return o;
    }

    // Paints with the style given, at that device pixel ratio.
    template <class Paint> static QImage paint(const QRect& rect, qreal ratio, Paint paintWith) {
        QImage image(rect.size() * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(QColor(0xfe, 0xfe, 0xfe));
        QPainter painter(&image);
        paintWith(&painter);
        return image;
    }
    template <class Option>
    QImage complex(QStyle& with, QStyle::ComplexControl control, const Option& o, qreal ratio = 1) {
        return paint(o.rect, ratio, [&](QPainter* p) { with.drawComplexControl(control, &o, p); });
    }
    QImage panel(QStyle& with, const QStyleOptionFrame& o, qreal ratio = 1) {
        return paint(o.rect, ratio,
                     [&](QPainter* p) { with.drawPrimitive(QStyle::PE_PanelLineEdit, &o, p); });
    }
    QRect part(QStyle::ComplexControl control, const QStyleOptionComplex& o, QStyle::SubControl sub) {
        return style.subControlRect(control, &o, sub);
    }

    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
    std::unique_ptr<QStyle> windows{QStyleFactory::create(QStringLiteral("Windows"))};
};

QColor at(const QImage& image, QPoint logical) {
    const qreal ratio = image.devicePixelRatio();
    return QColor(image.pixel(int(logical.x() * ratio), int(logical.y() * ratio)));
}

TEST_F(AppFields, LineEditsAreBaseFieldsInTheDarkLine) {
    const struct {
        QStyle::State state;
        QColor outer, inner;
    } rows[] = {
        {QStyle::State_None, darker2(), kBase},
        {QStyle::State_HasFocus, darker2(), buttonSelected()},
    };
    for (qreal ratio : {1.0, 2.0})
        for (const auto& row : rows) {
            const QStyleOptionFrame o = lineEdit(row.state);
            const QImage image = panel(style, o, ratio);
            EXPECT_EQ(at(image, QPoint(0, 0)), row.outer);
            EXPECT_EQ(at(image, QPoint(1, 12)), row.inner);
            EXPECT_EQ(at(image, QPoint(60, 12)), kBase);
            EXPECT_NE(image, panel(*windows, o, ratio));
        }
    QStyleOptionFrame disabled = lineEdit(QStyle::State_None);
    disabled.state &= ~QStyle::State_Enabled;
    disabled.palette.setColor(QPalette::Disabled, QPalette::Base, QColor(0xee, 0xef, 0xf0));
    const QImage image = panel(style, disabled);
    EXPECT_EQ(at(image, QPoint(0, 0)), darker1());
    EXPECT_EQ(at(image, QPoint(60, 12)), QColor(0xee, 0xef, 0xf0));
}

TEST_F(AppFields, SpinBoxButtonsAreFacesInTheirStateOnTheReadingEnd) {
    const struct {
        QStyle::State state;
        QStyle::SubControl active, read;
        QColor fill;
    } rows[] = {
        {QStyle::State_MouseOver, QStyle::SC_SpinBoxUp, QStyle::SC_SpinBoxUp, buttonHover()},
        {QStyle::State_Sunken, QStyle::SC_SpinBoxDown, QStyle::SC_SpinBoxDown, buttonSelected()},
        {QStyle::State_MouseOver, QStyle::SC_SpinBoxUp, QStyle::SC_SpinBoxDown, QColor()},
    };
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft})
        for (const auto& row : rows) {
            QStyleOptionSpinBox o = spinBox(row.state, row.active);
            o.direction = direction;
            const QImage image = complex(style, QStyle::CC_SpinBox, o);
            const QRect r = part(QStyle::CC_SpinBox, o, row.read);
            EXPECT_EQ(r.center().x() < 60, direction == Qt::RightToLeft);
            const QColor fill = at(image, r.topLeft() + QPoint(1, 1));
            if (row.fill.isValid()) {
                EXPECT_EQ(fill, row.fill);
            } else {
                EXPECT_NE(fill, buttonHover());
                EXPECT_NE(fill, buttonSelected());
            }
            EXPECT_EQ(at(image, r.topLeft()), darker2());
            EXPECT_EQ(at(image, QPoint(0, 0)), darker2()) << "the field's frame";
            EXPECT_NE(image, complex(*windows, QStyle::CC_SpinBox, o));
        }
    // A button that cannot step is drawn disabled.
    QStyleOptionSpinBox o = spinBox(QStyle::State_None);
    o.stepEnabled = QAbstractSpinBox::StepUpEnabled;
    const QImage image = complex(style, QStyle::CC_SpinBox, o);
    EXPECT_EQ(at(image, part(QStyle::CC_SpinBox, o, QStyle::SC_SpinBoxDown).topLeft()), darker1());
    EXPECT_EQ(at(image, part(QStyle::CC_SpinBox, o, QStyle::SC_SpinBoxUp).topLeft()), darker2());
}

TEST_F(AppFields, ComboBoxesArePlainFacesOrFieldsWithAnArrowButton) {
    const struct {
        bool editable;
        QStyle::State state;
        QStyle::SubControl active;
        QColor label, arrow; // inside the edit field and the arrow button (invalid: the resting gradient)
    } rows[] = {
        {false, QStyle::State_None, QStyle::SC_None, QColor(), QColor()},
        {false, QStyle::State_MouseOver, QStyle::SC_None, buttonHover(), buttonHover()},
        {false, QStyle::State_Sunken, QStyle::SC_None, buttonSelected(), buttonSelected()},
        {true, QStyle::State_None, QStyle::SC_None, kBase, QColor()},
        {true, QStyle::State_Sunken, QStyle::SC_ComboBoxArrow, kBase, buttonSelected()},
    };
    for (qreal ratio : {1.0, 2.0})
        for (const auto& row : rows) {
            const QStyleOptionComboBox o = comboBox(row.state, row.editable, row.active);
            const QImage image = complex(style, QStyle::CC_ComboBox, o, ratio);
            const QRect arrow = part(QStyle::CC_ComboBox, o, QStyle::SC_ComboBoxArrow);
            const QColor label = at(image, QPoint(10, 4)), button = at(image, arrow.topLeft() + QPoint(1, 1));
            for (const auto& [seen, expected] : {std::pair{label, row.label}, std::pair{button, row.arrow}}) {
                if (expected.isValid()) {
                    EXPECT_EQ(seen, expected) << row.editable << " " << row.state;
                } else {
                    EXPECT_NE(seen, kBase);
                    EXPECT_NE(seen, buttonHover());
                }
            }
            EXPECT_EQ(at(image, QPoint(0, 0)), darker2());
            EXPECT_NE(image, complex(*windows, QStyle::CC_ComboBox, o, ratio));
        }
}

// The look lays no highlight under a focused plain box's label: the label keeps the text colour.
TEST_F(AppFields, FocusedComboBoxLabelsAreReadableOnTheFace) {
    // The look's raised face runs from a light to a dark colour here, on which no colour but black or
    // white can read: the label takes one of them, never the highlighted text colour of a selection.
    QStyleOptionComboBox o = comboBox(QStyle::State_HasFocus, false);
    o.currentText = QStringLiteral("Alpha");
    const QColor text = o.palette.color(QPalette::Text),
                 highlighted = o.palette.color(QPalette::HighlightedText);
    const QImage image = paint(o.rect, 1, [&](QPainter* p) {
        p->setPen(text); // as the combo box sets it before it paints
        style.drawControl(QStyle::CE_ComboBoxLabel, &o, p);
    });
    int inBlackOrWhite = 0, inHighlight = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            inBlackOrWhite += c == Qt::black || c == Qt::white;
            inHighlight += c == highlighted;
        }
    EXPECT_GT(inBlackOrWhite, 2);
    EXPECT_EQ(inHighlight, 0);
}

TEST_F(AppFields, PlainFramesAndScrollAreasAreFramedAsFields) {
    auto frame = [&](QStyle& with, QStyle::State state, const QWidget* widget) {
        QStyleOptionFrame o = lineEdit(state | QStyle::State_Sunken);
        return paint(o.rect, 1, [&](QPainter* p) { with.drawPrimitive(QStyle::PE_Frame, &o, p, widget); });
    };
    QTreeView view; // its viewport shows the base colour
    QPalette palette = distinctPalette();
    palette.setColor(QPalette::Base, kBase);
    view.setPalette(palette);
    const struct {
        QStyle::State state;
        const QWidget* widget;
        QColor inner;
    } rows[] = {
        {QStyle::State_None, nullptr, QColor(0xfe, 0xfe, 0xfe)}, // a plain panel: only the line
        {QStyle::State_None, &view, kBase},
        {QStyle::State_HasFocus, &view, buttonSelected()},
    };
    for (const auto& row : rows) {
        const QImage image = frame(style, row.state, row.widget);
        EXPECT_EQ(at(image, QPoint(0, 12)), darker2());
        EXPECT_EQ(at(image, QPoint(119, 12)), darker2());
        EXPECT_EQ(at(image, QPoint(1, 12)), row.inner);
        EXPECT_EQ(at(image, QPoint(60, 1)), row.inner);
        EXPECT_NE(image, frame(*windows, row.state, row.widget));
    }
    style.setApplicationMode(false);
    EXPECT_EQ(frame(style, QStyle::State_None, &view), frame(*windows, QStyle::State_None, &view));
}

TEST_F(AppFields, OutlinesArePresentOnceAtEveryRatio) {
    for (qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        const QImage image = panel(style, lineEdit(QStyle::State_None), ratio);
        const int y = int(12 * ratio);
        velExpectLogicalPixelEdges(velEdgeRuns(image, QPoint(0, y), QPoint(1, 0), image.width(), darker2()),
                                   2, ratio);
    }
}

TEST_F(AppFields, HostModePaintsAsTheWindowsStyle) {
    style.setApplicationMode(false);
    const QStyleOptionFrame edit = lineEdit(QStyle::State_HasFocus);
    EXPECT_EQ(panel(style, edit), panel(*windows, edit));
    const QStyleOptionSpinBox spin = spinBox(QStyle::State_Sunken, QStyle::SC_SpinBoxUp);
    EXPECT_EQ(complex(style, QStyle::CC_SpinBox, spin), complex(*windows, QStyle::CC_SpinBox, spin));
    for (bool editable : {false, true}) {
        const QStyleOptionComboBox combo = comboBox(QStyle::State_None, editable);
        EXPECT_EQ(complex(style, QStyle::CC_ComboBox, combo), complex(*windows, QStyle::CC_ComboBox, combo));
    }
}

} // namespace
