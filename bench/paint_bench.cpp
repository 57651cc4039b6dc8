// Paint benchmark: full repaints of the gallery with the module's style and with the toolkit's styles, on
// the same widgets at the same size in the same run.
//
// Styles, by name:
//   melvoro       the module's style in host mode, on the gallery panel
//   melvoro-app   the module's style in application mode ("applicationMode" true, colours following the
//                 palette), on the gallery panel with its application page
//   any other     the toolkit's style of that QStyleFactory name ("windows", "fusion", "breeze",
//                 "kvantum", ...), on the panel with the application page; "windows" and "fusion" on the
//                 plain gallery panel as well, the host mode's yardsticks
// A style that is not installed is reported as skipped.
//
// Scenes: the window (the whole panel), its opened pop-up menu, and, with the application page, that page
// alone. Each scene is painted at one size for every style: the largest of the sizes the panel takes with
// the installed styles of the list below and those named.
//
//   paint_bench [--styles=a,b,...] [benchmark options]   wall time of each (Google Benchmark); by default
//                                                         every style of the list below that is installed
//   paint_bench --profile=STYLE                           sets each scene of the style up, warms it, then
//                                                         repaints it once inside melvoro_profiled_repaint
//                                                         (for callgrind's toggle-collect); exits with 3
//                                                         when the style is not installed
//   paint_bench --list                                    the styles, installed or skipped
//   paint_bench --sizes                                   the scene sizes, as the options below
//   --host-size=WxH, --app-size=WxH                       paint the scenes at these sizes instead

#include "apps/gallery/pages.h"
#include "host/lookservice.h"
#include "host/standardhost.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kExitSkipped = 3;

// Where busy bars are held, in milliseconds into their motion.
constexpr int kBusyTime = 600;

// The styles measured when none are named, in this order.
const char* const kDefaultStyles[] = {"melvoro", "melvoro-app", "windows", "fusion", "breeze", "kvantum"};

// The plain gallery panel, as a host shows it, and the panel with the application page.
enum class SceneKind { Host, App };

// Every style paints the same widgets at the same size: at least these, and as large as the largest of
// the minimum sizes the styles measured give the panel (sceneSizes below).
const QSize kHostWindowSize(1100, 760);
const QSize kAppWindowSize(1240, 980);
QSize g_sceneSize[2] = {kHostWindowSize, kAppWindowSize};

VelStandardHost* g_host = nullptr;

struct StyleChoice {
    std::string name;
    bool module = false;          // the module's style, not one of the toolkit's
    bool applicationMode = false; // the module's style in application mode
    bool hostScene = false;       // painted on the plain gallery panel
    bool appScene = false;        // painted on the panel with the application page
};

StyleChoice styleChoice(const std::string& name) {
    StyleChoice choice;
    choice.name = name;
    if (name == "melvoro") {
        choice.module = true;
        choice.hostScene = true;
    } else if (name == "melvoro-app") {
        choice.module = true;
        choice.applicationMode = true;
        choice.appScene = true;
    } else {
        choice.appScene = true;
        choice.hostScene = name == "windows" || name == "fusion";
    }
    return choice;
}

// The toolkit's key of a style name, compared without case; empty when the style is not installed.
QString factoryKey(const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    const QStringList keys = QStyleFactory::keys();
    for (const QString& key : keys) {
        if (key.compare(wanted, Qt::CaseInsensitive) == 0)
            return key;
    }
    return QString();
}

bool installed(const StyleChoice& choice) {
    return choice.module || !factoryKey(choice.name).isEmpty();
}

QStyle* makeStyle(const StyleChoice& choice) {
    if (!choice.module)
        return QStyleFactory::create(factoryKey(choice.name));
    QStyle* style = g_host->createStyle(QStringLiteral("MelvoroStyle"));
    if (style && choice.applicationMode)
        style->setProperty("applicationMode", true);
    // Busy bars held still: every run paints the same pictures, whenever it runs.
    if (style)
        style->setProperty("busyAnimationTime", kBusyTime);
    return style;
}

bool paintsScene(const StyleChoice& choice, SceneKind kind) {
    return kind == SceneKind::Host ? choice.hostScene : choice.appScene;
}

