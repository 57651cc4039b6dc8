#pragma once
// The allocation workloads of pool_bench, written once for every allocator and compiled into each copy
// of the runtime that runs them (the benchmark program and its stand-in module). An allocator is a type
// with two static functions:
//   void* allocate(int32_t size, int32_t* capacity)   (capacity: the usable size granted)
//   void release(void** block, int32_t capacity)      (sets *block to null)

#include <cstdint>
#include <cstring>

namespace poolbench {

enum Workload : int32_t {
    kFixed = 0,   // one size (arg), allocate + release
    kMixed = 1,   // sizes 1..512 in a fixed pseudo-random order, allocate + release
    kRing = 2,    // 1000 blocks of mixed sizes alive, the oldest replaced each time; n = 0 frees the ring
    kStrings = 3, // the block traffic of pooled texts being built, grown, copied and cut
};

constexpr int32_t kRingSize = 1000;

// Sizes 1..512, the same for every run, thread and copy.
inline int32_t mixedSize(uint32_t i) {
    uint32_t state = (i & 4095u) * 2654435761u + 12345u;
    state ^= state >> 15;
    state *= 2246822519u;
    state ^= state >> 13;
    return int32_t(1 + state % 512u);
}

// Writes to the block and lets the compiler assume that the block escapes, so that no allocation and
// release pair can be left out or merged.
inline void touch(void* block) {
    static_cast<volatile char*>(block)[0] = 1;
    asm volatile("" : : "r"(block) : "memory");
}

// Hides what the compiler knows of a value (a capacity that equals the size asked for, a block fresh
// from malloc), so that every allocator's text code is compiled alike.
template <class T> inline T launder(T value) {
    asm volatile("" : "+r"(value));
    return value;
}

// A UTF-16 text in one block of its allocator, grown the way the runtime's pooled string grows: into the
// block's slack while it lasts, else into a new block of exactly the bytes needed.
template <class A> struct Text {
    char16_t* chars = nullptr;
    int32_t length = 0;
    int32_t capacity = 0;

    Text(const char16_t* source, int32_t count) { assign(source, count); }
    Text(const Text& other) { assign(other.chars, other.length); }
    Text& operator=(const Text&) = delete;
    ~Text() {
        void* block = chars;
        if (block)
            A::release(&block, capacity);
    }
    void assign(const char16_t* source, int32_t count) {
        chars = launder(static_cast<char16_t*>(A::allocate((count + 1) * 2, &capacity)));
        capacity = launder(capacity);
        touch(chars);
        std::memcpy(chars, source, size_t(count) * 2);
        chars[count] = 0;
        length = count;
    }
    void append(const char16_t* source, int32_t count) {
        const int32_t bytes = (length + count + 1) * 2;
        if (bytes > capacity) {
            int32_t grown = 0;
            char16_t* bigger = launder(static_cast<char16_t*>(A::allocate(bytes, &grown)));
            grown = launder(grown);
            touch(bigger);
            std::memcpy(bigger, chars, size_t(length) * 2);
            void* old = chars;
            A::release(&old, capacity);
            chars = bigger;
            capacity = grown;
        }
        std::memmove(chars + length, source, size_t(count) * 2);
        length += count;
        chars[length] = 0;
    }
};

template <class A> struct Ring {
    void* blocks[kRingSize] = {};
    int32_t capacities[kRingSize] = {};
    int32_t next = 0;
    bool filled = false;
};

// Runs `n` rounds of the workload; `seed` spreads the threads of one run over the sizes.
template <class A> void run(int32_t workload, int32_t arg, int64_t n, uint32_t seed) {
    switch (workload) {
    case kFixed:
        for (int64_t k = 0; k < n; ++k) {
            int32_t capacity = 0;
            void* block = A::allocate(arg, &capacity);
            touch(block);
            A::release(&block, capacity);
        }
        break;
    case kMixed:
        for (int64_t k = 0; k < n; ++k) {
            int32_t capacity = 0;
            void* block = A::allocate(mixedSize(seed++), &capacity);
            touch(block);
            A::release(&block, capacity);
        }
        break;
    case kRing: {
        static thread_local Ring<A> ring;
        if (!ring.filled) {
            for (int32_t i = 0; i < kRingSize; ++i) {
                ring.blocks[i] = A::allocate(mixedSize(seed++), &ring.capacities[i]);
                touch(ring.blocks[i]);
            }
            ring.filled = true;
        }
        for (int64_t k = 0; k < n; ++k) {
            const int32_t i = ring.next;
            ring.next = i + 1 == kRingSize ? 0 : i + 1;
            A::release(&ring.blocks[i], ring.capacities[i]);
            ring.blocks[i] = A::allocate(mixedSize(seed++), &ring.capacities[i]);
            touch(ring.blocks[i]);
        }
        if (n == 0) {
            for (int32_t i = 0; i < kRingSize; ++i)
                A::release(&ring.blocks[i], ring.capacities[i]);
            ring.filled = false;
        }
        break;
    }
    case kStrings: {
        static const char16_t name[] = u"ColorButtonHover_pressed_and_then_some_more_text";
        for (int64_t k = 0; k < n; ++k) {
            Text<A> a(name, 16);
            a.append(name + 16, 8);
            Text<A> b(a);
            b.append(a.chars, a.length);
            Text<A> c(b.chars + 4, 20);
        }
        break;
    }
    default:
        break;
    }
}

} // namespace poolbench
