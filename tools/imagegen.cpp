// Draws the style images the host ships (radio buttons and slider parts) and writes them as PNG files
// into the given folder: velimagegen <folder>. Each image is drawn at its own size (name.png) and for
// devices of pixel ratio 2 and 3 at twice and three times that size (name@2x.png, name@3x.png), from the
// same logical drawing. Each has a solid, known colour at its centre (host/images/styleimages.h), by
// which tests recognise it.

#include "host/images/styleimages.h"
#include "style/imagevariant.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstring>

namespace {

const VelStyleImage& shipped(const char* name) {
    for (const VelStyleImage& image : velStyleImages)
        if (std::strcmp(image.name, name) == 0)
            return image;
    return velStyleImages[0];
}

// A transparent image of the logical size at that scale; painters on it draw in logical pixels.
QImage blank(const VelStyleImage& image, int scale) {
    QImage result(image.width * scale, image.height * scale, QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    result.setDevicePixelRatio(scale);
    return result;
}

QColor centreColour(const VelStyleImage& image) {
    return QColor::fromRgba(image.centre);
}

// A radio button: a ring with a face, and a dot of the centre colour when checked.
QImage radio(const char* name, const QColor& face, bool dot, int scale) {
    const VelStyleImage& image = shipped(name);
    QImage result = blank(image, scale);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x5a, 0x6e, 0x5a), 1.0));
    painter.setBrush(face);
    painter.drawEllipse(QRectF(0.5, 0.5, image.width - 1.0, image.height - 1.0));
    if (dot) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(centreColour(image));
        const QPointF centre(image.width / 2.0, image.height / 2.0);
        painter.drawEllipse(centre, 3.5, 3.5);
    }
    return result;
}

// The groove: the style stretches it across the slider's width, so every column is the same (a dark
// edge above and below, a light line under the top edge, the centre colour in the middle) and
// stretching changes nothing but its length. Rows are filled, so they stay whole rows at every scale.
QImage sliderBar(int scale) {
    const VelStyleImage& image = shipped("slider_bar");
    QImage result = blank(image, scale);
    QPainter painter(&result);
    const QColor edge(0x5f, 0x7e, 0x5f);
    painter.fillRect(QRect(0, 1, image.width, 1), edge);
    painter.fillRect(QRect(0, image.height - 2, image.width, 1), edge);
    painter.fillRect(QRect(0, 2, image.width, image.height - 4), centreColour(image));
    painter.fillRect(QRect(0, 2, image.width, 1), QColor(0xc4, 0xd6, 0xc4));
    return result;
}

QImage sliderThumb(int scale) {
    const VelStyleImage& image = shipped("slider_thumb_on");
    QImage result = blank(image, scale);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x24, 0x48, 0x70), 1.0));
    painter.setBrush(centreColour(image));
    painter.drawRoundedRect(QRectF(0.5, 0.5, image.width - 1.0, image.height - 1.0), 3.0, 3.0);
    // A light cap at the top; the middle keeps the solid centre colour.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x9c, 0xbf, 0xe3));
    painter.drawRoundedRect(QRectF(2.0, 2.0, image.width - 4.0, 4.0), 1.5, 1.5);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.absolutePath())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const int scale : {1, velImageVariantScales[0], velImageVariantScales[1]}) {
        const struct {
            const char* name;
            QImage image;
        } images[] = {
            {"radiobutton_off", radio("radiobutton_off", Qt::white, false, scale)},
            {"radiobutton_on", radio("radiobutton_on", Qt::white, true, scale)},
            {"radiobutton_on2", radio("radiobutton_on2", QColor(0xcf, 0xdc, 0xea), true, scale)},
            {"slider_bar", sliderBar(scale)},
            {"slider_thumb_on", sliderThumb(scale)},
        };
        for (const auto& entry : images) {
            const VelStyleImage& image = shipped(entry.name);
            const QRgb centre = entry.image.pixel(image.width * scale / 2, image.height * scale / 2);
            if (centre != image.centre) {
                std::fprintf(stderr, "%s at %dx: centre pixel %08x, expected %08x\n", entry.name, scale,
                             centre, image.centre);
                ++failures;
            }
            const QString path =
                folder.filePath(QString::fromLatin1(velImageVariantName(entry.name, scale) + ".png"));
            if (!entry.image.save(path, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
