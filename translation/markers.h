#pragma once
// Numbered argument markers in translated texts: "%" followed by the decimal number of an argument,
// counted from 1. A marker whose argument is absent is replaced by nothing.

#include "runtime/pooledstring.h"

#include <cstdint>

// One pass over text replacing every marker "%1" to "%9" by its argument (args[k - 1] for marker k;
// a null entry, or k above count, is absent). The result is built in one block.
void velSubstituteArguments(PooledString& text, const PooledString* const* args, int32_t count);

// Replaces the first marker of argument n by arg, searching from the start of text. The marker is "%"
// and the decimal digits of n, so "%1" also matches the start of "%10".
void velReplaceArgumentMarker(PooledString& text, int32_t n, const PooledString& arg);

// The argument-list form: for n = 1 to count, in this order, the first marker of n becomes args[n - 1].
// A null args array gives every argument empty text.
void velReplaceArgumentMarkers(PooledString& text, int32_t count, const PooledString* args);
