#pragma once
// The gallery's command line.

#include <QString>
#include <QStringList>

struct GalleryOptions {
    QString modulePath;           // --module PATH; empty: the module built beside the gallery
    QString themeFile;            // --theme FILE; empty: the look service's built-in theme
    bool rightToLeft = false;     // --rtl
    QString screenshotPath;       // --screenshot FILE.png: render to PNG and exit
    QString geometryPath;         // --geometry FILE: write the screenshot's widget geometries as JSON
    bool compare = false;         // --compare: the same widgets beside them in the base "Windows" style
    bool applicationMode = false; // --mode host|application: the style's mode (host by default)
    QString styleName;            // --style NAME: an installed Qt style instead, on the application page
    bool help = false;            // --help
};

// Reads the options after the program name (the toolkit's own options and --style already taken out).
// False with a message in error for an unknown option, a missing value or --geometry without --screenshot.
bool parseGalleryOptions(const QStringList& arguments, GalleryOptions& options, QString& error);

// Whether the raw command line asks for a screenshot or for help (read before the toolkit starts).
bool wantsScreenshot(int argc, char** argv);
bool wantsHelp(int argc, char** argv);

// Takes "--style NAME" out of the raw command line (the toolkit would take it as its own style option) and
// gives NAME. False with a message in error when the name is missing.
bool takeStyleOption(int& argc, char** argv, QString& name, QString& error);

QString galleryUsage();
