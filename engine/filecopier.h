#pragma once
// Copying one file item, as the copy worker does it for each item in turn:
// the right medium, the destination found and its directories made, the
// file installed (and expanded) by the version installer, every conflict
// asked, and the file recorded for uninstallation. No windows and no
// messages here: the questions go through ICopyQuestions, the records
// through IUninstallLog.
#include <windows.h>
#include <string>

#include "engine/copygate.h"
#include "engine/copyquestions.h"
#include "engine/verinstall.h"
#include "script/items.h"
#include "services/uninstlog.h"

// The "全てを上書き(&A)" answers, remembered for the rest of the run: one for
// older sources, one for files of a different language or code page. Once
// set they stay set.
struct COverwriteAllFlags {
    bool m_bOlder = false;
    bool m_bDifferent = false;
};
// The flags of this process.
COverwriteAllFlags& ProcessOverwriteAllFlags();

enum class CopyOutcome {
    Abort,      // a fatal problem, or the user stopped the installation
    Ignored,    // the user chose to leave a file in use: counted, not recorded
    Finished,   // installed, or kept as it was at the user's word: counted and recorded
};

class CFileCopier {
public:
    CFileCopier(IVersionInstaller& installer, ICopyQuestions& questions, IUninstallLog& log,
                COverwriteAllFlags& overwriteAll, CCopyGate& gate);

    // Makes sure that the medium of the item is inserted; `currentDisk` is
    // the one believed inserted, and becomes the item's once its marker
    // file DISKn is found in "$SRCDIR$". False when the user aborted.
    bool EnsureDisk(const CFileItem& item, int& currentDisk);
    CopyOutcome CopyItem(const CFileItem& item);

    // Where a name lies in a directory: a temporary name that comes back
    // with a leading backslash, and a directory that ends in one (a drive
    // root), give a single separator.
    static std::string JoinPath(const std::string& dir, const std::string& name);

private:
    struct CItemCopy;
    enum class Step { CallAgain, Finish, Abort };
    enum class Located { Target, Ignored, Abort };

    // Asks at a safe point; false when the question could not be asked
    // (the copy is being torn down, or the dialog could not be shown).
    bool Ask(const CCopyQuestion& question, INT_PTR& answer);
    void Notify(const CCopyQuestion& notice);
    Located LocateTarget(CItemCopy& c);
    Step HandleResult(CItemCopy& c);
    Step ExistingFile(CItemCopy& c, CopyPrompt kind, bool& overwriteAll);
    Step Force(CItemCopy& c);
    void RemoveTempFile(CItemCopy& c);

    IVersionInstaller& m_installer;
    ICopyQuestions& m_questions;
    IUninstallLog& m_log;
    COverwriteAllFlags& m_overwriteAll;
    CCopyGate& m_gate;
};
