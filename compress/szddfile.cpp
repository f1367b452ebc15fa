#include "compress/szddfile.h"

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using CFilePtr = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& content)
{
    content.clear();
    CFilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    uint8_t buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, file.get())) > 0)
        content.insert(content.end(), buf, buf + n);
    return !std::ferror(file.get());
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& content)
{
    CFilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    const bool written = content.empty() || std::fwrite(content.data(), content.size(), 1, file.get()) == 1;
    // A write that only fails when the buffer is flushed shows at fclose.
    return std::fclose(file.release()) == 0 && written;
}

bool SzddCompressFile(const std::string& source, const std::string& dest, char lastChar)
{
    std::vector<uint8_t> data;
    std::vector<uint8_t> image;
    return ReadWholeFile(source, data) && SzddCompress(data.data(), data.size(), lastChar, image) &&
           WriteWholeFile(dest, image);
}

SzddFileStatus SzddExpandFile(const std::string& source, const std::string& dest, SzddStatus* dataStatus)
{
    std::vector<uint8_t> image;
    if (!ReadWholeFile(source, image))
        return SzddFileStatus::ReadFailed;
    std::vector<uint8_t> data;
    const SzddStatus status = SzddExpand(image.data(), image.size(), data);
    if (dataStatus)
        *dataStatus = status;
    if (status != SzddStatus::Ok)
        return SzddFileStatus::BadData;
    return WriteWholeFile(dest, data) ? SzddFileStatus::Ok : SzddFileStatus::WriteFailed;
}
