#include "uninstaller/program/progmanlink.h"

#include "services/ddeclient.h"

namespace {

class CDdeProgramManager : public IProgramManager {
public:
    bool Connect() { return m_conversation.Connect("Progman", "Progman", nullptr) != nullptr; }

    bool Execute(const std::string& command) override
    {
        // Program Manager answers a group command at once; a second is plenty.
        return m_conversation.Execute(command.c_str(), 1000) != nullptr;
    }

private:
    // The client first: a conversation is made through the current client,
    // and is disconnected before the client goes.
    CDDEClient m_client;
    CDDEClientConv m_conversation;
};

}  // namespace

std::unique_ptr<IProgramManager> ConnectProgramManager()
{
    auto link = std::make_unique<CDdeProgramManager>();
    if (!link->Connect())
        return nullptr;
    return link;
}
