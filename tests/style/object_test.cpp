// The style object: casts by name and type walk, the look service it holds, look colours, the hover
// capsule, who owns it, and CommonAppStyle's own cases.

#include "host/qextdockwindow.h"
#include "host/titledframeoption.h"
#include "runtime/typewalk.h"
#include "style/melvorostyle.h"
#include "style/support/allocationcounter.h"
#include "style/support/recordingpaintdevice.h"
#include "style/support/recordingstyle.h"
#include "style/support/stylehost.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QPointer>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstring>

namespace {

QString walkName(const PooledName& name) {
    return QString::fromLatin1(name.textOrEmpty());
}

// ---------------------------------------------------------------------------------------------------
// Casts by name and the type walk.

TEST(Style1Object, AnswersItsClassesAndInterfacesByName) {
    StyleTestHost host;
    MelvoroStyle style(new RecordingStyle);
    IVelUnknown* unknown = static_cast<IVelUnknown*>(&style);

    EXPECT_EQ(velCast<MelvoroStyle>(unknown, "MelvoroStyle"), &style);
    EXPECT_EQ(velCast<CommonAppStyle>(unknown, "CommonAppStyle"), static_cast<CommonAppStyle*>(&style));
    EXPECT_EQ(velCast<IGuiAppStyle>(unknown, "IGuiAppStyle"), static_cast<IGuiAppStyle*>(&style));
    EXPECT_EQ(velCast<IVelUnknown>(unknown, "IVelUnknown"), unknown);
    // Asked through the interface part, the unknown part is the same single one.
    IGuiAppStyle* marker = static_cast<IGuiAppStyle*>(&style);
    EXPECT_EQ(velCast<IVelUnknown>(marker, "IVelUnknown"), unknown);
    EXPECT_STREQ(style.className(), "MelvoroStyle");

    void* out = reinterpret_cast<void*>(0x1);
    EXPECT_FALSE(unknown->queryInterface("QStyle", &out, 0));
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(velCast<void>(unknown, "melvorostyle"), nullptr) << "names compare case-sensitively";
}

TEST(Style1Object, CommonAppStyleAloneAnswersItsOwnNames) {
    StyleTestHost host;
    CommonAppStyle style(new RecordingStyle);
    IVelUnknown* unknown = static_cast<IVelUnknown*>(&style);
    EXPECT_EQ(velCast<CommonAppStyle>(unknown, "CommonAppStyle"), &style);
    EXPECT_EQ(velCast<IGuiAppStyle>(unknown, "IGuiAppStyle"), static_cast<IGuiAppStyle*>(&style));
    EXPECT_EQ(velCast<MelvoroStyle>(unknown, "MelvoroStyle"), nullptr);
    EXPECT_STREQ(style.className(), "CommonAppStyle");
}

TEST(Style1Object, TypeWalkRecordsClassesThenInterfaceAndPopsOnce) {
    StyleTestHost host;
    MelvoroStyle style(new RecordingStyle);
    VelArray<PooledName> stack;
    VelArray<VelWalkEntry> entries;
    VelTypeWalk walk;
    walk.classStack = &stack;
    walk.entries = &entries;

    static_cast<IVelUnknown*>(&style)->queryInterface(nullptr, &walk, 0);

    ASSERT_EQ(entries.count(), 3);
    EXPECT_EQ(walkName(entries.at(1)->name), "MelvoroStyle");
    EXPECT_EQ(entries.at(1)->kind, 1);
    EXPECT_EQ(walkName(entries.at(1)->enclosing), "");
    EXPECT_EQ(walkName(entries.at(2)->name), "CommonAppStyle");
    EXPECT_EQ(entries.at(2)->kind, 1);
    EXPECT_EQ(walkName(entries.at(2)->enclosing), "MelvoroStyle");
    EXPECT_EQ(walkName(entries.at(3)->name), "IGuiAppStyle");
    EXPECT_EQ(entries.at(3)->kind, 0);
    EXPECT_EQ(walkName(entries.at(3)->enclosing), "CommonAppStyle");
    ASSERT_EQ(stack.count(), 1);
    EXPECT_EQ(walkName(*stack.at(1)), "MelvoroStyle");
    EXPECT_FALSE(walk.stopped);
}

TEST(Style1Object, TypeWalkStopsAtAStopName) {
    StyleTestHost host;
    MelvoroStyle style(new RecordingStyle);
    VelArray<PooledName> stack;
    VelArray<VelWalkEntry> entries;
    VelTypeWalk walk;
    walk.classStack = &stack;
    walk.entries = &entries;
    walk.stopNames.findOrInsert(PooledName("CommonAppStyle")) = 0;

    static_cast<IVelUnknown*>(&style)->queryInterface(nullptr, &walk, 0);

    EXPECT_TRUE(walk.stopped);
    EXPECT_EQ(entries.count(), 0);
    EXPECT_EQ(stack.count(), 0);
}

TEST(Style1Object, ClassIdentifierIsFixedAndNotZero) {
    const VelID& id = melvoroStyleClassId();
    EXPECT_EQ(&id, &melvoroStyleClassId());
    EXPECT_NE(id, VelID());
}

// ---------------------------------------------------------------------------------------------------
// The look service the style holds.

TEST(Style1Object, HoldsOneLookServiceReferenceWhileItLives) {
    StyleTestHost host;
    const int before = host.look()->refCount();
    {
        MelvoroStyle style(new RecordingStyle);
        EXPECT_EQ(style.look(), static_cast<IGuiLook*>(host.look()));
        EXPECT_EQ(host.look()->refCount(), before + 1);
        EXPECT_EQ(host.context().lookups("IGuiLook"), 1);

        // Colours, polish and painting use the service it holds; nothing looks it up again.
        QWidget window;
        style.polish(&window);
        QPalette palette;
        style.polish(palette);
        LookColors colors;
        style.askLookColors(nullptr, colors);
        EXPECT_EQ(host.context().lookups("IGuiLook"), 1);
        EXPECT_EQ(host.look()->refCount(), before + 1);
    }
    EXPECT_EQ(host.look()->refCount(), before);
}

TEST(Style1Object, WithoutLookServiceEveryColourStaysInvalid) {
    StyleTestHost host(StyleTestHost::WithoutLook);
    MelvoroStyle style(new RecordingStyle);
    EXPECT_EQ(style.look(), nullptr);
    EXPECT_FALSE(style.widgetColor("ColorGUI", nullptr).isValid());
    EXPECT_FALSE(style.lookColor("ColorGUIDarker2").isValid());
    LookColors colors;
    style.askLookColors(nullptr, colors);
    EXPECT_FALSE(colors.gui.isValid());
    EXPECT_FALSE(colors.darker2.isValid());
}

TEST(Style1Object, ALookServiceOfferedLaterIsNotPickedUp) {
    StyleTestHost host(StyleTestHost::WithoutLook);
    MelvoroStyle style(new RecordingStyle);
    auto* look = new VelHostLook;
    host.context().offer<IGuiLook>(look);
    EXPECT_EQ(style.look(), nullptr);
    EXPECT_FALSE(style.widgetColor("ColorGUI", nullptr).isValid());
    EXPECT_EQ(look->totalAsks(), 0);
}

// ---------------------------------------------------------------------------------------------------
// Look colours.

TEST(Style1Object, WidgetColorAsksTheServiceWithTheWidget) {
    StyleTestHost host;
    host.look()->setColor("ColorButtonHover", QColor(1, 2, 3));
    MelvoroStyle style(new RecordingStyle);
    QWidget widget;

    EXPECT_EQ(style.widgetColor("ColorButtonHover", &widget), QColor(1, 2, 3));
    ASSERT_EQ(host.look()->askLogSize(), 1);
    EXPECT_TRUE(host.look()->askAt(0).withWidget);
    EXPECT_EQ(host.look()->askAt(0).widget, &widget);

    EXPECT_EQ(style.lookColor("ColorGUIDarker1"), VelHostLook::defaultColor("ColorGUIDarker1"));
    EXPECT_FALSE(host.look()->askAt(1).withWidget);
    // A name the service does not fill leaves the colour invalid.
    EXPECT_FALSE(style.widgetColor("ColorNobodyKnows", &widget).isValid());
    EXPECT_EQ(host.look()->unknownAsks(), 1);
}

TEST(Style1Object, AsksTheEightColoursInTheirOrder) {
    StyleTestHost host;
    MelvoroStyle style(new RecordingStyle);
    QWidget widget;
    LookColors colors;
    style.askLookColors(&widget, colors);

    const char* order[] = {"ColorGUI",         "ColorButtonHover", "ColorButtonSelected", "ColorButtonRaised",
                           "ColorGUILighter1", "ColorGUILighter2", "ColorGUIDarker1",     "ColorGUIDarker2"};
    ASSERT_EQ(host.look()->askLogSize(), 8);
    for (int i = 0; i < 8; ++i) {
        const VelHostLook::Ask ask = host.look()->askAt(i);
        EXPECT_STREQ(VelHostLook::colorName(ask.color), order[i]) << i;
        EXPECT_EQ(ask.withWidget, i < 4) << i;
        EXPECT_EQ(ask.widget, i < 4 ? &widget : nullptr) << i;
    }
    EXPECT_EQ(colors.gui, host.look()->color("ColorGUI"));
    EXPECT_EQ(colors.buttonHover, host.look()->color("ColorButtonHover"));
    EXPECT_EQ(colors.buttonSelected, host.look()->color("ColorButtonSelected"));
    EXPECT_EQ(colors.buttonRaised, host.look()->color("ColorButtonRaised"));
    EXPECT_EQ(colors.lighter1, host.look()->color("ColorGUILighter1"));
    EXPECT_EQ(colors.lighter2, host.look()->color("ColorGUILighter2"));
    EXPECT_EQ(colors.darker1, host.look()->color("ColorGUIDarker1"));
    EXPECT_EQ(colors.darker2, host.look()->color("ColorGUIDarker2"));
}

TEST(Style1Object, AskingALookColourAllocatesNothing) {
    ASSERT_TRUE(allocationCountingWorks());
    StyleTestHost host;
    MelvoroStyle style(new RecordingStyle);
    QWidget widget;
    LookColors colors;
    QColor gui;
    QColor darker;
    long allocations = -1;
    {
        CountAllocations counting;
        gui = style.widgetColor("ColorGUI", &widget);
        darker = style.lookColor("ColorGUIDarker2");
        style.askLookColors(&widget, colors);
        allocations = counting.count();
    }
    EXPECT_EQ(allocations, 0);
    // Nor does the name travel as a pooled copy: every ask borrowed the literal.
    ASSERT_EQ(host.look()->askLogSize(), 10);
    for (int i = 0; i < host.look()->askLogSize(); ++i)
        EXPECT_TRUE(host.look()->askAt(i).borrowedName) << i;
    EXPECT_TRUE(gui.isValid());
    EXPECT_TRUE(darker.isValid());
    EXPECT_EQ(host.look()->totalAsks(), 10);
}

// ---------------------------------------------------------------------------------------------------
// The hover capsule.

QPainterPath expectedCapsule() {
    QPainterPath path;
    path.addRect(QRectF(10, 0, 20, 20));
    path.addEllipse(QRectF(0, 0, 20, 20));
    path.addEllipse(QRectF(20, 0, 20, 20));
    path.setFillRule(Qt::WindingFill);
    return path;
}

void expectCapsuleDrawn(const CommonAppStyle& style) {
    RecordingPaintDevice device(100, 50);
    QPainter painter(&device);
    painter.setPen(QPen(Qt::red, 3));
    style.drawHoverHighlight(&painter, QRect(0, 0, 40, 20));

    ASSERT_EQ(device.ops().size(), 1);
    const PaintOp& op = device.ops()[0];
    ASSERT_EQ(op.kind, PaintOp::Path);
    EXPECT_EQ(op.path, expectedCapsule());
    EXPECT_EQ(op.path.fillRule(), Qt::WindingFill);
    EXPECT_EQ(op.pen.style(), Qt::NoPen);
    EXPECT_EQ(op.brush.style(), Qt::SolidPattern);
    EXPECT_EQ(op.brush.color(), QColor(191, 215, 191, 255));
    EXPECT_TRUE(op.antialiased());
    // The callers restore the painter; the capsule leaves its settings.
    EXPECT_EQ(painter.pen().style(), Qt::NoPen);
    EXPECT_EQ(painter.brush().color(), QColor(191, 215, 191));
    EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
}

TEST(Style1Object, HoverCapsuleIsABarWithRoundEnds) {
    StyleTestHost host;
    MelvoroStyle style(new RecordingStyle);
    expectCapsuleDrawn(style);
}

TEST(Style1Object, CommonAppStyleDrawsTheSameCapsule) {
    StyleTestHost host;
    CommonAppStyle style(new RecordingStyle);
    expectCapsuleDrawn(style);
}

TEST(Style1Object, HoverCapsulePixels) {
    StyleTestHost host;
    MelvoroStyle style(new RecordingStyle);
    QImage image(60, 30, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        style.drawHoverHighlight(&painter, QRect(10, 5, 40, 20));
    }
    const QRgb green = qRgb(191, 215, 191);
    EXPECT_EQ(image.pixel(30, 15), green) << "middle of the bar";
    EXPECT_EQ(image.pixel(12, 15), green) << "inside the left end";
    EXPECT_EQ(image.pixel(48, 15), green) << "inside the right end";
    EXPECT_EQ(image.pixel(10, 5), qRgb(255, 255, 255)) << "the rounded-off corner";
    EXPECT_EQ(image.pixel(49, 24), qRgb(255, 255, 255)) << "the rounded-off corner";
    EXPECT_EQ(image.pixel(30, 3), qRgb(255, 255, 255)) << "above the capsule";
    EXPECT_EQ(image.pixel(30, 27), qRgb(255, 255, 255)) << "below the capsule";
}

// ---------------------------------------------------------------------------------------------------
// Construction, destruction and ownership.

TEST(Style1Object, DefaultBaseIsTheToolkitsWindowsStyle) {
    StyleTestHost host;
    MelvoroStyle style;
    ASSERT_NE(style.baseStyle(), nullptr);
    EXPECT_STREQ(style.baseStyle()->metaObject()->className(), "QWindowsStyle");
    // The style's meta-object names its class, in either mode; casts by the toolkit find it.
    EXPECT_STREQ(style.metaObject()->className(), "MelvoroStyle");
    for (bool applicationMode : {false, true}) {
        style.setApplicationMode(applicationMode);
        QStyle* asStyle = &style;
        EXPECT_TRUE(asStyle->inherits("MelvoroStyle"));
        EXPECT_TRUE(asStyle->inherits("CommonAppStyle"));
        EXPECT_EQ(qobject_cast<MelvoroStyle*>(asStyle), &style);
        EXPECT_EQ(qobject_cast<CommonAppStyle*>(asStyle), &style);
    }
}

TEST(Style1Object, ReleasingTheLastReferenceDestroysTheWholeStyle) {
    StyleTestHost host;
    auto* base = new RecordingStyle;
    auto* style = new MelvoroStyle(base);
    QPointer<QStyle> watchStyle(style);
    QPointer<QStyle> watchBase(base);
    const int lookBefore = host.look()->refCount();

    IVelUnknown* unknown = static_cast<IVelUnknown*>(style);
    EXPECT_EQ(unknown->refCount(), 0);
    unknown->addRef();
    unknown->addRef();
    unknown->release();
    EXPECT_FALSE(watchStyle.isNull());
    unknown->release();
    EXPECT_TRUE(watchStyle.isNull());
    EXPECT_TRUE(watchBase.isNull()) << "the base style goes with it";
    EXPECT_EQ(host.look()->refCount(), lookBefore - 1);
}

TEST(Style1Object, ApplicationStyleStaysOwnedByItsFrameworkReference) {
    StyleTestHost host;
    const QPalette applicationPalette = QApplication::palette();
    auto* style = new MelvoroStyle(new RecordingStyle);
    QPointer<QStyle> watch(style);
    IVelUnknown* unknown = static_cast<IVelUnknown*>(style);
    unknown->addRef();

    // Applied application-wide: the toolkit makes itself the parent; the host takes that back at once.
    QApplication::setStyle(style);
    style->setParent(nullptr);
    QPushButton button;
    button.ensurePolished();
    EXPECT_EQ(button.style(), style);
    EXPECT_TRUE(button.testAttribute(Qt::WA_Hover));

    // Taken off again: the toolkit does not delete what it does not own ...
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_FALSE(watch.isNull());
    EXPECT_EQ(unknown->refCount(), 1);
    // ... and the last framework reference does.
    unknown->release();
    EXPECT_TRUE(watch.isNull());
    QApplication::setPalette(applicationPalette);
}

// ---------------------------------------------------------------------------------------------------
// CommonAppStyle's own cases.

class Style1Common : public ::testing::Test {
protected:
    StyleTestHost host;
    RecordingStyle* base = new RecordingStyle;
    CommonAppStyle style{base};
    RecordingPaintDevice device{300, 200};
};

TEST_F(Style1Common, PolishAndUnpolishOfWidgetsDoNothing) {
    QPushButton button;
    style.polish(&button);
    EXPECT_FALSE(button.testAttribute(Qt::WA_Hover));
    style.unpolish(&button);
    EXPECT_EQ(base->count(StyleCall::PolishWidget), 0);
    EXPECT_EQ(base->count(StyleCall::UnpolishWidget), 0);
}

TEST_F(Style1Common, DockTitleOnlyForHostDockWindowsThatWantIt) {
    QStyleOptionDockWidget option;
    option.rect = QRect(0, 0, 120, 20);
    option.title = QStringLiteral("Tools");
    QPainter painter(&device);

    QDockWidget plain(QStringLiteral("Plain"));
    style.drawControl(QStyle::CE_DockWidgetTitle, &option, &painter, &plain);
    EXPECT_EQ(base->count(StyleCall::DrawControl), 0);
    style.drawControl(QStyle::CE_DockWidgetTitle, &option, &painter, nullptr);
    EXPECT_EQ(base->count(StyleCall::DrawControl), 0);

    QextDockWindow dock(QStringLiteral("Host"));
    dock.setWantsTitle(false);
    style.drawControl(QStyle::CE_DockWidgetTitle, &option, &painter, &dock);
    EXPECT_EQ(base->count(StyleCall::DrawControl), 0);
    EXPECT_TRUE(device.isEmpty());

    dock.setWantsTitle(true);
    style.drawControl(QStyle::CE_DockWidgetTitle, &option, &painter, &dock);
    ASSERT_EQ(base->count(StyleCall::DrawControl, QStyle::CE_DockWidgetTitle), 1);
    const StyleCall* call = base->last(StyleCall::DrawControl);
    EXPECT_EQ(call->widget, &dock);
    EXPECT_EQ(call->painter, &painter);
    ASSERT_NE(call->optionAs<QStyleOptionDockWidget>(), nullptr);
    EXPECT_EQ(call->optionAs<QStyleOptionDockWidget>()->title, QStringLiteral("Tools"));
}

TEST_F(Style1Common, OtherControlsGoToTheBase) {
    QStyleOptionButton option;
    option.rect = QRect(0, 0, 20, 20);
    QPainter painter(&device);
    style.drawControl(QStyle::CE_CheckBox, &option, &painter, nullptr);
    ASSERT_EQ(base->count(StyleCall::DrawControl, QStyle::CE_CheckBox), 1);
    EXPECT_EQ(base->last(StyleCall::DrawControl)->option->rect, QRect(0, 0, 20, 20));
}

TEST_F(Style1Common, TitledFrameDrawsABlackFrameAndItsTitle) {
    TitledFrameOption option;
    option.rect = QRect(10, 20, 200, 60);
    option.title = QStringLiteral("&Files");
    QFont font(QStringLiteral("DejaVu Sans"), 10);
    {
        QPainter painter(&device);
        painter.setFont(font);
        painter.setPen(Qt::red);
        style.drawComplexControl(CommonAppStyle::CC_TitledFrame,
                                 reinterpret_cast<const QStyleOptionComplex*>(&option), &painter, nullptr);
        EXPECT_EQ(painter.pen().color(), QColor(0, 0, 0)) << "the pen stays set";
    }
    EXPECT_EQ(base->paintingCalls(), 0);

    ASSERT_EQ(device.count(PaintOp::Rect), 1);
    const PaintOp* frame = device.first(PaintOp::Rect);
    EXPECT_EQ(frame->rect, QRectF(10, 20, 200, 60));
    EXPECT_EQ(frame->pen.color(), QColor(0, 0, 0, 255));
    EXPECT_EQ(frame->pen.widthF(), 1.0);

    // The title: laid out as drawText with exactly these flags into (35, 0)-(right - 11, height - 1).
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip | Qt::TextShowMnemonic;
    const QVector<PaintOp> expected = RecordingPaintDevice::layoutText(
        QRect(QPoint(35, 0), QPoint(209 - 11, 79 - 20)), flags, option.title, font, QSize(300, 200));
    const QVector<PaintOp> drawn = device.ofKind(PaintOp::Text);
    ASSERT_EQ(drawn.size(), expected.size());
    ASSERT_FALSE(drawn.isEmpty());
    for (int i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].text, expected[i].text);
        EXPECT_EQ(drawn[i].point, expected[i].point);
        EXPECT_FALSE(drawn[i].clipEnabled);
    }
    EXPECT_EQ(device.allText(), QStringLiteral("Files")) << "the mnemonic marker is not shown";
}

