// PooledName and PooledString: owned text lives in pool blocks whose granted size is recorded as the
// capacity; borrowed text points at text that lives elsewhere and is never freed.

#include "runtime/pooledstring.h"

#include "memory/bucketpool.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// The largest number of code units (terminator included) that fits one block.
constexpr int64_t kLargestUnits = kPooledLargestBlock / int64_t(sizeof(char16_t));

const char16_t kEmptyText[1] = {0};
const char16_t kBackslashText[2] = {u'\\', 0};

// An owned block of at least `bytes` bytes; its granted size goes to *capacity. Null (capacity 0) when the
// size is not positive or too large for a block: a size that does not fit is refused, never shortened.
void* allocateBytes(int64_t bytes, int32_t* capacity) {
    *capacity = 0;
    if (bytes <= 0 || bytes > kPooledLargestBlock)
        return nullptr;
    int32_t granted = 0;
    void* block = poolAllocate(int32_t(bytes), &granted);
    if (!block)
        return nullptr;
    if (granted < bytes) {
        // A pool that grants less than asked cannot be written to.
        if (granted > 0)
            poolRelease(&block, granted);
        return nullptr;
    }
    *capacity = granted;
    return block;
}

// An owned block for `units` code units (terminator included).
char16_t* allocateUnits(int64_t units, int32_t* capacity) {
    if (units <= 0 || units > kLargestUnits) {
        *capacity = 0;
        return nullptr;
    }
    return static_cast<char16_t*>(allocateBytes(units * int64_t(sizeof(char16_t)), capacity));
}

int64_t measure(const char16_t* text) {
    int64_t n = 0;
    if (text)
        while (text[n])
            ++n;
    return n;
}

int32_t clampLength(int64_t n) {
    return n > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : int32_t(n);
}

// True when p points into the block [text, text + capacity bytes).
bool pointsInto(const void* p, const void* text, int32_t capacity) {
    if (!p || !text || capacity <= 0)
        return false;
    const auto at = reinterpret_cast<uintptr_t>(p);
    const auto start = reinterpret_cast<uintptr_t>(text);
    return at >= start && at < start + uintptr_t(capacity);
}

// A new owned string of `units` units that `fill` writes into its block, the terminator added after them;
// the empty string when there are no units or no block to be had.
template <class Fill> PooledString filledString(int64_t units, Fill fill) {
    PooledString result;
    if (units <= 0)
        return result;
    int32_t granted = 0;
    char16_t* block = allocateUnits(units + 1, &granted);
    if (!block)
        return result;
    fill(block);
    block[units] = 0;
    result.text = block;
    result.capacity = granted;
    return result;
}

// Makes `name` (empty on entry) an owned copy of source; null stays the empty name.
void copyName(PooledName& name, const char* source) {
    if (!source)
        return;
    const int64_t bytes = int64_t(std::strlen(source)) + 1;
    int32_t granted = 0;
    char* block = static_cast<char*>(allocateBytes(bytes, &granted));
    if (!block)
        return;
    std::memcpy(block, source, size_t(bytes));
    name.text = block;
    name.capacity = granted;
}

} // namespace

void pooledFree(void*& block, int32_t& capacity) {
    if (block && capacity > 0)
        poolRelease(&block, capacity);
    block = nullptr;
    capacity = 0;
}

// ---- PooledName ----

PooledName::PooledName(const char* source) {
    copyName(*this, source);
}

PooledName::PooledName(const PooledName& other) {
    if (other.capacity <= 0)
        text = other.text;
    else
        copyName(*this, other.text);
}

PooledName& PooledName::operator=(const PooledName& other) {
    if (this == &other)
        return *this;
    free();
    if (other.capacity <= 0)
        text = other.text;
    else
        copyName(*this, other.text);
    return *this;
}

PooledName PooledName::borrowed(const char* source) {
    PooledName name;
    name.text = const_cast<char*>(source);
    return name;
}