// One gallery panel shown with the style as the application style, and its menu opened.
struct Scene {
    Scene(const StyleChoice& choice, SceneKind kind, const QSize& size) : kind(kind) {
        // In application mode the look's colours follow the palette, as in the gallery and the plug-in.
        followsPalette = choice.applicationMode;
        g_host->look().setFollowsPalette(followsPalette);
        QStyle* style = makeStyle(choice);
        if (!style) {
            std::fprintf(stderr, "paint_bench: no %s style: %s\n", choice.name.c_str(),
                         qPrintable(g_host->errorString()));
            return;
        }
        QApplication::setStyle(style);
        panel.reset(new GalleryPanel(nullptr, kind == SceneKind::App));
        panel->resize(size);
        panel->show();
        QApplication::processEvents();
        menu = panel->showcaseMenu();
        QAction* active = menu->activeAction();
        menu->popup(QPoint(0, 0));
        menu->setActiveAction(active);
        QApplication::processEvents();
        windowImage = QImage(panel->size(), QImage::Format_ARGB32_Premultiplied);
        menuImage = QImage(menu->size(), QImage::Format_ARGB32_Premultiplied);
        if (QWidget* page = panel->applicationPage())
            pageImage = QImage(page->size(), QImage::Format_ARGB32_Premultiplied);
    }
    ~Scene() {
        if (menu)
            menu->hide();
        panel.reset();
        if (followsPalette) {
            g_host->look().setFollowsPalette(false);
            g_host->look().loadDefaultTheme();
        }
    }
    bool ok() const { return panel && menu; }
    // Whether the panel took the size it was given (a style whose minimum is larger enlarges it).
    bool hasSize(const QSize& size, const StyleChoice& choice) const {
        if (panel->size() == size)
            return true;
        std::fprintf(stderr, "paint_bench: %s needs a larger window (%dx%d) than %dx%d\n",
                     choice.name.c_str(), panel->width(), panel->height(), size.width(), size.height());
        return false;
    }

    void repaintWindow() { panel->render(&windowImage); }
    void repaintPage() {
        if (QWidget* page = panel->applicationPage())
            page->render(&pageImage);
    }
    void repaintMenu() { menu->render(&menuImage); }

    SceneKind kind;
    bool followsPalette = false;
    std::unique_ptr<GalleryPanel> panel;
    QMenu* menu = nullptr;
    QImage windowImage;
    QImage pageImage;
    QImage menuImage;
};

enum class Part { Window, Page, Menu };

void paintPart(benchmark::State& state, StyleChoice choice, SceneKind kind, Part part) {
    const QSize size = g_sceneSize[int(kind)];
    Scene scene(choice, kind, size);
    if (!scene.ok()) {
        state.SkipWithError("scene not set up");
        return;
    }
    if (!scene.hasSize(size, choice)) {
        state.SkipWithError("the scene is larger than the others");
        return;
    }
    auto repaint = [&scene, part] {
        switch (part) {
        case Part::Window:
            scene.repaintWindow();
            return scene.windowImage.constBits();
        case Part::Page:
            scene.repaintPage();
            return scene.pageImage.constBits();
        case Part::Menu:
            scene.repaintMenu();
            return scene.menuImage.constBits();
        }
        return static_cast<const uchar*>(nullptr);
    };
    repaint();
    for (auto _ : state)
        benchmark::DoNotOptimize(repaint());
}

// Makes each scene as large as the largest size its panel takes with any of the installed styles named.
void fitSceneSizes(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const StyleChoice choice = styleChoice(name);
        if (!installed(choice))
            continue;
        for (SceneKind kind : {SceneKind::Host, SceneKind::App}) {
            if (!paintsScene(choice, kind))
                continue;
            QSize& size = g_sceneSize[int(kind)];
            Scene scene(choice, kind, size);
            if (scene.ok())
                size = size.expandedTo(scene.panel->size());
        }
    }
}

bool parseSize(const char* text, QSize& size) {
    int width = 0, height = 0;
    char end = 0;
    if (std::sscanf(text, "%dx%d%c", &width, &height, &end) != 2 || width <= 0 || height <= 0)
        return false;
    size = QSize(width, height);
    return true;
}

std::vector<std::string> splitNames(const char* list) {
    std::vector<std::string> names;
    std::string current;
    for (const char* c = list;; ++c) {
        if (*c == ',' || *c == '\0') {
            if (!current.empty())
                names.push_back(current);
            current.clear();
            if (*c == '\0')
                break;
        } else {
            current += *c;
        }
    }
    return names;
}

} // namespace

// The repaints callgrind counts, each part in a function of its own: the plain panel's window and menu,
// and the application page panel's window, page and menu.
extern "C" __attribute__((noinline)) void melvoro_profiled_window(void* scene) {
    static_cast<Scene*>(scene)->repaintWindow();
}

extern "C" __attribute__((noinline)) void melvoro_profiled_menu(void* scene) {
    static_cast<Scene*>(scene)->repaintMenu();
}

extern "C" __attribute__((noinline)) void melvoro_profiled_app_window(void* scene) {
    static_cast<Scene*>(scene)->repaintWindow();
}

extern "C" __attribute__((noinline)) void melvoro_profiled_app_page(void* scene) {
    static_cast<Scene*>(scene)->repaintPage();
}

extern "C" __attribute__((noinline)) void melvoro_profiled_app_menu(void* scene) {
    static_cast<Scene*>(scene)->repaintMenu();
}

extern "C" __attribute__((noinline)) void melvoro_profiled_repaint(void* scene) {
    if (static_cast<Scene*>(scene)->kind == SceneKind::Host) {
        melvoro_profiled_window(scene);
        melvoro_profiled_menu(scene);
    } else {
        melvoro_profiled_app_window(scene);
        melvoro_profiled_app_page(scene);
        melvoro_profiled_app_menu(scene);
    }
}