TEST_F(Style1Common, TitledFrameWithAnyOtherOptionDrawsNothing) {
    QPainter painter(&device);
    // A plain frame option has no title to read.
    QStyleOptionFrame frame;
    frame.rect = QRect(0, 0, 50, 50);
    style.drawComplexControl(CommonAppStyle::CC_TitledFrame,
                             reinterpret_cast<const QStyleOptionComplex*>(&frame), &painter, nullptr);
    QStyleOptionComplex complex;
    style.drawComplexControl(CommonAppStyle::CC_TitledFrame, &complex, &painter, nullptr);
    style.drawComplexControl(CommonAppStyle::CC_TitledFrame, nullptr, &painter, nullptr);
    TitledFrameOption versionZero;
    versionZero.version = 0;
    style.drawComplexControl(CommonAppStyle::CC_TitledFrame,
                             reinterpret_cast<const QStyleOptionComplex*>(&versionZero), &painter, nullptr);
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(base->paintingCalls(), 0);
}

TEST_F(Style1Common, OtherComplexControlsGoToTheBase) {
    QStyleOptionSlider option;
    QPainter painter(&device);
    style.drawComplexControl(QStyle::CC_Slider, &option, &painter, nullptr);
    EXPECT_EQ(base->count(StyleCall::DrawComplexControl, QStyle::CC_Slider), 1);
}

