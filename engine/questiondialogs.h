#pragma once
// The questions and notices of the installation. The copy asks them when a
// file cannot simply be copied and shows them on fatal problems; the
// install sequence shows the error exit. Each dialog only collects an answer:
// DoModal returns the id of the button that ended it and the caller decides.
// The copy thread shows them on its own thread without a parent window.
//
// Notices without a class of their own are shown as a plain CDialog on their
// template: IDD_NO_TEMP_FILE (155), IDD_NO_MEMORY (156), IDD_DISK_FULL (157)
// and IDD_FILE_TYPE_MISMATCH (165), each with one "OK" button.
#include <windows.h>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "resources/dialogs/answers.h"
#include "resources/dialogs/diskfull.h"
#include "resources/dialogs/filetype.h"
#include "resources/dialogs/nomemory.h"
#include "resources/dialogs/notempfile.h"

// Base of the questions: a push button ends the dialog with its own id; texts
// grow to the height their wrapped text needs, moving what lies below.
class CQuestionDialog : public CDialog {
public:
    using CDialog::CDialog;

protected:
    // Call last from a derived OnInitDialog, after the texts are filled in:
    // fits the texts and puts the focus on the default button (then FALSE).
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    // Enter where no button answers "OK" (no IDOK, no default button) does nothing.
    void OnOK() override;
    // A push button other than IDOK and IDCANCEL was pressed.
    virtual void OnAnswer(int id) { EndDialog(id); }

    // Writes the control's template text back with its placeholders filled.
    static void FillTemplateText(CDialogItem& item, const std::vector<std::string>& args);

private:
    void FitTexts();
};

// A question whose one message control is filled with one argument.
class COneTextQuestionDialog : public CQuestionDialog {
protected:
    COneTextQuestionDialog(UINT templateId, int messageId, const std::string& argument, HWND parent);
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

private:
    int m_messageId;
    std::string m_strArgument;
    CDialogItem m_message;
};

// "%d 枚目のディスクに交換してください。" (no title bar): IDOK or IDCANCEL.
class CChangeDiskDialog : public COneTextQuestionDialog {
public:
    explicit CChangeDiskDialog(int nDisk, HWND parent = nullptr);
};

// "セットアップの中止": "中止(&X)" is IDCANCEL (also Escape and close), "再試行(&R)" IDOK.
class CQueryCancelDialog : public CQuestionDialog {
public:
    explicit CQueryCancelDialog(HWND parent = nullptr);
};

// The installation was broken off; both lines name the product. IDOK.
class CErrorExitDialog : public CQuestionDialog {
public:
    explicit CErrorExitDialog(HWND parent = nullptr);
    void SetProductName(const std::string& productName) { m_strProductName = productName; }

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

private:
    std::string m_strProductName;
    CDialogItem m_line1;
    CDialogItem m_line2;
};

// A source file is missing from the medium; shows the path. IDOK.
class CErrorNoExistSrcFileDialog : public CQuestionDialog {
public:
    explicit CErrorNoExistSrcFileDialog(const std::string& srcPath, HWND parent = nullptr);

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

private:
    std::string m_strSrcPath;
    CDialogItem m_path;
};

// A read-only destination: ID_ANSWER_YES, ID_ANSWER_NO or IDCANCEL. Its check
// box "次回からこのメッセージを出さない。" is shown and never read.
class CDetectReadonlyFileDialog : public COneTextQuestionDialog {
public:
    explicit CDetectReadonlyFileDialog(const std::string& destPath, HWND parent = nullptr);
};

// The destination file is in use: IDOK (retry), ID_ANSWER_IGNORE or IDCANCEL (abort).
class CQueryFileInUseDialog : public COneTextQuestionDialog {
public:
    explicit CQueryFileInUseDialog(const std::string& fileName, HWND parent = nullptr);
};

// A sharing violation on the destination file. IDOK.
class CErrorAccessViolationDialog : public COneTextQuestionDialog {
public:
    explicit CErrorAccessViolationDialog(const std::string& fileName, HWND parent = nullptr);
};

// The file exists in another directory too: IDOK (delete it and copy) or IDCANCEL.
class CQueryCannotDeleteCurrentDialog : public COneTextQuestionDialog {
public:
    explicit CQueryCannotDeleteCurrentDialog(const std::string& fileName, HWND parent = nullptr);
};

// A destination file cannot be written; the second line names its directory. IDOK ("中止").
class CFailWriteFileDialog : public CQuestionDialog {
public:
    explicit CFailWriteFileDialog(const std::string& destPath, HWND parent = nullptr);

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

private:
    std::string m_strDestPath;
    CDialogItem m_file;
    CDialogItem m_disk;
};

// A source file cannot be read; names the file and the source directory. IDOK ("中止").
class CFailReadFileDialog : public CQuestionDialog {
public:
    CFailReadFileDialog(const std::string& srcPath, const std::string& srcDir, HWND parent = nullptr);

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

private:
    std::string m_strSrcPath;
    std::string m_strSrcDir;
    CDialogItem m_file;
    CDialogItem m_disk;
};

// The two existing-file questions: the destination path is split at its last
// backslash (a character of its own, not the second byte of a double-byte
// character); the current file is the destination, the new file is the
// temporary file that the install call left beside it. Both are described
// by size and last-write time.
class CExistingFileDialog : public CQuestionDialog {
public:
    const std::string& GetFileName() const { return m_strFileName; }
    const std::string& GetDirectory() const { return m_strDirectory; }
    // Where the new version is looked for: directory + "\" + temporary name.
    std::string GetNewFilePath() const;

protected:
    CExistingFileDialog(UINT templateId, const std::string& tempName, const std::string& destPath,
                        HWND parent);
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

private:
    std::string m_strTempName;
    std::string m_strDestPath;
    std::string m_strFileName;
    std::string m_strDirectory;
    CDialogItem m_message;
    CDialogItem m_currentSize;
    CDialogItem m_currentDate;
    CDialogItem m_newSize;
    CDialogItem m_newDate;
};

// The file exists: ID_ANSWER_YES, ID_ANSWER_OVERWRITE_ALL, ID_ANSWER_NO, or
// ID_ANSWER_ABORT once CQueryCancelDialog confirmed "中止(&X)" (asked for
// "中止(&X)", Escape and close; "再試行(&R)" there keeps this question open).
class CQueryOverwriteDialog : public CExistingFileDialog {
public:
    CQueryOverwriteDialog(const std::string& tempName, const std::string& destPath,
                          HWND parent = nullptr);

protected:
    void OnAnswer(int id) override;
    void OnCancel() override;

private:
    void AskAbort();
};

// The file to copy is older than the one there: ID_ANSWER_YES,
// ID_ANSWER_OVERWRITE_ALL, ID_ANSWER_NO, ID_ANSWER_ABORT at once, or IDCANCEL
// for Escape and close (the file is skipped without a further question).
class CQuerySrcOldFileDialog : public CExistingFileDialog {
public:
    CQuerySrcOldFileDialog(const std::string& tempName, const std::string& destPath,
                           HWND parent = nullptr);
};
