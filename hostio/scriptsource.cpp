#include "hostio/scriptsource.h"

#include <fstream>
#include <iterator>

#include "hostio/codepage.h"

bool ScriptSourceToCp932(const std::string& bytes, std::string& cp932, std::string& problem)
{
    const bool bom = bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    const std::string text = bom ? bytes.substr(3) : bytes;
    if (!bom && !LooksLikeUtf8(text)) {
        cp932 = text;   // already what the medium carries
        return true;
    }
    if (!Utf8ToCp932(text, cp932)) {
        problem = "the script is UTF-8 and holds characters that code page 932 does not have";
        return false;
    }
    return true;
}

bool ReadScriptSource(const std::string& path, std::string& cp932, std::string& problem)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = "cannot read the script";
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        problem = "cannot read the script";
        return false;
    }
    return ScriptSourceToCp932(bytes, cp932, problem);
}
