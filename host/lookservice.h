#pragma once
// VelHostLook: the host's look service. It answers the nine look colours by name from a table built when a
// colour theme loads. A name is found by its length and last character and confirmed by one comparison,
// so every ask costs the same and allocates nothing. Themes are small text files:
//
//     # comment
//     ColorGUI = #e4eae4
//     ColorButtonHover = #bfd7bf
//
// Names a theme leaves out keep the built-in default colour. The service counts every ask per name and
// keeps a short log of the latest asks, for hosts and tests that watch how the style uses it.
//
// A host without a theme file may let the colours follow the application's palette instead
// (setFollowsPalette): a light palette gives the built-in theme, a dark one a dark look of the same hues,
// worked out again whenever the application's palette changes.

#include "style/guiservices.h"

#include <QByteArray>
#include <QColor>
#include <QPalette>
#include <QString>

class QWidget;

class VelHostLook : public IGuiLook {
public:
    static constexpr int ColorCount = 9;
    static constexpr int LogCapacity = 64;

    // One ask, as the log keeps it.
    struct Ask {
        int color = -1;                  // index into colorName(), -1 for an unknown name
        bool withWidget = false;         // widgetColor (true) or lookColor (false)
        const QWidget* widget = nullptr; // the widget passed to widgetColor
        bool borrowedName = false;       // the name came as borrowed text (nothing was copied for it)
    };

    VelHostLook();

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelHostLook"; }

    // Fill color and answer 1 for a known name; leave it untouched and answer 0 otherwise.
    int32_t widgetColor(const PooledName& name, QColor& color, const QWidget* widget) override;
    int32_t lookColor(const PooledName& name, QColor& color) override;

    // The names of the look colours, by index (0 .. ColorCount - 1); null outside.
    static const char* colorName(int index);
    // The index of a name, or -1. Reads no more of name than the longest colour name and its terminator.
    static int colorIndex(const char* name);
    // The built-in default theme's colour of that name (invalid for an unknown name).
    static QColor defaultColor(const char* name);

    // The largest theme, file or text, that loads: 1 MiB.
    static constexpr int MaxThemeBytes = 1 << 20;

    // Loads a theme file or theme text. On any error the current colours stay and errorString() says
    // what and where. The file must be a regular file of at most MaxThemeBytes; the text may start with
    // a UTF-8 byte order mark and must hold no NUL byte.
    bool loadTheme(const QString& path);
    bool loadThemeText(const QByteArray& text);
    void loadDefaultTheme();
    QString errorString() const { return m_error; }

    // Colours that follow the application's palette (see above); loading a theme stops that.
    void setFollowsPalette(bool follow);
    bool followsPalette() const { return m_followsPalette; }
    // The look colours for a palette, by index: the built-in theme for a light palette (dark text on a
    // light window), a dark look of the same hues for a dark one, every fill readable under the palette's
    // text. In both, the hover and pressed colours stand clearly apart from the resting face and from each
    // other.
    static void colorsForPalette(const QPalette& palette, QColor colors[ColorCount]);
    // Whether a palette is dark: its window text is lighter than its window.
    static bool isDarkPalette(const QPalette& palette);

    // The palette of a host painted in these colours: window and buttons in "ColorGUI", fields in
    // "ColorGUILighter2", selections in "ColorButtonHover", each text role readable on the colours it is
    // drawn on.
    QPalette hostPalette() const;

    // The colour currently answered for a name (invalid for an unknown name).
    QColor color(const char* name) const;
    // Changes one colour; false for an unknown name.
    bool setColor(const char* name, const QColor& color);

    // Asks made so far for that name, through either operation; unknownAsks() counts the others.
    int asks(const char* name) const;
    int totalAsks() const;
    int unknownAsks() const { return m_unknownAsks; }
    // The latest asks, oldest first (at most LogCapacity).
    int askLogSize() const;
    Ask askAt(int index) const;
    void resetAsks();

private:
    int32_t answer(const PooledName& name, QColor& color, bool withWidget, const QWidget* widget);
    void followApplicationPalette();

    QColor m_colors[ColorCount];
    int m_asks[ColorCount] = {};
    int m_unknownAsks = 0;
    // The latest asks: a ring whose next slot is m_logNext; m_logSize of its slots are filled. Neither
    // grows past LogCapacity, however long the host runs.
    Ask m_log[LogCapacity];
    int m_logNext = 0;
    int m_logSize = 0;
    QString m_error;
    bool m_followsPalette = false;
    qint64 m_paletteKey = 0; // the palette the colours were worked out for

    friend class VelHostLookProbe; // lets tests start the counters near their limits
};
