#include "style/support/recordingpaintdevice.h"

#include <QPixmap>
#include <QTextItem>

// Takes every drawing call itself (all features), so QPainter hands over untransformed primitives and the
// transform separately instead of breaking them into paths.
class RecordingPaintEngine : public QPaintEngine {
public:
    explicit RecordingPaintEngine(RecordingPaintDevice* device)
        : QPaintEngine(AllFeatures), m_device(device) {}

    bool begin(QPaintDevice*) override {
        ++m_device->m_begins;
        m_pen = QPen();
        m_brush = QBrush();
        m_brushOrigin = QPointF();
        m_transform = QTransform();
        m_clipEnabled = false;
        m_clip = QRegion();
        m_hints = QPainter::RenderHints();
        m_opacity = 1.0;
        m_mode = QPainter::CompositionMode_SourceOver;
        m_font = QFont();
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags flags = state.state();
        if (flags & DirtyPen)
            m_pen = state.pen();
        if (flags & DirtyBrush)
            m_brush = state.brush();
        if (flags & DirtyBrushOrigin)
            m_brushOrigin = state.brushOrigin();
        if (flags & DirtyFont)
            m_font = state.font();
        if (flags & DirtyTransform)
            m_transform = state.transform();
        if (flags & DirtyHints)
            m_hints = state.renderHints();
        if (flags & DirtyOpacity)
            m_opacity = state.opacity();
        if (flags & DirtyCompositionMode)
            m_mode = state.compositionMode();
        if (flags & DirtyClipRegion)
            applyClip(state.clipOperation(), m_transform.map(state.clipRegion()));
        if (flags & DirtyClipPath) {
            const QPolygon polygon = m_transform.map(state.clipPath()).toFillPolygon().toPolygon();
            applyClip(state.clipOperation(), QRegion(polygon, state.clipPath().fillRule()));
        }
        // The state's own enabled flag stays true when a restore drops the clip, so the painter says
        // whether a clip is in force.
        if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled))
            m_clipEnabled = clipInForce(state);
    }

    void drawRects(const QRect* rects, int count) override {
        for (int i = 0; i < count; ++i)
            drawRects(QRectF(rects[i]));
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            drawRects(rects[i]);
    }
    void drawLines(const QLine* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            PaintOp& op = add(PaintOp::Line);
            op.line = QLineF(lines[i]);
        }
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            PaintOp& op = add(PaintOp::Line);
            op.line = lines[i];
        }
    }
    void drawPoints(const QPointF* points, int count) override {
        for (int i = 0; i < count; ++i) {
            PaintOp& op = add(PaintOp::Point);
            op.point = points[i];
        }
    }
    void drawPoints(const QPoint* points, int count) override {
        for (int i = 0; i < count; ++i) {
            PaintOp& op = add(PaintOp::Point);
            op.point = QPointF(points[i]);
        }
    }
    void drawEllipse(const QRectF& rect) override {
        PaintOp& op = add(PaintOp::Ellipse);
        op.rect = rect;
    }
    void drawEllipse(const QRect& rect) override { drawEllipse(QRectF(rect)); }
    void drawPath(const QPainterPath& path) override {
        PaintOp& op = add(PaintOp::Path);
        op.path = path;
        op.rect = path.boundingRect();
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        PaintOp& op = add(PaintOp::Polygon);
        for (int i = 0; i < count; ++i)
            op.polygon << points[i];
        op.polygonMode = mode;
        op.rect = op.polygon.boundingRect();
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
        PaintOp& op = add(PaintOp::Polygon);
        for (int i = 0; i < count; ++i)
            op.polygon << QPointF(points[i]);
        op.polygonMode = mode;
        op.rect = op.polygon.boundingRect();
    }
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override {
        PaintOp& op = add(PaintOp::Pixmap);
        op.rect = rect;
        op.source = source;
        op.image = pixmap.toImage();
        op.cacheKey = pixmap.cacheKey();
    }
    void drawTiledPixmap(const QRectF& rect, const QPixmap& pixmap, const QPointF& offset) override {
        PaintOp& op = add(PaintOp::TiledPixmap);
        op.rect = rect;
        op.point = offset;
        op.image = pixmap.toImage();
        op.cacheKey = pixmap.cacheKey();
    }
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override {
        PaintOp& op = add(PaintOp::Image);
        op.rect = rect;
        op.source = source;
        op.image = image;
    }
    void drawTextItem(const QPointF& origin, const QTextItem& item) override {
        PaintOp& op = add(PaintOp::Text);
        op.point = origin;
        op.text = item.text();
        op.font = item.font();
    }

