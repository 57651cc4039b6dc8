// PooledName and PooledString: owned versus borrowed text, pool blocks and their granted sizes, and the
// text operations, including positions and sizes outside what the strings hold.

#include "memory/bucketpool.h"
#include "runtime/pooledstring.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

std::u16string textOf(const PooledString& s) {
    return std::u16string(s.textOrEmpty(), size_t(s.length()));
}

PooledString owned(const char* latin1) {
    return PooledString::fromLatin1(latin1);
}

// ---- PooledName ----

TEST(StringsPooledName, OwnedCopiesTakeAPoolBlockOfTheGrantedSize) {
    EXPECT_EQ(PooledName(nullptr).text, nullptr);
    const char source[] = "IGuiLook";
    const PooledName name(source);
    EXPECT_NE(name.text, source);
    EXPECT_STREQ(name.text, "IGuiLook");
    EXPECT_EQ(name.capacity, 12); // 9 bytes asked, the class of 12 granted

    const PooledName copy(name);
    EXPECT_NE(copy.text, name.text);
    EXPECT_STREQ(copy.text, source);
    EXPECT_GE(copy.capacity, 9);
}

TEST(StringsPooledName, BorrowedNamesAndTheirCopiesShareTheText) {
    static const char literal[] = "IVelUnknown";
    const PooledName name = PooledName::borrowed(literal);
    const PooledName copy(name);
    PooledName assigned("owned before");
    assigned = name;
    const PooledName* const all[] = {&name, &copy, &assigned};
    for (const PooledName* n : all) {
        EXPECT_EQ(n->text, literal);
        EXPECT_EQ(n->capacity, 0);
    }
}

TEST(StringsPooledName, FreedBlocksGoBackToThePool) {
    PooledName a("abc");
    char* const block = a.text;
    a = *&a;
    EXPECT_EQ(a.text, block);
    a.free();
    EXPECT_EQ(a.text, nullptr);
    EXPECT_EQ(a.capacity, 0);
    const PooledName b("def"); // the same size class hands the freed block out again
    EXPECT_EQ(b.text, block);
    PooledName c("xyz");
    char* const other = c.text;
    c = PooledName::borrowed("xy");
    EXPECT_EQ(PooledName("uvw").text, other);
}

// ---- PooledString: setting ----

TEST(StringsPooledString, Latin1BytesWidenToTheSameUnsignedValue) {
    const char bytes[] = {0x41, char(0xE9), char(0xFF), 0};
    const PooledString s = PooledString::fromLatin1(bytes);
    EXPECT_EQ(textOf(s), u"\u0041\u00e9\u00ff");
    EXPECT_EQ(s.capacity, 8); // four code units, exactly one class
    EXPECT_EQ(textOf(PooledString::fromChar(char(0xE9))), u"\u00e9");
    EXPECT_EQ(PooledString::fromLatin1(nullptr).text, nullptr);
}

