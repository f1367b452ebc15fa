#pragma once
// The wizard's first page: it welcomes the user with the product's name. Back
// is disabled here; Next goes on.
#include <string>

#include "framework/propsheet.h"

class CWelcomePage : public CPropertyPage {
public:
    CWelcomePage();
    void SetProductName(const std::string& name) { m_strProductName = name; }

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

private:
    std::string m_strProductName;
    CDialogItem m_text;
};
