// Substitution of numbered argument markers, shared by every translator that works on PooledString.

#include "translation/markers.h"

#include "memory/bucketpool.h"

#include <cstring>

namespace {

// The argument number of a one-digit marker starting at p ("%1" to "%9"), or 0.
int32_t markerAt(const char16_t* p) {
    if (p[0] != u'%' || p[1] < u'1' || p[1] > u'9')
        return 0;
    return int32_t(p[1] - u'0');
}

const PooledString* argumentOf(int32_t k, const PooledString* const* args, int32_t count) {
    return (args && k >= 1 && k <= count) ? args[k - 1] : nullptr;
}

int64_t argumentLength(int32_t k, const PooledString* const* args, int32_t count) {
    const PooledString* arg = argumentOf(k, args, count);
    return arg ? arg->length() : 0;
}

// Puts `from`'s text block into `into`, freeing `into`'s old text; `from` ends empty.
void takeText(PooledString& into, PooledString& from) {
    into.freeText();
    into.text = from.text;
    into.capacity = from.capacity;
    from.text = nullptr;
    from.capacity = 0;
}

} // namespace

void velSubstituteArguments(PooledString& text, const PooledString* const* args, int32_t count) {
    if (!text.text)
        return;
    const char16_t* source = text.text;

    // First pass: the size of the result, from the markers actually found. A marker may appear more than
    // once; each occurrence counts.
    int64_t sourceLength = 0;
    int64_t resultLength = 0;
    bool anyMarker = false;
    while (source[sourceLength]) {
        if (int32_t k = markerAt(source + sourceLength)) {
            anyMarker = true;
            resultLength += argumentLength(k, args, count);
            sourceLength += 2;
        } else {
            ++resultLength;
            ++sourceLength;
        }
    }
    if (!anyMarker)
        return;

    const int64_t bytes = (resultLength + 1) * int64_t(sizeof(char16_t));
    if (bytes > kPooledLargestBlock)
        return; // a result that no block can hold leaves the text as it is
    int32_t granted = 0;
    auto* block = static_cast<char16_t*>(poolAllocate(int32_t(bytes), &granted));
    if (!block)
        return;

    // Second pass: copy the text, each marker replaced by its argument.
    char16_t* out = block;
    for (int64_t i = 0; i < sourceLength;) {
        if (int32_t k = markerAt(source + i)) {
            if (const PooledString* arg = argumentOf(k, args, count)) {
                const int32_t n = arg->length();
                if (n > 0)
                    std::memcpy(out, arg->text, size_t(n) * sizeof(char16_t));
                out += n;
            }
            i += 2;
        } else {
            *out++ = source[i++];
        }
    }
    *out = 0;

    text.freeText();
    text.text = block;
    text.capacity = granted;
}

void velReplaceArgumentMarker(PooledString& text, int32_t n, const PooledString& arg) {
    if (n < 1 || !text.text)
        return;
    // "%" and the decimal digits of n.
    char16_t marker[16];
    char16_t digits[12];
    int32_t digitCount = 0;
    for (int32_t v = n; v > 0; v /= 10)
        digits[digitCount++] = char16_t(u'0' + v % 10);
    int32_t markerLength = 0;
    marker[markerLength++] = u'%';
    while (digitCount > 0)
        marker[markerLength++] = digits[--digitCount];
    marker[markerLength] = 0;

    const int32_t at = text.find(PooledString::borrowed(marker), 0);
    if (at < 0)
        return;
    PooledString replaced = text.replaceRange(at, at + markerLength, arg);
    takeText(text, replaced);
}

void velReplaceArgumentMarkers(PooledString& text, int32_t count, const PooledString* args) {
    const PooledString empty;
    for (int32_t n = 1; n <= count; ++n)
        velReplaceArgumentMarker(text, n, args ? args[n - 1] : empty);
}
