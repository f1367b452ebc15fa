// makemedia: lays out the installation medium a setup script describes.
//
//   makemedia [options] SETUP.INF PRODUCT_DIR OUT_DIR
//
// Prints its findings as "file:line: error|warning: message" (notes without
// a line as they are), then what each disk holds and what the programs of
// disk 1 take. Exit code 0 when the medium was written, 1 when errors
// stopped it (nothing is written then), 2 on bad usage or an unreadable
// script.
#include <cstdio>
#include <string>
#include <vector>

#include "checker/scriptcheck.h"
#include "compress/szddfile.h"
#include "hostio/codepage.h"
#include "hostio/hostfs.h"
#include "hostio/scriptsource.h"
#include "media/output.h"
#include "media/plan.h"

namespace {

const char kUsage[] =
    "usage: makemedia [options] SETUP.INF PRODUCT_DIR OUT_DIR\n"
    "\n"
    "Lays out the installation medium that a setup script describes, as\n"
    "OUT_DIR/DISK1/, OUT_DIR/DISK2/, ...: each file line's source file from\n"
    "PRODUCT_DIR on its disk, in its source subdirectory, compressed when its\n"
    "source name ends in \"_\"; each disk's marker file DISKn; on disk 1 the\n"
    "launcher, _SETUP.EX_, SETUP.INF (code page 932, CR LF) and VMUNST10.EX_.\n"
    "Every disk is checked against the medium cluster by cluster, and the\n"
    "script checker's checks run on the script and the medium it writes.\n"
    "\n"
    "  --programs DIR       the built programs launcher.exe, setup.exe and\n"
    "                       VMUNST10.EXE: in DIR itself or in a build tree DIR\n"
    "                       (DIR/launcher/, DIR/app/, DIR/uninstaller/program/)\n"
    "  --launcher FILE      the launcher, --setup FILE the installer and\n"
    "                       --uninstaller FILE the uninstaller, each by itself\n"
    "  --launcher-name NAME the launcher's name on disk 1 (default SETUP.EXE)\n"
    "  --medium KIND        1.44M (default), 1.2M, 720K, cd650, or BYTES[/CLUSTER]:\n"
    "                       BYTES of file space in clusters of CLUSTER bytes (512)\n"
    "  --span               give the file lines disk numbers in script order so\n"
    "                       that every disk fits (the script on disk 1 has them)\n"
    "  --fix-sizes          write each file's real size into the script on disk 1\n"
    "  --images             also write each floppy as OUT_DIR/DISKn.IMG (FAT12;\n"
    "                       needs mtools)\n"
    "  --replace            replace an earlier medium in OUT_DIR (without it,\n"
    "                       OUT_DIR must be new or empty)\n"
    "  --werror             warnings stop the build too\n"
    "  --lang en|ja         the language of the messages (default: the locale)\n"
    "  --help               this text\n"
    "\n"
    "Scripts may be code page 932 or UTF-8. The product folder holds the files\n"
    "uncompressed, in the source subdirectories; a compressed file comes from\n"
    "the file of its destination name (or the one whose compressed name its\n"
    "source name is). Exit code: 0 written, 1 errors (nothing was written),\n"
    "2 bad usage or an unreadable script.\n";

int Usage(const std::string& problem)
{
    std::fprintf(stderr, "makemedia: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

struct CProgramPaths {
    std::string m_strLauncher, m_strSetup, m_strUninstaller;
};

// A program in DIR itself or where a build tree puts it.
std::string FindProgram(const std::string& dir, const char* name, const char* treeDir)
{
    const std::string flat = HostJoin(dir, name);
    if (HostKindOf(flat) == HostKind::File)
        return flat;
    std::string tree = dir;
    for (std::size_t begin = 0; begin < std::string(treeDir).size();) {
        const std::string rest = std::string(treeDir).substr(begin);
        const std::size_t slash = rest.find('/');
        tree = HostJoin(tree, rest.substr(0, slash));
        begin += slash == std::string::npos ? rest.size() : slash + 1;
    }
    return HostJoin(tree, name);
}

}  // namespace

int main(int argc, char** argv)
{
    bool japanese = HostPrefersJapanese();
    bool werror = false;
    CPlanOptions plan;
    COutputOptions output;
    std::string programsDir;
    CProgramPaths given;
    std::vector<std::string> positional;
    std::string medium = "1.44M";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--programs" && hasValue) {
            programsDir = argv[++i];
        } else if (arg == "--launcher" && hasValue) {
            given.m_strLauncher = argv[++i];
        } else if (arg == "--setup" && hasValue) {
            given.m_strSetup = argv[++i];
        } else if (arg == "--uninstaller" && hasValue) {
            given.m_strUninstaller = argv[++i];
        } else if (arg == "--launcher-name" && hasValue) {
            std::string name;
            if (!HostNameToCp932(argv[++i], name) || !IsValidFatName(name) || name.find('\\') != std::string::npos)
                return Usage("--launcher-name takes a file name");
            plan.m_strLauncherName = name;
        } else if (arg == "--medium" && hasValue) {
            medium = argv[++i];
        } else if (arg == "--span") {
            plan.m_bSpan = true;
        } else if (arg == "--fix-sizes") {
            plan.m_bFixSizes = true;
        } else if (arg == "--images") {
            output.m_bImages = true;
        } else if (arg == "--replace") {
            output.m_bReplace = true;
        } else if (arg == "--werror") {
            werror = true;
        } else if (arg == "--lang" && hasValue) {
            const std::string lang = argv[++i];
            if (lang != "en" && lang != "ja")
                return Usage("--lang takes en or ja");
            japanese = lang == "ja";
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Usage("unknown option " + arg + (hasValue ? "" : " (or its value is missing)"));
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3)
        return Usage("give SETUP.INF, PRODUCT_DIR and OUT_DIR");
    if (!ParseMediumKind(medium, plan.m_medium))
        return Usage("--medium takes " + std::string(MediumKindNames()) + ", not " + medium);
    const std::string& scriptPath = positional[0];
    const std::string& productDir = positional[1];
    const std::string& outDir = positional[2];

    const auto say = [&](const std::string& where, const CMediaFinding& finding) {
        const MediaSeverity severity = SeverityOf(finding.m_id);
        const std::string text = ForConsole(FormatMediaMessage(finding, japanese));
        if (severity == MediaSeverity::Note)
            std::printf("%s\n", text.c_str());
        else
            std::printf("%s: %s: %s\n", where.c_str(), severity == MediaSeverity::Error ? "error" : "warning",
                        text.c_str());
    };
    const auto sayAlone = [&](MediaMessageId id, std::vector<std::string> args) {
        CMediaFinding finding;
        finding.m_id = id;
        finding.m_args = std::move(args);
        say("makemedia", finding);
    };

    std::string script;
    std::string problem;
    if (!ReadScriptSource(scriptPath, script, problem)) {
        sayAlone(MediaMessageId::ScriptUnreadable, {problem});
        return 2;
    }
    if (HostKindOf(productDir) != HostKind::Directory) {
        sayAlone(MediaMessageId::ProductDirMissing, {productDir});
        return 2;
    }
    if (output.m_bImages && !plan.m_medium.m_pszFormat) {
        sayAlone(MediaMessageId::ImagesNeedFloppy, {plan.m_medium.m_strDescription});
        return 2;
    }
    if (output.m_bImages && !CanWriteFloppyImages()) {
        sayAlone(MediaMessageId::ImagesUnsupported, {});
        return 2;
    }

    CDiskOnePrograms programs;
    const struct {
        const char* m_pszWhat;
        std::string m_strPath;
        std::vector<uint8_t>* m_pData;
    } wanted[] = {
        {"launcher", !given.m_strLauncher.empty() ? given.m_strLauncher : FindProgram(programsDir, "launcher.exe", "launcher"),
         &programs.m_launcher},
        {"installer", !given.m_strSetup.empty() ? given.m_strSetup : FindProgram(programsDir, "setup.exe", "app"),
         &programs.m_setup},
        {"uninstaller",
         !given.m_strUninstaller.empty() ? given.m_strUninstaller
                                          : FindProgram(programsDir, "VMUNST10.EXE", "uninstaller/program"),
         &programs.m_uninstaller},
    };
    bool missing = false;
    for (const auto& program : wanted) {
        if (!ReadWholeFile(program.m_strPath, *program.m_pData)) {
            sayAlone(MediaMessageId::ProgramMissing, {program.m_pszWhat, program.m_strPath});
            missing = true;
        }
    }
    if (missing)
        return 2;

    CHostProductFolder product(productDir);
    const CMediaPlan media = PlanMedia(script, product, programs, plan);
    bool failed = media.HasErrors();
    bool warned = false;
    const auto where = [&](int line) { return line > 0 ? scriptPath + ":" + std::to_string(line) : scriptPath; };
    bool sizesDiffer = false;
    for (const CMediaFinding& finding : media.m_findings) {
        if (SeverityOf(finding.m_id) != MediaSeverity::Note || finding.m_nLine > 0)
            say(where(finding.m_nLine), finding);
        warned = warned || SeverityOf(finding.m_id) == MediaSeverity::Warning;
    }
    // The checker's findings on the script as the medium carries it, and on
    // the medium as planned.
    for (const CFinding& finding : CheckPlannedMedium(media)) {
        const bool error = ::SeverityOf(finding.m_id) == Severity::Error;
        failed = failed || error;
        warned = warned || !error;
        sizesDiffer = sizesDiffer || finding.m_id == MessageId::SizeDiffers;
        const std::string text = ForConsole(FormatMessage(finding, japanese ? Language::Japanese : Language::English));
        std::printf("%s: %s: %s\n", where(finding.m_nLine).c_str(), error ? "error" : "warning", text.c_str());
    }
    if (sizesDiffer)
        sayAlone(MediaMessageId::SizeFixHint, {});
    // The report: what each disk holds, what the programs of disk 1 take.
    for (const CMediaFinding& finding : media.m_findings) {
        if (SeverityOf(finding.m_id) == MediaSeverity::Note && finding.m_nLine == 0)
            say("", finding);
    }
    if (failed || (werror && warned)) {
        sayAlone(MediaMessageId::NotWritten, {});
        return 1;
    }
    std::vector<CMediaFinding> written;
    if (!WriteMedium(media, product, outDir, output, written)) {
        for (const CMediaFinding& finding : written)
            say("makemedia", finding);
        return 1;
    }
    sayAlone(MediaMessageId::Written, {outDir});
    return 0;
}
