// szddc DESTDIR FILE...: the vendor tools' compressor: compresses each FILE into DESTDIR under the name a
// medium gives it (FOO.DLL: FOO.DL_, as COMPRESS.EXE -r names it) and prints
// the name and both sizes. The vendor's build machine uses it to measure and
// make the files of a medium.
#include <cstdio>
#include <string>
#include <vector>

#include "compress/szdd.h"
#include "compress/szddfile.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: szddc DESTDIR FILE...\n");
        return 2;
    }
    const std::string destDir = argv[1];
    int failed = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string source = argv[i];
        const std::size_t slash = source.find_last_of("/\\");
        const CSzddName name = SzddNameFor(slash == std::string::npos ? source : source.substr(slash + 1));
        const std::string dest = destDir + "/" + name.m_strName;
        std::vector<uint8_t> data;
        std::vector<uint8_t> packed;
        if (!ReadWholeFile(source, data) || !SzddCompress(data.data(), data.size(), name.m_cLastChar, packed) ||
            !WriteWholeFile(dest, packed)) {
            std::fprintf(stderr, "szddc: cannot compress %s into %s\n", source.c_str(), dest.c_str());
            failed = 1;
            continue;
        }
        std::printf("%s %zu %zu\n", name.m_strName.c_str(), data.size(), packed.size());
    }
    return failed;
}