TEST_F(Style1Common, TitledFrameGeometryMetricAndHint) {
    TitledFrameOption option;
    option.rect = QRect(3, 4, 50, 60);
    const auto* complex = reinterpret_cast<const QStyleOptionComplex*>(&option);
    EXPECT_EQ(style.subControlRect(CommonAppStyle::CC_TitledFrame, complex, QStyle::SC_All),
              QRect(3, 4, 50, 60));
    EXPECT_EQ(style.subControlRect(CommonAppStyle::CC_TitledFrame, complex, QStyle::SC_GroupBoxLabel),
              QRect(3, 4, 50, 60));
    EXPECT_EQ(style.subControlRect(CommonAppStyle::CC_TitledFrame, nullptr, QStyle::SC_All), QRect());
    EXPECT_EQ(base->count(StyleCall::SubControlRect), 0);

    base->setPixelMetric(QStyle::PixelMetric(QStyle::PM_CustomBase + 1), 77);
    base->setPixelMetric(QStyle::PM_ButtonMargin, 9);
    EXPECT_EQ(style.pixelMetric(QStyle::PixelMetric(QStyle::PM_CustomBase + 1)), 0);
    EXPECT_EQ(style.pixelMetric(QStyle::PM_ButtonMargin), 9);

    base->setStyleHint(QStyle::SH_GroupBox_TextLabelColor, 0x123456);
    base->setStyleHint(QStyle::SH_TabBar_PreferNoArrows, 5);
    EXPECT_EQ(style.styleHint(QStyle::SH_GroupBox_TextLabelColor), 0);
    EXPECT_EQ(style.styleHint(QStyle::SH_TabBar_PreferNoArrows), 5);

    base->setSubElementRect(QStyle::SE_PushButtonContents, QRect(1, 2, 3, 4));
    base->setSizeFromContents(QStyle::CT_PushButton, QSize(31, 17));
    QStyleOptionButton button;
    EXPECT_EQ(style.subElementRect(QStyle::SE_PushButtonContents, &button), QRect(1, 2, 3, 4));
    EXPECT_EQ(style.sizeFromContents(QStyle::CT_PushButton, &button, QSize(10, 10)), QSize(31, 17));

    base->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderHandle, QRect(7, 7, 7, 7));
    QStyleOptionSlider slider;
    EXPECT_EQ(style.subControlRect(QStyle::CC_Slider, &slider, QStyle::SC_SliderHandle), QRect(7, 7, 7, 7));
}

