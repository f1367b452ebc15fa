#include "uninstaller/summary.h"

bool CRemovalSummary::HasProblems() const
{
    for (const CLeftItem& item : m_left) {
        if (item.m_reason != LeftReason::AtRestart)
            return true;
    }
    return false;
}

CRemovalSummary SummariseRemoval(const CRemovalPlan& plan, const std::vector<CStepResult>& results)
{
    CRemovalSummary summary;
    for (std::size_t i = 0; i < plan.m_steps.size() && i < results.size(); ++i) {
        const CRemovalStep& step = plan.m_steps[i];
        const CStepResult& result = results[i];
        CLeftItem item;
        switch (result.m_outcome) {
        case Outcome::Done:
        case Outcome::NothingThere:
        case Outcome::Kept:
            continue;
        case Outcome::AtRestart:
            item.m_reason = LeftReason::AtRestart;
            summary.m_bRestart = true;
            break;
        case Outcome::NotEmpty:
            // A program folder is not the log's: it is removed only when the
            // shortcuts were all it held, and is no loss to the user otherwise.
            if (step.m_kind == StepKind::RemoveProgramFolder)
                continue;
            item.m_reason = LeftReason::NotEmpty;
            break;
        case Outcome::NotThisProduct:
            item.m_reason = LeftReason::NotThisProduct;
            break;
        case Outcome::Failed:
            item.m_reason = LeftReason::Failed;
            break;
        }
        item.m_kind = step.m_kind;
        item.m_strTarget = step.m_strTarget;
        item.m_strSection = step.m_strSection;
        item.m_strKey = step.m_strKey;
        item.m_result = result;
        summary.m_left.push_back(item);
    }
    for (const CRefusal& refusal : plan.m_refusals) {
        // The Windows uninstall key always stays; the product's values in it
        // are a step of their own, listed above when they could not go.
        if (refusal.m_reason == Refusal::UninstallKeyItself)
            continue;
        CLeftItem item;
        item.m_kind = refusal.m_kind;
        item.m_strTarget = refusal.m_strValue;
        item.m_reason = LeftReason::Refused;
        item.m_refusal = refusal.m_reason;
        summary.m_left.push_back(item);
    }
    return summary;
}
