// The gallery: the reference host application. It loads the style module, creates its application style
// by class name, applies it, and shows every control the style paints.

#include "apps/gallery/gallerywindow.h"
#include "apps/gallery/options.h"
#include "apps/gallery/screenshot.h"
#include "host/lookservice.h"
#include "host/standardhost.h"

#include <QApplication>
#include <QPointer>
#include <QSize>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

constexpr int kExitModule = 1;
constexpr int kExitUsage = 2;
constexpr int kExitScreenshot = 3;

void printError(const QString& message) {
    std::fprintf(stderr, "gallery: %s\n", qPrintable(message));
    std::fflush(stderr);
}

bool hasEnvironment(const char* name) {
    return !qEnvironmentVariableIsEmpty(name);
}

// The window's size with the application page, as large as any of the styles compared needs it.
const QSize kApplicationPageWindow(1640, 1550);

// Where a screenshot holds busy bars: this many milliseconds into their motion, clear of both ends.
constexpr int kShotBusyTime = 600;

// Loads the module, creates its application style and applies it (in application mode when asked). False
// with the host's error string set when the theme, the module or the style cannot be had.
bool applyModuleStyle(VelStandardHost& host, const GalleryOptions& options) {
    if (!options.themeFile.isEmpty() && !host.loadTheme(options.themeFile))
        return false;
    // In application mode the colours follow the application's palette, unless a theme gives them; in
    // host mode the application takes the host's palette, which keeps every text readable on the look.
    if (options.applicationMode && options.themeFile.isEmpty())
        host.look().setFollowsPalette(true);
    const QString modulePath =
        options.modulePath.isEmpty() ? QStringLiteral(MELVORO_DEFAULT_MODULE) : options.modulePath;
    if (!host.loadModule(modulePath))
        return false;
    QStyle* style = host.createStyle(QStringLiteral("MelvoroStyle"));
    if (!style)
        return false;
    if (options.applicationMode)
        style->setProperty("applicationMode", true);
    QApplication::setStyle(style);
    if (!options.applicationMode)
        QApplication::setPalette(host.look().hostPalette());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The usage needs no display.
    if (wantsHelp(argc, argv)) {
        std::fputs(qPrintable(galleryUsage()), stdout);
        return 0;
    }
    // Without a display a screenshot is rendered by the offscreen platform.
    const bool noDisplay = !hasEnvironment("DISPLAY") && !hasEnvironment("WAYLAND_DISPLAY") &&
                           !hasEnvironment("QT_QPA_PLATFORM");
    if (noDisplay) {
        if (!wantsScreenshot(argc, argv)) {
            printError("no display to show the window on; use --screenshot FILE.png to render it to a file");
            return kExitUsage;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    // The toolkit would take --style as its own option: the gallery reads it first.
    QString styleName, error;
    if (!takeStyleOption(argc, argv, styleName, error)) {
        printError(error);
        std::fputs(qPrintable(galleryUsage()), stderr);
        return kExitUsage;
    }
    QApplication app(argc, argv);
    GalleryOptions options;
    if (!parseGalleryOptions(app.arguments().mid(1), options, error)) {
        printError(error);
        std::fputs(qPrintable(galleryUsage()), stderr);
        return kExitUsage;
    }
    options.styleName = styleName;
    if (options.help) {
        std::fputs(qPrintable(galleryUsage()), stdout);
        return 0;
    }
    if (!options.screenshotPath.isEmpty())
        QApplication::setFont(galleryShotFont());
    if (options.rightToLeft)
        QApplication::setLayoutDirection(Qt::RightToLeft);

    // Reports of the module go to stderr at once and into the log pane once the window exists. Both
    // outlive the host, which may still hear from the module while it closes it.
    QPointer<GalleryWindow> window;
    QStringList earlyReports;
    VelStandardHost host;
    host.setErrorListener([&window, &earlyReports](const QString& message) {
        std::fprintf(stderr, "gallery: module reports: %s\n", qPrintable(message));
        if (window)
            window->appendLog(message);
        else
            earlyReports.append(message);
    });

    // Another installed style paints the same application page in place of the module's style.
    const bool applicationPage = options.applicationMode || !options.styleName.isEmpty();
    if (!options.styleName.isEmpty()) {
        QStyle* other = QStyleFactory::create(options.styleName);
        if (!other) {
            printError(QString("no installed style \"%1\" (installed: %2)")
                           .arg(options.styleName, QStyleFactory::keys().join(", ")));
            return kExitUsage;
        }
        QApplication::setStyle(other);
    } else if (!applyModuleStyle(host, options)) {
        printError(host.errorString());
        return kExitModule;
    }

    // A screenshot holds the busy bars still, part way along their grooves, so every shot comes out the
    // same; the style reads the time at every paint.
    if (!options.screenshotPath.isEmpty())
        QApplication::style()->setProperty("busyAnimationTime", kShotBusyTime);

    std::unique_ptr<QStyle> compareStyle;
    if (options.compare)
        compareStyle.reset(QStyleFactory::create(QStringLiteral("Windows")));

    // The window goes before the host, which then takes its style back before it closes the module.
    std::unique_ptr<GalleryWindow> owned(new GalleryWindow(compareStyle.get(), applicationPage));
    window = owned.get();
    for (const QString& message : earlyReports)
        window->appendLog(message);
    // The application page has one size whatever the style, so shots of several styles compare.
    window->resize(applicationPage ? window->sizeHint().expandedTo(kApplicationPageWindow)
                                   : window->sizeHint());

    if (!options.screenshotPath.isEmpty()) {
        GalleryShot shot;
        window->renderShot(shot);
        if (!shot.save(options.screenshotPath, options.geometryPath, error)) {
            printError(error);
            return kExitScreenshot;
        }
        std::printf("gallery: wrote %s\n", qPrintable(options.screenshotPath));
        return 0;
    }

    window->showAll();
    return app.exec();
}
