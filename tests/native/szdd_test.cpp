// The SZDD compressor and expander, natively: names, header, round trips
// through the library's own expander and through msexpand (Debian's
// mscompress package), errors of the expander, and sizes against mscompress.
#include "compress/szdd.h"
#include "compress/szddfile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/native/szdd_samples.h"

namespace {

std::vector<uint8_t> Compressed(const std::vector<uint8_t>& data, char lastChar = '\0')
{
    std::vector<uint8_t> image;
    EXPECT_TRUE(SzddCompress(data.data(), data.size(), lastChar, image));
    return image;
}

// The edge cases, made once for all tests.
const std::vector<CSzddSample>& Samples()
{
    static const std::vector<CSzddSample> samples = SzddEdgeSamples();
    return samples;
}

// A directory of its own under /tmp, removed with everything in it.
class CTempDir {
public:
    CTempDir()
    {
        char name[] = "/tmp/szdd-test.XXXXXX";
        m_path = mkdtemp(name) ? name : "";
    }
    ~CTempDir()
    {
        if (!m_path.empty())
            std::system(("rm -rf '" + m_path + "'").c_str());
    }
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Runs a shell command; true when it ends with exit code 0.
bool RunShell(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

// ------------------------------------------------------------------ names

TEST(SzddNameFor, ReplacesOrAppendsAsTheExpandersReverseIt)
{
    struct Case {
        const char* name;
        const char* compressed;
        char lastChar;    // kept in the header
    };
    const Case cases[] = {
        {"FOO.DLL", "FOO.DL_", 'L'},
        {"setup.exe", "setup.ex_", 'e'},
        {"FOO.H", "FOO.H_", '\0'},            // a short extension: "_" appended
        {"FOO.HP", "FOO.HP_", '\0'},
        {"FOO.", "FOO._", '\0'},
        {"README", "README._", '\0'},         // no extension at all
        {"", "._", '\0'},                     // no name
        {"A.TAR.GZ", "A.TAR.G_", 'Z'},        // the extension runs from the first dot
        {"ソフト.TXT", "ソフト.TX_", 'T'},      // double-byte characters before the last one
        {"表.INI", "表.IN_", 'I'},
        {"ファイル.表", "ファイル.表_", '\0'},  // a double-byte last character stays whole
        {"FOO.A表", "FOO.A表_", '\0'},          // ... also in a three-byte extension
        {"FOO.DLL_", "FOO.DLL_", '_'},        // a four-byte extension ending in "_"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "name \"" << c.name << "\"");
        const CSzddName n = SzddNameFor(c.name);
        EXPECT_EQ(c.compressed, n.m_strName);
        EXPECT_EQ(c.lastChar, n.m_cLastChar);
    }
}

// ------------------------------------------------------------------ header

TEST(SzddCompress, WritesTheHeaderAndTheLiterals)
{
    const std::vector<uint8_t> image = Compressed({'a', 'b', 'c'}, 'L');
    const std::vector<uint8_t> expected = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 'L',
                                           3, 0, 0, 0,                // length, little-endian
                                           0x07, 'a', 'b', 'c'};      // three literals
    EXPECT_EQ(expected, image);

    CSzddHeader header;
    ASSERT_EQ(SzddStatus::Ok, SzddReadHeader(image.data(), image.size(), header));
    EXPECT_EQ('L', header.m_cLastChar);
    EXPECT_EQ(3u, header.m_dwLength);
}

TEST(SzddCompress, TakesLeadingSpacesFromTheRingsInitialContent)
{
    // One match of 18 spaces, taken from the spaces the ring starts with.
    const std::vector<uint8_t> image = Compressed(std::vector<uint8_t>(18, ' '));
    EXPECT_EQ(kSzddHeaderSize + 3, image.size());
}

// -------------------------------------------------------------- round trips

TEST(SzddCompress, RoundTripsThroughItsOwnExpander)
{
    std::vector<CSzddSample> samples = Samples();
    samples.push_back({"16 MB", Mixed16MB()});
    for (const CSzddSample& s : samples) {
        SCOPED_TRACE(s.m_strName);
        const std::vector<uint8_t> image = Compressed(s.m_data, 'X');
        std::vector<uint8_t> back;
        CSzddHeader header;
        ASSERT_EQ(SzddStatus::Ok, SzddExpand(image.data(), image.size(), back, &header));
        EXPECT_TRUE(back == s.m_data) << "expanded to " << back.size() << " bytes, not " << s.m_data.size();
        EXPECT_EQ('X', header.m_cLastChar);
        // Nothing grows by more than its flag bytes.
        EXPECT_LE(image.size(), kSzddHeaderSize + s.m_data.size() + (s.m_data.size() + 7) / 8);
    }
}

TEST(SzddCompress, RoundTripsRandomDataOfEveryShortLength)
{
    // Every length up to a few groups of items, bytes from a small alphabet
    // so that matches of every length occur and groups end anywhere.
    CSampleRandom random(99);
    for (std::size_t n = 0; n < 300; ++n) {
        std::vector<uint8_t> data(n);
        for (uint8_t& b : data)
            b = static_cast<uint8_t>('a' + random.Below(3));
        const std::vector<uint8_t> image = Compressed(data);
        std::vector<uint8_t> back;
        ASSERT_EQ(SzddStatus::Ok, SzddExpand(image.data(), image.size(), back)) << "length " << n;
        ASSERT_TRUE(back == data) << "length " << n;
    }
}

// (msexpand takes minutes for 16 MB: it reads and writes byte by byte.)
TEST(SzddCompress, RoundTripsThroughMsexpand)
{
    CTempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    for (const CSzddSample& s : Samples()) {
        SCOPED_TRACE(s.m_strName);
        ASSERT_TRUE(WriteWholeFile(dir.File("in"), s.m_data));
        ASSERT_TRUE(SzddCompressFile(dir.File("in"), dir.File("in.dl_"), 'L'));
        ASSERT_TRUE(RunShell("msexpand < " + dir.File("in.dl_") + " > " + dir.File("out")));
        std::vector<uint8_t> back;
        ASSERT_TRUE(ReadWholeFile(dir.File("out"), back));
        EXPECT_TRUE(back == s.m_data) << "msexpand gave " << back.size() << " bytes, not " << s.m_data.size();
    }
}

// ------------------------------------------------------------ the expander

TEST(SzddExpand, RefusesWhatIsNotAGoodSzddFile)
{
    const std::vector<uint8_t> ones = Compressed(std::vector<uint8_t>(1000, 'A'));   // ends in a match
    const std::vector<uint8_t> abc = Compressed({'a', 'b', 'c'});
    const std::vector<uint8_t> eight = Compressed({'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'});   // one full group
    auto withLength = [](std::vector<uint8_t> image, uint32_t length) {
        for (int k = 0; k < 4; ++k)
            image[10 + k] = static_cast<uint8_t>(length >> (8 * k));
        return image;
    };
    auto withMode = [](std::vector<uint8_t> image, uint8_t mode) {
        image[8] = mode;
        return image;
    };
    auto plus = [](std::vector<uint8_t> image, std::vector<uint8_t> more) {
        image.insert(image.end(), more.begin(), more.end());
        return image;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> image;
        SzddStatus status;
    };
    const Case cases[] = {
        {"no bytes", {}, SzddStatus::NotSzdd},
        {"half a header", std::vector<uint8_t>(abc.begin(), abc.begin() + 10), SzddStatus::NotSzdd},
        {"another magic", plus({'K', 'W', 'A', 'J', 0x88, 0xF0, 0x27, 0xD1}, std::vector<uint8_t>(10)),
         SzddStatus::NotSzdd},
        {"mode B", withMode(abc, 'B'), SzddStatus::UnknownMode},
        {"a match cut in half", std::vector<uint8_t>(ones.begin(), ones.end() - 1), SzddStatus::Truncated},
        {"header longer than the data", withLength(abc, 4), SzddStatus::LengthMismatch},
        {"header shorter than the data", withLength(abc, 2), SzddStatus::LengthMismatch},
        {"more data after the end", plus(eight, {0x01, 'i'}), SzddStatus::LengthMismatch},
        {"a header without its data", std::vector<uint8_t>(abc.begin(), abc.begin() + 14),
         SzddStatus::LengthMismatch},
        {"a header of length 0 alone", withLength(std::vector<uint8_t>(abc.begin(), abc.begin() + 14), 0),
         SzddStatus::Ok},
        // A flag byte without items expands to nothing, in Windows too.
        {"a lone flag byte after a full group", plus(eight, {0x00}), SzddStatus::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> out;
        EXPECT_EQ(SzddStatusText(c.status), std::string(SzddStatusText(SzddExpand(c.image.data(), c.image.size(), out))));
    }
}

// What another encoder wrote, and how small: every sample and some real files
// through mscompress, expanded by the library's expander, and compared in
// size with the library's own output. (The benchmarks compare 16 MB.)
TEST(SzddCompress, IsNoLargerThanMscompress)
{
    CTempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    std::vector<CSzddSample> files = Samples();
    const std::string source = SZDD_TEST_SOURCE_DIR;
    for (const std::string& path : {source + "/README.md", source + "/resources/setup.ico",
                                    std::string("/proc/self/exe")}) {
        files.push_back({path, {}});
        ASSERT_TRUE(ReadWholeFile(path, files.back().m_data)) << path;
    }
    std::printf("%-34s %10s %10s %10s\n", "file", "size", "ours", "mscompress");
    for (const CSzddSample& s : files) {
        SCOPED_TRACE(s.m_strName);
        ASSERT_TRUE(WriteWholeFile(dir.File("f"), s.m_data));
        std::remove(dir.File("f_").c_str());
        ASSERT_TRUE(RunShell("mscompress " + dir.File("f")));
        std::vector<uint8_t> theirs;
        ASSERT_TRUE(ReadWholeFile(dir.File("f_"), theirs));
        std::vector<uint8_t> back;
        const SzddStatus status = SzddExpand(theirs.data(), theirs.size(), back);
        // mscompress writes wrong data for files shorter than 16 bytes.
        const bool theirsGood = status == SzddStatus::Ok && back == s.m_data;
        if (s.m_data.size() >= 16) {
            EXPECT_TRUE(theirsGood) << "mscompress's file expands wrongly: " << SzddStatusText(status);
        }
        const std::vector<uint8_t> ours = Compressed(s.m_data);
        std::printf("%-34s %10zu %10zu %10zu%s\n", s.m_strName.substr(0, 34).c_str(), s.m_data.size(), ours.size(),
                    theirs.size(), theirsGood ? "" : " (wrong data)");
        EXPECT_LE(ours.size(), theirs.size());
    }
}

} // namespace
