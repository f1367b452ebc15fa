#pragma once
// The installer's own INI parser, over a block of bytes (no Windows API).
#include <cstdint>
#include <string>
#include <vector>

struct CFileProfileEntry {
    std::string m_strKey;
    std::string m_strValue;
};

// A section in file order; names and keys are neither merged nor de-duplicated.
struct CFileProfileSection {
    std::string m_strName;
    std::vector<CFileProfileEntry> m_entries;
};

// Reads one line at `pos` of data[0..size): the bytes up to the first NUL, LF
// or CR (or to size) go to `line`; the terminator is consumed, and a CR that
// follows an LF as well. Returns the number of bytes put in `line`. A negative
// `pos` empties the line and returns 0.
int ReadLineAt(const char* data, int32_t size, int32_t& pos, std::string& line);

// Strips leading blanks; a comment line gives ""; a header keeps only
// "[" + name + "]"; any other line is kept from its first non-blank byte.
std::string NormaliseIniLine(const std::string& line);

// Splits a normalised key line into key and value.
void SplitIniKeyLine(const std::string& normalised, std::string& key, std::string& value);

// Parses a whole file image: lines are read while fewer than two unread bytes
// do not remain; lines before the first header are ignored.
std::vector<CFileProfileSection> ParseIniText(const char* data, int32_t length);
