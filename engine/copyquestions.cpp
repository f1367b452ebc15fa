#include "engine/copyquestions.h"

#include "engine/questiondialogs.h"

INT_PTR CInteractiveCopyQuestions::Ask(const CCopyQuestion& q)
{
    switch (q.kind) {
    case CopyPrompt::ChangeDisk:
        return CChangeDiskDialog(q.disk, q.owner).DoModal();
    case CopyPrompt::Cancel:
        return CQueryCancelDialog(q.owner).DoModal();
    case CopyPrompt::SourceOlder:
        return CQuerySrcOldFileDialog(q.tempName, q.path, q.owner).DoModal();
    case CopyPrompt::Overwrite:
        return CQueryOverwriteDialog(q.tempName, q.path, q.owner).DoModal();
    case CopyPrompt::ReadOnly:
        return CDetectReadonlyFileDialog(q.path, q.owner).DoModal();
    case CopyPrompt::FileInUse:
        return CQueryFileInUseDialog(q.fileName, q.owner).DoModal();
    case CopyPrompt::CannotDeleteCurrent:
        return CQueryCannotDeleteCurrentDialog(q.fileName, q.owner).DoModal();
    case CopyPrompt::NoSourceFile:
        return CErrorNoExistSrcFileDialog(q.path, q.owner).DoModal();
    case CopyPrompt::FileTypeMismatch:
        return CDialog(IDD_FILE_TYPE_MISMATCH, q.owner).DoModal();
    case CopyPrompt::DiskFull:
        return CDialog(IDD_DISK_FULL, q.owner).DoModal();
    case CopyPrompt::AccessViolation:
        return CErrorAccessViolationDialog(q.fileName, q.owner).DoModal();
    case CopyPrompt::NoTempFile:
        return CDialog(IDD_NO_TEMP_FILE, q.owner).DoModal();
    case CopyPrompt::NoMemory:
        return CDialog(IDD_NO_MEMORY, q.owner).DoModal();
    case CopyPrompt::FailRead:
        return CFailReadFileDialog(q.path, q.directory, q.owner).DoModal();
    case CopyPrompt::FailWrite:
        return CFailWriteFileDialog(q.path, q.owner).DoModal();
    }
    return IDCANCEL;
}
