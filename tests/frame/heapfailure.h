#pragma once
// Injected heap failures for this test program: while a HeapFailure is armed, operator new (in this
// program and in every library it loads) refuses requests from a chosen one on.

class HeapFailure {
public:
    // The first `allowed` allocations still succeed; every later one fails until the scope ends.
    explicit HeapFailure(int allowed = 0);
    ~HeapFailure();
    HeapFailure(const HeapFailure&) = delete;
    HeapFailure& operator=(const HeapFailure&) = delete;

    // How many allocations were refused so far.
    static int refused();
};
