// The theme parser on any bytes: a theme loads completely or changes nothing and says why; a loaded
// theme holds no NUL, loads the same after a byte order mark, and fails once a NUL is put into it.

#include "fuzzinput.h"
#include "host/lookservice.h"

#include <QByteArray>
#include <QColor>

namespace {

// Sets every colour to one no theme holds (its alpha is not 255), so an unwanted change shows.
void markColours(VelHostLook& look) {
    for (int i = 0; i < VelHostLook::ColorCount; ++i)
        look.setColor(VelHostLook::colorName(i), QColor(i, i, i, 7));
}

bool coloursMarked(const VelHostLook& look) {
    for (int i = 0; i < VelHostLook::ColorCount; ++i)
        if (look.color(VelHostLook::colorName(i)) != QColor(i, i, i, 7))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), int(size));
    VelHostLook look;
    markColours(look);
    if (!look.loadThemeText(text)) {
        FUZZ_CHECK(!look.errorString().isEmpty());
        FUZZ_CHECK(coloursMarked(look));
        return 0;
    }
    FUZZ_CHECK(look.errorString().isEmpty());
    FUZZ_CHECK(!text.contains('\0'));
    QColor loaded[VelHostLook::ColorCount];
    for (int i = 0; i < VelHostLook::ColorCount; ++i) {
        loaded[i] = look.color(VelHostLook::colorName(i));
        FUZZ_CHECK(loaded[i].isValid() && loaded[i].alpha() == 255);
    }

    if (!text.startsWith("\xEF\xBB\xBF")) {
        VelHostLook marked;
        FUZZ_CHECK(marked.loadThemeText("\xEF\xBB\xBF" + text));
        for (int i = 0; i < VelHostLook::ColorCount; ++i)
            FUZZ_CHECK(marked.color(VelHostLook::colorName(i)) == loaded[i]);
    }
    if (size > 0) {
        QByteArray withNul = text;
        withNul.insert(int(data[0] % (size + 1)), '\0');
        VelHostLook refused;
        markColours(refused);
        FUZZ_CHECK(!refused.loadThemeText(withNul));
        FUZZ_CHECK(coloursMarked(refused));
    }
    return 0;
}
