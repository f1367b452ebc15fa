// CIniRecordFile against Wine's own WritePrivateProfileStringA: the same
// random sequences of writes go both ways into files that start out alike
// (missing, empty, a log of an earlier installation, text with the layout
// oddities the functions accept, a copy of the prefix's WIN.INI), and the two
// files must be byte for byte the same after every write.
#include <windows.h>
#include <gtest/gtest.h>

#include <random>

#include "profile/recordfile.h"
#include "testutil.h"

using testutil::CTempDir;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

// Names and values the sequences draw from: letter case variants (ASCII and
// full-width), blanks around names and values (also the ideographic space),
// Japanese text, and empty strings.
const char* const kSections[] = {"DeleteFile", "deletefile", "DeleteShortCut", "Config",
                                 " Config ", "製品", "ＡＢＣ", "ａｂｃ", "ΑΒΓ", "αβγ", "АБВ", "абв", "Ⅳ", "ⅳ",
                                 "Tail ", "VemorSetupDeleteDirectory"};
const char* const kKeys[] = {"0", "1", "2", "3", "10", "Product", "PRODUCT", " Reg", "Reg ",
                             "キー", "Ｋｅｙ", "ｋｅｙ", "0　"};
const char* const kValues[] = {"C:\\Program Files\\製品\\表示.exe", "C:\\APP\\B.DLL", "", " lead",
                               "　全角", "trail  ", "a=b;c", "\"quoted\"", "ソ\\表", "x"};

struct Start {
    const char* name;
    bool exists;
    const char* text;
};

const Start kStarts[] = {
    {"missing", false, ""},
    {"empty", true, ""},
    {"earlier log", true,
     "[DeleteFile]\r\n0=C:\\OLD\\A.EXE\r\n1=C:\\OLD\\B.DLL\r\n2=C:\\OLD\\C.HLP\r\n"
     "[DeleteDirectory]\r\n0=C:\\OLD\r\n[Config]\r\nProduct=旧製品\r\nReg=SOFTWARE\\X\r\n"},
    {"odd layout", true,
     "\r\n\r\nbefore=header\r\n; comment\r\n  [DeleteFile]  \r\n 0 = C:\\a \r\n0=dup\r\n=x\r\n=y\r\n"
     "noequals\r\n[Config\r\n[ Config ]\r\n k =v\r\n[DeleteFile]\r\n5=second\r\n[a]b]\r\nq=1\r\n[]\r\nr=2"},
    {"CR only", true, "[A]\rk=v\r[DeleteFile]\r0=x\r"},
    {"LF only then CR", true, "[A]\nk=v\n[B]\rj=w\rl=m"},
    {"ideographic blanks", true, "　[製品]　\r\n　キー　=　値　\r\n\x1a"},
};

std::string WinIniText()
{
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return ReadBytes(std::string(dir) + "\\win.ini");
}

void Reset(const std::string& path, bool exists, const std::string& text)
{
    DeleteFileA(path.c_str());
    if (exists)
        WriteBytes(path, text);
}

// One write through the functions, with the cache flush that every store
// object of the installer makes.
void WriteThroughFunctions(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& value)
{
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

void RunSequence(const std::string& name, bool exists, const std::string& text, unsigned seed,
                 int steps, const CTempDir& dir)
{
    const std::string ours = dir.File("OURS.INF");
    const std::string theirs = dir.File("THEIRS.INF");
    Reset(ours, exists, text);
    Reset(theirs, exists, text);
    CIniRecordFile writer(ours);
    std::mt19937 random(seed);
    auto pick = [&](const auto& table) {
        return std::string(table[random() % (sizeof table / sizeof table[0])]);
    };
    for (int step = 0; step < steps; ++step) {
        const std::string section = pick(kSections);
        // Mostly new numbered keys, as a log grows; now and then any key.
        const std::string key = random() % 3 ? std::to_string(step) : pick(kKeys);
        const std::string value = pick(kValues) + (random() % 2 ? std::to_string(random() % 4) : "");
        EXPECT_TRUE(writer.WriteString(section, key, value));
        WriteThroughFunctions(theirs, section, key, value);
        const std::string expected = ReadBytes(theirs);
        const std::string got = ReadBytes(ours);
        ASSERT_EQ(expected, got) << name << ", seed " << seed << ", step " << step << ": [" << section
                                 << "] " << key << "=" << value;
    }
}

}  // namespace

TEST(IniRecordFileTest, LeavesTheFunctionsOwnBytesAfterEveryWrite)
{
    CTempDir dir("-記録");
    for (const Start& start : kStarts)
        for (unsigned seed = 1; seed <= 2; ++seed)
            RunSequence(start.name, start.exists, start.text, seed, 60, dir);
    RunSequence("WIN.INI copy", true, WinIniText(), 7, 60, dir);
}

TEST(IniRecordFileTest, AGrowingLogAndItsCompletion)
{
    // The shape of an installation's log: files, then shortcuts and INI
    // records, then the directories, [Config] and the log's own record.
    CTempDir dir;
    const std::string ours = dir.File("OURS.INF");
    const std::string theirs = dir.File("THEIRS.INF");
    CIniRecordFile writer(ours);
    auto write = [&](const char* section, const std::string& key, const std::string& value) {
        EXPECT_TRUE(writer.WriteString(section, key, value));
        WriteThroughFunctions(theirs, section, key, value);
        ASSERT_EQ(ReadBytes(theirs), ReadBytes(ours)) << "[" << section << "] " << key;
    };
    for (int i = 0; i < 300; ++i)
        write("DeleteFile", std::to_string(i), "C:\\製品\\ファイル" + std::to_string(i) + ".DAT");
    write("DeleteShortCut", "0", "C:\\Menu\\製品\\起動.lnk");
    write("DeleteIniKeyword", "0", "WIN.INI,製品,Path");
    write("DeleteDirectory", "0", "C:\\製品");
    write("Config", "Product", "製品");
    write("Config", "Reg", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\製品");
    write("DeleteFile", "300", "C:\\製品\\UNINSTAL.INF");
}

TEST(IniRecordFileTest, AFileChangedByOthersIsReadAgain)
{
    CTempDir dir;
    const std::string path = dir.File("LOG.INF");
    CIniRecordFile writer(path);
    EXPECT_TRUE(writer.WriteString("A", "0", "one"));
    WritePrivateProfileStringA("B", "k", "from elsewhere", path.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    EXPECT_TRUE(writer.WriteString("A", "1", "two"));
    EXPECT_EQ("[A]\r\n0=one\r\n1=two\r\n[B]\r\nk=from elsewhere\r\n", ReadBytes(path));
}

TEST(IniRecordFileTest, AHiddenLogOfAnEarlierInstallationIsWrittenToo)
{
    CTempDir dir;
    const std::string path = dir.File("UNINSTAL.INF");
    WriteBytes(path, "[DeleteFile]\r\n0=C:\\OLD\r\n[Config]\r\nProduct=P\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    CIniRecordFile writer(path);
    EXPECT_TRUE(writer.WriteString("DeleteFile", "0", "C:\\NEW"));   // rewritten whole
    EXPECT_TRUE(writer.WriteString("Config", "Reg", "R"));           // appended
    EXPECT_EQ("[DeleteFile]\r\n0=C:\\NEW\r\n[Config]\r\nProduct=P\r\nReg=R\r\n", ReadBytes(path));
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}
