#pragma once
// What the uninstaller tells the user at the end: every item it did not
// remove (for a reason the user should know) and whether some go at the
// next restart. Items the user chose to keep, and items already gone, are
// not listed. No Windows API.
#include <string>
#include <vector>

#include "uninstaller/outcome.h"
#include "uninstaller/removalplan.h"

enum class LeftReason {
    AtRestart,        // deleted when Windows starts the next time
    NotEmpty,         // a directory the installation made holds other things now
    NotThisProduct,   // the registration belongs to another installation
    Failed,           // m_result says why
    Refused,          // the log's record was not acted on: m_refusal says why
};

struct CLeftItem {
    StepKind m_kind = StepKind::DeleteFile;
    std::string m_strTarget;       // path, group name, key path or the record as it stands
    std::string m_strSection;      // INI items
    std::string m_strKey;
    LeftReason m_reason = LeftReason::Failed;
    CStepResult m_result;
    Refusal m_refusal = Refusal::NotFullPath;
};

struct CRemovalSummary {
    std::vector<CLeftItem> m_left;   // the steps in their order, then the refused records
    bool m_bRestart = false;         // something is deleted at the next restart
    // Something is left that the user should remove or look after.
    bool HasProblems() const;
};

// results: one per step of the plan, in the same order.
CRemovalSummary SummariseRemoval(const CRemovalPlan& plan, const std::vector<CStepResult>& results);
