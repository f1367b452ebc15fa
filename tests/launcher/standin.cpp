// A stand-in for the installer, staged and started by the launcher in the
// launcher's tests. It records how it was started and what it was given,
// fills its current directory with files and directories as an installer
// may, and ends with the exit code it is told.
//
// It is told through the section "Standin" of the script beside it:
//   Record=DIR   where the records go (a directory outside the staging directory)
//   Exit=N       its exit code (0 when not given)
//   Wait=1       after filling its directory, create DIR\running and wait until DIR\go exists
// Records (ANSI text, no line end): DIR\cwd.txt (current directory),
// DIR\cmdline.txt (command line), DIR\startup.txt ("flags=0x41 show=1"),
// DIR\size.txt (the size of its own file), DIR\srcdir.txt ("SrcDir" of
// section "Config", read as the installer reads it) and DIR\SETUP.INF (a copy
// of the script).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string ModulePath()
{
    char buf[32768];
    const DWORD n = ::GetModuleFileNameA(nullptr, buf, sizeof buf);
    return std::string(buf, n < sizeof buf ? n : 0);
}

std::string ProfileString(const char* section, const char* key, const std::string& file)
{
    char buf[4096];
    const DWORD n = ::GetPrivateProfileStringA(section, key, "", buf, sizeof buf, file.c_str());
    return std::string(buf, n);
}

void WriteText(const std::string& path, const std::string& text)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string self = ModulePath();
    const std::string script = self.substr(0, self.rfind('\\') + 1) + "SETUP.INF";
    const std::string record = ProfileString("Standin", "Record", script);
    if (record.empty())
        return 99;
    ::CreateDirectoryA(record.substr(0, record.rfind('\\')).c_str(), nullptr);
    ::CreateDirectoryA(record.c_str(), nullptr);

    char cwd[32768];
    const DWORD cwdLength = ::GetCurrentDirectoryA(sizeof cwd, cwd);
    WriteText(record + "\\cwd.txt", std::string(cwd, cwdLength < sizeof cwd ? cwdLength : 0));
    WriteText(record + "\\cmdline.txt", ::GetCommandLineA());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    ::GetStartupInfoA(&startup);
    char text[64];
    std::snprintf(text, sizeof text, "flags=0x%lx show=%u", static_cast<unsigned long>(startup.dwFlags),
                  static_cast<unsigned>(startup.wShowWindow));
    WriteText(record + "\\startup.txt", text);
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    ::GetFileAttributesExA(self.c_str(), GetFileExInfoStandard, &attributes);
    WriteText(record + "\\size.txt", std::to_string(attributes.nFileSizeLow));
    WriteText(record + "\\srcdir.txt", ProfileString("Config", "SrcDir", script));
    ::CopyFileA(script.c_str(), (record + "\\SETUP.INF").c_str(), FALSE);

    // What an installer leaves in its directory: files, directories, directories in directories.
    WriteText("INSTALL.LOG", "log");
    ::CreateDirectoryA("SUB", nullptr);
    WriteText("SUB\\A.TMP", "a");
    ::CreateDirectoryA("SUB\\DEEP", nullptr);
    WriteText("SUB\\DEEP\\B.TMP", "b");

    if (ProfileString("Standin", "Wait", script) == "1") {
        WriteText(record + "\\running", "");
        for (int i = 0; i < 2400 && !Exists(record + "\\go"); ++i)
            ::Sleep(50);
    }
    return std::atoi(ProfileString("Standin", "Exit", script).c_str());
}
