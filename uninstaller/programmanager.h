#pragma once
// Program Manager, the shell of Windows NT 3.x, keeps its groups itself; the
// uninstaller asks it to delete one with a DDE execute command
// ("[DeleteGroup("name")]", service and topic "Progman").
#include <functional>
#include <memory>
#include <string>

class IProgramManager {
public:
    virtual ~IProgramManager() = default;
    // Sends one command; TRUE when Program Manager accepted it.
    virtual bool Execute(const std::string& command) = 0;
};

// Makes the conversation on the thread that removes (DDE wants every call on
// the thread that started it), at the first group; null when Program Manager
// does not answer.
using ProgramManagerFactory = std::function<std::unique_ptr<IProgramManager>()>;
