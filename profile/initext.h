#pragma once
// The installer's own INI parser, over a block of bytes (no Windows API).
#include <cstdint>
#include <string>
#include <vector>

struct CFileProfileEntry {
    std::string m_strKey;
    std::string m_strValue;
    int32_t m_nLine = 0;   // 1-based line of the file, as an editor counts lines
};

// A section in file order; names and keys are neither merged nor de-duplicated.
struct CFileProfileSection {
    std::string m_strName;
    std::vector<CFileProfileEntry> m_entries;
    int32_t m_nLine = 0;   // of the header
};

// Reads one line at `pos` of data[0..size): the bytes up to the first NUL, LF
// or CR (or to size) go to `line`; the terminator is consumed, and a CR that
// follows an LF as well (CR LF, in turn, gives the line and then an empty
// one). Returns the number of bytes put in `line`. A negative `pos`, or one
// at or past the size, empties the line, returns 0 and leaves `pos`.
int ReadLineAt(const char* data, int32_t size, int32_t& pos, std::string& line);

// Strips leading blanks; a comment line gives ""; a header keeps only
// "[" + name + "]"; any other line is kept from its first non-blank byte.
std::string NormaliseIniLine(const std::string& line);

// Splits a normalised key line into key and value.
void SplitIniKeyLine(const std::string& normalised, std::string& key, std::string& value);

// Parses a whole file image into its sections in file order. Lines are read
// only while at least two unread bytes remain, so a last line of one byte
// without a line end is not read and an image under two bytes gives nothing.
// Lines before the first header are ignored; `ignoredLines`, when given,
// receives their line numbers (blank lines and comments not counted).
std::vector<CFileProfileSection> ParseIniText(const char* data, int32_t length,
                                              std::vector<int32_t>* ignoredLines = nullptr);
