// The system update's worker against Wine's private-profile functions,
// registry, loader and processes: what each item kind changes, what it
// records for uninstallation, the order of the steps and the end.
#include "engine/updatethread.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "paths/fileutil.h"
#include "tests/win/engine/updatetest.h"
#include "tests/win/profile/testutil.h"

using testutil::CTempDir;
using testutil::ReadBytes;
using testutil::WriteBytes;
using namespace updatetest;

namespace {

const char kReceiverClass[] = "UpdateThreadTestReceiver";

// Stands in for the update dialog: answers the group and item requests on
// the test's thread and notes them, and the end, in the events.
class CReceiver {
public:
    explicit CReceiver(CEvents& events) : m_events(events)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &CReceiver::Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = kReceiverClass;
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(0, kReceiverClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CReceiver() { ::DestroyWindow(m_hWnd); }
    CReceiver(const CReceiver&) = delete;
    CReceiver& operator=(const CReceiver&) = delete;

    HWND Get() const { return m_hWnd; }
    // Runs the test thread's messages until the worker reports its end.
    bool WaitForDone(DWORD milliseconds)
    {
        const DWORD start = ::GetTickCount();
        while (!m_bDone && ::GetTickCount() - start < milliseconds) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
        }
        return m_bDone;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<CReceiver*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self) {
            switch (msg) {
            case WM_UPDATE_CREATEGROUP:
                self->m_events.Add("group");
                return 0;
            case WM_UPDATE_ADDITEM: {
                const auto* file = reinterpret_cast<const CFileItem*>(lParam);
                self->m_events.Add("item " + file->m_strShortcut + " " + file->m_strName);
                return 0;
            }
            case WM_UPDATE_DONE:
                self->m_events.Add("done");
                self->m_bDone = true;
                return 0;
            default:
                break;
            }
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    CEvents& m_events;
    HWND m_hWnd = nullptr;
    bool m_bDone = false;
};

// One update over lists made up by a test.
struct CLists {
    CItemList<CFileItem> files;
    CItemList<CIniItem> ini;
    CItemList<CRegItem> reg;
    CItemList<COcxItem> ocx;
    CItemList<CExeItem> exe;

    CUpdateItemLists Get() const { return {&files, &ini, &reg, &ocx, &exe}; }
};

class UpdateThreadTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetInstDir(m_dir.Path());
        m_tmpDir = m_dir.File("SetupTmp");
        ::CreateDirectoryA(m_tmpDir.c_str(), nullptr);
        SetTmpDir(m_tmpDir);
        SetUserName("");
    }
    void TearDown() override
    {
        SetInstDir("");
        SetTmpDir("");
        SetUserName("");
    }

    // Runs the worker over the lists until it reports its end (the working
    // directory made anew first: each run removes it); the events of this
    // run, the end included.
    std::vector<std::string> Run(const CLists& lists)
    {
        ::CreateDirectoryA(m_tmpDir.c_str(), nullptr);
        const std::size_t before = m_events.Get().size();
        CReceiver receiver(m_events);
        m_notices.SetExpectedOwner(receiver.Get());
        CUpdateSystemThread thread(m_log, m_notices);
        thread.SetDialog(receiver.Get());
        EXPECT_TRUE(thread.Start());
        EXPECT_TRUE(thread.Start(lists.Get()));
        EXPECT_TRUE(receiver.WaitForDone(60000)) << "the worker did not report its end";
        const std::vector<std::string> all = m_events.Get();
        return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    }

    CTempDir m_dir{"-更新"};
    std::string m_tmpDir;
    CEvents m_events;
    CRecordingLog m_log{m_events};
    CRecordingNotices m_notices{m_events};
};

std::unique_ptr<CIniItem> Ini(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& value, int mode)
{
    auto item = std::make_unique<CIniItem>();
    item->m_strFile = file;
    item->m_strSection = section;
    item->m_strKey = key;
    item->m_strValue = value;
    item->m_nMode = mode;
    return item;
}

// Replaces every "%F" of a text by the file's path.
std::string WithPath(std::string text, const std::string& path)
{
    for (std::size_t at = text.find("%F"); at != std::string::npos; at = text.find("%F", at))
        text.replace(at, 2, path), at += path.size();
    return text;
}

}  // namespace

