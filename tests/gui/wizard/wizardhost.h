#pragma once
// The wizard host's own window: it stands where setup's view stands, owns
// the wizard, and shows the current "$UserName$".
#define IDD_WIZARD_HOST         9400
#define IDC_HOST_USERNAME       9401
