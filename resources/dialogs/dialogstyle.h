#pragma once
// The look shared by the questions and notices of the installation: modal,
// centred (the copy thread shows them without an owner window), brought to
// the front, and set in the Japanese UI font of the system.
#define SETUP_QUESTION_STYLE  DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION | WS_SYSMENU
// The pages of the wizard: child dialogs that the property sheet shows; the
// sheet takes each page's caption as its own while the page is shown.
#define SETUP_PAGE_STYLE      DS_3DLOOK | WS_CHILD | WS_DISABLED | WS_CAPTION
