#pragma once
// The wizard's install option page: the script's options in script order,
// the first one selected, the selected one's description beside the list.
#include <string>

#include "framework/propsheet.h"
#include "script/setupdoc.h"

class CInstallOptionPage : public CPropertyPage {
public:
    CInstallOptionPage();
    // The document's options; the page does not own them. The first one is
    // selected until the user picks another.
    void SetOptions(const CItemList<COptionItem>* options);
    // The name of the option selected; "" when none is.
    const std::string& GetSelectedOption() const { return m_strSelectedOption; }

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void OnSelectionChange();

    CDialogItem m_description;
    CDialogItem m_list;
    const CItemList<COptionItem>* m_pOptions = nullptr;
    std::string m_strSelectedOption;
};
