#pragma once
// VelArray: a growable array whose elements are numbered from 1; slot 0 is never used.

#include <climits>
#include <cstdint>
#include <new>

template <class T> class VelArray {
public:
    VelArray() = default;
    VelArray(const VelArray&) = delete;
    VelArray& operator=(const VelArray&) = delete;
    ~VelArray() { delete[] m_items; }

    void append(const T& element) {
        ++m_count;
        if (m_count >= m_capacity)
            grow(m_count);
        m_items[m_count] = element;
    }
    T& top() { return m_items[m_count]; }
    void pop() {
        if (m_count > 0)
            --m_count;
    }
    // The element at position i (1..count), or null outside.
    T* at(int32_t i) { return (i >= 1 && i <= m_count) ? &m_items[i] : nullptr; }

    // Grows so that position p fits: doubling from max(capacity, 1) until capacity exceeds p.
    void grow(int32_t p) {
        if (p < 0 || p >= (INT32_MAX >> 1))
            throw std::bad_alloc();
        int32_t capacity = m_capacity < 1 ? 1 : m_capacity;
        while (capacity < p + 1)
            capacity *= 2;
        T* fresh = new T[capacity]();
        const int32_t keep = m_capacity < capacity ? m_capacity : capacity;
        for (int32_t i = 0; i < keep; ++i)
            fresh[i] = m_items[i];
        delete[] m_items;
        m_items = fresh;
        m_capacity = capacity;
    }

    int32_t capacity() const { return m_capacity; }
    int32_t count() const { return m_count; }
    void setCount(int32_t count) { m_count = count; }
    T* items() { return m_items; }

private:
    int32_t m_capacity = 0;
    T* m_items = nullptr;
    int32_t m_count = 0;
};
