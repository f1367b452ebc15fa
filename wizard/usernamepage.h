#pragma once
// The wizard's user-name page. The name typed is held as "$UserName$" at
// every change of the field. Lengths count bytes of the ANSI code page (a
// double-byte character counts two): with a minimum, Next is enabled only
// once the name has that many bytes; with a maximum, the field takes no more
// bytes than that, and never half a character. A minimum of 0 sets no button
// state at all: the buttons stay as the page before left them.
#include <string>

#include "framework/propsheet.h"

class CUserNamePage : public CPropertyPage {
public:
    CUserNamePage();
    // 0: no rule, no limit.
    void SetLengths(int minimum, int maximum);

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void OnNameUpdate();
    void Update();

    CDialogItem m_name;
    int m_nMinLength = 0;
    int m_nMaxLength = 0;
    // The name as last accepted: where an edit that went over the maximum goes back to.
    std::string m_strAccepted;
    bool m_bFitting = false;
};

// Whether a user name of this many bytes lets the wizard go on.
bool UserNameIsLongEnough(const std::string& name, int minimum);
