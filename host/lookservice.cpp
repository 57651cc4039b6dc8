#include "host/lookservice.h"

#include "host/boundedfile.h"
#include "host/saturatingcount.h"
#include "host/servicequery.h"
#include "style/contrast.h"

#include <QGuiApplication>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string.h> // strnlen

namespace {

struct ThemeEntry {
    const char* name;
    QRgb color;
};

// The look colours, in the order of the table below.
enum Colour {
    Gui,
    ButtonHover,
    ButtonSelected,
    ButtonRaised,
    GuiLighter1,
    GuiLighter2,
    GuiDarker1,
    GuiDarker2,
    ButtonShade,
};

// The built-in theme: a soft green-grey look.
constexpr ThemeEntry defaultTheme[VelHostLook::ColorCount] = {
    {"ColorGUI", 0xffdfe6df},          {"ColorButtonHover", 0xffbfd7bf}, {"ColorButtonSelected", 0xff9fbf9f},
    {"ColorButtonRaised", 0xffeef3ee}, {"ColorGUILighter1", 0xfff2f6f2}, {"ColorGUILighter2", 0xfffafcfa},
    {"ColorGUIDarker1", 0xffb4c2b4},   {"ColorGUIDarker2", 0xff7e927e},  {"ColorButtonShade", 0xffd0dbd0},
};

constexpr int kLongestName = 19; // "ColorButtonSelected"

// The colour names differ in length or, among the names of one length, in their last character: that
// pair picks the one entry a name can be, which a single comparison then confirms.
constexpr int candidateIndex(const char* name, int length) {
    const char last = length > 0 ? name[length - 1] : '\0';
    switch (length) {
    case 8:
        return Gui;
    case 15:
        return last == '1' ? GuiDarker1 : last == '2' ? GuiDarker2 : -1;
    case 16:
        switch (last) {
        case 'r':
            return ButtonHover;
        case '1':
            return GuiLighter1;
        case '2':
            return GuiLighter2;
        case 'e':
            return ButtonShade;
        default:
            return -1;
        }
    case 17:
        return ButtonRaised;
    case 19:
        return ButtonSelected;
    default:
        return -1;
    }
}

constexpr int lengthOf(const char* text) {
    int length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

// Every name of the table leads to its own entry: a name added or changed against the rule above fails
// the build.
constexpr bool everyNameFindsItsEntry() {
    for (int i = 0; i < VelHostLook::ColorCount; ++i) {
        const char* name = defaultTheme[i].name;
        const int length = lengthOf(name);
        if (length > kLongestName || candidateIndex(name, length) != i)
            return false;
    }
    return true;
}
static_assert(everyNameFindsItsEntry(), "look colour names must differ in length or last character");

bool parseHexColor(const QByteArray& text, QColor& color) {
    if (text.size() != 7 || text[0] != '#')
        return false;
    for (int i = 1; i < 7; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    bool ok = false;
    const uint rgb = text.mid(1).toUInt(&ok, 16);
    if (!ok)
        return false;
    color = QColor::fromRgb(0xff000000u | rgb);
    return true;
}

// The UTF-8 byte order mark.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// A piece of a theme line for a message: at most 40 bytes of it, so that a long line makes a short message.
QString quoted(const QByteArray& text) {
    constexpr int kShown = 40;
    if (text.size() <= kShown)
        return QString::fromLatin1(text);
    return QString::fromLatin1(text.left(kShown)) + QStringLiteral("...");
}

} // namespace

VelHostLook::VelHostLook() {
    loadDefaultTheme();
}

bool VelHostLook::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velQueryService<IGuiLook>(this, "VelHostLook", name, outOrWalk);
}

const char* VelHostLook::colorName(int index) {
    return index >= 0 && index < ColorCount ? defaultTheme[index].name : nullptr;
}

int VelHostLook::colorIndex(const char* name) {
    if (!name)
        return -1;
    // No colour name is longer than kLongestName, so the count stops one past it: a long name costs no
    // more than a short one.
    const int length = int(strnlen(name, kLongestName + 1));
    const int index = candidateIndex(name, length);
    if (index < 0 || std::strcmp(defaultTheme[index].name, name) != 0)
        return -1;
    return index;
}

QColor VelHostLook::defaultColor(const char* name) {
    const int index = colorIndex(name);
    return index < 0 ? QColor() : QColor::fromRgba(defaultTheme[index].color);
}

void VelHostLook::loadDefaultTheme() {
    for (int i = 0; i < ColorCount; ++i)
        m_colors[i] = QColor::fromRgba(defaultTheme[i].color);
    m_error.clear();
}

bool VelHostLook::isDarkPalette(const QPalette& palette) {
    return velRelativeLuminance(palette.color(QPalette::Active, QPalette::WindowText)) >
           velRelativeLuminance(palette.color(QPalette::Active, QPalette::Window));
}

namespace {

// How far apart the faces of a control stand, as a contrast ratio: hover from rest, pressed from hover.
constexpr double kFacesApart = 1.35;

// The palette's texts that stand on the far side of its window from the fills: the light ones on a dark
// palette, the dark ones on a light palette. Every fill keeps them readable.
int paletteTexts(const QPalette& palette, bool dark, QColor texts[3]) {
    const double windowLuminance = velRelativeLuminance(palette.color(QPalette::Active, QPalette::Window));
    int count = 0;
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::HighlightedText}) {
        const QColor text = palette.color(QPalette::Active, role);
        if ((velRelativeLuminance(text) > windowLuminance) == dark)
            texts[count++] = text;
    }
    return count;
}

