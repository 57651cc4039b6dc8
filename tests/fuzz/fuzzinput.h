#pragma once
// FuzzInput: takes the bytes a fuzzer is given apart into numbers, positions and texts. Past the end of
// the bytes every number reads as 0 and every text as empty, so any input is a complete program.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_at >= m_size; }
    uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    uint16_t word() { return uint16_t(byte() | (byte() << 8)); }
    uint32_t u32() { return uint32_t(word()) | (uint32_t(word()) << 16); }

    // A position for a text of `length` units: mostly near or inside it, sometimes far outside.
    int32_t position(int32_t length) {
        switch (byte() % 8) {
        case 0:
            return -1 - int32_t(byte() % 4);
        case 1:
            return length + int32_t(byte() % 4);
        case 2:
            return INT32_MAX - int32_t(byte() % 2);
        case 3:
            return INT32_MIN + int32_t(byte() % 2);
        default:
            return length > 0 ? int32_t(word() % uint32_t(length + 1)) : 0;
        }
    }

    // The next `length`-prefixed run of bytes (at most 255).
    std::string bytes() {
        const size_t n = byte();
        std::string out;
        while (out.size() < n && !empty())
            out.push_back(char(byte()));
        return out;
    }
    // A UTF-16 text made of the next pairs of bytes; a short alphabet of markers and letters keeps the
    // interesting characters ('%', digits, '\\', '.', ':') frequent.
    std::u16string text() {
        static const char16_t alphabet[] = u"%%%123456789:0ab.\\\\.:xy\u00e9\u20ac\xd800\0";
        const size_t n = byte() % 32;
        std::u16string out;
        for (size_t i = 0; i < n && !empty(); ++i) {
            const uint8_t pick = byte();
            out.push_back(pick < 192 ? alphabet[pick % (sizeof alphabet / sizeof alphabet[0] - 1)]
                                     : char16_t(pick));
        }
        return out;
    }
    // All that is left.
    std::string rest() {
        std::string out(reinterpret_cast<const char*>(m_data) + (m_at < m_size ? m_at : m_size),
                        m_at < m_size ? m_size - m_at : 0);
        m_at = m_size;
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// Stops the fuzzer with a message when a model and the code disagree.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)