TEST_F(UpdateThreadTest, IniItemsWriteByModeAndRecordWhatDidNotExistBefore)
{
    // before/after: the file's bytes (nullptr: no file). record: the one
    // record expected ("" none); %F stands for the file's path.
    struct Row {
        const char* name;
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        int mode;
        const char* after;
        const char* record;
    };
    const Row rows[] = {
        {"new file", nullptr, "Opt", "Key", "V", 1,
         "[Opt]\r\nKey=V\r\n", "DeleteIniFile %F"},
        {"new section", "[Old]\r\nA=1\r\n", "Opt", "Key", "V", 1,
         "[Old]\r\nA=1\r\n[Opt]\r\nKey=V\r\n", "DeleteIniSection %F|Opt|Key"},
        {"new key", "[Opt]\r\nA=1\r\n", "Opt", "Key", "V", 1,
         "[Opt]\r\nA=1\r\nKey=V\r\n", "DeleteIniKeyword %F|Opt|Key"},
        {"existing key", "[Opt]\r\nKey=old\r\n", "Opt", "Key", "V", 1,
         "[Opt]\r\nKey=V\r\n", "DeleteIniValue %F|Opt|Key"},
        {"mode 2 writes", nullptr, "Opt", "Key", "V", 2, "[Opt]\r\nKey=V\r\n", "DeleteIniFile %F"},
        {"mode 9 is mode 1", nullptr, "Opt", "Key", "V", 9, "[Opt]\r\nKey=V\r\n", "DeleteIniFile %F"},
        {"an empty value", nullptr, "Opt", "Key", "", 1, "[Opt]\r\nKey=\r\n", "DeleteIniFile %F"},
        // The existence tests compare exactly; the private-profile functions
        // that write do not, so the value lands in the section or key of the
        // other spelling.
        {"section in another case", "[Windows]\r\nload=x\r\n", "windows", "run", "y", 1,
         "[Windows]\r\nload=x\r\nrun=y\r\n", "DeleteIniSection %F|windows|run"},
        {"key in another case", "[Opt]\r\nKEY=old\r\n", "Opt", "Key", "V", 1,
         "[Opt]\r\nKEY=V\r\n", "DeleteIniKeyword %F|Opt|Key"},
        // Mode 3 writes only over a key of exactly that name, in the first
        // section of that name.
        {"mode 3 over a key", "[Opt]\r\nKey=old\r\n", "Opt", "Key", "V", 3,
         "[Opt]\r\nKey=V\r\n", "DeleteIniValue %F|Opt|Key"},
        {"mode 3, key in another case", "[Opt]\r\nKEY=old\r\n", "Opt", "Key", "V", 3,
         "[Opt]\r\nKEY=old\r\n", ""},
        {"mode 3, section in another case", "[opt]\r\nKey=old\r\n", "Opt", "Key", "V", 3,
         "[opt]\r\nKey=old\r\n", ""},
        {"mode 3, no key", "[Opt]\r\nA=1\r\n", "Opt", "Key", "V", 3, "[Opt]\r\nA=1\r\n", ""},
        {"mode 3, no file", nullptr, "Opt", "Key", "V", 3, nullptr, ""},
        {"mode 3, key in a second section of the name", "[Opt]\r\nA=1\r\n[Opt]\r\nKey=old\r\n",
         "Opt", "Key", "V", 3, "[Opt]\r\nA=1\r\n[Opt]\r\nKey=old\r\n", ""},
        // Mode 4 deletes, and records nothing.
        {"mode 4, a key", "[Opt]\r\nKey=1\r\nB=2\r\n", "Opt", "Key", "", 4, "[Opt]\r\nB=2\r\n", ""},
        {"mode 4, a section", "[Opt]\r\nKey=1\r\n[Keep]\r\nC=3\r\n", "Opt", "", "", 4,
         "[Keep]\r\nC=3\r\n", ""},
        {"mode 4, the file", "[Opt]\r\nKey=1\r\n", "", "", "", 4, nullptr, ""},
        {"mode 4, the file, whatever the key", "[Opt]\r\nKey=1\r\n", "", "Key", "", 4, nullptr, ""},
        {"mode 4, no such section", "[Keep]\r\nC=3\r\n", "Opt", "", "", 4, "[Keep]\r\nC=3\r\n", ""},
        // The other modes do nothing.
        {"mode 0", "[Opt]\r\nKey=old\r\n", "Opt", "Key", "V", 0, "[Opt]\r\nKey=old\r\n", ""},
        {"mode 5", "[Opt]\r\nKey=old\r\n", "Opt", "Key", "V", 5, "[Opt]\r\nKey=old\r\n", ""},
        {"mode 6", "[Opt]\r\nKey=old\r\n", "Opt", "Key", "V", 6, "[Opt]\r\nKey=old\r\n", ""},
        {"mode 7", "[Opt]\r\nKey=old\r\n", "Opt", "Key", "V", 7, "[Opt]\r\nKey=old\r\n", ""},
        {"mode 8", nullptr, "Opt", "Key", "V", 8, nullptr, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = m_dir.File("APP.INI");
        ::DeleteFileA(path.c_str());
        if (row.before)
            WriteBytes(path, row.before);
        CLists lists;
        lists.ini.push_back(Ini(path, row.section, row.key, row.value, row.mode));
        const std::vector<std::string> events = Run(lists);
        EXPECT_EQ(row.after ? std::string(row.after) : std::string("<missing>"), ReadBytes(path));
        std::vector<std::string> expected;
        if (*row.record)
            expected.push_back(WithPath(row.record, path));
        expected.push_back("done");
        EXPECT_EQ(expected, events);
    }
}

TEST_F(UpdateThreadTest, IniItemsExpandTheirFieldsAndABareFileNameLiesInTheWindowsDirectory)
{
    SetUserName("太郎");
    const std::string own = "SETUP" + std::to_string(::GetCurrentProcessId() % 1000) + ".INI";
    const std::string ownPath = GetWindowsDir() + "\\" + own;
    const std::string winIni = GetWindowsDir() + "\\win.ini";
    ::DeleteFileA(ownPath.c_str());
    CLists lists;
    lists.ini.push_back(Ini(own, "$UserName$", "Path", "$InstDir$\\表示.EXE", 1));
    // WIN.INI itself, in a section that Wine keeps in the file (it keeps
    // [windows], [intl] and a few more in the registry).
    lists.ini.push_back(Ini("WIN.INI", "SetupTests", "Key", "V", 1));
    lists.ini.push_back(Ini("$InstDir$\\SUB.INI", "S", "$UserName$", "1", 1));
    const std::vector<std::string> events = Run(lists);

    EXPECT_EQ("[太郎]\r\nPath=" + m_dir.Path() + "\\表示.EXE\r\n", ReadBytes(ownPath));
    EXPECT_NE(std::string::npos, ReadBytes(winIni).find("[SetupTests]\r\nKey=V\r\n"));
    EXPECT_EQ("[S]\r\n太郎=1\r\n", ReadBytes(m_dir.File("SUB.INI")));
    // The resolved path for a new file; the item's own fields otherwise (the
    // log's writer expands them, and keeps a bare name bare).
    const std::vector<std::string> expected = {
        "DeleteIniFile " + ownPath,
        "DeleteIniSection WIN.INI|SetupTests|Key",
        "DeleteIniFile " + m_dir.File("SUB.INI"),
        "done",
    };
    EXPECT_EQ(expected, events);
    ::DeleteFileA(ownPath.c_str());
    ::WritePrivateProfileStringA("SetupTests", nullptr, nullptr, "WIN.INI");
}

TEST_F(UpdateThreadTest, DeletingAnIniFileDeletesNothingButAFile)
{
    // Names that expand to a directory, or to nothing at all (which leaves
    // the Windows directory), with an empty section: mode 4 would delete
    // "the file".
    const std::string sub = m_dir.File("SUB");
    ASSERT_TRUE(::CreateDirectoryA(sub.c_str(), nullptr));
    WriteBytes(sub + "\\KEEP.INI", "[K]\r\nA=1\r\n");
    const std::string winIniBefore = ReadBytes(GetWindowsDir() + "\\win.ini");
    CLists lists;
    lists.ini.push_back(Ini("$InstDir$\\SUB", "", "", "", 4));
    lists.ini.push_back(Ini("$InstDir$\\SUB\\", "", "", "", 4));
    lists.ini.push_back(Ini("", "", "", "", 4));
    lists.ini.push_back(Ini("$UserName$", "", "", "", 4));
    const std::vector<std::string> events = Run(lists);

    EXPECT_TRUE(IsDirectory(sub));
    EXPECT_EQ("[K]\r\nA=1\r\n", ReadBytes(sub + "\\KEEP.INI"));
    EXPECT_TRUE(IsDirectory(GetWindowsDir()));
    EXPECT_EQ(winIniBefore, ReadBytes(GetWindowsDir() + "\\win.ini"));
    EXPECT_EQ(std::vector<std::string>{"done"}, events);
}

TEST_F(UpdateThreadTest, AWriteThatFailsRecordsNothing)
{
    // Nothing was written, so an uninstallation has nothing to undo. (A
    // read-only file would be the other case; the tests run as root, for
    // whom Wine writes it all the same.)
    ASSERT_TRUE(::CreateDirectoryA(m_dir.File("DIR.INI").c_str(), nullptr));
    CLists lists;
    lists.ini.push_back(Ini("$InstDir$\\DIR.INI", "Opt", "Key", "new", 1));
    EXPECT_EQ(std::vector<std::string>{"done"}, Run(lists));
    EXPECT_TRUE(IsDirectory(m_dir.File("DIR.INI")));
}

TEST(IniFileQueries, CompareNamesExactlyInTheFirstSectionOfAName)
{
    CTempDir dir;
    const std::string path = dir.File("Q.INI");
    WriteBytes(path, "[Windows]\r\nload=x\r\n[表]\r\nキー=1\r\n[表]\r\nsecond=2\r\n");
    struct Row {
        const char* section;
        const char* key;
        bool hasSection;
        bool hasKey;
    };
    const Row rows[] = {
        {"Windows", "load", true, true},
        {"windows", "load", false, false},
        {"Windows", "LOAD", true, false},
        {"表", "キー", true, true},
        {"表", "second", true, false},   // only the first [表] is searched
        {"Other", "", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "[" << row.section << "] " << row.key);
        EXPECT_EQ(row.hasSection, IniFileHasSection(path, row.section));
        EXPECT_EQ(row.hasKey, IniFileHasKey(path, row.section, row.key));
    }
    EXPECT_FALSE(IniFileHasSection(dir.File("MISSING.INI"), "Windows"));
    EXPECT_FALSE(IniFileHasKey(dir.File("MISSING.INI"), "Windows", "load"));
}

namespace {

// A registry value as text: "SZ:text", "DWORD:n" (hexadecimal), "BINARY:xx xx",
// "<missing>" or "<no key>".
std::string ReadValue(HKEY root, const std::string& path, const std::string& name)
{
    HKEY key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    BYTE data[1024];
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG result = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, data, &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return "<missing>";
    char buf[16];
    switch (type) {
    case REG_SZ:
        return "SZ:" + std::string(reinterpret_cast<const char*>(data));
    case REG_DWORD: {
        DWORD number;
        memcpy(&number, data, sizeof number);
        wsprintfA(buf, "%lx", static_cast<unsigned long>(number));
        return std::string("DWORD:") + buf;
    }
    case REG_BINARY: {
        std::string text = "BINARY:";
        for (DWORD i = 0; i < size; ++i) {
            wsprintfA(buf, i ? " %02x" : "%02x", data[i]);
            text += buf;
        }
        return text;
    }
    default:
        return "type " + std::to_string(type);
    }
}

void SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &key, nullptr));
    ::RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

