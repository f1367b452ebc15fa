#pragma once
// Compressing and expanding whole files (paths in the program's code page).
#include <string>

#include "compress/szdd.h"

// Compresses the file source into dest, keeping lastChar in the header.
// False when source cannot be read, is too long, or dest cannot be written.
bool SzddCompressFile(const std::string& source, const std::string& dest, char lastChar);

enum class SzddFileStatus {
    Ok,
    ReadFailed,
    WriteFailed,
    BadData,          // not a good SZDD file: SzddExpand's status tells why
};

// Expands the SZDD file source into dest (strictly, see SzddExpand). Nothing
// is written when the source does not expand.
SzddFileStatus SzddExpandFile(const std::string& source, const std::string& dest,
                              SzddStatus* dataStatus = nullptr);

// The whole content of a file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& content);
// Writes content as the whole file; false when it cannot be written.
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& content);
