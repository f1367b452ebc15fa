// Files compressed by the SZDD compressor, expanded by Windows itself: by
// VerInstallFileA (as setup and the launcher install them) and by LZCopy;
// and their names reconstructed by GetExpandedNameA.
#include "compress/szdd.h"
#include "compress/szddfile.h"

#include <windows.h>
#include <lzexpand.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/szdd_samples.h"

namespace {

// Short on purpose: VerInstallFileA and LZOpenFileA go through OpenFile,
// which takes no path of 128 bytes or more.
const std::string kSourceDir = "C:\\szdd\\src";
const std::string kDestDir = "C:\\szdd\\dst";

class WindowsExpansionTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::CreateDirectoryA("C:\\szdd", nullptr);
        ::CreateDirectoryA(kSourceDir.c_str(), nullptr);
        ::CreateDirectoryA(kDestDir.c_str(), nullptr);
    }

    // Compresses data as sourceDir\name, checking the compressor's side.
    static void WriteCompressed(const std::vector<uint8_t>& data, const std::string& name, char lastChar)
    {
        std::vector<uint8_t> image;
        ASSERT_TRUE(SzddCompress(data.data(), data.size(), lastChar, image));
        ASSERT_TRUE(WriteWholeFile(kSourceDir + "\\" + name, image));
    }

    static std::vector<uint8_t> Read(const std::string& path)
    {
        std::vector<uint8_t> content;
        EXPECT_TRUE(ReadWholeFile(path, content)) << path;
        return content;
    }
};

// The samples Windows must expand: the edge cases, 16 MB, and a real program.
std::vector<CSzddSample> WindowsSamples()
{
    std::vector<CSzddSample> samples;
    for (CSzddSample& s : SzddEdgeSamples()) {
        if (s.m_strName == "empty" || s.m_strName == "one byte" || s.m_strName == "all one byte" ||
            s.m_strName == "incompressible" || s.m_strName == "period 4095")
            samples.push_back(std::move(s));
    }
    samples.push_back({"16 MB", Mixed16MB()});
    char self[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, self, sizeof self);
    samples.push_back({"this test program", {}});
    EXPECT_TRUE(n > 0 && n < sizeof self && ReadWholeFile(self, samples.back().m_data));
    return samples;
}

TEST_F(WindowsExpansionTest, VerInstallFileExpandsWhatWasCompressed)
{
    for (const CSzddSample& s : WindowsSamples()) {
        SCOPED_TRACE(s.m_strName);
        WriteCompressed(s.m_data, "FILE.EX_", 'E');
        char temp[MAX_PATH] = "";
        UINT tempLength = sizeof temp;
        const DWORD result = ::VerInstallFileA(VIFF_FORCEINSTALL, const_cast<LPSTR>("FILE.EX_"),
                                               const_cast<LPSTR>("FILE.EXE"), const_cast<LPSTR>(kSourceDir.c_str()),
                                               const_cast<LPSTR>(kDestDir.c_str()), const_cast<LPSTR>(kDestDir.c_str()),
                                               temp, &tempLength);
        ASSERT_EQ(0u, result);
        const std::vector<uint8_t> installed = Read(kDestDir + "\\FILE.EXE");
        EXPECT_TRUE(installed == s.m_data) << "installed " << installed.size() << " bytes, not " << s.m_data.size();
    }
}

TEST_F(WindowsExpansionTest, LZCopyExpandsWhatWasCompressed)
{
    for (const CSzddSample& s : WindowsSamples()) {
        SCOPED_TRACE(s.m_strName);
        WriteCompressed(s.m_data, "DATA.BI_", 'N');
        OFSTRUCT sourceInfo = {};
        OFSTRUCT destInfo = {};
        std::string source = kSourceDir + "\\DATA.BI_";
        std::string dest = kDestDir + "\\DATA.BIN";
        const INT from = ::LZOpenFileA(&source[0], &sourceInfo, OF_READ);
        ASSERT_GE(from, 0);
        const INT to = ::LZOpenFileA(&dest[0], &destInfo, OF_CREATE);
        ASSERT_GE(to, 0);
        const LONG copied = ::LZCopy(from, to);
        ::LZClose(from);
        ::LZClose(to);
        EXPECT_EQ(static_cast<LONG>(s.m_data.size()), copied);
        const std::vector<uint8_t> expanded = Read(dest);
        EXPECT_TRUE(expanded == s.m_data) << "expanded " << expanded.size() << " bytes, not " << s.m_data.size();
    }
}

// The compressed name and the character kept in the header give the
// original name back through Windows' own reconstruction.
TEST_F(WindowsExpansionTest, GetExpandedNameRestoresTheOriginalName)
{
    struct Case {
        const char* name;
        const char* expanded;   // what GetExpandedNameA makes of the compressed name
    };
    const Case cases[] = {
        {"FOO.DLL", "FOO.DLL"},
        {"setup.exe", "setup.exe"},
        {"FOO.H", "FOO.H"},
        {"README", "README."},   // the same file name to Windows
        {"ソフト.TXT", "ソフト.TXT"},
        // Double-byte last characters. (Not 表 or ソ, whose second byte is
        // 0x5C: Wine's GetExpandedNameA takes that byte for a backslash and
        // the name's end for a name without extension.)
        {"ファイル.テ", "ファイル.テ"},
        {"FOO.Aテ", "FOO.Aテ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CSzddName name = SzddNameFor(c.name);
        WriteCompressed({'d', 'a', 't', 'a'}, name.m_strName, name.m_cLastChar);
        std::string path = kSourceDir + "\\" + name.m_strName;
        char expanded[MAX_PATH] = "";
        ASSERT_EQ(1, ::GetExpandedNameA(&path[0], expanded));
        EXPECT_EQ(kSourceDir + "\\" + c.expanded, expanded);
        ::DeleteFileA(path.c_str());
    }
}

} // namespace
