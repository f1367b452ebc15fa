#pragma once
// The binary rule of setup scripts: the data of a registry item of type
// "BINARY" written as text. Each byte is two hexadecimal digits (either
// letter case); bytes may stand together ("DEADBEEF") or apart, separated by
// blanks (space, tab) or commas ("DE AD BE EF", "de,ad,be,ef" — commas only
// inside a quoted field, since the script line splits at them), with blanks
// or commas before the first and after the last byte. Text of blanks alone,
// or none, is zero bytes. Anything else is malformed: a lone digit (an odd
// count, or a separator inside a byte) or any other character.
#include <cstddef>
#include <string>
#include <vector>

// The bytes of text; false when it is malformed (bytes then holds nothing)
// and, when badPos is given, the byte position of the first digit or
// character that does not fit.
bool ParseScriptBinary(const std::string& text, std::vector<unsigned char>& bytes,
                       std::size_t* badPos = nullptr);
