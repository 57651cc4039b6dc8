// Getting the module's current translator: from the host's translator service for this component, by the
// name "IVelTranslator" from the host context, or the trivial translator when the host has none.

#include "frame/component.h"
#include "host/hostcontext.h"
#include "host/translatorservice.h"
#include "translation/currenttranslator.h"
#include "translation/translator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A host context that logs every change of a reference count, in order, and finds services through the
// reference host's context.
class CountLoggingContext : public IVelHostContext {
public:
    struct Change {
        int32_t* count;
        int delta;
    };
    int32_t findService(const PooledName* name, void** out) override { return inner.findService(name, out); }
    char characterValue() override { return inner.characterValue(); }
    void increment(int32_t* count) override {
        log.push_back({count, +1});
        inner.increment(count);
    }
    bool decrement(int32_t* count) override {
        log.push_back({count, -1});
        return inner.decrement(count);
    }
    std::vector<Change> log;
    VelHostContext inner;
};

// Gives access to the count field, to match the changes of the log to objects.
struct CountOf : VelShared {
    static int32_t* of(IVelUnknown* object) { return &(object->*(&CountOf::m_refCount)); }
};

class StringsTranslatorAccess : public ::testing::Test {
protected:
    void SetUp() override {
        velForgetTranslator();
        velSetHostContext(nullptr);
    }
    void TearDown() override {
        // A test's host context is gone by now: what is left is released without it.
        velSetHostContext(nullptr);
        velForgetTranslator();
    }
};

std::u16string textOf(const PooledString& s) {
    return std::u16string(s.textOrEmpty(), size_t(s.length()));
}

TEST_F(StringsTranslatorAccess, WithoutATranslatorServiceTheTrivialTranslatorServesAndEveryGetAsksAgain) {
    IVelTranslator* alone = velTranslator(); // no host at all
    ASSERT_NE(alone, nullptr);
    EXPECT_STREQ(alone->className(), "VelTrivialTranslator");
    EXPECT_EQ(alone->refCount(), 1);
    velForgetTranslator();

    VelHostContext context;
    velSetHostContext(&context);
    IVelTranslator* first = velTranslator();
    EXPECT_EQ(velTranslator(), first);
    EXPECT_STREQ(first->className(), "VelTrivialTranslator");
    EXPECT_EQ(textOf(first->translate("as is")), u"as is");
    EXPECT_EQ(context.lookups("IVelTranslatorService"), 2);
    velForgetTranslator();
}

TEST_F(StringsTranslatorAccess, TheServiceIsAskedForThisComponentOnlyOnceItHasAnswered) {
    VelHostContext context;
    auto* service = new VelHostTranslatorService();
    VelHostTranslator* table = service->tableTranslator(velComponentId());
    table->add("Hello", QStringLiteral("Hallo"));
    context.offer<IVelTranslatorService>(service);
    velSetHostContext(&context);

    IVelTranslator* current = velTranslator();
    EXPECT_EQ(current, static_cast<IVelTranslator*>(table));
    EXPECT_EQ(textOf(current->translate("Hello")), u"Hallo");
    EXPECT_EQ(table->refCount(), 2); // the service's and the module's
    EXPECT_EQ(velTranslator(), current);
    EXPECT_EQ(velTranslator(), current);
    EXPECT_EQ(context.lookups("IVelTranslatorService"), 1);
    EXPECT_EQ(service->requests(), 1);
    velForgetTranslator();
    EXPECT_EQ(table->refCount(), 1);
}

TEST_F(StringsTranslatorAccess, AServiceThatAppearsLaterReplacesTheTrivialTranslator) {
    CountLoggingContext context;
    velSetHostContext(&context);
    IVelTranslator* trivial = velTranslator();
    ASSERT_STREQ(trivial->className(), "VelTrivialTranslator");
    int32_t* trivialCount = CountOf::of(trivial);

    auto* service = new VelHostTranslatorService();
    VelHostTranslator* table = service->tableTranslator(velComponentId());
    context.inner.offer<IVelTranslatorService>(service);
    int32_t* tableCount = CountOf::of(table);
    context.log.clear();

    EXPECT_EQ(velTranslator(), static_cast<IVelTranslator*>(table));
    // The new translator's reference is taken before the trivial one's goes (and with it the trivial one).
    int takeNew = -1;
    int dropOld = -1;
    for (int i = 0; i < int(context.log.size()); ++i) {
        if (context.log[i].count == tableCount && context.log[i].delta == +1 && takeNew < 0)
            takeNew = i;
        if (context.log[i].count == trivialCount && context.log[i].delta == -1 && dropOld < 0)
            dropOld = i;
    }
    ASSERT_GE(takeNew, 0);
    ASSERT_GE(dropOld, 0);
    EXPECT_LT(takeNew, dropOld);
    velForgetTranslator();
    context.inner.withdrawAll();
}

TEST_F(StringsTranslatorAccess, TheServiceIsAskedWithThisComponentsIdentifier) {
    VelHostContext context;
    auto* service = new VelHostTranslatorService();
    const uint8_t tail[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    service->tableTranslator(VelID(0x12345678u, 1, 2, tail))->add("Hello", QStringLiteral("Servus"));
    context.offer<IVelTranslatorService>(service);
    velSetHostContext(&context);
    // Another component's translator is not this module's: the trivial translator serves.
    IVelTranslator* current = velTranslator();
    EXPECT_STREQ(current->className(), "VelTrivialTranslator");
    EXPECT_EQ(textOf(current->translate("Hello")), u"Hello");
    velForgetTranslator();
}

TEST_F(StringsTranslatorAccess, WithoutAnAnswerFromTheServiceTheHostContextIsAskedByName) {
    VelHostContext context;
    context.offer<IVelTranslatorService>(new VelHostTranslatorService());
    auto* fallback = new VelHostTranslator();
    fallback->add("Yes", QStringLiteral("Ja"));
    context.offer<IVelTranslator>(fallback);
    velSetHostContext(&context);
    IVelTranslator* current = velTranslator();
    EXPECT_EQ(current, static_cast<IVelTranslator*>(fallback));
    EXPECT_EQ(textOf(current->translate("Yes")), u"Ja");
    EXPECT_EQ(context.lookups("IVelTranslator"), 1);
    EXPECT_EQ(fallback->refCount(), 2);
    velForgetTranslator();
}

TEST_F(StringsTranslatorAccess, AServiceThatAnswersNothingAfterAFallbackStillLeavesATranslator) {
    VelHostContext context;
    velSetHostContext(&context);
    IVelTranslator* trivial = velTranslator();
    ASSERT_NE(trivial, nullptr);
    // The service now answers with no translator and the host context has none by name either: the
    // earlier trivial translator is let go, and a get must still hand out a translator.
    context.offer<IVelTranslatorService>(new VelHostTranslatorService());
    IVelTranslator* current = velTranslator();
    ASSERT_NE(current, nullptr);
    EXPECT_STREQ(current->className(), "VelTrivialTranslator");
    EXPECT_EQ(textOf(current->translate("%1!", PooledString::fromLatin1("ok"))), u"ok!");
    EXPECT_EQ(velTranslator(), current);
    EXPECT_EQ(context.lookups("IVelTranslatorService"), 2);
    velForgetTranslator();
}

} // namespace
