// libFuzzer target: the SZDD compressor and expander with any bytes.
//  - any data compress and expand back to themselves, within the size bound;
//  - the bytes, taken as an SZDD file, and behind a good header, as its
//    data, expand without fault, to exactly the header's length when they
//    expand at all.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "compress/szdd.h"

namespace {

void ExpandAny(const std::vector<uint8_t>& image)
{
    std::vector<uint8_t> out;
    CSzddHeader header;
    if (SzddExpand(image.data(), image.size(), out, &header) == SzddStatus::Ok && out.size() != header.m_dwLength)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> image;
    if (!SzddCompress(data, size, 'X', image))
        std::abort();
    if (image.size() > kSzddHeaderSize + size + (size + 7) / 8)
        std::abort();
    std::vector<uint8_t> back;
    if (SzddExpand(image.data(), image.size(), back) != SzddStatus::Ok)
        std::abort();
    if (back != std::vector<uint8_t>(data, data + size))
        std::abort();

    ExpandAny(std::vector<uint8_t>(data, data + size));
    // A good header with a length the data could reach, then the bytes as data.
    std::vector<uint8_t> framed(image.begin(), image.begin() + kSzddHeaderSize);
    const uint32_t length = static_cast<uint32_t>(size * 9 / 2);
    for (int k = 0; k < 4; ++k)
        framed[10 + k] = static_cast<uint8_t>(length >> (8 * k));
    framed.insert(framed.end(), data, data + size);
    ExpandAny(framed);
    return 0;
}
