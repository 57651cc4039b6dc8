// Pooled strings under random operations at random positions, each checked against std::u16string
// doing the same. Owned, borrowed and aliased texts (a string set from a part of its own text, a string
// appended to itself) all take part.

#include "fuzzinput.h"
#include "runtime/pooledstring.h"

#include <cstring>
#include <deque>

namespace {

constexpr int kStrings = 4;
constexpr size_t kLongest = 1 << 16;

// The text up to its first zero unit, as a PooledString reads it.
std::u16string measured(const std::u16string& text) {
    return text.substr(0, text.find(u'\0'));
}

int64_t clamp(int64_t value, int64_t low, int64_t high) {
    return value < low ? low : value > high ? high : value;
}

void expectSame(const PooledString& s, const std::u16string& model) {
    FUZZ_CHECK(s.length() == int32_t(model.size()));
    FUZZ_CHECK(std::memcmp(s.textOrEmpty(), model.data(), model.size() * sizeof(char16_t)) == 0);
    FUZZ_CHECK(s.textOrEmpty()[model.size()] == 0);
    FUZZ_CHECK(s.isEmpty() == model.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    // Texts that borrowed strings point at: they live until the end of the run and never move.
    std::deque<std::u16string> sources;
    PooledString strings[kStrings];
    std::u16string models[kStrings];

    for (int step = 0; step < 64 && !in.empty(); ++step) {
        const int i = in.byte() % kStrings;
        const int j = in.byte() % kStrings;
        PooledString& s = strings[i];
        std::u16string& model = models[i];
        const int32_t length = int32_t(model.size());
        switch (in.byte() % 14) {
        case 0: { // copied from a text, measured or counted
            const std::u16string text = in.text();
            const bool counted = in.byte() & 1;
            if (counted && !text.empty()) {
                s.setUtf16(text.data(), int32_t(text.size()));
                model = measured(text);
            } else {
                s.setUtf16(text.c_str(), -1);
                model = measured(text);
            }
            break;
        }
        case 1: { // borrowed
            sources.push_back(in.text());
            s.setUtf16(sources.back().c_str(), 0);
            model = measured(sources.back());
            FUZZ_CHECK(s.text == sources.back().c_str());
            break;
        }
        case 2: { // set from a part of its own text
            if (!s.text || length == 0)
                break;
            const int32_t from = int32_t(in.word() % uint32_t(length + 1));
            const int32_t count = int32_t(in.word() % uint32_t(length - from + 1));
            s.setUtf16(s.text + from, count);
            model = count > 0 ? model.substr(size_t(from), size_t(count)) : model.substr(size_t(from));
            break;
        }
        case 3: {
            const std::string bytes = in.bytes();
            s.setLatin1(bytes.c_str());
            model.clear();
            for (const char c : bytes) {
                if (c == 0)
                    break;
                model.push_back(char16_t(static_cast<unsigned char>(c)));
            }
            break;
        }
        case 4: // appended, possibly to itself (repeated self-appends double the length: kept short)
            if (model.size() + models[j].size() > kLongest)
                break;
            s.append(strings[j]);
            model += models[j];
            break;
        case 5: {
            const int32_t start = in.position(length);
            const int32_t count = in.position(length);
            const PooledString part = s.middle(start, count);
            const int64_t from = start < 0 ? 0 : int64_t(start);
            const int64_t to = clamp(int64_t(start) + int64_t(count), INT64_MIN, length);
            expectSame(part, to > from ? model.substr(size_t(from), size_t(to - from)) : std::u16string());
            break;
        }
        case 6: {
            const int32_t start = in.position(length);
            const int32_t end = in.position(length);
            const PooledString replaced = s.replaceRange(start, end, strings[j]);
            const size_t head = size_t(clamp(start, 0, length));
            const size_t tail = size_t(clamp(end, 0, length));
            expectSame(replaced, model.substr(0, head) + models[j] + model.substr(tail));
            break;
        }
        case 7: {
            const int32_t from = in.position(length);
            const std::u16string& needle = models[j];
            int32_t expected = -1;
            if (needle.size() > model.size())
                expected = -1;
            else if (needle.empty())
                expected = 0;
            else if (from >= 0 && from < length) {
                const size_t at = model.find(needle, size_t(from));
                expected = at == std::u16string::npos ? -1 : int32_t(at);
            }
            FUZZ_CHECK(s.find(strings[j], from) == expected);
            break;
        }
        case 8: {
            const PooledString rooted = s.pathWithRootSeparator();
            expectSame(rooted, model.size() == 2 && model[1] == u':' ? model + u'\\' : model);
            break;
        }
        case 9: {
            const size_t separator = model.rfind(u'\\');
            const size_t dot = model.rfind(u'.');
            const bool hasSuffix =
                dot != std::u16string::npos && (separator == std::u16string::npos || dot > separator);
            expectSame(s.extension(), hasSuffix ? model.substr(dot + 1) : std::u16string());
            break;
        }
        case 10: {
            const QString text = s.toQString();
            FUZZ_CHECK(text.size() == length);
            FUZZ_CHECK(std::memcmp(text.utf16(), model.data(), model.size() * sizeof(char16_t)) == 0);
            break;
        }
        case 11: // assigned, possibly from itself
            strings[i] = strings[j];
            model = std::u16string(models[j]);
            break;
        case 12: { // copy constructed
            PooledString copy(strings[j]);
            expectSame(copy, models[j]);
            break;
        }
        case 13:
            if (in.byte() & 1)
                s.freeText();
            else
                s.destroy();
            model.clear();
            break;
        }
        for (int k = 0; k < kStrings; ++k)
            expectSame(strings[k], models[k]);
    }
    return 0;
}
