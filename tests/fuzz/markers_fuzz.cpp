// The translator's numbered markers with 0 to 12 arguments: the one-pass substitution, the
// argument-list replacement and the trivial translator's operations, each against a plain model.

#include "fuzzinput.h"
#include "translation/markers.h"
#include "translation/translator.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::u16string modelOf(const PooledString& s) {
    return std::u16string(s.textOrEmpty(), size_t(s.length()));
}

std::u16string measured(const std::u16string& text) {
    return text.substr(0, text.find(u'\0'));
}

// One pass: "%1" to "%9" become argument k (empty when absent); every other unit stays.
std::u16string substitutedModel(const std::u16string& text, const std::vector<const std::u16string*>& args) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9') {
            const size_t k = size_t(text[i + 1] - u'0');
            if (k <= args.size() && args[k - 1])
                out += *args[k - 1];
            i += 2;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// For n = 1 to count: the first "%" followed by the digits of n becomes argument n.
std::u16string replacedModel(std::u16string text, const std::vector<std::u16string>& args) {
    for (size_t n = 1; n <= args.size(); ++n) {
        std::u16string marker = u"%";
        for (const char c : std::to_string(n))
            marker += char16_t(c);
        const size_t at = text.find(marker);
        if (at != std::u16string::npos)
            text.replace(at, marker.size(), args[n - 1]);
    }
    return text;
}

PooledString pooled(const std::u16string& text) {
    PooledString s;
    s.setUtf16(text.c_str(), -1);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const int count = in.byte() % 13;
    const uint8_t absent = in.byte(); // bit k: argument k + 1 is a null entry of the pointer form
    std::vector<std::u16string> argTexts;
    std::vector<PooledString> args(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) {
        argTexts.push_back(measured(in.text()));
        args[size_t(k)] = pooled(argTexts.back());
    }
    const std::u16string text = measured(in.text());

    // The one-pass substitution, with some entries null.
    std::vector<const PooledString*> pointers;
    std::vector<const std::u16string*> modelPointers;
    for (int k = 0; k < count; ++k) {
        const bool isAbsent = k < 8 && (absent >> k & 1);
        pointers.push_back(isAbsent ? nullptr : &args[size_t(k)]);
        modelPointers.push_back(isAbsent ? nullptr : &argTexts[size_t(k)]);
    }
    PooledString once = pooled(text);
    velSubstituteArguments(once, pointers.data(), count);
    FUZZ_CHECK(modelOf(once) == substitutedModel(text, modelPointers));

    // The argument-list form, markers of up to two digits.
    PooledString listed = pooled(text);
    velReplaceArgumentMarkers(listed, count, args.data());
    FUZZ_CHECK(modelOf(listed) == replacedModel(text, argTexts));

    // The trivial translator takes 8-bit text: the low byte of each unit, up to the first zero.
    std::string latin1;
    for (const char16_t unit : text) {
        if ((unit & 0xff) == 0)
            break;
        latin1.push_back(char(unit & 0xff));
    }
    std::u16string wide(latin1.begin(), latin1.end());
    for (char16_t& unit : wide)
        unit = char16_t(static_cast<unsigned char>(unit));
    VelTrivialTranslator translator;
    FUZZ_CHECK(modelOf(translator.translate(latin1.c_str(), count, args.data())) ==
               replacedModel(wide, argTexts));
    FUZZ_CHECK(modelOf(translator.translate(latin1.c_str(), count, nullptr)) ==
               replacedModel(wide, std::vector<std::u16string>(size_t(count))));
    const PooledString empty;
    const PooledString* a[6];
    std::vector<const std::u16string*> fixed;
    for (int k = 0; k < 6; ++k) {
        a[k] = k < count ? &args[size_t(k)] : &empty;
        fixed.push_back(k < count ? &argTexts[size_t(k)] : nullptr);
    }
    const std::u16string expected[] = {
        substitutedModel(wide, {}),
        substitutedModel(wide, {fixed.begin(), fixed.begin() + 1}),
        substitutedModel(wide, {fixed.begin(), fixed.begin() + 2}),
        substitutedModel(wide, {fixed.begin(), fixed.begin() + 3}),
        substitutedModel(wide, {fixed.begin(), fixed.begin() + 4}),
        substitutedModel(wide, {fixed.begin(), fixed.begin() + 5}),
        substitutedModel(wide, {fixed.begin(), fixed.begin() + 6}),
    };
    const char* source = latin1.c_str();
    FUZZ_CHECK(modelOf(translator.translate(source)) == wide);
    FUZZ_CHECK(modelOf(translator.translate(source, *a[0])) == expected[1]);
    FUZZ_CHECK(modelOf(translator.translate(source, *a[0], *a[1])) == expected[2]);
    FUZZ_CHECK(modelOf(translator.translate(source, *a[0], *a[1], *a[2])) == expected[3]);
    FUZZ_CHECK(modelOf(translator.translate(source, *a[0], *a[1], *a[2], *a[3])) == expected[4]);
    FUZZ_CHECK(modelOf(translator.translate(source, *a[0], *a[1], *a[2], *a[3], *a[4])) == expected[5]);
    FUZZ_CHECK(modelOf(translator.translate(source, *a[0], *a[1], *a[2], *a[3], *a[4], *a[5])) ==
               expected[6]);
    return 0;
}