std::unique_ptr<CRegItem> Reg(HKEY root, const std::string& path, const std::string& name,
                              int type, const std::string& data, int flags)
{
    auto item = std::make_unique<CRegItem>();
    item->m_hRoot = root;
    item->m_strKeyPath = path;
    item->m_strValueName = name;
    item->m_nType = type;
    item->m_strData = data;
    item->m_nFlags = flags;
    return item;
}

// A key path of this test's own below a root, deleted at the end.
class CScratchKey {
public:
    CScratchKey(HKEY root, const std::string& parent)
        : m_root(root), m_path(parent + testutil::UniqueName())
    {
    }
    ~CScratchKey() { testutil::DeleteRegTree(m_root, m_path); }
    CScratchKey(const CScratchKey&) = delete;
    CScratchKey& operator=(const CScratchKey&) = delete;
    const std::string& Path() const { return m_path; }

private:
    HKEY m_root;
    std::string m_path;
};

}  // namespace

TEST_F(UpdateThreadTest, RegistryItemsWriteEachRootAndType)
{
    SetUserName("taro");
    const CScratchKey user(HKEY_CURRENT_USER, "Software\\SetupTests\\");
    const CScratchKey machine(HKEY_LOCAL_MACHINE, "SOFTWARE\\SetupTests\\");
    const CScratchKey classes(HKEY_CLASSES_ROOT, "SetupTests.");
    const CScratchKey users(HKEY_USERS, ".DEFAULT\\Software\\SetupTests\\");
    struct Row {
        const char* name;
        HKEY root;
        std::string path;
        const char* value;
        int type;
        const char* data;
        const char* expected;
    };
    const std::string u = user.Path();
    const Row rows[] = {
        {"string, current user", HKEY_CURRENT_USER, u, "S", REG_SZ, "$InstDir$\\表示.EXE", nullptr},
        {"string, local machine", HKEY_LOCAL_MACHINE, machine.Path(), "S", REG_SZ, "text", "SZ:text"},
        {"string, classes root", HKEY_CLASSES_ROOT, classes.Path(), "", REG_SZ, "abc,file",
         "SZ:abc,file"},
        {"string, users", HKEY_USERS, users.Path(), "S", REG_SZ, "", "SZ:"},
        {"expanded names", HKEY_CURRENT_USER, u + "\\$UserName$", "$UserName$Name", REG_SZ, "x",
         "SZ:x"},
        {"number", HKEY_CURRENT_USER, u, "D1", REG_DWORD, "12abc", "DWORD:c"},
        {"no digits", HKEY_CURRENT_USER, u, "D2", REG_DWORD, "abc", "DWORD:0"},
        {"minus one", HKEY_CURRENT_USER, u, "D3", REG_DWORD, "-1", "DWORD:ffffffff"},
        {"no hexadecimal", HKEY_CURRENT_USER, u, "D4", REG_DWORD, "0x10", "DWORD:0"},
        // Number data is read as written: a variable in it is no number.
        {"unexpanded number", HKEY_CURRENT_USER, u, "D5", REG_DWORD, "$UserName$7", "DWORD:0"},
        {"bytes", HKEY_CURRENT_USER, u, "B1", REG_BINARY, "DE AD be,ef", "BINARY:de ad be ef"},
        {"no bytes", HKEY_CURRENT_USER, u, "B2", REG_BINARY, "", "BINARY:"},
        {"malformed bytes", HKEY_CURRENT_USER, u, "B3", REG_BINARY, "0G", "<missing>"},
        {"unknown type", HKEY_CURRENT_USER, u, "T7", 7, "x", "<missing>"},
    };
    CLists lists;
    for (const Row& row : rows)
        lists.reg.push_back(Reg(row.root, row.path, row.value, row.type, row.data, 0));
    EXPECT_EQ(std::vector<std::string>{"done"}, Run(lists));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string path = row.path;
        std::string name = row.value;
        ExpandPathVariables(path);
        ExpandPathVariables(name);
        const std::string expected =
            row.expected ? row.expected : "SZ:" + m_dir.Path() + "\\表示.EXE";
        EXPECT_EQ(expected, ReadValue(row.root, path, name));
    }
    // The key of an item that writes no value is made all the same.
    EXPECT_EQ("<missing>", ReadValue(HKEY_CURRENT_USER, u + "\\taro", "nothing"));
}

