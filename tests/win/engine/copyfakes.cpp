#include "tests/win/engine/copyfakes.h"

#include "tests/win/profile/testutil.h"

namespace copytest {

const char* PromptName(CopyPrompt kind)
{
    switch (kind) {
    case CopyPrompt::ChangeDisk: return "ChangeDisk";
    case CopyPrompt::Cancel: return "Cancel";
    case CopyPrompt::SourceOlder: return "SourceOlder";
    case CopyPrompt::Overwrite: return "Overwrite";
    case CopyPrompt::ReadOnly: return "ReadOnly";
    case CopyPrompt::FileInUse: return "FileInUse";
    case CopyPrompt::CannotDeleteCurrent: return "CannotDeleteCurrent";
    case CopyPrompt::NoSourceFile: return "NoSourceFile";
    case CopyPrompt::FileTypeMismatch: return "FileTypeMismatch";
    case CopyPrompt::DiskFull: return "DiskFull";
    case CopyPrompt::AccessViolation: return "AccessViolation";
    case CopyPrompt::NoTempFile: return "NoTempFile";
    case CopyPrompt::NoMemory: return "NoMemory";
    case CopyPrompt::FailRead: return "FailRead";
    case CopyPrompt::FailWrite: return "FailWrite";
    }
    return "?";
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    testutil::WriteBytes(path, bytes);
}

int CScriptedInstaller::InstallCalls() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_nInstallCalls;
}

DWORD CScriptedInstaller::FindFile(DWORD flags, const std::string& fileName, const std::string&,
                                   const std::string& appDir, std::string& curDir, std::string& destDir)
{
    CFindStep step;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_calls.push_back("find flags=" + std::to_string(flags) + " name=" + fileName + " app=" + appDir);
        if (!m_find.empty()) {
            step = m_find.front();
            m_find.pop_front();
        }
    }
    destDir = step.destDir.empty() ? appDir : step.destDir;
    curDir = step.curDir;
    return step.result;
}

DWORD CScriptedInstaller::InstallFile(DWORD flags, const std::string&, const std::string& destName,
                                      const std::string&, const std::string& destDir, const std::string&,
                                      std::string& tempFile)
{
    CInstallStep step;
    int call = 0;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        call = ++m_nInstallCalls;
        m_calls.push_back("install flags=" + std::to_string(flags) + " dest=" + destDir + " temp=" + tempFile);
        if (!m_install.empty()) {
            step = m_install.front();
            m_install.pop_front();
        }
    }
    if (m_onInstall)
        m_onInstall(call);
    if (step.result == 0) {
        WriteFileBytes(destDir + "\\" + destName, "new");
    } else if (step.result & VIF_TEMPFILE) {
        std::string name = step.temp;
        while (!name.empty() && name[0] == '\\')
            name.erase(0, 1);
        WriteFileBytes(destDir + "\\" + name, "new");
        tempFile = step.temp;
    }
    return step.result;
}

INT_PTR CScriptedQuestions::Ask(const CCopyQuestion& q)
{
    std::string line = PromptName(q.kind);
    if (q.disk)
        line += " disk=" + std::to_string(q.disk);
    if (!q.path.empty())
        line += " path=" + q.path;
    if (!q.tempName.empty())
        line += " temp=" + q.tempName;
    if (!q.fileName.empty())
        line += " file=" + q.fileName;
    if (!q.directory.empty())
        line += " dir=" + q.directory;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_asked.push_back(line);
        m_kinds.push_back(PromptName(q.kind));
    }
    if (m_onAsk)
        m_onAsk(q);
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_answers.empty())
        return IDCANCEL;
    const INT_PTR answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::vector<std::string> CScriptedQuestions::Asked() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_asked;
}

std::string CScriptedQuestions::Kinds() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::string kinds;
    for (const std::string& k : m_kinds)
        kinds += (kinds.empty() ? "" : ",") + k;
    return kinds;
}

std::vector<std::string> CRecordingLog::Records() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_records;
}

void CRecordingLog::Add(const std::string& line)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_records.push_back(line);
}

}  // namespace copytest
