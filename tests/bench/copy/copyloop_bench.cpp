// The floor of an installation's copy: the bare loop of the system's copy
// call, VerFindFileA then VerInstallFileA for each file of a generated
// medium, with nothing else around it (no window, no progress, no log).
// tools/bench-install sets the installer's time against it.
//
//   copyloop_bench MEDIUM COUNT INSTALLDIR
//
// MEDIUM holds F000000.TX_ … (COUNT files, compressed); they are installed as
// F000000.TXT … into INSTALLDIR\D0000, \D0001, … (100 files a directory, as
// copy_bench and the benchmark's NSIS script place them). Prints the seconds.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: copyloop_bench MEDIUM COUNT INSTALLDIR\n");
        return 2;
    }
    const std::string medium = argv[1];
    const int count = std::atoi(argv[2]);
    const std::string installDir = argv[3];
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    ::CreateDirectoryA(installDir.c_str(), nullptr);
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        char source[16], dest[16], dir[16];
        std::snprintf(source, sizeof source, "F%06d.TX_", i);
        std::snprintf(dest, sizeof dest, "F%06d.TXT", i);
        std::snprintf(dir, sizeof dir, "%s%04d", "D", i / 100);
        std::string destDir = installDir + "\\" + dir;
        if (i % 100 == 0)
            ::CreateDirectoryA(destDir.c_str(), nullptr);
        char curDir[MAX_PATH], foundDir[MAX_PATH];
        UINT curLength = sizeof curDir, foundLength = sizeof foundDir;
        ::VerFindFileA(0, dest, nullptr, &destDir[0], curDir, &curLength, foundDir, &foundLength);
        char temp[MAX_PATH];
        UINT tempLength = sizeof temp;
        const DWORD r = ::VerInstallFileA(VIFF_FORCEINSTALL, source, dest, const_cast<char*>(medium.c_str()),
                                          &destDir[0], curDir, temp, &tempLength);
        if (r != 0)   // 0: installed, nothing left behind
            ++failed;
    }
    ::QueryPerformanceCounter(&end);
    std::printf("%.3f %d\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart), failed);
    return failed ? 1 : 0;
}
