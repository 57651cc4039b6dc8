// velscreengrab OUT.png [DELAY_MS]: after the pause (1500 ms unless given), grabs the screen of the display
// it runs on and writes the part that windows cover (the root window of an empty X server is black) as PNG.
// It takes the documentation's screenshots of stock programs, run side by side on a virtual display.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2) {
        std::fputs("usage: velscreengrab OUT.png [DELAY_MS]\n", stderr);
        return 2;
    }
    const QString out = arguments[1];
    const int delay = arguments.size() > 2 ? arguments[2].toInt() : 1500;
    int status = 1;
    QTimer::singleShot(delay, [&] {
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        QRect covered;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                if ((screen.pixel(x, y) & 0xffffffu) != 0)
                    covered |= QRect(x, y, 1, 1);
        if (!covered.isEmpty() && screen.copy(covered).save(out, "PNG"))
            status = 0;
        else
            std::fprintf(stderr, "velscreengrab: nothing shown or cannot write %s\n", qPrintable(out));
        app.quit();
    });
    app.exec();
    return status;
}
