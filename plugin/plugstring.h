// Bounded text helpers: the result is always terminated and never longer
// than the limit, so a buffer of limit + 1 bytes always suffices.
#pragma once

#include <cstddef>

char* plug_strncpy(char* dst, const char* src, size_t maxLen);
char* plug_strncat(char* dst, const char* src, size_t maxLen);
