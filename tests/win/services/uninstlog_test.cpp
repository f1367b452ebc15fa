// The uninstall log against Wine's private-profile functions and registry:
// the whole file after every record, the WIN.INI list of created
// directories and its move into the log, and the uninstall registration.
#include <windows.h>
#include <gtest/gtest.h>

#include "paths/pathvars.h"
#include "profile/iniprofile.h"
#include "profile/regprofile.h"
#include "services/uninstlog.h"
#include "tests/win/profile/testutil.h"

using testutil::CTempDir;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

// The key this test registers under, below the Windows uninstall key.
const char kKeyName[] = "SetupTests-アプリ";

class UninstallLogTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_log = m_dir.File("UNINSTAL.INF");
        SetInstDir(m_dir.Path());
        DeleteTempList();
        testutil::DeleteRegTree(HKEY_LOCAL_MACHINE, UninstallKeyPath(kKeyName));
    }
    void TearDown() override
    {
        DeleteTempList();
        testutil::DeleteRegTree(HKEY_LOCAL_MACHINE, UninstallKeyPath(kKeyName));
        SetInstDir("");
    }
    static void DeleteTempList()
    {
        ::WritePrivateProfileStringA(uninstall_log::kTempListSection, nullptr, nullptr, "WIN.INI");
    }
    // The WIN.INI list as key=value lines.
    static std::string TempList()
    {
        CIniProfile list("WIN.INI");
        list.SetSection(uninstall_log::kTempListSection);
        std::string lines;
        for (int i = 0; i < list.GetKeyCount(); ++i) {
            std::string key;
            list.GetKeyName(i, key);
            lines += key + "=" + list.GetStringAt(i, "") + "\n";
        }
        return lines;
    }
    static std::string RegValue(const std::string& keyPath, const char* name)
    {
        char buf[1024] = "<missing>";
        DWORD size = sizeof buf;
        DWORD type = 0;
        HKEY key;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<no key>";
        if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) !=
            ERROR_SUCCESS)
            strcpy(buf, "<missing>");
        ::RegCloseKey(key);
        return buf;
    }

    CTempDir m_dir{"-製品"};
    std::string m_log;
    CUninstallLogWriter m_writer;
};

CIniItem IniItem(const char* file, const char* section, const char* key)
{
    CIniItem item;
    item.m_strFile = file;
    item.m_strSection = section;
    item.m_strKey = key;
    return item;
}

}  // namespace

TEST_F(UninstallLogTest, EachKindCountsFromZeroAndTheFileIsCompleteAfterEveryRecord)
{
    m_writer.DeleteFile(m_log, "C:\\APP\\表示.EXE");
    EXPECT_EQ("[DeleteFile]\r\n0=C:\\APP\\表示.EXE\r\n", ReadBytes(m_log));
    m_writer.DeleteShortCut(m_log, "C:\\Menu\\アプリ\\エディタ.lnk");
    m_writer.DeleteFile(m_log, "C:\\APP\\B.DLL");
    EXPECT_EQ("[DeleteFile]\r\n0=C:\\APP\\表示.EXE\r\n1=C:\\APP\\B.DLL\r\n"
              "[DeleteShortCut]\r\n0=C:\\Menu\\アプリ\\エディタ.lnk\r\n",
              ReadBytes(m_log));
    m_writer.DeleteProgramGroup(m_log, "アプリ");
    m_writer.DeleteIniFile(m_log, "C:\\APP\\APP.INI");
    m_writer.DeleteIniSection(m_log, IniItem("$InstDir$\\APP.INI", "Opt,ions", "Key"));
    m_writer.DeleteIniKeyword(m_log, IniItem("WIN.INI", "製品", "$UserName$x"));
    m_writer.DeleteIniValue(m_log, IniItem("SYSTEM.INI", "drivers", "wave"));
    m_writer.DeleteIniValue(m_log, IniItem("SYSTEM.INI", "drivers", "midi"));
    // INI records expand their fields and join them with commas as they are;
    // a bare file name stays bare.
    EXPECT_EQ("[DeleteFile]\r\n0=C:\\APP\\表示.EXE\r\n1=C:\\APP\\B.DLL\r\n"
              "[DeleteShortCut]\r\n0=C:\\Menu\\アプリ\\エディタ.lnk\r\n"
              "[DeleteProgramGroup]\r\n0=アプリ\r\n"
              "[DeleteIniFile]\r\n0=C:\\APP\\APP.INI\r\n"
              "[DeleteIniSection]\r\n0=" + m_dir.Path() + "\\APP.INI,Opt,ions\r\n"
              "[DeleteIniKeyword]\r\n0=WIN.INI,製品,x\r\n"
              "[DeleteIniValue]\r\n0=SYSTEM.INI,drivers,wave\r\n1=SYSTEM.INI,drivers,midi\r\n",
              ReadBytes(m_log));
}