TEST(StringsPooledString, Utf8DecodesAndReplacesWhatIsNoValidSequence) {
    const struct {
        const char* utf8;
        std::u16string text;
    } cases[] = {
        {"", u""},
        {"plain /tmp/x", u"plain /tmp/x"},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", u"caf\u00e9 \u20ac \U0001F600"},
        {"\xff\xc0\xaf", u"\ufffd\ufffd\ufffd"},           // never a lead byte; an overlong '/'
        {"\xe2\x82", u"\ufffd\ufffd"},                     // cut short at the end
        {"\xed\xa0\x80", u"\ufffd\ufffd\ufffd"},           // a surrogate half
        {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"}, // above U+10FFFF
        {"a\x80"
         "b",
         u"a\ufffdb"},
    };
    for (const auto& c : cases) {
        PooledString s;
        s.setUtf8(c.utf8);
        EXPECT_EQ(textOf(s), c.text) << c.utf8;
    }
}

TEST(StringsPooledString, SettingFromUtf16BorrowsMeasuresOrCopies) {
    static const char16_t source[] = u"abcdef";
    PooledString s;
    s.setUtf16(source, 0);
    EXPECT_EQ(s.text, source);
    EXPECT_EQ(s.capacity, 0);
    s.setUtf16(source, -1);
    EXPECT_NE(s.text, source);
    EXPECT_EQ(textOf(s), u"abcdef");
    s.setUtf16(source, 2);
    EXPECT_EQ(textOf(s), u"ab");
    s.setUtf16(nullptr, 3);
    EXPECT_EQ(s.text, nullptr);
    s.setUtf16(source, -7);
    EXPECT_EQ(s.text, nullptr);
    EXPECT_EQ(s.capacity, 0);

    s.setUtf16(source, 0);
    s.destroy(); // frees nothing: a borrowed text is not a pool block
    EXPECT_EQ(s.text, nullptr);
}

TEST(StringsPooledString, CountsWhoseBlockSizeOverflowsAllocateNothing) {
    // The source is three code units long: a short block filled with the requested count would be written
    // and read far outside both strings.
    const char16_t source[] = u"abc";
    for (int32_t count : {INT32_MAX, INT32_MAX - 1, 0x40000000, 0x3FFFFFFF}) {
        PooledString s = owned("keep");
        s.setUtf16(source, count);
        EXPECT_EQ(s.text, nullptr) << count;
        EXPECT_EQ(s.capacity, 0) << count;
    }
}

TEST(StringsPooledString, SettingFromItsOwnTextReadsItBeforeFreeingIt) {
    PooledString s = owned("hello");
    s.setUtf16(s.text + 1, -1);
    EXPECT_EQ(textOf(s), u"ello");

    // Borrowing its own block would leave the string on a freed block that the next string of the same
    // size class takes over; it copies instead.
    PooledString t = owned("world");
    t.setUtf16(t.text, 0);
    const PooledString other = owned("XXXXX");
    EXPECT_EQ(textOf(t), u"world");
}

// ---- copies and destruction ----

TEST(StringsPooledString, CopiesDuplicateOwnedTextAndShareBorrowedText) {
    static const char16_t literal[] = u"lit";
    const PooledString borrowed = PooledString::borrowed(literal);
    PooledString a(borrowed);
    EXPECT_EQ(a.text, literal);
    EXPECT_EQ(a.capacity, 0);

    const PooledString source = owned("own");
    a = source;
    EXPECT_NE(a.text, source.text);
    EXPECT_EQ(textOf(a), u"own");
    EXPECT_TRUE(a.isOwned());
    char16_t* const block = a.text;
    a = *&a;
    EXPECT_EQ(a.text, block);
}

TEST(StringsPooledString, OnlyABorrowedSecondBufferIsCarriedByCopies) {
    static int marker = 0;
    int32_t capacity = 0;
    PooledString s = owned("a");
    s.second = &marker;
    EXPECT_EQ(PooledString(s).second, &marker);
    s.second = poolAllocate(16, &capacity);
    s.secondCapacity = capacity;
    EXPECT_EQ(PooledString(s).second, nullptr);
    // Assignment changes the text fields only.
    void* const second = s.second;
    s = owned("b");
    EXPECT_EQ(s.second, second);
    EXPECT_EQ(s.secondCapacity, capacity);
}

TEST(StringsPooledString, DestroyGivesEveryOwnedBufferBackToThePool) {
    int32_t c2 = 0;
    int32_t c3 = 0;
    PooledString s = owned("abc");
    s.second = poolAllocate(40, &c2);
    s.secondCapacity = c2;
    s.third = poolAllocate(60, &c3);
    s.thirdCapacity = c3;
    void* second = s.second;
    void* third = s.third;
    s.destroy();
    for (void* p : {static_cast<void*>(s.text), s.second, s.third})
        EXPECT_EQ(p, nullptr);
    EXPECT_EQ(s.capacity + s.secondCapacity + s.thirdCapacity, 0);
    int32_t capacity = 0;
    EXPECT_EQ(poolAllocate(40, &capacity), second);
    EXPECT_EQ(poolAllocate(60, &capacity), third);
    pooledFree(second, c2);
    pooledFree(third, c3);
}

// ---- append ----

TEST(StringsPooledString, AppendToABorrowedTextOwnsTheResultAndReusesTheGrantedBlock) {
    static const char16_t a[] = u"a";
    PooledString s = PooledString::borrowed(a);
    s.append(PooledString::borrowed(u"b"));
    EXPECT_NE(s.text, a);
    EXPECT_EQ(textOf(s), u"ab");
    EXPECT_EQ(s.capacity, 8); // six bytes asked, eight granted: one more character fits in place
    char16_t* const block = s.text;
    s.append(PooledString::borrowed(u"c"));
    EXPECT_EQ(s.text, block);
    EXPECT_EQ(textOf(s), u"abc");
    s.append(PooledString::borrowed(u"d"));
    EXPECT_NE(s.text, block);
    EXPECT_EQ(textOf(s), u"abcd");
    EXPECT_EQ(s.capacity, 12);
}

TEST(StringsPooledString, AppendOfItself) {
    PooledString s = owned("ab");
    s.append(s); // into a new block
    EXPECT_EQ(textOf(s), u"abab");

    PooledString t = owned("abcde");
    t.text[2] = 0; // "ab" in a block granted for six code units: the append fits in place
    char16_t* const block = t.text;
    t.append(t);
    EXPECT_EQ(t.text, block);
    EXPECT_EQ(textOf(t), u"abab");
}

// ---- middle, find, replace range ----

TEST(StringsPooledString, MiddleTakesWhatLiesInsideTheText) {
    const PooledString abc = owned("abc");
    EXPECT_EQ(textOf(abc.middle(1, 10)), u"bc");
    EXPECT_EQ(textOf(abc.middle(0, 2)), u"ab");
    EXPECT_EQ(abc.middle(3, 1).text, nullptr);
    EXPECT_EQ(abc.middle(1, 0).text, nullptr);
    EXPECT_EQ(abc.middle(1, -4).text, nullptr);
    // A negative start and an end beyond 32 bits stay inside the text.
    EXPECT_EQ(textOf(abc.middle(-1, 2)), u"a");
    EXPECT_EQ(textOf(abc.middle(-2, 100)), u"abc");
    EXPECT_EQ(abc.middle(-5, 2).text, nullptr);
    EXPECT_EQ(textOf(abc.middle(1, INT32_MAX)), u"bc");
    EXPECT_EQ(abc.middle(INT32_MAX, INT32_MAX).text, nullptr);
    EXPECT_EQ(abc.middle(INT32_MIN, INT32_MAX).text, nullptr);
}

TEST(StringsPooledString, FindFromAPosition) {
    const PooledString hello = owned("hello");
    const PooledString lo = owned("lo");
    EXPECT_EQ(hello.find(lo, 0), 3);
    EXPECT_EQ(hello.find(lo, 3), 3);
    EXPECT_EQ(hello.find(lo, 4), -1);
    EXPECT_EQ(hello.find(lo, 5), -1);
    EXPECT_EQ(hello.find(lo, -1), -1);
    EXPECT_EQ(hello.find(owned("l"), 3), 3);
    EXPECT_EQ(hello.find(owned("hello!"), 0), -1);
    for (int32_t from : {-3, 0, 5, 99})
        EXPECT_EQ(hello.find(PooledString(), from), 0) << from;
    EXPECT_EQ(PooledString().find(owned("a"), 0), -1);
}

TEST(StringsPooledString, ReplaceRangeTakesPositionsOutsideAsTheNearestEnd) {
    const PooledString abcd = owned("abcd");
    EXPECT_EQ(textOf(abcd.replaceRange(1, 3, owned("XY"))), u"aXYd");
    EXPECT_EQ(textOf(abcd.replaceRange(4, 4, owned("<"))), u"abcd<");
    EXPECT_EQ(textOf(abcd.replaceRange(1, 3, PooledString())), u"ad");
    EXPECT_EQ(textOf(abcd.replaceRange(-3, 2, owned("X"))), u"Xcd");
    EXPECT_EQ(textOf(abcd.replaceRange(2, 100, owned("X"))), u"abX");
    EXPECT_EQ(textOf(abcd.replaceRange(100, 200, owned("X"))), u"abcdX");
    EXPECT_EQ(textOf(abcd.replaceRange(INT32_MIN, INT32_MAX, owned("X"))), u"X");
    EXPECT_EQ(textOf(PooledString().replaceRange(3, 9, owned("z"))), u"z");
    EXPECT_EQ(textOf(abcd), u"abcd");
}

// ---- paths ----

TEST(StringsPooledString, BareDriveGetsARootSeparator) {
    EXPECT_EQ(textOf(PooledString::borrowed(u"C:").pathWithRootSeparator()), u"C:\\");
    EXPECT_EQ(textOf(owned("C:\\x").pathWithRootSeparator()), u"C:\\x");
    EXPECT_EQ(textOf(owned("CD").pathWithRootSeparator()), u"CD");
    static const char16_t dir[] = u"C:\\Temp";
    EXPECT_EQ(PooledString::borrowed(dir).pathWithRootSeparator().text, dir); // a borrowed copy
}

TEST(StringsPooledString, ExtensionIsTheTextAfterTheLastDotOfTheLastPathPart) {
    EXPECT_EQ(textOf(owned("a\\b.txt").extension()), u"txt");
    EXPECT_EQ(textOf(owned("a.b\\c").extension()), u"");
    EXPECT_EQ(textOf(owned("noext").extension()), u"");
    EXPECT_EQ(textOf(owned("x.").extension()), u"");
    EXPECT_EQ(textOf(owned("d.ir\\f.tar.gz").extension()), u"gz");
    EXPECT_EQ(textOf(owned(".hidden").extension()), u"hidden");
}

} // namespace