TEST_F(UpdateThreadTest, RegistryFlagsKeepAValueThatIsThereWhateverItsType)
{
    const CScratchKey key(HKEY_CURRENT_USER, "Software\\SetupTests\\");
    const DWORD five = 5;
    const char text[] = "old";
    struct Row {
        const char* name;
        int flags;
        int type;
        bool existing;
        const char* expected;
    };
    const Row rows[] = {
        {"flag 1, a number there", 1, REG_SZ, true, "DWORD:5"},
        {"flag 2, a number there", 2, REG_DWORD, true, "DWORD:5"},
        {"flags 3, a number there", 3, REG_BINARY, true, "DWORD:5"},
        {"flag 1, nothing there", 1, REG_SZ, false, "SZ:new"},
        {"flag 4 is no such flag", 4, REG_SZ, true, "SZ:new"},
        {"no flags", 0, REG_DWORD, true, "DWORD:0"},
    };
    CLists lists;
    int n = 0;
    for (const Row& row : rows) {
        const std::string name = "V" + std::to_string(n++);
        if (row.existing)
            SetValue(HKEY_CURRENT_USER, key.Path(), name, REG_DWORD, &five, sizeof five);
        lists.reg.push_back(Reg(HKEY_CURRENT_USER, key.Path(), name, row.type, "new", row.flags));
    }
    // The key's default value, an empty name.
    SetValue(HKEY_CURRENT_USER, key.Path(), "", REG_SZ, text, sizeof text);
    lists.reg.push_back(Reg(HKEY_CURRENT_USER, key.Path(), "", REG_SZ, "new", 1));
    // A key that cannot be made is passed over; the next item still counts.
    lists.reg.push_back(Reg(nullptr, "Software", "X", REG_SZ, "x", 0));
    lists.reg.push_back(Reg(HKEY_CURRENT_USER, key.Path(), "after", REG_SZ, "yes", 0));
    EXPECT_EQ(std::vector<std::string>{"done"}, Run(lists));
    n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, ReadValue(HKEY_CURRENT_USER, key.Path(), "V" + std::to_string(n++)));
    }
    EXPECT_EQ("SZ:old", ReadValue(HKEY_CURRENT_USER, key.Path(), ""));
    EXPECT_EQ("SZ:yes", ReadValue(HKEY_CURRENT_USER, key.Path(), "after"));
}

