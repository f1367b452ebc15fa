// uninstfixture: lays out what an installation leaves behind, and records it
// with the installer's own log writer and registration (services/uninstlog.h),
// so that the uninstaller meets a log and a registration exactly as setup
// makes them. The commands come from a file, one per line, fields separated
// by tabs, in the ANSI code page:
//
//   log PATH                          the log (its directory is the install directory)
//   mkdir PATH                        a directory that was there before (not recorded)
//   dir PATH                          a directory the copy made
//   file PATH [readonly]              an installed file (made unless it is there, as a control is)
//   ownfile PATH                      a file of the user's, not recorded
//   shortcut LINK TARGET              a shortcut in a program folder (made, not recorded)
//   control PATH                      the test control copied there and registered
//   ini FILE SECTION KEY VALUE        an INI entry that was there before (not recorded)
//   inikey|inisection|inifile|inivalue FILE SECTION KEY VALUE
//                                     an INI entry written, with the record the
//                                     system update would make for it
//   group NAME [TARGET TITLE]         a Program Manager group (with an item), made
//                                     through its DDE interface as setup makes it on
//                                     Windows NT 3.51
//   register PRODUCT KEYNAME          registration: the uninstall key and the log completed
//
// One run is one installation: the record counters start at 0 in each run,
// as they do in each run of setup.
// Fields may hold the path variables ($WinDir$, $SysDir$, …) and two of the
// fixture's own: $Programs$, the shell's programs folder (where setup makes
// the program folder on Windows 95), and $NtPrograms$, the one below the
// user's profile (Windows NT 4.0).
//
// "uninstfixture --expand TEXT" prints TEXT expanded that way.
// "uninstfixture --lock PATH RELEASE" holds PATH open without sharing until
// the file RELEASE exists (at most two minutes), to keep a file in use.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

#include "paths/expansion.h"
#include "paths/fileutil.h"
#include "paths/pathvars.h"
#include "services/ddeclient.h"
#include "platform/handles.h"
#include "services/uninstlog.h"

namespace {

std::string Expand(std::string text)
{
    ReplaceFirstNoCase(text, "$NtPrograms$", GetUserProfileDir() + "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ");
    ReplaceFirstNoCase(text, "$Programs$", GetProgramsDir());
    ExpandPathVariables(text);
    return text;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', pos);
        fields.push_back(Expand(line.substr(pos, tab == std::string::npos ? std::string::npos : tab - pos)));
        if (tab == std::string::npos)
            return fields;
        pos = tab + 1;
    }
}

