#include "engine/questiondialogs.h"

#include <algorithm>

#include "engine/dialogtext.h"
#include "platform/handles.h"
#include "paths/mbcs.h"
#include "resources/dialogs/accessviolation.h"
#include "resources/dialogs/cannotdeletecurrent.h"
#include "resources/dialogs/changedisk.h"
#include "resources/dialogs/errorexit.h"
#include "resources/dialogs/failread.h"
#include "resources/dialogs/failwrite.h"
#include "resources/dialogs/fileinuse.h"
#include "resources/dialogs/nosrcfile.h"
#include "resources/dialogs/overwrite.h"
#include "resources/dialogs/querycancel.h"
#include "resources/dialogs/readonlyfile.h"
#include "resources/dialogs/srcoldfile.h"

namespace {
bool HasClass(HWND control, const char* className)
{
    char cls[16] = "";
    ::GetClassNameA(control, cls, sizeof cls);
    return lstrcmpiA(cls, className) == 0;
}

bool IsPushButton(HWND control)
{
    if (!HasClass(control, "Button"))
        return false;
    const LONG_PTR type = ::GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// A wrapping text control: a static of the left, centred or right kind.
bool IsWrappingText(HWND control)
{
    if (!HasClass(control, "Static"))
        return false;
    const LONG_PTR type = ::GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
}

RECT RectInParent(HWND control, HWND parent)
{
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The height the control needs to show its whole text, wrapped at its width
// the way a static control draws it.
int NeededHeight(HWND control)
{
    const std::string text = GetWindowTextString(control);
    RECT client;
    ::GetClientRect(control, &client);
    UINT format = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
    if (::GetWindowLongPtrA(control, GWL_STYLE) & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    RECT need = {0, 0, client.right, 0};
    HDC dc = ::GetDC(control);
    {
        CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &need, format);
    }
    ::ReleaseDC(control, dc);
    return need.bottom;
}
}  // namespace

// ---- CQuestionDialog ----

BOOL CQuestionDialog::OnInitDialog()
{
    FitTexts();
    // The focus starts on the default button. Left to the system it goes to the
    // first button, which then answers Enter: in the older-source question
    // that would be "はい(&Y)" instead of the default "いいえ(&N)".
    LRESULT def = ::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0);
    HWND button = HIWORD(def) == DC_HASDEFID ? GetItem(LOWORD(def)) : nullptr;
    if (button && IsPushButton(button)) {
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
        return FALSE;
    }
    return TRUE;
}

bool CQuestionDialog::OnCommand(int id, int code, HWND control)
{
    if (id != IDOK && id != IDCANCEL && code == BN_CLICKED && control && IsPushButton(control)) {
        OnAnswer(id);
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CQuestionDialog::OnOK()
{
    // Without an OK button and without a default button the dialog manager
    // still sends IDOK for Enter; no answer of this question means that.
    if (GetItem(IDOK))
        CDialog::OnOK();
}

void CQuestionDialog::FillTemplateText(CDialogItem& item, const std::vector<std::string>& args)
{
    item.SetText(FormatTemplateText(item.GetText(), args));
}

// Paths and product names have any length, and fonts differ between systems:
// every text grows to the height its wrapped text needs, from the top down,
// and moves the controls below it and the dialog's bottom edge with it.
void CQuestionDialog::FitTexts()
{
    std::vector<HWND> texts;
    for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        if (IsWrappingText(c))
            texts.push_back(c);
    std::sort(texts.begin(), texts.end(), [this](HWND a, HWND b) {
        return RectInParent(a, m_hWnd).top < RectInParent(b, m_hWnd).top;
    });
    int grownTotal = 0;
    for (HWND text : texts) {
        RECT r = RectInParent(text, m_hWnd);
        int grow = NeededHeight(text) - (r.bottom - r.top);
        if (grow <= 0)
            continue;
        ::SetWindowPos(text, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + grow,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            RECT cr = RectInParent(c, m_hWnd);
            if (c != text && cr.top >= r.bottom)
                ::SetWindowPos(c, nullptr, cr.left, cr.top + grow, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        grownTotal += grow;
    }
    if (grownTotal > 0) {
        RECT w;
        ::GetWindowRect(m_hWnd, &w);
        int top = std::max(0L, w.top - grownTotal / 2);
        ::SetWindowPos(m_hWnd, nullptr, w.left, top, w.right - w.left, w.bottom - w.top + grownTotal,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

COneTextQuestionDialog::COneTextQuestionDialog(UINT templateId, int messageId,
                                               const std::string& argument, HWND parent)
    : CQuestionDialog(templateId, parent), m_messageId(messageId), m_strArgument(argument)
{
}

void COneTextQuestionDialog::DoDataExchange()
{
    Bind(m_message, m_messageId);
}

BOOL COneTextQuestionDialog::OnInitDialog()
{
    FillTemplateText(m_message, {m_strArgument});
    return CQuestionDialog::OnInitDialog();
}

// ---- the dialogs ----

CChangeDiskDialog::CChangeDiskDialog(int nDisk, HWND parent)
    : COneTextQuestionDialog(IDD_CHANGE_DISK, IDC_CHANGE_DISK_MESSAGE, std::to_string(nDisk), parent)
{
}

CQueryCancelDialog::CQueryCancelDialog(HWND parent) : CQuestionDialog(IDD_QUERY_CANCEL, parent) {}

CErrorExitDialog::CErrorExitDialog(HWND parent) : CQuestionDialog(IDD_ERROR_EXIT, parent) {}

void CErrorExitDialog::DoDataExchange()
{
    Bind(m_line1, IDC_ERROR_EXIT_LINE1);
    Bind(m_line2, IDC_ERROR_EXIT_LINE2);
}

BOOL CErrorExitDialog::OnInitDialog()
{
    FillTemplateText(m_line1, {m_strProductName});
    FillTemplateText(m_line2, {m_strProductName});
    return CQuestionDialog::OnInitDialog();
}

CErrorNoExistSrcFileDialog::CErrorNoExistSrcFileDialog(const std::string& srcPath, HWND parent)
    : CQuestionDialog(IDD_NO_SRC_FILE, parent), m_strSrcPath(srcPath)
{
}

void CErrorNoExistSrcFileDialog::DoDataExchange()
{
    Bind(m_path, IDC_NO_SRC_FILE_PATH);
}

BOOL CErrorNoExistSrcFileDialog::OnInitDialog()
{
    m_path.SetText(m_strSrcPath);
    return CQuestionDialog::OnInitDialog();
}

CDetectReadonlyFileDialog::CDetectReadonlyFileDialog(const std::string& destPath, HWND parent)
    : COneTextQuestionDialog(IDD_READONLY_FILE, IDC_READONLY_FILE_MESSAGE, destPath, parent)
{
}

CQueryFileInUseDialog::CQueryFileInUseDialog(const std::string& fileName, HWND parent)
    : COneTextQuestionDialog(IDD_FILE_IN_USE, IDC_FILE_IN_USE_MESSAGE, fileName, parent)
{
}

CErrorAccessViolationDialog::CErrorAccessViolationDialog(const std::string& fileName, HWND parent)
    : COneTextQuestionDialog(IDD_ACCESS_VIOLATION, IDC_ACCESS_VIOLATION_MESSAGE, fileName, parent)
{
}

CQueryCannotDeleteCurrentDialog::CQueryCannotDeleteCurrentDialog(const std::string& fileName, HWND parent)
    : COneTextQuestionDialog(IDD_CANNOT_DELETE_CURRENT, IDC_CANNOT_DELETE_CURRENT_MESSAGE, fileName, parent)
{
}

CFailWriteFileDialog::CFailWriteFileDialog(const std::string& destPath, HWND parent)
    : CQuestionDialog(IDD_FAIL_WRITE, parent), m_strDestPath(destPath)
{
}

void CFailWriteFileDialog::DoDataExchange()
{
    Bind(m_file, IDC_FAIL_WRITE_FILE);
    Bind(m_disk, IDC_FAIL_WRITE_DISK);
}

BOOL CFailWriteFileDialog::OnInitDialog()
{
    FillTemplateText(m_file, {m_strDestPath});
    // The line asks to check the destination; the dialog knows only the file's
    // path, so it names the directory the file was to be written to.
    size_t slash = FindLastBackslash(m_strDestPath);
    FillTemplateText(m_disk, {slash == std::string::npos ? m_strDestPath : m_strDestPath.substr(0, slash)});
    return CQuestionDialog::OnInitDialog();
}

CFailReadFileDialog::CFailReadFileDialog(const std::string& srcPath, const std::string& srcDir,
                                         HWND parent)
    : CQuestionDialog(IDD_FAIL_READ, parent), m_strSrcPath(srcPath), m_strSrcDir(srcDir)
{
}

void CFailReadFileDialog::DoDataExchange()
{
    Bind(m_file, IDC_FAIL_READ_FILE);
    Bind(m_disk, IDC_FAIL_READ_DISK);
}

BOOL CFailReadFileDialog::OnInitDialog()
{
    FillTemplateText(m_file, {m_strSrcPath});
    FillTemplateText(m_disk, {m_strSrcDir});
    return CQuestionDialog::OnInitDialog();
}

// ---- existing-file questions ----

CExistingFileDialog::CExistingFileDialog(UINT templateId, const std::string& tempName,
                                         const std::string& destPath, HWND parent)
    : CQuestionDialog(templateId, parent), m_strTempName(tempName), m_strDestPath(destPath)
{
    size_t slash = FindLastBackslash(destPath);
    if (slash == std::string::npos) {
        m_strFileName = destPath;
    } else {
        m_strDirectory = destPath.substr(0, slash);
        m_strFileName = destPath.substr(slash + 1);
    }
}

std::string CExistingFileDialog::GetNewFilePath() const
{
    // Some systems hand the temporary name back with a leading backslash.
    std::string name = m_strTempName;
    if (!name.empty() && name[0] == '\\')
        name.erase(0, 1);
    // A destination without a directory: the new file lies beside it all the same.
    if (m_strFileName == m_strDestPath)
        return name;
    return m_strDirectory + "\\" + name;
}

void CExistingFileDialog::DoDataExchange()
{
    Bind(m_message, IDC_EXISTING_FILE_MESSAGE);
    Bind(m_currentSize, IDC_EXISTING_CURRENT_SIZE);
    Bind(m_currentDate, IDC_EXISTING_CURRENT_DATE);
    Bind(m_newSize, IDC_EXISTING_NEW_SIZE);
    Bind(m_newDate, IDC_EXISTING_NEW_DATE);
}

BOOL CExistingFileDialog::OnInitDialog()
{
    FillTemplateText(m_message, {m_strFileName});
    struct {
        std::string path;
        CDialogItem& size;
        CDialogItem& date;
    } files[] = {{m_strDestPath, m_currentSize, m_currentDate},
                 {GetNewFilePath(), m_newSize, m_newDate}};
    for (auto& f : files) {
        std::string size, date;
        if (DescribeFile(f.path, f.size.GetText(), f.date.GetText(), size, date)) {
            f.size.SetText(size);
            f.date.SetText(date);
        }
    }
    return CQuestionDialog::OnInitDialog();
}

CQueryOverwriteDialog::CQueryOverwriteDialog(const std::string& tempName, const std::string& destPath,
                                             HWND parent)
    : CExistingFileDialog(IDD_QUERY_OVERWRITE, tempName, destPath, parent)
{
}

void CQueryOverwriteDialog::OnAnswer(int id)
{
    if (id == ID_ANSWER_ABORT)
        AskAbort();
    else
        CExistingFileDialog::OnAnswer(id);
}

void CQueryOverwriteDialog::OnCancel()
{
    AskAbort();
}

// Aborting the installation is confirmed first; "再試行(&R)" returns to this question.
void CQueryOverwriteDialog::AskAbort()
{
    CQueryCancelDialog confirm(m_hWnd);
    if (confirm.DoModal() == IDCANCEL)
        EndDialog(ID_ANSWER_ABORT);
}

CQuerySrcOldFileDialog::CQuerySrcOldFileDialog(const std::string& tempName,
                                               const std::string& destPath, HWND parent)
    : CExistingFileDialog(IDD_QUERY_SRC_OLD_FILE, tempName, destPath, parent)
{
}
