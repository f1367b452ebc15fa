// holdfile PATH: holds PATH open without sharing, as a program that has the
// file in use does. It creates PATH.held once it holds the file and lets go
// when that file is deleted (after two minutes at the latest).
// Exit code 0, or 1 when the file cannot be opened.
#include <windows.h>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    HANDLE file = ::CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const std::string held = std::string(argv[1]) + ".held";
    HANDLE mark = ::CreateFileA(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(mark);
    for (int i = 0; i < 2400 && ::GetFileAttributesA(held.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(50);
    ::CloseHandle(file);
    return 0;
}
