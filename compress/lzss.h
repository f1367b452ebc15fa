#pragma once
// The LZSS data of SZDD files (see szdd.h): the part after the header.
#include <cstddef>
#include <cstdint>
#include <vector>

// Appends the LZSS data for data[0..size) to out.
void LzssEncode(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out);

enum class LzssResult { Ok, Truncated, TooLong };

// Expands LZSS data[0..size), appending to out, which must not grow past
// limit bytes (TooLong, and out holds the first limit bytes). The data end
// where the bytes end; only a match cut in half is Truncated.
LzssResult LzssDecode(const uint8_t* data, std::size_t size, std::size_t limit, std::vector<uint8_t>& out);
