#pragma once
// Small text helpers of the uninstaller for 8-bit strings of the ANSI code
// page: they step over double-byte characters (paths/mbcs.h), whose second
// byte may look like an ASCII letter or a backslash. No Windows API.
#include <cstddef>
#include <string>

// Bytes of the character at i: 2 for a lead byte with a byte after it, else 1.
std::size_t CharLength(const std::string& s, std::size_t i);

// The single-byte letters of a text upper-cased, double-byte characters kept.
std::string UpperAscii(const std::string& text);

// The texts are equal ignoring the case of single-byte letters.
bool EqualNoCase(const std::string& a, const std::string& b);

// Blanks and tabs around a text removed.
std::string TrimBlanks(const std::string& s);
