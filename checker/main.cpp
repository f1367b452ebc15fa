// checkinf: checks setup scripts the way the installer reads them.
//
//   checkinf [--werror] [--medium DIR] [--lang en|ja] SETUP.INF...
//
// Prints one line per finding, "file:line: error|warning: message", and
// exits with 1 when it found an error (or, with --werror, any finding), 2
// when a script cannot be read or the command line is wrong, 0 otherwise. A
// clean script prints nothing.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "hostio/codepage.h"
#include "checker/medium.h"
#include "checker/scriptcheck.h"
#include "hostio/scriptsource.h"

namespace {

const char kUsage[] =
    "usage: checkinf [--werror] [--medium DIR] [--lang en|ja] SETUP.INF...\n"
    "\n"
    "Checks setup scripts the way the installer reads them, and reports what it\n"
    "would skip, misread or silently take a default for.\n"
    "\n"
    "  --werror      warnings count as errors (exit code 1)\n"
    "  --medium DIR  also check the files on a medium laid out in DIR (DISK1\\, DISK2\\,\n"
    "                ..., or a single disk's root): every source file is there and\n"
    "                its declared size is the installed size\n"
    "  --lang en|ja  the language of the messages (default: the user's locale)\n"
    "  --help        this text\n"
    "\n"
    "Scripts may be code page 932 or UTF-8. Exit code: 0 clean, 1 errors found\n"
    "(or warnings with --werror), 2 a script could not be read or bad usage.\n";

int Usage(const char* problem)
{
    std::fprintf(stderr, "checkinf: %s\n%s", problem, kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    bool werror = false;
    std::string medium;
    Language language = HostPrefersJapanese() ? Language::Japanese : Language::English;
    std::vector<std::string> scripts;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--werror") {
            werror = true;
        } else if (arg == "--medium" && i + 1 < argc) {
            medium = argv[++i];
        } else if (arg == "--lang" && i + 1 < argc) {
            const std::string lang = argv[++i];
            if (lang != "en" && lang != "ja")
                return Usage("--lang takes en or ja");
            language = lang == "ja" ? Language::Japanese : Language::English;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Usage(("unknown option " + arg).c_str());
        } else {
            scripts.push_back(arg);
        }
    }
    if (scripts.empty())
        return Usage("no script given");

    bool failed = false;
    bool unreadable = false;
    for (const std::string& path : scripts) {
        std::string script;
        std::string problem;
        if (!ReadScriptSource(path, script, problem)) {
            std::fprintf(stderr, "%s: error: %s\n", path.c_str(), problem.c_str());
            unreadable = true;
            continue;
        }
        CDirectoryMedium directory(medium);
        for (const CFinding& finding : CheckScript(script, medium.empty() ? nullptr : &directory)) {
            const bool error = SeverityOf(finding.m_id) == Severity::Error;
            failed = failed || error || werror;
            const std::string where = finding.m_nLine > 0 ? path + ":" + std::to_string(finding.m_nLine) : path;
            const std::string text = ForConsole(FormatMessage(finding, language));
            std::printf("%s: %s: %s\n", where.c_str(), error ? "error" : "warning", text.c_str());
        }
    }
    return unreadable ? 2 : failed ? 1 : 0;
}