private:
    void drawRects(const QRectF& rect) {
        PaintOp& op = add(PaintOp::Rect);
        op.rect = rect;
    }

    bool clipInForce(const QPaintEngineState& state) const {
        if (const QPainter* painter = state.painter())
            return painter->hasClipping();
        return m_clipEnabled && state.isClipEnabled();
    }

    void applyClip(Qt::ClipOperation operation, const QRegion& region) {
        switch (operation) {
        case Qt::NoClip:
            m_clip = QRegion();
            m_clipEnabled = false;
            break;
        case Qt::ReplaceClip:
            m_clip = region;
            m_clipEnabled = true;
            break;
        case Qt::IntersectClip:
            m_clip = m_clipEnabled ? (m_clip & region) : region;
            m_clipEnabled = true;
            break;
        }
    }

    PaintOp& add(PaintOp::Kind kind) {
        PaintOp op;
        op.kind = kind;
        op.pen = m_pen;
        op.brush = m_brush;
        op.brushOrigin = m_brushOrigin;
        op.transform = m_transform;
        op.clipEnabled = m_clipEnabled;
        op.clip = m_clip;
        op.hints = m_hints;
        op.opacity = m_opacity;
        op.compositionMode = m_mode;
        op.font = m_font;
        m_device->m_ops.append(op);
        return m_device->m_ops.last();
    }

    RecordingPaintDevice* m_device;
    QPen m_pen;
    QBrush m_brush;
    QPointF m_brushOrigin;
    QTransform m_transform;
    bool m_clipEnabled = false;
    QRegion m_clip;
    QPainter::RenderHints m_hints;
    qreal m_opacity = 1.0;
    QPainter::CompositionMode m_mode = QPainter::CompositionMode_SourceOver;
    QFont m_font;
};

RecordingPaintDevice::RecordingPaintDevice(int width, int height)
    : m_size(width, height), m_engine(new RecordingPaintEngine(this)) {}

RecordingPaintDevice::~RecordingPaintDevice() = default;

QPaintEngine* RecordingPaintDevice::paintEngine() const {
    return m_engine.get();
}

int RecordingPaintDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return qRound(m_size.width() * 25.4 / 96.0);
    case PdmHeightMM:
        return qRound(m_size.height() * 25.4 / 96.0);
    case PdmNumColors:
        return 0x7fffffff;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

int RecordingPaintDevice::count(PaintOp::Kind kind) const {
    int n = 0;
    for (const PaintOp& op : m_ops)
        n += op.kind == kind ? 1 : 0;
    return n;
}

QVector<PaintOp> RecordingPaintDevice::ofKind(PaintOp::Kind kind) const {
    QVector<PaintOp> result;
    for (const PaintOp& op : m_ops)
        if (op.kind == kind)
            result.append(op);
    return result;
}

const PaintOp* RecordingPaintDevice::first(PaintOp::Kind kind) const {
    for (const PaintOp& op : m_ops)
        if (op.kind == kind)
            return &op;
    return nullptr;
}

const PaintOp* RecordingPaintDevice::last(PaintOp::Kind kind) const {
    for (int i = m_ops.size() - 1; i >= 0; --i)
        if (m_ops[i].kind == kind)
            return &m_ops[i];
    return nullptr;
}

QString RecordingPaintDevice::allText() const {
    QString text;
    for (const PaintOp& op : m_ops)
        if (op.kind == PaintOp::Text)
            text += op.text;
    return text;
}

QVector<PaintOp> RecordingPaintDevice::layoutText(const QRect& rect, int flags, const QString& text,
                                                  const QFont& font, const QSize& deviceSize) {
    RecordingPaintDevice device(deviceSize.width(), deviceSize.height());
    {
        QPainter painter(&device);
        painter.setFont(font);
        painter.drawText(rect, flags, text);
    }
    return device.ofKind(PaintOp::Text);
}