namespace {

std::unique_ptr<COcxItem> Ocx(const std::string& name, const std::string& path, int keep = 1)
{
    auto item = std::make_unique<COcxItem>();
    item->m_strName = name;
    item->m_strPath = path;
    item->m_bUninstall = keep;
    return item;
}

const char kControlRecords[] = "Software\\SetupTests\\Controls";

}  // namespace

TEST_F(UpdateThreadTest, ControlsRegisterOrReportOneOfThreeFailuresAndTheUpdateGoesOn)
{
    const std::string media = MediaDir();
    testutil::DeleteRegTree(HKEY_CURRENT_USER, kControlRecords);
    SetSrcDir(media);
    CLists lists;
    lists.ocx.push_back(Ocx("失敗", "$SrcDir$\\TESTFAIL.OCX"));
    lists.ocx.push_back(Ocx("ない", "$SrcDir$\\MISSING.OCX"));
    lists.ocx.push_back(Ocx("普通", "$SrcDir$\\TESTNONE.OCX"));
    lists.ocx.push_back(Ocx("良い", "$SrcDir$\\TESTOK.OCX"));
    lists.ocx.push_back(Ocx("残す", "$SrcDir$\\TESTOK.OCX", 0));
    const std::vector<std::string> expected = {
        "ocx RegistrationFailed 失敗 80004005",
        "ocx CannotLoad ない 7e",   // ERROR_MOD_NOT_FOUND
        "ocx NoRegisterEntry 普通 0",
        // Every registered control goes to the log, which keeps only those
        // whose item asks for it.
        "UnregisterOcx 良い",
        "UnregisterOcx 残す",
        "done",
    };
    EXPECT_EQ(expected, Run(lists));
    // What the controls saw: each was called on a thread with COM initialised.
    EXPECT_EQ("SZ:registered com",
              ReadValue(HKEY_CURRENT_USER, kControlRecords, media + "\\TESTOK.OCX"));
    EXPECT_EQ("SZ:failed com",
              ReadValue(HKEY_CURRENT_USER, kControlRecords, media + "\\TESTFAIL.OCX"));
    testutil::DeleteRegTree(HKEY_CURRENT_USER, kControlRecords);
    SetSrcDir("");
}

