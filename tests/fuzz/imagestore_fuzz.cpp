// The image store's decoding path on any bytes: an image added as data is decoded once when it is first
// found, within the size cap, or reported once and never decoded again.

#include "fuzzinput.h"
#include "host/imagestore.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

namespace {

QGuiApplication* g_application = nullptr;

void quietMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages); // every refused image is reported, as it should be
    static int count = 1;
    g_application = new QGuiApplication(count, *argv);
    (void)argc;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto* store = new VelHostImageStore;
    store->addRef();
    ImageContainer* image =
        store->addImageData("fuzzed", QByteArray(reinterpret_cast<const char*>(data), int(size)));
    FUZZ_CHECK(image);

    IVelUnknown* first = store->findImage("fuzzed");
    auto* found = velCast<ImageContainer>(first, "ImageContainer");
    FUZZ_CHECK(found);
    // At the style's icon size; an image of an extreme aspect ratio may come out null even so.
    const QPixmap pixmap = found->icon().pixmap(QSize(22, 22));
    if (found->cachedIcon.isNull()) {
        FUZZ_CHECK(pixmap.isNull());
        // Refused or undecodable: reported once, and answered by the stand-in from now on.
        FUZZ_CHECK(store->problems().size() == 1);
        FUZZ_CHECK(found != image);
        FUZZ_CHECK(image->cachedIcon.isNull());
    } else {
        FUZZ_CHECK(store->problems().isEmpty());
        FUZZ_CHECK(found == image);
        const QSize decoded = image->cachedIcon.availableSizes().value(0);
        FUZZ_CHECK(decoded.width() <= kImageMaxSide && decoded.height() <= kImageMaxSide);
        FUZZ_CHECK(pixmap.width() <= 22 && pixmap.height() <= 22);
    }
    const qint64 key = image->cachedIcon.cacheKey();
    FUZZ_CHECK(store->findImage("fuzzed") == first);
    FUZZ_CHECK(image->cachedIcon.cacheKey() == key);
    FUZZ_CHECK(store->problems().size() <= 1);
    store->release();
    return 0;
}