bool readableUnder(const QColor& fill, const QColor texts[], int count) {
    for (int t = 0; t < count; ++t)
        if (velContrastRatio(texts[t], fill) < velReadableContrast + 0.1)
            return false;
    return true;
}

// Sets the hover and pressed colours apart from the resting face (which runs between "ColorGUI" and
// "ColorGUILighter1") and from each other: away from the window's side (lighter on a dark palette, darker
// on a light one), pressed furthest, hover halfway between in contrast, every text still readable. False
// when the texts left too little room for that.
bool setFacesApart(QColor colors[VelHostLook::ColorCount], bool dark, const QColor texts[], int textCount) {
    const double gui = velRelativeLuminance(colors[Gui]);
    const double lighter = velRelativeLuminance(colors[GuiLighter1]);
    // The end of the resting face nearest to the hover and pressed colours.
    const QColor rest = (lighter > gui) == dark ? colors[GuiLighter1] : colors[Gui];
    const double step = dark ? 0.005 : -0.005;
    // The colour of that hue and saturation moved from the rest's lightness until stop says so or texts
    // would no longer read on it.
    auto moved = [&](const QColor& hueOf, auto stop) {
        const double hue = hueOf.hslHueF(), saturation = hueOf.hslSaturationF();
        QColor best = QColor::fromHslF(hue, saturation, rest.lightnessF());
        for (double l = rest.lightnessF() + step; l >= 0.0 && l <= 1.0; l += step) {
            const QColor next = QColor::fromHslF(hue, saturation, l);
            if (!readableUnder(next, texts, textCount))
                break;
            best = next;
            if (stop(next))
                break;
        }
        return best;
    };
    const QColor pressed = moved(colors[ButtonSelected], [&](const QColor& c) {
        return velContrastRatio(c, rest) >= kFacesApart * kFacesApart;
    });
    // Hover halfway: as far in contrast from the rest as from pressed.
    const double target =
        std::sqrt((velRelativeLuminance(rest) + 0.05) * (velRelativeLuminance(pressed) + 0.05));
    const QColor hover = moved(colors[ButtonHover], [&](const QColor& c) {
        const double l = velRelativeLuminance(c) + 0.05;
        return dark ? l >= target : l <= target;
    });
    colors[ButtonSelected] = pressed;
    colors[ButtonHover] = hover;
    return velContrastRatio(pressed, rest) >= kFacesApart * kFacesApart - 0.01;
}

} // namespace

