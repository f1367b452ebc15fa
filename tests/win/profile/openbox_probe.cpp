// Test program for the real "Can not open <%s>!>" box: reads a value through
// a CReadonlyFileProfile and prints what it got, so that a test script can
// answer the boxes and check the outcome.
//   openbox_probe read FILE SECTION KEY  → "value=<...> sections=<n>"
//     (two reads: GetString, then GetSectionCount; each may ask)
//   openbox_probe setlength               → "setlength=<box result>"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include "profile/fileprofile.h"
#include "profile/memfile.h"

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "read") == 0) {
        CReadonlyFileProfile profile(argv[2]);
        profile.SetSection(argv[3]);
        const std::string value = profile.GetString(argv[4], "<default>");
        std::printf("value=%s\n", value.c_str());
        std::fflush(stdout);
        std::printf("sections=%d\n", profile.GetSectionCount());
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "setlength") == 0) {
        CAsyncMemFile file;
        file.Open("block", 0);
        std::printf("setlength=%d\n", file.SetLength(10));
        return 0;
    }
    std::fprintf(stderr, "usage: openbox_probe read FILE SECTION KEY | setlength\n");
    return 2;
}
