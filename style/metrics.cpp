// The style's pixel metrics and style hints: one table of the values the look fixes; everything else is
// the base style's answer.

#include "style/melvorostyle.h"

#include <QOperatingSystemVersion>

namespace {

enum class Rule {
    Fixed,          // the value of the entry
    NonZeroBase,    // the base style's value, but the entry's value where that is 0
    OnWindowsVista, // the entry's value on Windows Vista, the base style's value elsewhere
    InApplication   // the entry's value in application mode, the base style's value for the host
};

struct Entry {
    bool isHint;
    int id;
    Rule rule;
    int value;
    bool hostOnly; // in application mode the base style's answer: the host's own choice
};

constexpr Entry table[] = {
    {false, QStyle::PM_ScrollBarExtent, Rule::OnWindowsVista, 17, false},
    {false, QStyle::PM_SliderLength, Rule::Fixed, 13, false},
    {false, QStyle::PM_DockWidgetSeparatorExtent, Rule::Fixed, 3, false},
    {false, QStyle::PM_TabBarBaseHeight, Rule::Fixed, 0, true},
    {false, QStyle::PM_ProgressBarChunkWidth, Rule::NonZeroBase, 1, false},
    {false, QStyle::PM_TitleBarHeight, Rule::Fixed, 0, true},
    {false, QStyle::PM_DockWidgetTitleMargin, Rule::Fixed, 0, true},
    {true, QStyle::SH_TabBar_PreferNoArrows, Rule::Fixed, 1, true},
    // Item views show a selected row's decoration (branch, check, icon) in the selection.
    {true, QStyle::SH_ItemView_ShowDecorationSelected, Rule::InApplication, 1, false},
};

const Entry* find(bool isHint, int id, bool applicationMode) {
    for (const Entry& entry : table)
        if (entry.isHint == isHint && entry.id == id)
            return (applicationMode && entry.hostOnly) ||
                           (!applicationMode && entry.rule == Rule::InApplication)
                       ? nullptr
                       : &entry;
    return nullptr;
}

bool isWindowsVista() {
    const QOperatingSystemVersion os = QOperatingSystemVersion::current();
    return os.type() == QOperatingSystemVersion::Windows && os.majorVersion() == 6 && os.minorVersion() == 0;
}

// The answer of entry, given how to ask the base style.
template <class AskBase> int answer(const Entry& entry, AskBase askBase) {
    switch (entry.rule) {
    case Rule::Fixed:
        return entry.value;
    case Rule::NonZeroBase: {
        const int base = askBase();
        return base == 0 ? entry.value : base;
    }
    case Rule::OnWindowsVista:
        return isWindowsVista() ? entry.value : askBase();
    case Rule::InApplication:
        return entry.value;
    }
    return askBase();
}

} // namespace

int MelvoroStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    // Splitter handles wide enough to show their grip and to be caught with the mouse.
    if (metric == PM_SplitterWidth && applicationMode())
        return 6;
    auto askBase = [&] { return QProxyStyle::pixelMetric(metric, option, widget); };
    if (const Entry* entry = find(false, metric, applicationMode()))
        return answer(*entry, askBase);
    return askBase();
}

int MelvoroStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    // A rubber band shows its see-through face whole, not as a hollow frame.
    if (hint == SH_RubberBand_Mask && applicationMode())
        return 0;
    if (hint == SH_Table_GridLineColor && applicationMode())
        return int(tableGridColorApp(option, widget));
    auto askBase = [&] { return QProxyStyle::styleHint(hint, option, widget, returnData); };
    if (const Entry* entry = find(true, hint, applicationMode()))
        return answer(*entry, askBase);
    return askBase();
}
