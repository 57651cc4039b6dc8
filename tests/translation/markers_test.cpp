// The trivial translator: texts translate to themselves, numbered argument markers are substituted in
// one pass (one to six arguments) or one by one (the argument list).

#include "runtime/typewalk.h"
#include "translation/translator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string textOf(const PooledString& s) {
    return std::u16string(s.textOrEmpty(), size_t(s.length()));
}

PooledString arg(const char* latin1) {
    return PooledString::fromLatin1(latin1);
}

class StringsTrivialTranslator : public ::testing::Test {
protected:
    VelTrivialTranslator translator;
};

TEST_F(StringsTrivialTranslator, PlainTranslateWidensEachByte) {
    EXPECT_EQ(textOf(translator.translate("Caf\xe9 %1")), u"Caf\u00e9 %1");
    EXPECT_EQ(translator.translate(nullptr).text, nullptr);
    PooledString out = arg("old");
    EXPECT_TRUE(translator.lookup("new", out));
    EXPECT_EQ(textOf(out), u"new");
}

TEST_F(StringsTrivialTranslator, MarkersInAnyOrderForOneToSixArguments) {
    const PooledString a = arg("A"), b = arg("BB"), c = arg("CCC"), d = arg("D"), e = arg("EE"), f = arg("F");
    EXPECT_EQ(textOf(translator.translate("%2-%1", arg("a"), arg("b"))), u"b-a");
    EXPECT_EQ(textOf(translator.translate("%1.", a)), u"A.");
    EXPECT_EQ(textOf(translator.translate("%3%2%1", a, b, c)), u"CCCBBA");
    EXPECT_EQ(textOf(translator.translate("%4|%1", a, b, c, d)), u"D|A");
    EXPECT_EQ(textOf(translator.translate("%5%4%3%2%1", a, b, c, d, e)), u"EEDCCCBBA");
    EXPECT_EQ(textOf(translator.translate("(%6,%5,%4,%3,%2,%1)", a, b, c, d, e, f)), u"(F,EE,D,CCC,BB,A)");
}

TEST_F(StringsTrivialTranslator, AbsentAndEmptyArgumentsBecomeNothing) {
    EXPECT_EQ(textOf(translator.translate("x%2y", arg("a"))), u"xy");
    EXPECT_EQ(textOf(translator.translate("[%9]", arg("a"), arg("b"), arg("c"))), u"[]");
    EXPECT_EQ(textOf(translator.translate("<%1>", PooledString())), u"<>");
}

TEST_F(StringsTrivialTranslator, WhatIsNotAMarkerStaysAsItIs) {
    EXPECT_EQ(textOf(translator.translate("100%", arg("a"))), u"100%");
    EXPECT_EQ(textOf(translator.translate("%0 %a %%", arg("a"))), u"%0 %a %%");
    EXPECT_EQ(textOf(translator.translate("%%1%", arg("a"))), u"%a%");
    EXPECT_EQ(translator.translate(nullptr, arg("a")).text, nullptr);
    // The character after "9" is no marker either.
    EXPECT_EQ(
        textOf(translator.translate("%:%1", arg("x"), arg("y"), arg("z"), arg("w"), arg("v"), arg("u"))),
        u"%:x");
    // Arguments are not scanned again.
    EXPECT_EQ(textOf(translator.translate("%1 %2", arg("%2"), arg("b"))), u"%2 b");
}

TEST_F(StringsTrivialTranslator, ARepeatedMarkerIsReplacedEachTime) {
    // The result is sized from the markers actually found: a long argument repeated must not be written
    // past its end.
    const std::string longText(300, 'q');
    const PooledString result = translator.translate("%1-%1-%1", arg(longText.c_str()));
    const std::u16string q(300, u'q');
    EXPECT_EQ(textOf(result), q + u"-" + q + u"-" + q);
    EXPECT_EQ(textOf(translator.translate("%2%2%1", arg("a"), arg("bc"))), u"bcbca");
}

// ---- the argument list ----

TEST_F(StringsTrivialTranslator, ArgumentListReplacesTheFirstMarkerOfEachArgumentPresent) {
    const PooledString args[] = {arg("one"), arg("two"), arg("three"), arg("four")};
    EXPECT_EQ(textOf(translator.translate("%4 %1 %2", 4, args)), u"four one two");
    EXPECT_EQ(textOf(translator.translate("%1/%1", 1, args)), u"one/%1");
    EXPECT_EQ(textOf(translator.translate("%1 stays", 0, args)), u"%1 stays");
    EXPECT_EQ(textOf(translator.translate("%1 stays", -3, args)), u"%1 stays");
    EXPECT_EQ(textOf(translator.translate("50%", 1, args)), u"50%");
    EXPECT_EQ(textOf(translator.translate("<%1|%2>", 2, nullptr)), u"<|>");
}

TEST_F(StringsTrivialTranslator, ArgumentListWithTwelveArguments) {
    PooledString args[12];
    for (int i = 0; i < 12; ++i)
        args[i] = PooledString::fromChar(char('a' + i));
    const PooledString result = translator.translate("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11 %12", 12, args);
    EXPECT_EQ(textOf(result), u"a b c d e f g h i j k l");
}

TEST_F(StringsTrivialTranslator, ArgumentListMatchesMarkersByTheirFirstCharacters) {
    PooledString args[10];
    for (int i = 0; i < 10; ++i)
        args[i] = PooledString::fromChar(char('A' + i));
    // Argument 1 takes the place of "%1" at the start of "%10"; "%10" is then gone and the later "%1" stays.
    EXPECT_EQ(textOf(translator.translate("%10 %1", 10, args)), u"A0 %1");
}

// ---- object ----

TEST_F(StringsTrivialTranslator, AnswersItsThreeNamesAndWalksAsClassThenInterface) {
    void* out = nullptr;
    ASSERT_TRUE(translator.queryInterface("VelTrivialTranslator", &out, 0));
    EXPECT_EQ(out, &translator);
    ASSERT_TRUE(translator.queryInterface("IVelTranslator", &out, 0));
    EXPECT_EQ(out, static_cast<IVelTranslator*>(&translator));
    ASSERT_TRUE(translator.queryInterface("IVelUnknown", &out, 0));
    EXPECT_EQ(out, static_cast<IVelUnknown*>(&translator));
    EXPECT_FALSE(translator.queryInterface("IVelTranslatorService", &out, 0));
    EXPECT_EQ(out, nullptr);
    EXPECT_FALSE(translator.query(1));

    VelArray<PooledName> stack;
    VelArray<VelWalkEntry> entries;
    VelTypeWalk walk;
    walk.classStack = &stack;
    walk.entries = &entries;
    translator.queryInterface(nullptr, &walk, 0);
    ASSERT_EQ(entries.count(), 2);
    EXPECT_STREQ(entries.at(1)->name.text, "VelTrivialTranslator");
    EXPECT_STREQ(entries.at(2)->name.text, "IVelTranslator");
    EXPECT_STREQ(entries.at(2)->enclosing.text, "VelTrivialTranslator");
    EXPECT_EQ(stack.count(), 1);
}

} // namespace
