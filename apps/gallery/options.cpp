#include "apps/gallery/options.h"

#include <cstring>

namespace {

bool takeValue(const QStringList& arguments, int& i, QString& value, QString& error) {
    const QString& option = arguments[i];
    if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
        error = QString("option %1 needs a value").arg(option);
        return false;
    }
    value = arguments[++i];
    return true;
}

} // namespace

bool parseGalleryOptions(const QStringList& arguments, GalleryOptions& options, QString& error) {
    options = GalleryOptions();
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        bool ok = true;
        if (a == "--module")
            ok = takeValue(arguments, i, options.modulePath, error);
        else if (a == "--theme")
            ok = takeValue(arguments, i, options.themeFile, error);
        else if (a == "--screenshot")
            ok = takeValue(arguments, i, options.screenshotPath, error);
        else if (a == "--geometry")
            ok = takeValue(arguments, i, options.geometryPath, error);
        else if (a == "--mode") {
            QString mode;
            ok = takeValue(arguments, i, mode, error);
            if (ok && mode != "host" && mode != "application") {
                error = QString("option --mode takes host or application, not %1").arg(mode);
                return false;
            }
            options.applicationMode = mode == "application";
        } else if (a == "--rtl")
            options.rightToLeft = true;
        else if (a == "--compare")
            options.compare = true;
        else if (a == "--help" || a == "-h")
            options.help = true;
        else {
            error = QString("unknown option %1").arg(a);
            return false;
        }
        if (!ok)
            return false;
    }
    if (!options.geometryPath.isEmpty() && options.screenshotPath.isEmpty()) {
        error = "option --geometry needs --screenshot";
        return false;
    }
    return true;
}

namespace {

bool hasArgument(int argc, char** argv, const char* a, const char* b = nullptr) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i] && (std::strcmp(argv[i], a) == 0 || (b && std::strcmp(argv[i], b) == 0)))
            return true;
    }
    return false;
}

} // namespace

bool wantsScreenshot(int argc, char** argv) {
    return hasArgument(argc, argv, "--screenshot");
}

bool wantsHelp(int argc, char** argv) {
    return hasArgument(argc, argv, "--help", "-h");
}

bool takeStyleOption(int& argc, char** argv, QString& name, QString& error) {
    name.clear();
    for (int i = 1; i < argc; ++i) {
        if (!argv[i] || std::strcmp(argv[i], "--style") != 0)
            continue;
        if (i + 1 >= argc || !argv[i + 1] || !*argv[i + 1]) {
            error = "option --style needs a value";
            return false;
        }
        name = QString::fromLocal8Bit(argv[i + 1]);
        for (int j = i; j + 2 <= argc; ++j)
            argv[j] = argv[j + 2];
        argc -= 2;
        --i;
    }
    return true;
}

QString galleryUsage() {
    return QStringLiteral(
        "Usage: gallery [--module PATH] [--theme FILE] [--mode host|application] [--style NAME] [--rtl]\n"
        "               [--compare] [--screenshot FILE.png [--geometry FILE.json]]\n"
        "Shows every control of the application style, painted by the style module.\n"
        "  --module PATH        the style module to load (default: the one built with the gallery)\n"
        "  --theme FILE         look colours from FILE instead of the built-in theme\n"
        "  --mode MODE          host (default): the style as its host wants it; application: as any Qt\n"
        "                       program expects it, with a page of every standard control (colours\n"
        "                       follow the palette unless --theme is given)\n"
        "  --style NAME         the application page at the same size, painted by the installed Qt style\n"
        "                       NAME (Fusion, Windows, Breeze, kvantum ...) instead of the module's\n"
        "  --rtl                lay the widgets out right to left\n"
        "  --compare            show the same widgets beside them in the base \"Windows\" style\n"
        "  --screenshot FILE    render the window and an opened pop-up menu to FILE (PNG, device pixels)\n"
        "                       and exit\n"
        "  --geometry FILE      with --screenshot: write where each shown control lies in the PNG, in\n"
        "                       device pixels (JSON)\n");
}