void VelHostLook::colorsForPalette(const QPalette& palette, QColor colors[ColorCount]) {
    for (int i = 0; i < ColorCount; ++i)
        colors[i] = QColor::fromRgba(defaultTheme[i].color);
    const bool dark = isDarkPalette(palette);
    QColor texts[3];
    const int textCount = paletteTexts(palette, dark, texts);
    if (!dark) {
        setFacesApart(colors, false, texts, textCount);
        return;
    }
    // The dark look keeps each colour's hue and saturation and sets its lightness around the palette's
    // window: lighter colours lighter, darker ones darker.
    static constexpr double offset[ColorCount] = {
        0.0,   // ColorGUI
        0.12,  // ColorButtonHover (set apart from the rest below)
        0.06,  // ColorButtonSelected (likewise)
        0.06,  // ColorButtonRaised
        0.05,  // ColorGUILighter1
        0.08,  // ColorGUILighter2
        -0.04, // ColorGUIDarker1
        -0.07, // ColorGUIDarker2
        -0.02, // ColorButtonShade
    };
    // A window so light that the texts leave the pressed colour too little room above the resting face
    // gets a darker look.
    QColor theme[ColorCount];
    std::copy(colors, colors + ColorCount, theme);
    for (double window =
             std::clamp(double(palette.color(QPalette::Active, QPalette::Window).lightnessF()), 0.1, 0.3);
         ; window -= 0.02) {
        for (int i = 0; i < ColorCount; ++i) {
            const double hue = theme[i].hslHueF();
            const double saturation = theme[i].hslSaturationF();
            double l = std::clamp(window + offset[i], 0.02, 0.6);
            QColor shade = QColor::fromHslF(hue, saturation, l);
            while (!readableUnder(shade, texts, textCount) && l > 0.0) {
                l = std::max(0.0, l - 0.02);
                shade = QColor::fromHslF(hue, saturation, l);
            }
            colors[i] = shade;
        }
        if (setFacesApart(colors, true, texts, textCount) || window <= 0.1)
            return;
    }
}

void VelHostLook::setFollowsPalette(bool follow) {
    m_followsPalette = follow;
    m_paletteKey = 0;
    if (follow)
        followApplicationPalette();
}

void VelHostLook::followApplicationPalette() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    const QPalette palette = QGuiApplication::palette();
    if (palette.cacheKey() == m_paletteKey)
        return;
    m_paletteKey = palette.cacheKey();
    colorsForPalette(palette, m_colors);
}

QPalette VelHostLook::hostPalette() const {
    const QColor gui = m_colors[Gui];
    QPalette palette(gui);
    // One text colour for the window and its controls, readable on every fill of the look.
    const QColor black(0, 0, 0), white(255, 255, 255);
    double onBlack = 21, onWhite = 21;
    for (int fill : {Gui, ButtonHover, ButtonSelected, ButtonRaised, GuiLighter1, GuiLighter2, GuiDarker1}) {
        onBlack = std::min(onBlack, velContrastRatio(m_colors[fill], black));
        onWhite = std::min(onWhite, velContrastRatio(m_colors[fill], white));
    }
    const QColor text = onBlack >= onWhite ? black : white;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::Text, velReadableOn(m_colors[GuiLighter2], text));
        palette.setColor(group, QPalette::Base, m_colors[GuiLighter2]);
        palette.setColor(group, QPalette::Highlight, m_colors[ButtonHover]);
        palette.setColor(group, QPalette::HighlightedText, velReadableOn(m_colors[ButtonHover], text));
    }
    return palette;
}

bool VelHostLook::loadTheme(const QString& path) {
    QByteArray text;
    QString reason;
    if (!velReadBoundedFile(path, MaxThemeBytes, &text, &reason)) {
        if (reason.startsWith(QLatin1String("larger")))
            reason = QStringLiteral("larger than 1 MiB (%1 bytes)").arg(MaxThemeBytes);
        m_error = QStringLiteral("cannot read the theme file %1: %2").arg(path, reason);
        return false;
    }
    return loadThemeText(text);
}

