#include "engine/filecopier.h"

#include <winver.h>
#include <algorithm>

#include "paths/fileutil.h"
#include "paths/mbcs.h"
#include "paths/pathvars.h"
#include "resources/dialogs/answers.h"

COverwriteAllFlags& ProcessOverwriteAllFlags()
{
    static COverwriteAllFlags flags;
    return flags;
}

// The paths of one item's copy, all expanded.
struct CFileCopier::CItemCopy {
    explicit CItemCopy(const CFileItem& i) : item(i) {}
    const CFileItem& item;
    std::string srcPath;
    std::string srcDir;
    std::string appDir;      // the directory the script names
    std::string curDir;      // where an existing copy lies ("" for none)
    std::string targetDir;   // where the file goes, as the version installer decided
    std::string targetPath;
    std::string temp;        // the new version's temporary name beside the target, if any
    DWORD flags = 0;         // install flags of the next call
    DWORD last = 0;          // result of the last call
};

CFileCopier::CFileCopier(IVersionInstaller& installer, ICopyQuestions& questions, IUninstallLog& log,
                         COverwriteAllFlags& overwriteAll, CCopyGate& gate)
    : m_installer(installer), m_questions(questions), m_log(log), m_overwriteAll(overwriteAll), m_gate(gate)
{
}

std::string CFileCopier::JoinPath(const std::string& dir, const std::string& name)
{
    size_t skip = 0;
    while (skip < name.size() && name[skip] == '\\')
        ++skip;
    const bool endsInSeparator = !dir.empty() && FindLastBackslash(dir) == dir.size() - 1;
    return dir + (endsInSeparator ? "" : "\\") + name.substr(skip);
}

bool CFileCopier::Ask(const CCopyQuestion& question, INT_PTR& answer)
{
    if (!m_gate.SafePoint())
        return false;
    answer = m_questions.Ask(question);
    // A question that cannot be shown must not be asked again and again.
    return answer != -1;
}

void CFileCopier::Notify(const CCopyQuestion& notice)
{
    if (m_gate.SafePoint())
        m_questions.Ask(notice);
}

bool CFileCopier::EnsureDisk(const CFileItem& item, int& currentDisk)
{
    if (item.m_nDisk == currentDisk)
        return true;
    CCopyQuestion change(CopyPrompt::ChangeDisk);
    change.disk = item.m_nDisk;
    for (;;) {
        INT_PTR answer = 0;
        if (!Ask(change, answer))
            return false;
        if (answer == IDCANCEL) {
            if (!Ask(CCopyQuestion(CopyPrompt::Cancel), answer) || answer == IDCANCEL)
                return false;
            continue;
        }
        if (answer != IDOK)
            continue;
        std::string marker = "$SRCDIR$\\DISK" + std::to_string(item.m_nDisk);
        ExpandPathVariables(marker);
        if (FileExists(marker)) {
            currentDisk = item.m_nDisk;
            return true;
        }
    }
}

// Shared files (those the script puts in the Windows or system directory
// itself) may already lie elsewhere; the version installer then decides
// where they go. The result bits are tested in the installer's own order.
CFileCopier::Located CFileCopier::LocateTarget(CItemCopy& c)
{
    const std::string& destDir = c.item.m_strDestDir;
    const DWORD shared =
        lstrcmpiA(destDir.c_str(), "$WinDir$") == 0 || lstrcmpiA(destDir.c_str(), "$SysDir$") == 0
            ? VFFF_ISSHAREDFILE
            : 0;
    for (;;) {
        std::string dest;
        const DWORD found =
            m_installer.FindFile(shared, c.item.m_strDestName, GetWindowsDir(), c.appDir, c.curDir, dest);
        if (found == 0 || (found & VFF_CURNEDEST)) {
            c.targetDir = dest.empty() ? c.appDir : dest;
            return Located::Target;
        }
        // VFF_BUFFTOOSMALL, and bits this program does not know.
        if (!(found & VFF_FILEINUSE) || (found & VFF_BUFFTOOSMALL)) {
            c.targetDir = c.appDir;
            return Located::Target;
        }
        CCopyQuestion inUse(CopyPrompt::FileInUse);
        inUse.fileName = c.item.m_strDestName;
        INT_PTR answer = 0;
        if (!Ask(inUse, answer) || answer == IDCANCEL)
            return Located::Abort;
        if (answer == ID_ANSWER_IGNORE)
            return Located::Ignored;
        // "再試行(&R)": look again.
    }
}

