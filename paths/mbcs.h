#pragma once
// Scanning of 8-bit ANSI strings whose code page has double-byte characters.
// In Shift-JIS (code page 932) the second byte of many characters is 0x5C,
// the backslash: "ソ" is 0x83 0x5C and "表" is 0x95 0x5C. Path scans must step
// over such characters whole, or they cut paths in the middle of a character.
#include <cstddef>
#include <string>

// TRUE for a byte that starts a double-byte character of the ANSI code page.
// Windows: the system's ANSI code page. Native builds: code page 932.
bool IsLeadByte(unsigned char c);

// Position of the first backslash at or after `from` that is a character of
// its own (not the second byte of a double-byte character); npos if none.
std::size_t FindNextBackslash(const std::string& s, std::size_t from = 0);

// Position of the last backslash that is a character of its own; npos if none.
std::size_t FindLastBackslash(const std::string& s);

// Keeps an edit of a text within `limit` bytes. `before` is the text as it
// was, `text` the text an edit made of it (typing, pasting, deleting or
// replacing a selection). When `text` is longer than the limit, only what the
// edit inserted is cut, to the whole characters that still fit, so the text
// never holds half a double-byte character; `caret` then receives the byte
// position just after what was kept of the insertion. Returns whether `text`
// was changed.
bool FitEditToByteLimit(const std::string& before, std::string& text, std::size_t limit,
                        std::size_t& caret);