namespace {

int profile(const StyleChoice& choice) {
    if (!installed(choice)) {
        std::printf("paint_bench: %s is not installed: skipped\n", choice.name.c_str());
        return kExitSkipped;
    }
    for (SceneKind kind : {SceneKind::Host, SceneKind::App}) {
        if (!paintsScene(choice, kind))
            continue;
        const QSize size = g_sceneSize[int(kind)];
        Scene scene(choice, kind, size);
        if (!scene.ok() || !scene.hasSize(size, choice))
            return 1;
        // Warm: fonts, glyph caches and the style's images are made before the counted repaint.
        scene.repaintWindow();
        scene.repaintPage();
        scene.repaintMenu();
        melvoro_profiled_repaint(&scene);
        std::printf("paint_bench: profiled one repaint of the %s with %s\n",
                    kind == SceneKind::Host ? "gallery panel" : "application page", choice.name.c_str());
    }
    return 0;
}

void registerBenchmarks(const StyleChoice& choice) {
    const std::string& name = choice.name;
    if (choice.hostScene) {
        benchmark::RegisterBenchmark(("PaintWindow/" + name).c_str(), paintPart, choice, SceneKind::Host,
                                     Part::Window)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("PaintMenu/" + name).c_str(), paintPart, choice, SceneKind::Host,
                                     Part::Menu)
            ->Unit(benchmark::kMicrosecond);
    }
    if (choice.appScene) {
        benchmark::RegisterBenchmark(("PaintAppWindow/" + name).c_str(), paintPart, choice, SceneKind::App,
                                     Part::Window)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("PaintAppPage/" + name).c_str(), paintPart, choice, SceneKind::App,
                                     Part::Page)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("PaintAppMenu/" + name).c_str(), paintPart, choice, SceneKind::App,
                                     Part::Menu)
            ->Unit(benchmark::kMicrosecond);
    }
}

// Takes the option of that prefix out of the arguments; null when there is none.
const char* takeOption(int& argc, char** argv, const char* prefix) {
    const char* value = nullptr;
    const size_t length = std::strlen(prefix);
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix, length) == 0)
            value = argv[i] + length;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return value;
}

bool takeFlag(int& argc, char** argv, const char* flag) {
    const char* value = takeOption(argc, argv, flag);
    return value && *value == '\0';
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const char* profiled = takeOption(argc, argv, "--profile=");
    const char* styles = takeOption(argc, argv, "--styles=");
    const bool list = takeFlag(argc, argv, "--list");
    const bool sizes = takeFlag(argc, argv, "--sizes");
    const char* hostSize = takeOption(argc, argv, "--host-size=");
    const char* appSize = takeOption(argc, argv, "--app-size=");
    if ((hostSize && !parseSize(hostSize, g_sceneSize[int(SceneKind::Host)])) ||
        (appSize && !parseSize(appSize, g_sceneSize[int(SceneKind::App)]))) {
        std::fprintf(stderr, "paint_bench: a size is given as WIDTHxHEIGHT, e.g. 1240x980\n");
        return 2;
    }
    QApplication app(argc, argv);
    int result = 0;
    {
        VelStandardHost host;
        g_host = &host;
        if (!host.loadModule(QStringLiteral(MELVORO_MODULE_PATH))) {
            std::fprintf(stderr, "paint_bench: %s\n", qPrintable(host.errorString()));
            return 1;
        }
        std::vector<std::string> names(std::begin(kDefaultStyles), std::end(kDefaultStyles));
        // Every run paints at the sizes of all the installed styles, whichever it measures.
        if (!hostSize || !appSize) {
            std::vector<std::string> fitted = names;
            if (styles) {
                const std::vector<std::string> named = splitNames(styles);
                fitted.insert(fitted.end(), named.begin(), named.end());
            }
            if (profiled)
                fitted.push_back(profiled);
            const QSize given[2] = {g_sceneSize[0], g_sceneSize[1]};
            fitSceneSizes(fitted);
            if (hostSize)
                g_sceneSize[int(SceneKind::Host)] = given[int(SceneKind::Host)];
            if (appSize)
                g_sceneSize[int(SceneKind::App)] = given[int(SceneKind::App)];
        }
        if (styles)
            names = splitNames(styles);
        if (sizes) {
            const QSize& host = g_sceneSize[int(SceneKind::Host)];
            const QSize& app = g_sceneSize[int(SceneKind::App)];
            std::printf("--host-size=%dx%d --app-size=%dx%d\n", host.width(), host.height(), app.width(),
                        app.height());
        } else if (profiled) {
            result = profile(styleChoice(profiled));
        } else if (list) {
            for (const std::string& name : names)
                std::printf("%s %s\n", name.c_str(), installed(styleChoice(name)) ? "installed" : "skipped");
        } else {
            for (const std::string& name : names) {
                const StyleChoice choice = styleChoice(name);
                if (installed(choice))
                    registerBenchmarks(choice);
                else
                    std::fprintf(stderr, "paint_bench: %s is not installed: skipped\n", name.c_str());
            }
            benchmark::Initialize(&argc, argv);
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
        }
        g_host = nullptr;
    }
    return result;
}
