#pragma once
// The wizard's program folder page: the script's folder name in a field, and
// below it a list of that name and the program folders there are already
// (built once, when the page is first shown). Choosing a line puts it into
// the field; the field's text is the result. Next needs a name.
#include <string>

#include "framework/propsheet.h"
#include "wizard/programfolders.h"

class CFolderPage : public CPropertyPage {
public:
    CFolderPage();
    // Before the sheet is made: the proposed name and where existing folders are found.
    void SetFolderName(const std::string& name) { m_strFolderName = name; }
    void SetFolderStore(EProgramFolderStore store) { m_store = store; }
    const std::string& GetFolderName() const { return m_strFolderName; }

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void OnSelectionChange();
    void OnNameUpdate();

    CDialogItem m_name;
    CDialogItem m_list;
    std::string m_strFolderName;
    EProgramFolderStore m_store = EProgramFolderStore::None;
};
