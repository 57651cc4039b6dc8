#pragma once
// RecordingStyle: a base style that records every call reaching it, to put under a style through its
// second constructor. It paints nothing unless told to, and answers metrics, hints, sizes and rectangles
// as QCommonStyle does unless a test sets its own answer.
//
// Usage:
//     auto* base = new RecordingStyle;           // the style under test takes it over
//     MelvoroStyle style(base);
//     base->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderHandle, QRect(40, 2, 20, 20));
//     style.drawControl(QStyle::CE_CheckBox, &option, &painter, &widget);
//     ASSERT_EQ(base->count(StyleCall::DrawControl, QStyle::CE_CheckBox), 1);
//     EXPECT_EQ(base->last(StyleCall::DrawControl)->optionAs<QStyleOptionButton>()->state, option.state);
//     base->clear();
//
// The recorded option is a copy, taken as the option class its type field names (a QStyleOption for
// unknown types), so it can be read after the caller's option is gone. Calls the base makes to itself
// go through its proxy (the style under test) and are recorded only if they come back here.

#include <QCommonStyle>
#include <QHash>
#include <QPair>
#include <QPalette>
#include <QPen>
#include <QPixmap>
#include <QStyleOption>
#include <QVector>
#include <memory>

struct StyleCall {
    enum Kind {
        DrawPrimitive,
        DrawControl,
        DrawComplexControl,
        SubElementRect,
        SubControlRect,
        HitTestComplexControl,
        PixelMetric,
        SizeFromContents,
        StyleHint,
        StandardPixmap,
        StandardIcon,
        GeneratedIconPixmap,
        LayoutSpacing,
        ItemTextRect,
        ItemPixmapRect,
        DrawItemText,
        DrawItemPixmap,
        PolishWidget,
        UnpolishWidget,
        PolishApplication,
        UnpolishApplication,
        PolishPalette,
        StandardPalette,
    };

    Kind kind = DrawPrimitive;
    int element = -1;                           // the element, control, metric, hint, contents type ...
    int subControl = 0;                         // SubControl for SubControlRect and HitTestComplexControl
    std::shared_ptr<const QStyleOption> option; // copy of the option; null when none was given
    const QWidget* widget = nullptr;
    QPainter* painter = nullptr;
    // The painter's state at a painting call.
    QPen pen;
    QBrush brush;
    QFont font;
    // Item calls: rectangle, alignment flags, text, pixmap, palette, enabled, role; sizeFromContents: size.
    QRect rect;
    int flags = 0;
    QString text;
    QPixmap pixmap;
    QPalette palette;
    bool enabled = false;
    QPalette::ColorRole role = QPalette::NoRole;
    QSize size;
    QPoint point;

    template <class T> const T* optionAs() const { return qstyleoption_cast<const T*>(option.get()); }
};

class RecordingStyle : public QCommonStyle {
public:
    RecordingStyle();
    ~RecordingStyle() override;

    const QVector<StyleCall>& calls() const { return m_calls; }
    // Calls of that kind (and element, unless -1).
    int count(StyleCall::Kind kind, int element = -1) const;
    QVector<StyleCall> callsOf(StyleCall::Kind kind, int element = -1) const;
    const StyleCall* last(StyleCall::Kind kind, int element = -1) const;
    // Painting, polishing and item calls (everything except pure queries of metrics, hints and geometry).
    int paintingCalls() const;
    void clear() { m_calls.clear(); }

    // Own answers; everything not set is QCommonStyle's.
    void setPixelMetric(PixelMetric metric, int value) { m_metrics[metric] = value; }
    void setStyleHint(StyleHint hint, int value) { m_hints[hint] = value; }
    void setSubElementRect(SubElement element, const QRect& rect) { m_subElements[element] = rect; }
    void setSubControlRect(ComplexControl control, SubControl sub, const QRect& rect) {
        m_subControls[qMakePair(int(control), int(sub))] = rect;
    }
    void setSizeFromContents(ContentsType type, const QSize& size) { m_sizes[type] = size; }
    // Lets painting calls through to QCommonStyle as well (off by default).
    void setForwardPainting(bool forward) { m_forwardPainting = forward; }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     const QPoint& point, const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QPixmap standardPixmap(StandardPixmap pixmap, const QStyleOption* option = nullptr,
                           const QWidget* widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap,
                                const QStyleOption* option) const override;
    int layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                      Qt::Orientation orientation, const QStyleOption* option = nullptr,
                      const QWidget* widget = nullptr) const override;
    QRect itemTextRect(const QFontMetrics& metrics, const QRect& rect, int flags, bool enabled,
                       const QString& text) const override;
    QRect itemPixmapRect(const QRect& rect, int flags, const QPixmap& pixmap) const override;
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                      const QString& text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
    void drawItemPixmap(QPainter* painter, const QRect& rect, int alignment,
                        const QPixmap& pixmap) const override;

    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    void polish(QApplication* application) override;
    void unpolish(QApplication* application) override;
    void polish(QPalette& palette) override;
    QPalette standardPalette() const override;

    // A copy of the option as the class its type names.
    static std::shared_ptr<const QStyleOption> copyOption(const QStyleOption* option);

private:
    StyleCall& record(StyleCall::Kind kind, int element, const QStyleOption* option, const QWidget* widget,
                      QPainter* painter = nullptr) const;

    mutable QVector<StyleCall> m_calls;
    QHash<int, int> m_metrics;
    QHash<int, int> m_hints;
    QHash<int, QRect> m_subElements;
    QHash<QPair<int, int>, QRect> m_subControls;
    QHash<int, QSize> m_sizes;
    bool m_forwardPainting = false;
};