CopyOutcome CFileCopier::CopyItem(const CFileItem& item)
{
    CItemCopy c(item);
    c.srcPath = item.GetSourcePath();
    ExpandPathVariables(c.srcPath);
    if (!FileExists(c.srcPath)) {
        CCopyQuestion missing(CopyPrompt::NoSourceFile);
        missing.path = c.srcPath;
        Notify(missing);
        return CopyOutcome::Abort;
    }
    c.srcDir = item.GetSourceDirectory();
    ExpandPathVariables(c.srcDir);
    c.appDir = item.GetDestinationDirectory();
    ExpandPathVariables(c.appDir);

    switch (LocateTarget(c)) {
    case Located::Abort:
        return CopyOutcome::Abort;
    case Located::Ignored:
        return CopyOutcome::Ignored;
    case Located::Target:
        break;
    }
    // The file is recorded where it really goes: a shared file that the
    // script puts in the Windows directory may be installed in the system
    // directory, and an uninstaller told the script's path would delete a
    // file of that name that was there before, and leave the new one.
    c.targetPath = JoinPath(c.targetDir, item.m_strDestName);

    const bool recorded = (item.m_nFlags & 1) != 0;
    // A directory that cannot be made is reported by the install call below.
    CreateDirectoryTree(c.targetDir, nullptr, [&](const std::string& created) {
        if (recorded)
            m_log.LogCreatedDirectory(created);
    });

    for (;;) {
        if (!m_gate.SafePoint()) {
            RemoveTempFile(c);
            return CopyOutcome::Abort;
        }
        c.last = m_installer.InstallFile(c.flags, item.m_strSourceName, item.m_strDestName, c.srcDir,
                                         c.targetDir, c.curDir, c.temp);
        if (c.last == 0)
            break;
        const Step step = HandleResult(c);
        if (step == Step::Finish)
            break;
        if (step == Step::Abort) {
            RemoveTempFile(c);
            return CopyOutcome::Abort;
        }
    }

    // Finished, also when the user kept the file that was there: it belongs
    // to the installation now.
    if (recorded)
        m_log.LogDeleteFile(c.targetPath);
    RemoveTempFile(c);
    return CopyOutcome::Finished;
}

