#pragma once
// RecordingPaintDevice: a paint device that draws nothing and logs every drawing call instead, with the
// painter state in force at that call (pen, brush, transform, clip, render hints, font).
//
// Usage:
//     RecordingPaintDevice device(200, 100);
//     {
//         QPainter painter(&device);
//         style.drawPrimitive(QStyle::PE_FrameGroupBox, &option, &painter, nullptr);
//     }
//     ASSERT_EQ(device.count(PaintOp::Rect), 1);
//     EXPECT_EQ(device.first(PaintOp::Rect)->rect, QRectF(0, 0, 99, 49));
//     EXPECT_EQ(device.first(PaintOp::Rect)->pen.color(), QColor(0, 0, 0));
//
// Coordinates are recorded as the painter passed them (logical); `transform` maps them to the device, and
// deviceRect()/devicePoint() apply it. `clip` is kept in device coordinates.
//
// Text: QPainter hands the engine laid-out text items, so the flags of drawText are not seen directly.
// layoutText() runs a reference QPainter::drawText with given flags on a fresh device; compare its Text
// ops (position and text) with the recorded ones to check the flags that were used.

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRegion>
#include <QTransform>
#include <QVector>
#include <memory>

struct PaintOp {
    enum Kind { Rect, Line, Point, Ellipse, Path, Polygon, Pixmap, TiledPixmap, Image, Text };

    Kind kind = Rect;
    QRectF rect;         // Rect, Ellipse; the target of Pixmap, TiledPixmap and Image
    QLineF line;         // Line
    QPointF point;       // Point; the baseline origin of Text; the tile offset of TiledPixmap
    QPainterPath path;   // Path
    QPolygonF polygon;   // Polygon
    int polygonMode = 0; // QPaintEngine::PolygonDrawMode
    QRectF source;       // Pixmap, Image: the source rectangle
    QImage image;        // Pixmap, TiledPixmap, Image: the drawn picture
    qint64 cacheKey = 0; // Pixmap, TiledPixmap: QPixmap::cacheKey()
    QString text;        // Text
    QFont font;          // Text: the item's font; otherwise the painter's font

    // The painter state at the call.
    QPen pen;
    QBrush brush;
    QPointF brushOrigin;
    QTransform transform;
    bool clipEnabled = false;
    QRegion clip; // device coordinates; meaningful when clipEnabled
    QPainter::RenderHints hints;
    qreal opacity = 1.0;
    QPainter::CompositionMode compositionMode = QPainter::CompositionMode_SourceOver;

    QRectF deviceRect() const { return transform.mapRect(rect); }
    QPointF devicePoint() const { return transform.map(point); }
    QLineF deviceLine() const { return transform.map(line); }
    QPainterPath devicePath() const { return transform.map(path); }
    bool antialiased() const { return hints.testFlag(QPainter::Antialiasing); }
};

class RecordingPaintEngine;

class RecordingPaintDevice : public QPaintDevice {
public:
    explicit RecordingPaintDevice(int width = 400, int height = 300);
    ~RecordingPaintDevice() override;
    RecordingPaintDevice(const RecordingPaintDevice&) = delete;
    RecordingPaintDevice& operator=(const RecordingPaintDevice&) = delete;

    QPaintEngine* paintEngine() const override;

    const QVector<PaintOp>& ops() const { return m_ops; }
    bool isEmpty() const { return m_ops.isEmpty(); }
    int count(PaintOp::Kind kind) const;
    QVector<PaintOp> ofKind(PaintOp::Kind kind) const;
    // The first or last op of that kind, or null.
    const PaintOp* first(PaintOp::Kind kind) const;
    const PaintOp* last(PaintOp::Kind kind) const;
    // All recorded text, concatenated in drawing order.
    QString allText() const;
    void clear() { m_ops.clear(); }
    // How often a painter began on this device.
    int beginCount() const { return m_begins; }

    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }

    // The Text ops of QPainter::drawText(rect, flags, text) in that font on a fresh device of this size.
    static QVector<PaintOp> layoutText(const QRect& rect, int flags, const QString& text, const QFont& font,
                                       const QSize& deviceSize = QSize(400, 300));

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class RecordingPaintEngine;
    QSize m_size;
    QVector<PaintOp> m_ops;
    int m_begins = 0;
    std::unique_ptr<RecordingPaintEngine> m_engine;
};