namespace {

std::unique_ptr<CExeItem> Exe(const std::string& program, const std::string& workDir, int wait,
                              int show, int timeout, const std::string& arguments)
{
    auto item = std::make_unique<CExeItem>();
    item->m_strProgram = program;
    item->m_strWorkDir = workDir;
    item->m_bWait = wait;
    item->m_nShow = show;
    item->m_nTimeout = timeout;
    item->m_strArguments = arguments;
    return item;
}

// The recorder's log as lines, without their line ends.
std::vector<std::string> RunLog(const std::string& path)
{
    std::vector<std::string> lines;
    const std::string text = ReadBytes(path);
    if (text == "<missing>")
        return lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    return lines;
}

// Waits until the log has `count` lines (programs that were not waited for
// may still be running).
std::vector<std::string> RunLogOf(const std::string& path, std::size_t count)
{
    for (int i = 0; i < 200 && RunLog(path).size() < count; ++i)
        ::Sleep(50);
    return RunLog(path);
}

}  // namespace

TEST_F(UpdateThreadTest, ProgramsRunWithTheirCommandLineDirectoryAndShowCommand)
{
    // The recorder is installed into the install directory and logs beside itself.
    const std::string program = m_dir.File("RECORDER.EXE");
    ASSERT_TRUE(::CopyFileA((MediaDir() + "\\RECORDER.EXE").c_str(), program.c_str(), FALSE));
    const std::string work = m_dir.File("作業");
    ASSERT_TRUE(::CreateDirectoryA(work.c_str(), nullptr));
    CLists lists;
    // As the script reader makes them: an empty working directory is "$TmpDir$".
    lists.exe.push_back(Exe("$InstDir$\\RECORDER.EXE", "$TmpDir$", 1, SW_SHOWNORMAL, -1, ""));
    lists.exe.push_back(
        Exe("$InstDir$\\RECORDER.EXE", "$InstDir$\\作業", 1, SW_HIDE, -1, "/a \"$InstDir$\" 表"));
    lists.exe.push_back(Exe("$InstDir$\\RECORDER.EXE", "$InstDir$", 1, SW_MINIMIZE, 30000, "min"));
    lists.exe.push_back(Exe("$InstDir$\\RECORDER.EXE", "$InstDir$", 1, SW_MAXIMIZE, 0, "max"));
    // Only the low 16 bits of the show command count.
    lists.exe.push_back(Exe("$InstDir$\\RECORDER.EXE", "$InstDir$", 1, 0x10003, -1, "low"));
    // A program that cannot start is passed over.
    lists.exe.push_back(Exe("$InstDir$\\MISSING.EXE", "$InstDir$", 1, SW_SHOWNORMAL, -1, "x"));
    EXPECT_EQ(std::vector<std::string>{"done"}, Run(lists));

    const std::string d = m_dir.Path();
    const std::string flags = "\tflags=41\ttitle=$InstDir$\\RECORDER.EXE";
    const std::vector<std::string> expected = {
        "start\tRECORDER.EXE\tcmdline=" + program + " \tcwd=" + m_tmpDir + "\tshow=1" + flags,
        "start\tRECORDER.EXE\tcmdline=" + program + " /a \"" + d + "\" 表\tcwd=" + work +
            "\tshow=0" + flags,
        "start\tRECORDER.EXE\tcmdline=" + program + " min\tcwd=" + d + "\tshow=6" + flags,
        "start\tRECORDER.EXE\tcmdline=" + program + " low\tcwd=" + d + "\tshow=3" + flags,
    };
    // "max" is not waited for: under load it may write its line after "low".
    const std::string notWaitedFor =
        "start\tRECORDER.EXE\tcmdline=" + program + " max\tcwd=" + d + "\tshow=3" + flags;
    std::vector<std::string> log = RunLogOf(m_dir.File("RUNLOG.TXT"), expected.size() + 1);
    const auto found = std::find(log.begin(), log.end(), notWaitedFor);
    EXPECT_NE(log.end(), found) << "the program that is not waited for did not run";
    if (found != log.end())
        log.erase(found);
    EXPECT_EQ(expected, log);
}