bool VelHostLook::loadThemeText(const QByteArray& source) {
    QColor colors[ColorCount];
    for (int i = 0; i < ColorCount; ++i)
        colors[i] = QColor::fromRgba(defaultTheme[i].color);

    if (source.size() > MaxThemeBytes) {
        m_error = QStringLiteral("the theme is larger than 1 MiB (%1 bytes)").arg(MaxThemeBytes);
        return false;
    }
    // A UTF-8 byte order mark, as some editors write it, is no part of the first line.
    QByteArray text = source;
    if (text.startsWith(kByteOrderMark))
        text.remove(0, int(sizeof kByteOrderMark) - 1);

    const QList<QByteArray> lines = text.split('\n');
    for (int number = 0; number < lines.size(); ++number) {
        // A NUL would end the name early when it is looked up ("ColorGUI\0x" would read as "ColorGUI").
        if (lines[number].contains('\0')) {
            m_error = QStringLiteral("line %1: a NUL byte is not allowed in a theme").arg(number + 1);
            return false;
        }
        const QByteArray line = lines[number].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const int equals = line.indexOf('=');
        if (equals < 0) {
            m_error = QStringLiteral("line %1: expected \"Name = #rrggbb\"").arg(number + 1);
            return false;
        }
        const QByteArray name = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        const int index = colorIndex(name.constData());
        if (index < 0) {
            m_error = QStringLiteral("line %1: unknown look colour \"%2\"").arg(number + 1).arg(quoted(name));
            return false;
        }
        if (!parseHexColor(value, colors[index])) {
            m_error = QStringLiteral("line %1: \"%2\" is not a colour of the form #rrggbb")
                          .arg(number + 1)
                          .arg(quoted(value));
            return false;
        }
    }
    for (int i = 0; i < ColorCount; ++i)
        m_colors[i] = colors[i];
    m_followsPalette = false;
    m_error.clear();
    return true;
}

QColor VelHostLook::color(const char* name) const {
    const int index = colorIndex(name);
    return index < 0 ? QColor() : m_colors[index];
}

bool VelHostLook::setColor(const char* name, const QColor& color) {
    const int index = colorIndex(name);
    if (index < 0)
        return false;
    m_colors[index] = color;
    return true;
}

int32_t VelHostLook::widgetColor(const PooledName& name, QColor& color, const QWidget* widget) {
    return answer(name, color, true, widget);
}

int32_t VelHostLook::lookColor(const PooledName& name, QColor& color) {
    return answer(name, color, false, nullptr);
}

int32_t VelHostLook::answer(const PooledName& name, QColor& color, bool withWidget, const QWidget* widget) {
    if (m_followsPalette)
        followApplicationPalette();
    const int index = colorIndex(name.text);
    Ask& ask = m_log[m_logNext];
    ask.color = index;
    ask.withWidget = withWidget;
    ask.widget = widget;
    ask.borrowedName = name.text && !name.isOwned();
    m_logNext = m_logNext + 1 < LogCapacity ? m_logNext + 1 : 0;
    if (m_logSize < LogCapacity)
        ++m_logSize;
    if (index < 0) {
        velCountUp(m_unknownAsks);
        return 0;
    }
    velCountUp(m_asks[index]);
    color = m_colors[index];
    return 1;
}

int VelHostLook::asks(const char* name) const {
    const int index = colorIndex(name);
    return index < 0 ? 0 : m_asks[index];
}

int VelHostLook::totalAsks() const {
    int total = m_unknownAsks;
    for (int count : m_asks)
        total = velCountSum(total, count);
    return total;
}

int VelHostLook::askLogSize() const {
    return m_logSize;
}

VelHostLook::Ask VelHostLook::askAt(int index) const {
    const int size = askLogSize();
    if (index < 0 || index >= size)
        return Ask();
    // The oldest filled slot is m_logNext once the ring is full, slot 0 before.
    const int oldest = size < LogCapacity ? 0 : m_logNext;
    return m_log[(oldest + index) % LogCapacity];
}

void VelHostLook::resetAsks() {
    for (int& count : m_asks)
        count = 0;
    m_unknownAsks = 0;
    m_logNext = 0;
    m_logSize = 0;
}
