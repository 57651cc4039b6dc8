#include "host/lookservice.h"

#include "host/saturatingcount.h"
#include "host/servicequery.h"

#include <QFile>
#include <cctype>
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

bool VelHostLook::loadTheme(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot read the theme file %1: %2").arg(path, file.errorString());
        return false;
    }
    return loadThemeText(file.readAll());
}

bool VelHostLook::loadThemeText(const QByteArray& text) {
    QColor colors[ColorCount];
    for (int i = 0; i < ColorCount; ++i)
        colors[i] = QColor::fromRgba(defaultTheme[i].color);

    const QList<QByteArray> lines = text.split('\n');
    for (int number = 0; number < lines.size(); ++number) {
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
            m_error = QStringLiteral("line %1: unknown look colour \"%2\"")
                          .arg(number + 1)
                          .arg(QString::fromLatin1(name));
            return false;
        }
        if (!parseHexColor(value, colors[index])) {
            m_error = QStringLiteral("line %1: \"%2\" is not a colour of the form #rrggbb")
                          .arg(number + 1)
                          .arg(QString::fromLatin1(value));
            return false;
        }
    }
    for (int i = 0; i < ColorCount; ++i)
        m_colors[i] = colors[i];
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