void PooledName::free() {
    void* block = text;
    pooledFree(block, capacity);
    text = nullptr;
}

// ---- PooledString ----

PooledString::PooledString(const PooledString& other) {
    *this = other;
    if (other.secondCapacity <= 0)
        second = other.second;
}

PooledString& PooledString::operator=(const PooledString& other) {
    if (this == &other)
        return *this;
    setUtf16(other.text, other.isOwned() ? -1 : 0);
    return *this;
}

PooledString PooledString::borrowed(const char16_t* source) {
    PooledString s;
    s.text = const_cast<char16_t*>(source);
    return s;
}

PooledString PooledString::fromChar(char c) {
    const char source[2] = {c, 0};
    PooledString s;
    s.setLatin1(source);
    return s;
}

PooledString PooledString::fromLatin1(const char* source) {
    PooledString s;
    s.setLatin1(source);
    return s;
}

void PooledString::setUtf16(const char16_t* source, int32_t count) {
    if (!source || count < -1) {
        freeText();
        return;
    }
    // Borrowing text from this string's own block, which is about to be given back, copies it instead.
    if (count == 0 && !pointsInto(source, text, capacity)) {
        freeText();
        text = const_cast<char16_t*>(source);
        return;
    }
    // A source inside this string's own block must be read before the block goes back to the pool.
    const bool aliased = pointsInto(source, text, capacity);
    const int64_t units = count > 0 ? int64_t(count) : measure(source);
    if (!aliased)
        freeText();
    int32_t granted = 0;
    char16_t* block = allocateUnits(units + 1, &granted);
    if (block) {
        std::memcpy(block, source, size_t(units) * sizeof(char16_t));
        block[units] = 0;
    }
    if (aliased)
        freeText();
    text = block;
    capacity = granted;
}

void PooledString::setLatin1(const char* source) {
    freeText();
    if (!source)
        return;
    const int64_t units = int64_t(std::strlen(source)) + 1;
    int32_t granted = 0;
    char16_t* block = allocateUnits(units, &granted);
    if (!block)
        return;
    for (int64_t i = 0; i < units; ++i)
        block[i] = char16_t(static_cast<unsigned char>(source[i]));
    text = block;
    capacity = granted;
}

void PooledString::setUtf8(const char* source) {
    freeText();
    if (!source)
        return;
    // Never more code units than bytes, plus the terminator.
    const int64_t bytes = int64_t(std::strlen(source));
    int32_t granted = 0;
    char16_t* block = allocateUnits(bytes + 1, &granted);
    if (!block)
        return;
    const auto* in = reinterpret_cast<const unsigned char*>(source);
    const auto* end = in + bytes;
    char16_t* out = block;
    while (in < end) {
        const unsigned lead = *in;
        const int trail = lead < 0x80                   ? 0
                          : lead >= 0xc2 && lead < 0xe0 ? 1
                          : lead >= 0xe0 && lead < 0xf0 ? 2
                          : lead >= 0xf0 && lead < 0xf5 ? 3
                                                        : -1;
        char32_t code = trail <= 0 ? lead : lead & (0x3fu >> trail);
        bool valid = trail >= 0 && end - in > trail;
        for (int i = 1; valid && i <= trail; ++i) {
            valid = (in[i] & 0xc0) == 0x80;
            code = (code << 6) | (in[i] & 0x3f);
        }
        static constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        valid = valid && code >= smallest[trail] && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff);
        if (!valid) {
            *out++ = 0xfffd;
            ++in;
            continue;
        }
        in += trail + 1;
        if (code >= 0x10000) {
            *out++ = char16_t(0xd800 + ((code - 0x10000) >> 10));
            *out++ = char16_t(0xdc00 + ((code - 0x10000) & 0x3ff));
        } else {
            *out++ = char16_t(code);
        }
    }
    *out = 0;
    text = block;
    capacity = granted;
}

