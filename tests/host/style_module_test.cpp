// The style as a host gets it from the built module: listed, created by class identifier, cast by name,
// holding the host's look service while it lives.

#include "frame/component.h"
#include "host/hostcontext.h"
#include "host/lookservice.h"
#include "host/moduleloader.h"

#include <gtest/gtest.h>

#include <QProxyStyle>
#include <QStringList>

namespace {

class StyleModule : public ::testing::Test {
protected:
    void SetUp() override {
        look = new VelHostLook;
        look->addRef();
        host.offer<IGuiLook>(look);
        ASSERT_TRUE(loader.load(QStringLiteral(MELVORO_MODULE_PATH))) << qPrintable(loader.errorString());
        loader.component()->initialize(&host);
        ASSERT_TRUE(loader.findClass(QStringLiteral("MelvoroStyle"), &styleId));
    }
    void TearDown() override {
        loader.unload();
        host.withdrawAll();
        look->release();
    }

    // A new style from the module (count 0), or null.
    IVelUnknown* create(int32_t* status = nullptr) {
        IVelUnknown* object = nullptr;
        const int32_t result = loader.component()->createObject(styleId, &object);
        if (status)
            *status = result;
        return object;
    }

    VelHostContext host{'S'};
    VelHostLook* look = nullptr;
    VelModuleLoader loader;
    VelID styleId;
};

TEST_F(StyleModule, ListsTheStyleClass) {
    const QList<VelID> classes = loader.classIds();
    ASSERT_EQ(classes.size(), 1);
    EXPECT_EQ(classes.first(), styleId);
    EXPECT_EQ(loader.classNameOf(styleId), QStringLiteral("MelvoroStyle"));
    EXPECT_NE(styleId, VelID());
}

TEST_F(StyleModule, CreatesAStyleThatAnswersItsNames) {
    int32_t status = 0;
    IVelUnknown* style = create(&status);
    EXPECT_EQ(status, 1);
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->refCount(), 0);
    style->addRef();

    EXPECT_STREQ(style->className(), "MelvoroStyle");
    void* asMelvoro = velCast<void>(style, "MelvoroStyle");
    void* asCommon = velCast<void>(style, "CommonAppStyle");
    ASSERT_NE(asMelvoro, nullptr);
    EXPECT_EQ(asCommon, asMelvoro);
    EXPECT_NE(velCast<void>(style, "IGuiAppStyle"), nullptr);
    EXPECT_EQ(velCast<IVelUnknown>(style, "IVelUnknown"), style);
    EXPECT_EQ(velCast<void>(style, "QWindowsStyle"), nullptr);

    // The style class starts with its toolkit style part, so the host can install it as a QStyle.
    auto* qstyle = static_cast<QProxyStyle*>(asMelvoro);
    EXPECT_TRUE(qstyle->inherits("QProxyStyle"));
    ASSERT_NE(qstyle->baseStyle(), nullptr);
    EXPECT_TRUE(qstyle->baseStyle()->inherits("QWindowsStyle"));

    style->release();
}

TEST_F(StyleModule, HoldsOneLookServiceReferenceWhileItLives) {
    const int before = look->refCount();
    IVelUnknown* style = create();
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(look->refCount(), before + 1);
    EXPECT_EQ(host.lookups("IGuiLook"), 1);
    style->addRef();
    style->release();
    EXPECT_EQ(look->refCount(), before);
}

TEST_F(StyleModule, WithoutALookServiceTheStyleStillComesUp) {
    host.withdraw("IGuiLook");
    const int before = look->refCount();
    IVelUnknown* style = create();
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(look->refCount(), before);
    style->addRef();
    style->release();
}

} // namespace
