#pragma once
// A host for painting tests of the style's controls: a host context that offers a look service with
// distinctive colours and an image store with the slider pictures, and a style over a recording base.
//
// Usage:
//     Style2Host host;                      // becomes the module's host context
//     MelvoroStyle& style = host.style();   // over host.base(), a RecordingStyle
//     ... paint, then look at host.base()->calls() and host.look()->askAt(i)

#include "host/hostcontext.h"
#include "host/imagestore.h"
#include "host/lookservice.h"
#include "runtime/hostcontext.h"
#include "style/melvorostyle.h"
#include "support/recordingstyle.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace style2 {

// The look colours the tests paint with: each channel value is used once, so a pixel names its colour.
inline QColor gui() {
    return QColor(0x10, 0x20, 0x30);
}
inline QColor buttonHover() {
    return QColor(0x11, 0x21, 0x31);
}
inline QColor buttonSelected() {
    return QColor(0x12, 0x22, 0x32);
}
inline QColor buttonRaised() {
    return QColor(0x13, 0x23, 0x33);
}
inline QColor lighter1() {
    return QColor(0xe0, 0xd0, 0xc0);
}
inline QColor lighter2() {
    return QColor(0xe1, 0xd1, 0xc1);
}
inline QColor darker1() {
    return QColor(0x40, 0x80, 0x20);
}
inline QColor darker2() {
    return QColor(0x90, 0x05, 0x60);
}

// The slider pictures of the image store.
constexpr int barWidth = 20, barHeight = 5;
constexpr int thumbWidth = 11, thumbHeight = 19;
inline QColor barColor() {
    return QColor(0xff, 0x00, 0x00);
}
inline QColor thumbColor() {
    return QColor(0x00, 0x00, 0xff);
}

inline QPixmap filledPixmap(int width, int height, const QColor& color) {
    QPixmap pixmap(width, height);
    pixmap.fill(color);
    return pixmap;
}

// A palette whose roles all differ, for outlines painted in palette colours.
inline QPalette distinctPalette() {
    QPalette palette;
    palette.setColor(QPalette::Light, QColor(0xf1, 0x01, 0x01));
    palette.setColor(QPalette::Midlight, QColor(0x02, 0xf2, 0x02));
    palette.setColor(QPalette::Dark, QColor(0x03, 0x03, 0xf3));
    palette.setColor(QPalette::Shadow, QColor(0xf4, 0xf4, 0x04));
    palette.setColor(QPalette::Window, QColor(0x05, 0xf5, 0xf5));
    palette.setColor(QPalette::Text, QColor(0x66, 0x06, 0x06));
    palette.setColor(QPalette::ButtonText, QColor(0x07, 0x67, 0x07));
    palette.setColor(QPalette::HighlightedText, QColor(0x08, 0x08, 0x68));
    return palette;
}

class Host {
public:
    // withStyle false: only the services, for tests that build their own style.
    explicit Host(bool withStyle = true) {
        velSetHostContext(&m_context);
        m_look = new VelHostLook;
        m_look->setColor("ColorGUI", gui());
        m_look->setColor("ColorButtonHover", buttonHover());
        m_look->setColor("ColorButtonSelected", buttonSelected());
        m_look->setColor("ColorButtonRaised", buttonRaised());
        m_look->setColor("ColorGUILighter1", lighter1());
        m_look->setColor("ColorGUILighter2", lighter2());
        m_look->setColor("ColorGUIDarker1", darker1());
        m_look->setColor("ColorGUIDarker2", darker2());
        m_context.offer<IGuiLook>(m_look);
        m_images = new VelHostImageStore;
        m_images->addPixmap("slider_bar", filledPixmap(barWidth, barHeight, barColor()));
        m_images->addPixmap("slider_thumb_on", filledPixmap(thumbWidth, thumbHeight, thumbColor()));
        m_context.offer<IImageStore>(m_images);
        if (withStyle) {
            m_base = new RecordingStyle;
            m_style.reset(new MelvoroStyle(m_base));
        }
    }
    ~Host() {
        m_style.reset();
        m_context.withdrawAll();
        velSetHostContext(nullptr);
    }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    MelvoroStyle& style() { return *m_style; }
    RecordingStyle* base() { return m_base; }
    VelHostLook* look() { return m_look; }
    VelHostImageStore* images() { return m_images; }
    VelHostContext& context() { return m_context; }

private:
    VelHostContext m_context;
    VelHostLook* m_look = nullptr;         // held by the context
    VelHostImageStore* m_images = nullptr; // held by the context
    RecordingStyle* m_base = nullptr;      // owned by the style
    std::unique_ptr<MelvoroStyle> m_style;
};

// An image of that size filled with a colour that no test paints with.
inline QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(0xfe, 0xfe, 0xfe));
    return image;
}

// Sets an environment variable (null: removes it) for the life of the scope, then puts the old value back.
class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = std::string(old);
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvironmentValue() {
        if (m_old)
            setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }
    EnvironmentValue(const EnvironmentValue&) = delete;
    EnvironmentValue& operator=(const EnvironmentValue&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

// The current user's registry for the life of the scope: a file of its own, named by MELVORO_REGISTRY_FILE.
class RegistryFile {
public:
    RegistryFile()
        : m_path(m_dir.filePath(QStringLiteral("registry.ini"))),
          m_override("MELVORO_REGISTRY_FILE", m_path.toLocal8Bit().constData()) {}

    bool write(const QByteArray& text) {
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        return file.write(text) == text.size();
    }
    // The theme manager's "ThemeActive" line, as given ("ThemeActive=1").
    bool writeThemeValue(const QByteArray& line) {
        return write("[Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]\n" + line + "\n");
    }
    bool setThemeActive(bool active) { return writeThemeValue(active ? "ThemeActive=1" : "ThemeActive=0"); }
    QString path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    EnvironmentValue m_override;
};

} // namespace style2