int32_t PooledString::length() const {
    return clampLength(measure(text));
}

const char16_t* PooledString::textOrEmpty() const {
    return text ? text : kEmptyText;
}

void PooledString::append(const PooledString& s) {
    const int64_t a = length();
    const int64_t b = s.length();
    const int64_t n = a + b;
    const int64_t bytes = 2 * (n + 1);
    if (text && capacity >= bytes) {
        if (b > 0)
            std::memmove(text + a, s.text, size_t(b) * sizeof(char16_t));
        text[n] = 0;
        return;
    }
    int32_t granted = 0;
    char16_t* block = allocateUnits(n + 1, &granted);
    if (!block)
        return; // too long for one block: the string stays as it was
    if (a > 0)
        std::memcpy(block, text, size_t(a) * sizeof(char16_t));
    if (b > 0)
        std::memcpy(block + a, s.text, size_t(b) * sizeof(char16_t));
    block[n] = 0;
    freeText();
    text = block;
    capacity = granted;
}

PooledString PooledString::middle(int32_t start, int32_t count) const {
    const int64_t len = length();
    // The part of [start, start + count) that lies inside the text.
    int64_t from = start;
    int64_t to = int64_t(start) + int64_t(count);
    if (from < 0)
        from = 0;
    if (to > len)
        to = len;
    const int64_t n = to - from;
    return filledString(
        n, [&](char16_t* block) { std::memcpy(block, text + from, size_t(n) * sizeof(char16_t)); });
}

PooledString PooledString::replaceRange(int32_t start, int32_t end, const PooledString& s) const {
    const int64_t len = length();
    // Positions outside the text are taken as its nearest end.
    const int64_t head = start < 0 ? 0 : (start > len ? len : start);
    const int64_t tail = end < 0 ? 0 : (end > len ? len : end);
    const int64_t middleLength = s.length();
    const int64_t n = head + middleLength + (len - tail);
    return filledString(n, [&](char16_t* block) {
        char16_t* out = block;
        if (head > 0)
            std::memcpy(out, text, size_t(head) * sizeof(char16_t));
        out += head;
        if (middleLength > 0)
            std::memcpy(out, s.text, size_t(middleLength) * sizeof(char16_t));
        out += middleLength;
        if (len - tail > 0)
            std::memcpy(out, text + tail, size_t(len - tail) * sizeof(char16_t));
    });
}

int32_t PooledString::find(const PooledString& needle, int32_t from) const {
    const int32_t len = length();
    const int32_t needleLength = needle.length();
    if (needleLength > len)
        return -1;
    if (needleLength == 0)
        return 0;
    if (from < 0 || from >= len)
        return -1;
    for (int32_t i = from; i <= len - needleLength; ++i)
        if (std::memcmp(text + i, needle.text, size_t(needleLength) * sizeof(char16_t)) == 0)
            return i;
    return -1;
}

PooledString PooledString::pathWithRootSeparator() const {
    PooledString result(*this);
    if (length() == 2 && text[1] == u':')
        result.append(PooledString::borrowed(kBackslashText));
    return result;
}

PooledString PooledString::extension() const {
    // The last backslash and the last dot, found in one pass over the text.
    const int32_t len = length();
    int32_t lastSeparator = -1;
    int32_t lastDot = -1;
    for (int32_t i = 0; i < len; ++i) {
        if (text[i] == u'\\')
            lastSeparator = i;
        else if (text[i] == u'.')
            lastDot = i;
    }
    if (lastDot > lastSeparator)
        return middle(lastDot + 1, len - lastDot - 1);
    return PooledString();
}

void PooledString::freeText() {
    void* block = text;
    pooledFree(block, capacity);
    text = nullptr;
}

void PooledString::destroy() {
    pooledFree(second, secondCapacity);
    pooledFree(third, thirdCapacity);
    freeText();
}
