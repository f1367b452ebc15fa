#pragma once
// The directory browser: the old-style open-file dialog on template 134,
// used to pick a directory. It opens in the nearest existing directory of
// the one it is given; OK accepts the path in its path edit when that names
// a directory, and otherwise asks whether to create it (the last component
// only). The common dialog's own file-name check never runs.
#include <windows.h>
#include <string>

#include "framework/filedialog.h"

class CBrowseDialog : public CFileDialog {
public:
    CBrowseDialog(const std::string& initialDir, HWND parent);

    // After IDOK: the directory chosen.
    std::string GetPath() const { return m_strPath; }

    // The directory a browser opens in: `dir` cut at its last backslash until
    // it names an existing directory or holds no backslash ("" stays "").
    static std::string StartDirectory(const std::string& dir);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::string m_strPath;
    std::string m_strStartDir;
    char m_szDefExt[4] = "*.*";
};