TEST_F(UninstallLogTest, AnEarlierInstallationsRecordsAreOverwrittenKeyByKey)
{
    WriteBytes(m_log, "[DeleteFile]\r\n0=C:\\OLD\\A\r\n1=C:\\OLD\\B\r\n2=C:\\OLD\\C\r\n");
    m_writer.DeleteFile(m_log, "C:\\NEW\\A");
    EXPECT_EQ("[DeleteFile]\r\n0=C:\\NEW\\A\r\n1=C:\\OLD\\B\r\n2=C:\\OLD\\C\r\n", ReadBytes(m_log));
}

TEST_F(UninstallLogTest, ControlsAreRecordedOnlyWhenTheyLoadAndAskForIt)
{
    COcxItem loads;
    loads.m_strName = "ole";
    loads.m_strPath = "$SysDir$\\ole32.dll";
    COcxItem kept = loads;
    kept.m_bUninstall = 0;
    COcxItem missing = loads;
    missing.m_strPath = m_dir.File("MISSING.OCX");
    m_writer.UnregisterOcx(m_log, kept);
    m_writer.UnregisterOcx(m_log, missing);
    EXPECT_EQ("<missing>", ReadBytes(m_log));
    m_writer.UnregisterOcx(m_log, loads);
    EXPECT_EQ("[UnregisterOcx]\r\n0=" + GetSystemDir() + "\\ole32.dll\r\n", ReadBytes(m_log));
}

TEST_F(UninstallLogTest, RegistrationMovesTheDirectoryListAndCompletesTheLog)
{
    m_writer.CreatedDirectory(m_dir.Path() + "\\BIN");
    m_writer.CreatedDirectory(m_dir.Path() + "\\BIN\\表");
    EXPECT_EQ("0=" + m_dir.Path() + "\\BIN\n1=" + m_dir.Path() + "\\BIN\\表\n", TempList());
    m_writer.DeleteFile(m_log, m_dir.Path() + "\\BIN\\表\\A.EXE");

    CUninstallRegistration registration;
    registration.m_strProduct = "テスト製品 1.0";
    registration.m_strUninstallKey = kKeyName;
    m_writer.Register(m_log, registration);

    const std::string keyPath = UninstallKeyPath(kKeyName);
    EXPECT_EQ("[DeleteFile]\r\n0=" + m_dir.Path() + "\\BIN\\表\\A.EXE\r\n1=" + m_log + "\r\n"
              "[DeleteDirectory]\r\n0=" + m_dir.Path() + "\\BIN\r\n1=" + m_dir.Path() + "\\BIN\\表\r\n"
              "[Config]\r\nProduct=テスト製品 1.0\r\nReg=" + keyPath + "\r\n",
              ReadBytes(m_log));
    EXPECT_EQ("", TempList());
    EXPECT_TRUE(::GetFileAttributesA(m_log.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ("テスト製品 1.0", RegValue(keyPath, "DisplayName"));
    // Not quoted, also where the paths hold blanks.
    EXPECT_EQ(GetSystemDir() + "\\VMUNST10.EXE " + m_log, RegValue(keyPath, "UninstallString"));
}

TEST_F(UninstallLogTest, AnEmptyKeyNameNamesTheUninstallKeyItself)
{
    EXPECT_EQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\", UninstallKeyPath(""));
    EXPECT_EQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\製品", UninstallKeyPath("製品"));
}

TEST_F(UninstallLogTest, WithoutAKeyNameTheRegistrationIsInTheUninstallKeyItself)
{
    // Another product's registration, which must survive any reading of the log.
    const std::string uninstallKey = UninstallKeyPath("");
    const std::string other = UninstallKeyPath(kKeyName);
    {
        CRegProfile key(other, HKEY_LOCAL_MACHINE);
        key.SetSection("");
        key.WriteString("DisplayName", "他の製品");
    }
    // An earlier installation into the same directory named a key.
    WriteBytes(m_log, "[Config]\r\nProduct=旧\r\nReg=" + other + "\r\n");
    const std::string before = RegValue(uninstallKey, "DisplayName");

    CUninstallRegistration registration;
    registration.m_strProduct = "名前なし";
    m_writer.Register(m_log, registration);

    // "Reg" names the uninstall key itself, as the log always has; the
    // uninstaller removes only this product's two values from that key.
    EXPECT_EQ("[Config]\r\nProduct=名前なし\r\nReg=" + uninstallKey + "\r\n[DeleteFile]\r\n0=" + m_log + "\r\n",
              ReadBytes(m_log));
    EXPECT_EQ("名前なし", RegValue(uninstallKey, "DisplayName"));
    EXPECT_EQ(GetSystemDir() + "\\VMUNST10.EXE " + m_log, RegValue(uninstallKey, "UninstallString"));
    EXPECT_EQ("他の製品", RegValue(other, "DisplayName"));

    // The uninstall key itself as it was before this test.
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, uninstallKey.c_str(), 0, KEY_ALL_ACCESS, &key));
    if (before == "<missing>") {
        ::RegDeleteValueA(key, "DisplayName");
        ::RegDeleteValueA(key, "UninstallString");
    }
    ::RegCloseKey(key);
}
