// Prints each shell link named on the command line as one line:
// <link path><TAB><target><TAB><description>, or <link path><TAB><not a link>.
// Output is ANSI (code page 932 under the tests' locale).
#include <cstdio>

#include "tests/media/linkread.h"

int main(int argc, char** argv)
{
    ::CoInitialize(nullptr);
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        std::string target;
        std::string description;
        if (media::ReadShellLink(argv[i], target, description)) {
            std::printf("%s\t%s\t%s\n", argv[i], target.c_str(), description.c_str());
        } else {
            std::printf("%s\t<not a link>\n", argv[i]);
            failed = 1;
        }
    }
    ::CoUninitialize();
    return failed;
}