CFileCopier::Step CFileCopier::HandleResult(CItemCopy& c)
{
    const DWORD r = c.last;
    CCopyQuestion notice(CopyPrompt::NoTempFile);
    if (r & VIF_SRCOLD)
        return ExistingFile(c, CopyPrompt::SourceOlder, m_overwriteAll.m_bOlder);
    if (r & (VIF_DIFFLANG | VIF_DIFFCODEPG))
        return ExistingFile(c, CopyPrompt::Overwrite, m_overwriteAll.m_bDifferent);
    if (r & VIF_DIFFTYPE) {
        notice.kind = CopyPrompt::FileTypeMismatch;
    } else if (r & VIF_WRITEPROT) {
        CCopyQuestion readOnly(CopyPrompt::ReadOnly);
        readOnly.path = c.targetPath;
        INT_PTR answer = 0;
        if (!Ask(readOnly, answer))
            return Step::Abort;
        if (answer == ID_ANSWER_YES)
            return Force(c);
        if (answer != IDCANCEL)
            return Step::Finish;
        if (!Ask(CCopyQuestion(CopyPrompt::Cancel), answer) || answer == IDCANCEL)
            return Step::Abort;
        return Step::CallAgain;
    } else if (r & VIF_FILEINUSE) {
        return Step::Finish;
    } else if (r & VIF_OUTOFSPACE) {
        notice.kind = CopyPrompt::DiskFull;
    } else if (r & (VIF_ACCESSVIOLATION | VIF_SHARINGVIOLATION)) {
        notice.kind = CopyPrompt::AccessViolation;
        notice.fileName = c.item.m_strDestName;
    } else if (r & (VIF_CANNOTCREATE | VIF_CANNOTDELETE | VIF_CANNOTRENAME)) {
        notice.kind = CopyPrompt::NoTempFile;
    } else if (r & VIF_CANNOTDELETECUR) {
        CCopyQuestion elsewhere(CopyPrompt::CannotDeleteCurrent);
        elsewhere.fileName = c.item.m_strDestName;
        INT_PTR answer = 0;
        if (!Ask(elsewhere, answer) || answer != IDOK)
            return Step::Abort;
        c.flags = VIFF_FORCEINSTALL;
        return Step::CallAgain;
    } else if (r & VIF_OUTOFMEMORY) {
        notice.kind = CopyPrompt::NoMemory;
    } else if (r & VIF_CANNOTREADSRC) {
        notice.kind = CopyPrompt::FailRead;
        notice.path = c.srcPath;
        notice.directory = c.srcDir;
    } else if (r & VIF_CANNOTREADDST) {
        notice.kind = CopyPrompt::FailWrite;
        notice.path = c.targetPath;
    } else {
        // Only VIF_TEMPFILE, VIF_MISMATCH, VIF_BUFFTOOSMALL or the like: nothing to ask.
        return Step::Finish;
    }
    Notify(notice);
    return Step::Abort;
}

CFileCopier::Step CFileCopier::ExistingFile(CItemCopy& c, CopyPrompt kind, bool& overwriteAll)
{
    if (overwriteAll)
        return Force(c);
    CCopyQuestion question{kind};
    question.path = c.targetPath;
    question.tempName = c.temp.substr(std::min(c.temp.find_first_not_of('\\'), c.temp.size()));
    INT_PTR answer = 0;
    if (!Ask(question, answer) || answer == ID_ANSWER_ABORT)
        return Step::Abort;
    if (answer == ID_ANSWER_OVERWRITE_ALL) {
        overwriteAll = true;
        return Force(c);
    }
    if (answer == ID_ANSWER_YES)
        return Force(c);
    // "いいえ(&N)", or the older-source question closed: keep the file there.
    return Step::Finish;
}

CFileCopier::Step CFileCopier::Force(CItemCopy& c)
{
    const DWORD attributes = ::GetFileAttributesA(c.targetPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesA(c.targetPath.c_str(),
                             attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
    if (!::DeleteFileA(c.targetPath.c_str())) {
        Notify(CCopyQuestion(CopyPrompt::NoTempFile));
        return Step::Abort;
    }
    if ((c.last & VIF_TEMPFILE) && !c.temp.empty()) {
        // The new version already lies beside the old one: it takes its place.
        ::MoveFileA(JoinPath(c.targetDir, c.temp).c_str(), c.targetPath.c_str());
        c.temp.clear();
        c.last &= ~static_cast<DWORD>(VIF_TEMPFILE);
        return Step::Finish;
    }
    c.flags = VIFF_FORCEINSTALL;
    return Step::CallAgain;
}

// The temporary copy is the installer's own: it never stays behind, neither
// when the user keeps the old file nor when the copy aborts.
void CFileCopier::RemoveTempFile(CItemCopy& c)
{
    if ((c.last & VIF_TEMPFILE) && !c.temp.empty())
        ::DeleteFileA(JoinPath(c.targetDir, c.temp).c_str());
    c.temp.clear();
}
