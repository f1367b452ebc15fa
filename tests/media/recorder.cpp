// A program for the system update's execute items: it appends one line
// about how it was started to a log, and with "/wait:MS" among its arguments
// it then waits that many milliseconds and appends a second line.
//
// The log is the file named by the environment variable SETUP_TEST_RUNLOG,
// or else RUNLOG.TXT beside the program. Lines (ANSI, CR LF), fields
// separated by tabs:
//   start<TAB><program file name><TAB>cmdline=<command line><TAB>cwd=<current
//   directory><TAB>show=<wShowWindow><TAB>flags=<dwFlags, hexadecimal><TAB>title=<lpTitle>
//   end<TAB><program file name>
// It is a windowed program: started with a new console it opens none.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string ModulePath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

std::string LogPath()
{
    char named[MAX_PATH] = "";
    if (::GetEnvironmentVariableA("SETUP_TEST_RUNLOG", named, sizeof named) > 0)
        return named;
    std::string path = ModulePath();
    return path.substr(0, path.rfind('\\') + 1) + "RUNLOG.TXT";
}

void Append(const std::string& line)
{
    // Another recorder may be writing at the same moment: try again a while.
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE file = ::CreateFileA(LogPath().c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            const std::string text = line + "\r\n";
            DWORD written = 0;
            ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            ::CloseHandle(file);
            return;
        }
        ::Sleep(20);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string self = ModulePath();
    const std::string name = self.substr(self.rfind('\\') + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    ::GetStartupInfoA(&startup);
    char cwd[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof cwd, cwd);
    char flags[16];
    std::snprintf(flags, sizeof flags, "%lx", static_cast<unsigned long>(startup.dwFlags));
    const char* commandLine = ::GetCommandLineA();
    Append("start\t" + name + "\tcmdline=" + commandLine + "\tcwd=" + cwd +
           "\tshow=" + std::to_string(startup.wShowWindow) + "\tflags=" + flags +
           "\ttitle=" + (startup.lpTitle ? startup.lpTitle : ""));
    if (const char* wait = std::strstr(commandLine, "/wait:")) {
        ::Sleep(static_cast<DWORD>(std::strtoul(wait + 6, nullptr, 10)));
        Append("end\t" + name);
    }
    return 0;
}
