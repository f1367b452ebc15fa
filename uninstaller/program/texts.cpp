#include "uninstaller/program/texts.h"

#include "resources/uninstaller/strings.h"

namespace {

UINT KindText(StepKind kind)
{
    switch (kind) {
    case StepKind::UnregisterControl: return IDS_KIND_CONTROL;
    case StepKind::DeleteShortcut: return IDS_KIND_SHORTCUT;
    case StepKind::RemoveProgramFolder: return IDS_KIND_PROGRAM_FOLDER;
    case StepKind::DeleteProgramGroup: return IDS_KIND_GROUP;
    case StepKind::DeleteIniKey: return IDS_KIND_INI_KEY;
    case StepKind::DeleteIniSection: return IDS_KIND_INI_SECTION;
    case StepKind::DeleteIniFile: return IDS_KIND_INI_FILE;
    case StepKind::DeleteFile: return IDS_KIND_FILE;
    case StepKind::DeleteRegistration: return IDS_KIND_REGISTRATION;
    case StepKind::DeleteLog: return IDS_KIND_LOG;
    case StepKind::RemoveDirectory: return IDS_KIND_DIRECTORY;
    }
    return IDS_KIND_FILE;
}

UINT RefusalText(Refusal reason)
{
    switch (reason) {
    case Refusal::NotFullPath: return IDS_REFUSED_NOT_FULL_PATH;
    case Refusal::RootDirectory: return IDS_REFUSED_ROOT;
    case Refusal::WindowsDirectory: return IDS_REFUSED_WINDOWS_DIR;
    case Refusal::SystemDirectory: return IDS_REFUSED_SYSTEM_DIR;
    case Refusal::ShellFolder: return IDS_REFUSED_SHELL_FOLDER;
    case Refusal::SystemIniFile: return IDS_REFUSED_SYSTEM_INI;
    case Refusal::AmbiguousIniRecord: return IDS_REFUSED_AMBIGUOUS_INI;
    case Refusal::UninstallKeyItself: return IDS_REFUSED_UNINSTALL_KEY;
    case Refusal::NotBelowUninstallKey: return IDS_REFUSED_NOT_BELOW_KEY;
    case Refusal::NoProgramManager: return IDS_REFUSED_NO_PROGMAN;
    case Refusal::GroupNameUnsendable: return IDS_REFUSED_GROUP_NAME;
    }
    return IDS_REFUSED_NOT_FULL_PATH;
}

// user32's formatter, not the C library's: the C library's brings its whole
// printf engine into the program for two numbers.
std::string Number(const char* format, unsigned long value)
{
    char buffer[32];
    ::wsprintfA(buffer, format, value);
    return buffer;
}

std::string FailureText(const CStepResult& result)
{
    switch (result.m_failure) {
    case Failure::NotAControl: return LoadText(IDS_LEFT_NOT_A_CONTROL);
    case Failure::UnregisterFailed:
        return FillPlaceholders(LoadText(IDS_LEFT_UNREGISTER), {Number("%08lX", result.m_nError)});
    case Failure::NoProgramManager: return LoadText(IDS_LEFT_NO_PROGMAN);
    case Failure::CommandRefused: return LoadText(IDS_LEFT_PROGMAN_REFUSED);
    case Failure::NotAFile: return LoadText(IDS_LEFT_NOT_A_FILE);
    case Failure::NotADirectory: return LoadText(IDS_LEFT_NOT_A_DIRECTORY);
    case Failure::None:
    case Failure::SystemError:
        break;
    }
    return FillPlaceholders(LoadText(IDS_LEFT_ERROR), {Number("%lu", result.m_nError)});
}

std::string Target(StepKind kind, const std::string& target, const std::string& section,
                   const std::string& key)
{
    switch (kind) {
    case StepKind::DeleteIniKey:
        return target + " [" + section + "] " + key;
    case StepKind::DeleteIniSection:
        return target + " [" + section + "]";
    default:
        return target;
    }
}

}  // namespace

std::string LoadText(UINT id)
{
    char buffer[1024];
    const int n = ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string FillPlaceholders(const std::string& text, const std::vector<std::string>& args)
{
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // '%' (0x25) is never the second byte of a Shift-JIS character.
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < text.size() && std::string("0123456789.-+ #lh").find(text[j]) != std::string::npos)
            ++j;
        if (j >= text.size()) {
            out += text.substr(i);
            break;
        }
        if (next < args.size())
            out += args[next];
        ++next;
        i = j;
    }
    return out;
}

std::string DescribeStep(const CRemovalStep& step)
{
    return LoadText(KindText(step.m_kind)) + ": " +
           Target(step.m_kind, step.m_strTarget, step.m_strSection, step.m_strKey);
}

std::string DescribeLeftItem(const CLeftItem& item)
{
    std::string reason;
    switch (item.m_reason) {
    case LeftReason::AtRestart: reason = LoadText(IDS_LEFT_AT_RESTART); break;
    case LeftReason::NotEmpty: reason = LoadText(IDS_LEFT_NOT_EMPTY); break;
    case LeftReason::NotThisProduct: reason = LoadText(IDS_LEFT_OTHER_PRODUCT); break;
    case LeftReason::Failed: reason = FailureText(item.m_result); break;
    case LeftReason::Refused: reason = LoadText(RefusalText(item.m_refusal)); break;
    }
    // A refused record is shown as the log has it.
    const std::string target = item.m_reason == LeftReason::Refused
                                   ? item.m_strTarget
                                   : Target(item.m_kind, item.m_strTarget, item.m_strSection, item.m_strKey);
    return LoadText(KindText(item.m_kind)) + ": " + target + " (" + reason + ")";
}

std::string DescribeLogProblem(const std::string& logPath, const CLogReadResult& result)
{
    if (result.m_nLine > 0)
        return FillPlaceholders(LoadText(IDS_LOG_DAMAGED_AT), {logPath, std::to_string(result.m_nLine)});
    return FillPlaceholders(LoadText(IDS_LOG_DAMAGED), {logPath});
}
