#pragma once
// CommonAppStyle: the base of the host family's application styles, over the toolkit's "Windows" style.
// It is also a framework object (IGuiAppStyle), so the host can hold it by reference count.
//
// Ownership: a style has exactly one owner, chosen by the host that creates it, never both:
// - the QObject side: whoever holds the QStyle deletes it (QApplication::setStyle hands the style to the
//   application, which deletes it when another style is set or when it ends); the host then never counts
//   references on it. This is the reference host's rule (host/standardhost.h).
// - or the framework reference count: releasing the last reference deletes the whole style. A host that
//   applies such a style application-wide clears the parent that QApplication::setStyle gives it
//   (style->setParent(nullptr)) and sets another application style before the application ends; only
//   then does it release its reference.
// Per-widget use (QWidget::setStyle) takes no ownership either way.
//
// Modes: by default the style paints what its host asks for (host mode: no dock titles, tight group boxes,
// no tab scroll arrows, ...). A host that puts the style into programs written for any Qt style switches
// application mode on through the Qt property "applicationMode":
//     style->setProperty("applicationMode", true);   // answers true: the style has the mode
// In application mode the controls behave as users of a Qt style expect, painted in the same look.

#include "runtime/velobject.h"

#include <QPixmap>
#include <QProxyStyle>

// Marker interface by which the host recognises an application style.
class IGuiAppStyle : public virtual IVelUnknown {};

class CommonAppStyle : public QProxyStyle, public virtual IGuiAppStyle {
    Q_OBJECT
    Q_PROPERTY(bool applicationMode READ applicationMode WRITE setApplicationMode)
public:
    // Over the toolkit's "Windows" style.
    CommonAppStyle();
    // Over the given base style, which the style takes over.
    explicit CommonAppStyle(QStyle* base);
    ~CommonAppStyle() override;

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "CommonAppStyle"; }

    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

    // The hover capsule: a bar with semicircular ends filling rect, in RGB (191, 215, 191).
    virtual void drawHoverHighlight(QPainter* painter, const QRect& rect) const;

    // The image of that name from the host's image store; a 10 x 10 placeholder when there is none.
    static QPixmap stylePixmap(const QString& name);
    // The same, by a Latin-1 name (the form the store is asked in): no text is converted or copied.
    static QPixmap stylePixmap(const char* name);
    // The image for a device of that pixel ratio: the store's variant drawn for the nearest ratio at or
    // above it, as a pixmap of that device pixel ratio, so it is not upscaled; the image itself when the
    // store has no variant. A ratio of 1 or less asks exactly as stylePixmap(name) does.
    static QPixmap stylePixmap(const char* name, qreal devicePixelRatio);

    // The custom complex control: a frame with a title (option: the host's titled frame option).
    static constexpr ComplexControl CC_TitledFrame = ComplexControl(CC_CustomBase + 1);

    // Host mode (false, the default) or application mode (true); see the top of this file.
    bool applicationMode() const { return m_applicationMode; }
    void setApplicationMode(bool on) { m_applicationMode = on; }

private:
    bool m_applicationMode = false;
};
