// Application mode, through the plug-in's style: the text of line edits, spin boxes and combo boxes stays
// readable on the fields and faces the look paints them on, in light and dark palettes.

#include "../pixels.h"
#include "pluginstyle.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <functional>

namespace {

using appmode::PluginStyle;

class AppModeFields : public PluginStyle {};

TEST_P(AppModeFields, TextIsReadableOnTheControl) {
    const std::function<QWidget*()> makers[] = {
        [] { return new QLineEdit(QStringLiteral("Text")); },
        [] {
            auto* spin = new QSpinBox;
            spin->setValue(88);
            return spin;
        },
        [] {
            auto* combo = new QComboBox;
            combo->addItem(QStringLiteral("Alpha"));
            return combo;
        },
        [] {
            auto* combo = new QComboBox;
            combo->setEditable(true);
            combo->addItem(QStringLiteral("Alpha"));
            return combo;
        },
    };
    for (const auto& make : makers) {
        std::unique_ptr<QWidget> widget(make());
        widget->resize(140, widget->sizeHint().height());
        const QImage image = pixels::shown(*widget);
        // Inside a focused box's focus frame, whose lines would outnumber any one row of a face's wash.
        const QRect text(5, 5, 50, widget->height() - 10);
        EXPECT_GT(pixels::inkCount(image, text), 10) << widget->metaObject()->className();
        EXPECT_GE(pixels::textContrast(image, text), velReadableContrast)
            << widget->metaObject()->className();
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, AppModeFields,
                         ::testing::Values(appmode::Scheme::Light, appmode::Scheme::Dark),
                         appmode::schemeName);

} // namespace
