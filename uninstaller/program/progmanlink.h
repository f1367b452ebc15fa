#pragma once
// The uninstaller's line to Program Manager on Windows NT 3.x: one DDE
// conversation (service and topic "Progman") on the thread that removes.
#include <memory>

#include "uninstaller/programmanager.h"

// Connects on the calling thread; null when Program Manager does not answer.
std::unique_ptr<IProgramManager> ConnectProgramManager();
