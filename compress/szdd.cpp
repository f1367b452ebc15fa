#include "compress/szdd.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "compress/lzss.h"

namespace {

const uint8_t kMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr uint8_t kModeA = 'A';

// Lead bytes of double-byte characters in Shift-JIS (code page 932), the
// code page of the names on the media this format is used for.
bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Where the name's last character begins (name not empty).
std::size_t LastCharacterAt(const std::string& name)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < name.size();) {
        at = i;
        i += IsLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size() ? 2 : 1;
    }
    return at;
}

} // namespace

CSzddName SzddNameFor(const std::string& fileName)
{
    CSzddName result;
    // A dot is never the second byte of a double-byte character.
    const std::size_t dot = fileName.find('.');
    if (dot == std::string::npos) {
        result.m_strName = fileName + "._";
        return result;
    }
    const std::size_t last = LastCharacterAt(fileName);
    const bool singleByteLast = last == fileName.size() - 1;
    if (fileName.size() - dot - 1 < 3 || !singleByteLast) {
        result.m_strName = fileName + "_";
        return result;
    }
    result.m_strName = fileName.substr(0, last) + "_";
    result.m_cLastChar = fileName[last];
    return result;
}

bool SzddCompress(const uint8_t* data, std::size_t size, char lastChar, std::vector<uint8_t>& out)
{
    out.clear();
    if (size > std::numeric_limits<uint32_t>::max())
        return false;
    out.assign(kMagic, kMagic + sizeof kMagic);
    out.push_back(kModeA);
    out.push_back(static_cast<uint8_t>(lastChar));
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(size >> shift));
    LzssEncode(data, size, out);
    return true;
}

SzddStatus SzddReadHeader(const uint8_t* image, std::size_t size, CSzddHeader& header)
{
    if (size < kSzddHeaderSize || std::memcmp(image, kMagic, sizeof kMagic) != 0)
        return SzddStatus::NotSzdd;
    if (image[8] != kModeA)
        return SzddStatus::UnknownMode;
    header.m_cLastChar = static_cast<char>(image[9]);
    header.m_dwLength = 0;
    for (int k = 0; k < 4; ++k)
        header.m_dwLength |= static_cast<uint32_t>(image[10 + k]) << (8 * k);
    return SzddStatus::Ok;
}

SzddStatus SzddExpand(const uint8_t* image, std::size_t size, std::vector<uint8_t>& out, CSzddHeader* header)
{
    out.clear();
    CSzddHeader h;
    const SzddStatus status = SzddReadHeader(image, size, h);
    if (header)
        *header = h;
    if (status != SzddStatus::Ok)
        return status;
    // Two bytes expand to at most 18: a header that claims more than the
    // data can give reserves no more than they can.
    const std::size_t data = size - kSzddHeaderSize;
    out.reserve(std::min<std::size_t>(h.m_dwLength, data / 2 * 18 + data % 2));
    switch (LzssDecode(image + kSzddHeaderSize, data, h.m_dwLength, out)) {
    case LzssResult::Truncated:
        return SzddStatus::Truncated;
    case LzssResult::TooLong:
        return SzddStatus::LengthMismatch;
    case LzssResult::Ok:
        break;
    }
    return out.size() == h.m_dwLength ? SzddStatus::Ok : SzddStatus::LengthMismatch;
}

const char* SzddStatusText(SzddStatus status)
{
    switch (status) {
    case SzddStatus::Ok: return "ok";
    case SzddStatus::NotSzdd: return "not an SZDD file";
    case SzddStatus::UnknownMode: return "unknown compression mode";
    case SzddStatus::Truncated: return "data end inside a match";
    case SzddStatus::LengthMismatch: return "expanded length differs from the header";
    }
    return "?";
}
