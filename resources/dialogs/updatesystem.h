#pragma once
// The notice shown while the system update runs (INI files, registry,
// controls, programs, program group). Its OK and Cancel buttons are hidden
// and do nothing: the update cannot be stopped.
#define IDD_UPDATE_SYSTEM       138
