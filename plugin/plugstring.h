/// @file
/// Bounded text helpers: the result is always terminated and never longer
/// than the limit, so a buffer of limit + 1 bytes always suffices.
#pragma once

#include <cstddef>

/// Copies src into dst, cut to maxLen characters and terminated; the rest of dst's first
/// maxLen bytes is zero-filled. Answers dst.
char* plug_strncpy(char* dst, const char* src, size_t maxLen);
/// Appends src to the terminated text in dst, as much as fits within maxLen characters in
/// all; a dst already longer is cut to maxLen. Answers dst.
char* plug_strncat(char* dst, const char* src, size_t maxLen);
