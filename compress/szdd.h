#pragma once
// The SZDD compressed-file format: the files of installation media whose
// names end in "_" (FOO.DL_), as COMPRESS.EXE wrote them and as
// VerInstallFileA, LZCopy and EXPAND.EXE (and msexpand) expand them.
//
// A file is a 14-byte header, then LZSS data:
//   "SZDD" 0x88 0xF0 0x27 0x33   magic
//   'A'                          compression mode (the only one there is)
//   one byte                     the character that "_" replaced in the name, 0 when "_" was appended
//   4 bytes, little-endian       the expanded length
// The data are groups of a flag byte and up to eight items; bit 0 of the
// flag byte (then bit 1, ...) tells the first item: set, a literal byte;
// clear, two bytes b1 b2 that repeat (b2 & 0x0F) + 3 bytes (3 to 18) from
// position b1 | (b2 & 0xF0) << 4 of a 4096-byte ring of everything expanded
// so far. The ring starts filled with spaces, and the expanded bytes are
// written into it from position 4096 - 16 on.
//
// Nothing here uses the Windows API: the library is built for Windows and
// natively alike.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr std::size_t kSzddHeaderSize = 14;

struct CSzddHeader {
    char m_cLastChar = '\0';      // what "_" replaced in the name; '\0' when "_" was appended
    uint32_t m_dwLength = 0;      // the expanded length
};

// The name of a file on the medium and the character its header keeps.
struct CSzddName {
    std::string m_strName;        // FOO.DL_ for FOO.DLL
    char m_cLastChar = '\0';
};

// The compressed form of a file name (a name without directory, Shift-JIS),
// by the rule of COMPRESS.EXE -r, which the expanders reverse: the last
// character of a three-byte extension is replaced by "_" and kept in the
// header (FOO.DLL: FOO.DL_, 'L'); a shorter extension gets "_" appended
// (FOO.H: FOO.H_), a name without one "._" (README: README._), and the header
// keeps 0. A double-byte last character cannot be kept in the one byte of
// the header, nor replaced by "_" without changing the name's other byte: it
// is kept in the name, and "_" is appended (ファイル.表: ファイル.表_).
CSzddName SzddNameFor(const std::string& fileName);

// Compresses data[0..size) into a whole SZDD file image. False (out left
// empty) when the data are too long for the header's length field (4 GB).
// The result is as small as the format allows for the given data, up to
// the padding of the last flag byte: every position's longest match within
// the window is found, and the parse is chosen for the fewest bits.
bool SzddCompress(const uint8_t* data, std::size_t size, char lastChar, std::vector<uint8_t>& out);

enum class SzddStatus {
    Ok,
    NotSzdd,          // no SZDD header (shorter than 14 bytes, or another magic)
    UnknownMode,      // an SZDD header with a mode other than 'A'
    Truncated,        // the data end inside a match
    LengthMismatch,   // the data expand to more or fewer bytes than the header says
};

// Reads the header of an SZDD file image.
SzddStatus SzddReadHeader(const uint8_t* image, std::size_t size, CSzddHeader& header);

// Expands an SZDD file image into out. Strict, as a check of a medium must
// be: the data must expand to exactly the length in the header. (Windows'
// expansion expands as long as there are data and ignores that length.)
SzddStatus SzddExpand(const uint8_t* image, std::size_t size, std::vector<uint8_t>& out,
                      CSzddHeader* header = nullptr);

// A readable name of a status ("ok", "not an SZDD file", ...).
const char* SzddStatusText(SzddStatus status);
