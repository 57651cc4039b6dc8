// Paint benchmark: one full repaint of the gallery window and one of its opened pop-up menu, with the
// application style of the module, with the base "Windows" style and with "Fusion"; same widgets, same
// size, same run.
//
//   paint_bench [benchmark options]      wall time of each variant (Google Benchmark)
//   paint_bench --profile=VARIANT         sets the scene up, warms it, then repaints window and menu once
//                                         inside melvoro_profiled_repaint (for callgrind's toggle-collect),
//                                         in melvoro_profiled_window and melvoro_profiled_menu

#include "apps/gallery/pages.h"
#include "host/standardhost.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QStyle>
#include <QStyleFactory>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

enum class Variant { Melvoro, Windows, Fusion };

const char* variantName(Variant variant) {
    switch (variant) {
    case Variant::Melvoro:
        return "melvoro";
    case Variant::Windows:
        return "windows";
    case Variant::Fusion:
        return "fusion";
    }
    return "?";
}

// Every variant paints the same widgets at the same size.
const QSize kWindowSize(1100, 760);

VelStandardHost* g_host = nullptr;

QStyle* makeStyle(Variant variant) {
    switch (variant) {
    case Variant::Melvoro:
        return g_host->createStyle(QStringLiteral("MelvoroStyle"));
    case Variant::Windows:
        return QStyleFactory::create(QStringLiteral("Windows"));
    case Variant::Fusion:
        return QStyleFactory::create(QStringLiteral("Fusion"));
    }
    return nullptr;
}

// The gallery panel shown with the variant's style as the application style, and its menu opened.
struct Scene {
    explicit Scene(Variant variant) {
        QStyle* style = makeStyle(variant);
        if (!style) {
            std::fprintf(stderr, "paint_bench: no %s style: %s\n", variantName(variant),
                         qPrintable(g_host->errorString()));
            return;
        }
        QApplication::setStyle(style);
        panel.reset(new GalleryPanel);
        panel->resize(kWindowSize);
        panel->show();
        QApplication::processEvents();
        menu = panel->showcaseMenu();
        QAction* active = menu->activeAction();
        menu->popup(QPoint(0, 0));
        menu->setActiveAction(active);
        QApplication::processEvents();
        windowImage = QImage(panel->size(), QImage::Format_ARGB32_Premultiplied);
        menuImage = QImage(menu->size(), QImage::Format_ARGB32_Premultiplied);
    }
    ~Scene() {
        if (menu)
            menu->hide();
    }
    bool ok() const { return panel && menu; }

    void repaintWindow() { panel->render(&windowImage); }
    void repaintMenu() { menu->render(&menuImage); }

    std::unique_ptr<GalleryPanel> panel;
    QMenu* menu = nullptr;
    QImage windowImage;
    QImage menuImage;
};

void paintWindow(benchmark::State& state, Variant variant) {
    Scene scene(variant);
    if (!scene.ok()) {
        state.SkipWithError("scene not set up");
        return;
    }
    scene.repaintWindow();
    for (auto _ : state) {
        scene.repaintWindow();
        benchmark::DoNotOptimize(scene.windowImage.constBits());
    }
}

void paintMenu(benchmark::State& state, Variant variant) {
    Scene scene(variant);
    if (!scene.ok()) {
        state.SkipWithError("scene not set up");
        return;
    }
    scene.repaintMenu();
    for (auto _ : state) {
        scene.repaintMenu();
        benchmark::DoNotOptimize(scene.menuImage.constBits());
    }
}

bool variantByName(const char* name, Variant& out) {
    for (Variant v : {Variant::Melvoro, Variant::Windows, Variant::Fusion}) {
        if (std::strcmp(name, variantName(v)) == 0) {
            out = v;
            return true;
        }
    }
    return false;
}

} // namespace

// The one repaint callgrind counts: the window, then the menu, each in a function of its own.
extern "C" __attribute__((noinline)) void melvoro_profiled_window(void* scene) {
    static_cast<Scene*>(scene)->repaintWindow();
}

extern "C" __attribute__((noinline)) void melvoro_profiled_menu(void* scene) {
    static_cast<Scene*>(scene)->repaintMenu();
}

extern "C" __attribute__((noinline)) void melvoro_profiled_repaint(void* scene) {
    melvoro_profiled_window(scene);
    melvoro_profiled_menu(scene);
}

namespace {

int profile(Variant variant) {
    Scene scene(variant);
    if (!scene.ok())
        return 1;
    // Warm: fonts, glyph caches and the style's images are made before the counted repaint.
    scene.repaintWindow();
    scene.repaintMenu();
    melvoro_profiled_repaint(&scene);
    std::printf("paint_bench: profiled one repaint with %s\n", variantName(variant));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int result = 0;
    {
        VelStandardHost host;
        g_host = &host;
        if (!host.loadModule(QStringLiteral(MELVORO_MODULE_PATH))) {
            std::fprintf(stderr, "paint_bench: %s\n", qPrintable(host.errorString()));
            return 1;
        }
        const char* profilePrefix = "--profile=";
        if (argc > 1 && std::strncmp(argv[1], profilePrefix, std::strlen(profilePrefix)) == 0) {
            Variant variant;
            if (!variantByName(argv[1] + std::strlen(profilePrefix), variant)) {
                std::fprintf(stderr, "paint_bench: unknown variant %s (melvoro, windows, fusion)\n", argv[1]);
                return 2;
            }
            result = profile(variant);
        } else {
            for (Variant v : {Variant::Melvoro, Variant::Windows, Variant::Fusion}) {
                benchmark::RegisterBenchmark((std::string("PaintWindow/") + variantName(v)).c_str(),
                                             paintWindow, v)
                    ->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark((std::string("PaintMenu/") + variantName(v)).c_str(), paintMenu,
                                             v)
                    ->Unit(benchmark::kMicrosecond);
            }
            benchmark::Initialize(&argc, argv);
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
        }
        g_host = nullptr;
    }
    return result;
}
