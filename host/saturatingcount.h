#pragma once
// Counting up that stops at the largest int: counters the host keeps for its whole life pass 2^31 in a
// long run and must then stay at the top instead of turning negative.

#include <climits>

inline void velCountUp(int& count) {
    if (count < INT_MAX)
        ++count;
}

// a + b for counts that are not negative, stopping at the largest int.
inline int velCountSum(int a, int b) {
    return a > INT_MAX - b ? INT_MAX : a + b;
}