TEST_F(Style1Common, MissingOptionsGetASafeAnswerWithoutReachingTheBase) {
    QPainter painter(&device);
    QextDockWindow dock(QStringLiteral("Host"));
    style.drawControl(QStyle::CE_DockWidgetTitle, nullptr, &painter, &dock);
    style.drawControl(QStyle::CE_PushButton, nullptr, &painter, nullptr);
    style.drawComplexControl(QStyle::CC_Slider, nullptr, &painter, nullptr);
    EXPECT_EQ(style.subElementRect(QStyle::SE_PushButtonContents, nullptr), QRect());
    QStyleOption plain;
    EXPECT_EQ(style.subElementRect(QStyle::SE_TabBarScrollLeftButton, &plain, nullptr), QRect());
    EXPECT_EQ(style.subElementRect(QStyle::SE_TabBarScrollRightButton, &plain, nullptr), QRect());
    EXPECT_EQ(style.subControlRect(QStyle::CC_Slider, nullptr, QStyle::SC_SliderHandle), QRect());
    EXPECT_EQ(style.sizeFromContents(QStyle::CT_PushButton, nullptr, QSize(12, 8)), QSize(12, 8));
    EXPECT_TRUE(device.isEmpty());
    EXPECT_TRUE(base->calls().isEmpty());
}