bool WriteFileText(const std::string& path, const std::string& text)
{
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The INI file as the system update resolves the item's file.
std::string IniPath(const std::string& file)
{
    return file.size() >= 2 && (file[1] == ':' || file[1] == '&') ? file : GetWindowsDir() + "\\" + file;
}

std::string OwnDirectory()
{
    const std::string self = GetModulePath();
    return self.substr(0, self.find_last_of('\\'));
}

int Lock(const std::string& path, const std::string& release)
{
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) {
        std::printf("cannot lock %s: %lu\n", path.c_str(), ::GetLastError());
        return 1;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    for (int i = 0; i < 1200 && ::GetFileAttributesA(release.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(100);
    return 0;
}

class CFixture {
public:
    bool Run(const std::vector<std::string>& f);

private:
    std::string m_strLog;
    CUninstallLogWriter m_writer;
};

bool CFixture::Run(const std::vector<std::string>& f)
{
    const std::string& verb = f[0];
    const auto arg = [&f](std::size_t i) { return i < f.size() ? f[i] : std::string(); };
    if (verb == "log") {
        m_strLog = arg(1);
        SetInstDir(m_strLog.substr(0, m_strLog.find_last_of('\\')));
        return true;
    }
    if (verb == "mkdir")
        return CreateDirectoryTree(arg(1));
    if (verb == "dir") {
        if (!::CreateDirectoryA(arg(1).c_str(), nullptr))
            return false;
        m_writer.CreatedDirectory(arg(1));
        return true;
    }
    if (verb == "file" || verb == "ownfile") {
        if (!FileExists(arg(1)) && !WriteFileText(arg(1), "installed: " + arg(1) + "\r\n"))
            return false;
        if (arg(2) == "readonly")
            ::SetFileAttributesA(arg(1).c_str(), FILE_ATTRIBUTE_READONLY);
        if (verb == "file")
            m_writer.DeleteFile(m_strLog, arg(1));
        return true;
    }
    if (verb == "shortcut") {
        ::CreateDirectoryA(arg(1).substr(0, arg(1).find_last_of('\\')).c_str(), nullptr);
        if (!CreateShellLink(arg(1), "test", arg(2)) || !FileExists(arg(1)))
            return false;
        m_writer.DeleteShortCut(m_strLog, arg(1));
        return true;
    }
    if (verb == "control") {
        if (!::CopyFileA((OwnDirectory() + "\\testcontrol.ocx").c_str(), arg(1).c_str(), FALSE))
            return false;
        CModule control(::LoadLibraryA(arg(1).c_str()));
        using Entry = HRESULT(STDAPICALLTYPE*)();
        const auto entry = control ? reinterpret_cast<Entry>(reinterpret_cast<void*>(
                                         ::GetProcAddress(control.Get(), "DllRegisterServer")))
                                   : nullptr;
        if (!entry || entry() != S_OK)
            return false;
        COcxItem item;
        item.m_strName = "test control";
        item.m_strPath = arg(1);
        m_writer.UnregisterOcx(m_strLog, item);
        return true;
    }
    if (verb == "ini" || verb == "inikey" || verb == "inisection" || verb == "inifile" ||
        verb == "inivalue") {
        CIniItem item;
        item.m_strFile = arg(1);
        item.m_strSection = arg(2);
        item.m_strKey = arg(3);
        item.m_strValue = arg(4);
        const std::string path = IniPath(item.m_strFile);
        if (!::WritePrivateProfileStringA(item.m_strSection.c_str(), item.m_strKey.c_str(),
                                          item.m_strValue.c_str(), path.c_str()))
            return false;
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
        if (verb == "ini")
            return true;
        if (verb == "inikey")
            m_writer.DeleteIniKeyword(m_strLog, item);
        else if (verb == "inisection")
            m_writer.DeleteIniSection(m_strLog, item);
        else if (verb == "inifile")
            m_writer.DeleteIniFile(m_strLog, path);
        else
            m_writer.DeleteIniValue(m_strLog, item);
        return true;
    }
    if (verb == "group") {
        CDDEClient client;
        {
            CDDEClientConv progman;
            // Wine's shell answers once its desktop process runs, which the
            // first program needing a window starts: it may not be up yet.
            for (int i = 0; i < 100 && !progman.Connect("Progman", "Progman", nullptr); ++i)
                ::Sleep(200);
            if (!progman.GetConversation())
                return false;
            const std::string group = "[CreateGroup(\"" + arg(1) + "\")]";
            if (!progman.Execute(group.c_str(), 5000))
                return false;
            const std::string item = "[AddItem(" + arg(2) + "," + arg(3) + ")]";
            if (f.size() > 3 && !progman.Execute(item.c_str(), 5000))
                return false;
        }
        m_writer.DeleteProgramGroup(m_strLog, arg(1));
        return true;
    }
    if (verb == "register") {
        m_writer.Register(m_strLog, {arg(1), arg(2)});
        return true;
    }
    std::printf("unknown command %s\n", verb.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--lock")
        return Lock(argv[2], argv[3]);
    if (argc == 3 && std::string(argv[1]) == "--expand") {
        std::printf("%s\n", Expand(argv[2]).c_str());
        return 0;
    }
    if (argc != 2) {
        std::printf("usage: uninstfixture COMMANDS | --lock PATH RELEASE\n");
        return 2;
    }
    ::CoInitialize(nullptr);
    std::FILE* commands = std::fopen(argv[1], "rb");
    if (!commands) {
        std::printf("cannot read %s\n", argv[1]);
        return 2;
    }
    CFixture fixture;
    char buffer[4096];
    int failures = 0;
    while (std::fgets(buffer, sizeof buffer, commands)) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (!fixture.Run(Fields(line))) {
            std::printf("failed: %s (error %lu)\n", line.c_str(), ::GetLastError());
            ++failures;
        }
    }
    std::fclose(commands);
    ::CoUninitialize();
    return failures == 0 ? 0 : 1;
}