TEST_F(UpdateThreadTest, ProgramsAreWaitedForUpToTheirTimeout)
{
    const std::string program = m_dir.File("RECORDER.EXE");
    ASSERT_TRUE(::CopyFileA((MediaDir() + "\\RECORDER.EXE").c_str(), program.c_str(), FALSE));
    const std::string log = m_dir.File("RUNLOG.TXT");
    // Program a runs for 4 s; b comes next. Whether b starts before a has
    // ended tells whether the update waited for a (how soon each program
    // writes its first line depends on the machine's load).
    struct Row {
        const char* name;
        int wait;
        int timeout;
        bool bBeforeTheEndOfA;
    };
    const Row rows[] = {
        {"waited for without limit", 1, -1, false},
        {"waited for long enough", 1, 60000, false},
        {"the timeout passes first", 1, 300, true},
        {"not waited for", 0, -1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ::DeleteFileA(log.c_str());
        CLists lists;
        lists.exe.push_back(Exe(program, m_dir.Path(), row.wait, SW_HIDE, row.timeout, "a /wait:4000"));
        lists.exe.push_back(Exe(program, m_dir.Path(), 1, SW_HIDE, -1, "b"));
        Run(lists);
        std::vector<std::string> order;
        for (const std::string& line : RunLogOf(log, 3)) {
            const std::string kind = line.substr(0, line.find('\t'));
            const std::size_t args = line.find(".EXE ");
            order.push_back(kind + (kind == "end" ? " a" : " " + line.substr(args + 5, 1)));
        }
        const auto at = [&](const char* line) { return std::find(order.begin(), order.end(), line); };
        ASSERT_EQ(3u, order.size());
        EXPECT_LT(at("start a"), at("end a"));
        EXPECT_EQ(row.bBeforeTheEndOfA, at("start b") < at("end a"));
    }
}

TEST_F(UpdateThreadTest, StepsRunListByListAndTheGroupIsAskedForOnceBeforeTheFirstItem)
{
    const std::string program = m_dir.File("RECORDER.EXE");
    ASSERT_TRUE(::CopyFileA((MediaDir() + "\\RECORDER.EXE").c_str(), program.c_str(), FALSE));
    WriteBytes(m_tmpDir + "\\LEFT.TMP", "x");
    ASSERT_TRUE(::CreateDirectoryA((m_tmpDir + "\\SUB").c_str(), nullptr));
    CLists lists;
    // Files without a shortcut, or with one that expands to nothing, get no
    // program item; the group is only asked for with the first that has one.
    lists.files.push_back(File("NOLINK.DLL", ""));
    lists.files.push_back(File("EMPTY.TXT", "$UserName$"));
    lists.files.push_back(File("EDIT.EXE", "エディタ"));
    lists.files.push_back(nullptr);
    lists.files.push_back(File("HELP.HLP", "ヘルプ"));
    lists.ini.push_back(Ini("$InstDir$\\A.INI", "S", "K", "V", 1));
    lists.reg.push_back(Reg(nullptr, "x", "x", REG_SZ, "x", 0));
    lists.ocx.push_back(Ocx("ない", "$InstDir$\\MISSING.OCX"));
    lists.exe.push_back(Exe(program, m_dir.Path(), 1, SW_HIDE, -1, "last"));
    const std::vector<std::string> events = Run(lists);

    const std::vector<std::string> expected = {
        "group",
        "item エディタ EDIT.EXE",
        "item ヘルプ HELP.HLP",
        "DeleteIniFile " + m_dir.File("A.INI"),
        "ocx CannotLoad ない 7e",
        "done",
    };
    EXPECT_EQ(expected, events);
    // The worker leaves the shell half a second after each request.
    ASSERT_EQ(expected.size(), events.size());
    EXPECT_GE(m_events.Gap(0, 1), 450u);
    EXPECT_GE(m_events.Gap(1, 2), 450u);
    EXPECT_GE(m_events.Gap(2, 3), 450u);
    // The program ran before the end, and the working directory is gone
    // with everything in it.
    EXPECT_EQ(1u, RunLog(m_dir.File("RUNLOG.TXT")).size());
    EXPECT_FALSE(testutil::FileExistsA(m_tmpDir));
}

TEST_F(UpdateThreadTest, NothingToDoStillEndsAndRemovesTheWorkingDirectory)
{
    EXPECT_EQ(std::vector<std::string>{"done"}, Run(CLists()));
    EXPECT_FALSE(testutil::FileExistsA(m_tmpDir));
    // Lists that are not there are empty ones.
    ::CreateDirectoryA(m_tmpDir.c_str(), nullptr);
    CReceiver receiver(m_events);
    CUpdateSystemThread thread(m_log, m_notices);
    thread.SetDialog(receiver.Get());
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(thread.Start(CUpdateItemLists()));
    EXPECT_TRUE(receiver.WaitForDone(60000));
    EXPECT_FALSE(testutil::FileExistsA(m_tmpDir));
}