// ---------------------------------------------------------------------------------------------------
// The host's look service.

TEST(Style1LookService, BuiltInThemeAnswersEveryLookColour) {
    VelHostLook look;
    for (int i = 0; i < VelHostLook::ColorCount; ++i) {
        QColor color;
        EXPECT_EQ(look.lookColor(PooledName::borrowed(VelHostLook::colorName(i)), color), 1);
        EXPECT_TRUE(color.isValid()) << VelHostLook::colorName(i);
    }
    EXPECT_EQ(look.totalAsks(), VelHostLook::ColorCount);
    EXPECT_EQ(VelHostLook::colorName(VelHostLook::ColorCount), nullptr);
}

TEST(Style1LookService, UnknownOrNullNamesLeaveTheColourAlone) {
    VelHostLook look;
    QColor color(9, 9, 9);
    EXPECT_EQ(look.widgetColor(PooledName::borrowed("colorgui"), color, nullptr), 0);
    EXPECT_EQ(look.lookColor(PooledName(), color), 0);
    EXPECT_EQ(color, QColor(9, 9, 9));
    EXPECT_EQ(look.unknownAsks(), 2);
}

TEST(Style1LookService, ReadsAThemeFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("green.theme"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# a green theme\n"
               "\n"
               "ColorGUI = #102030\n"
               "   ColorButtonShade=#A0b0C0   \n"
               "# ColorGUIDarker1 = #000000\n");
    file.close();

    VelHostLook look;
    ASSERT_TRUE(look.loadTheme(path)) << qPrintable(look.errorString());
    EXPECT_EQ(look.color("ColorGUI"), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(look.color("ColorButtonShade"), QColor(0xa0, 0xb0, 0xc0));
    EXPECT_EQ(look.color("ColorGUIDarker1"), VelHostLook::defaultColor("ColorGUIDarker1"));
}

TEST(Style1LookService, ABadThemeChangesNothingAndSaysWhere) {
    VelHostLook look;
    look.setColor("ColorGUI", QColor(1, 1, 1));
    EXPECT_FALSE(look.loadThemeText("ColorGUI = #102030\nColorGUI = red\n"));
    EXPECT_TRUE(look.errorString().contains(QStringLiteral("line 2"))) << qPrintable(look.errorString());
    EXPECT_EQ(look.color("ColorGUI"), QColor(1, 1, 1));

    EXPECT_FALSE(look.loadThemeText("ColorSky = #102030\n"));
    EXPECT_FALSE(look.loadThemeText("ColorGUI #102030\n"));
    EXPECT_FALSE(look.loadThemeText("ColorGUI = #10203\n"));
    EXPECT_FALSE(look.loadThemeText("ColorGUI = #10203g\n"));
    EXPECT_FALSE(look.loadTheme(QStringLiteral("/nonexistent/folder/none.theme")));
    EXPECT_EQ(look.color("ColorGUI"), QColor(1, 1, 1));
}

TEST(Style1LookService, AskLogKeepsTheLatestAsks) {
    VelHostLook look;
    QColor color;
    for (int i = 0; i < VelHostLook::LogCapacity + 5; ++i)
        look.lookColor(PooledName::borrowed(i < 5 ? "ColorGUI" : "ColorGUIDarker1"), color);
    look.widgetColor(PooledName::borrowed("ColorButtonShade"), color, nullptr);
    EXPECT_EQ(look.askLogSize(), VelHostLook::LogCapacity);
    EXPECT_STREQ(VelHostLook::colorName(look.askAt(0).color), "ColorGUIDarker1");
    EXPECT_STREQ(VelHostLook::colorName(look.askAt(VelHostLook::LogCapacity - 1).color), "ColorButtonShade");
    EXPECT_EQ(look.askAt(VelHostLook::LogCapacity).color, -1);
    EXPECT_EQ(look.asks("ColorGUI"), 5);
    look.resetAsks();
    EXPECT_EQ(look.totalAsks(), 0);
    EXPECT_EQ(look.askLogSize(), 0);
}

} // namespace
