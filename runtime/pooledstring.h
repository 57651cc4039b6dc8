#pragma once
// PooledName (8-bit names) and PooledString (UTF-16 texts): owned text lives in pool blocks and records
// the granted block size as its capacity; borrowed text (capacity 0) points at text that lives elsewhere.

#include <cstdint>

// The conversion to Qt text is part of the runtime only in builds with Qt (pooledstringqt.cpp); Qt code
// gets the complete QString type with this header, as before.
class QString;
#if defined(QT_CORE_LIB)
#include <QString>
#endif

struct PooledName {
    char* text = nullptr;
    int32_t capacity = 0;

    PooledName() = default;
    // Owned copy of text (null gives the empty name).
    explicit PooledName(const char* source);
    PooledName(const PooledName& other);
    PooledName& operator=(const PooledName& other);
    ~PooledName() { free(); }

    // A name over text that is not copied and never freed.
    static PooledName borrowed(const char* source);

    void free();
    bool isOwned() const { return text && capacity > 0; }
    const char* textOrEmpty() const { return text ? text : ""; }
};

struct PooledString {
    char16_t* text = nullptr;
    int32_t capacity = 0;
    void* second = nullptr;
    int32_t secondCapacity = 0;
    void* third = nullptr;
    int32_t thirdCapacity = 0;

    PooledString() = default;
    PooledString(const PooledString& other);
    PooledString& operator=(const PooledString& other);
    ~PooledString() { destroy(); }

    // A string over UTF-16 text that is not copied and never freed.
    static PooledString borrowed(const char16_t* source);
    // The text made of one 8-bit character.
    static PooledString fromChar(char c);
    static PooledString fromLatin1(const char* source);

    // count 0 borrows the source, -1 measures it up to its terminator, otherwise copies count code units.
    void setUtf16(const char16_t* source, int32_t count);
    // Widens each byte to the code unit of the same unsigned value.
    void setLatin1(const char* source);
    // Decodes UTF-8 text; a byte that starts no valid sequence becomes U+FFFD.
    void setUtf8(const char* source);

    int32_t length() const;
    const char16_t* textOrEmpty() const;
    bool isEmpty() const { return !text || !text[0]; }
    bool isOwned() const { return text && capacity > 0; }

    void append(const PooledString& s);
    PooledString middle(int32_t start, int32_t count) const;
    PooledString replaceRange(int32_t start, int32_t end, const PooledString& s) const;
    int32_t find(const PooledString& needle, int32_t from) const;
    // A bare drive name ("C:") gets a backslash appended; anything else is copied.
    PooledString pathWithRootSeparator() const;
    // The text after the last "." when it follows the last backslash; empty otherwise.
    PooledString extension() const;

    // A QString of the text-or-empty pointer and the length (builds with Qt only).
    QString toQString() const;
    // Frees the owned text only; the other buffers stay.
    void freeText();
    // Frees every owned buffer; every field ends null or 0.
    void destroy();
};

// The largest block an owned text asks the pool for. Leaves room for the pool's block header, so that no
// block size computed from it goes beyond what a 32-bit size can express.
constexpr int64_t kPooledLargestBlock = INT32_MAX - 64;

// Gives an owned block back: to the module's current pool, or to the allocator named in its header.
void pooledFree(void*& block, int32_t& capacity);
