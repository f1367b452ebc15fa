// The DDE client against a DDEML server of the test's own on another thread
// (what it receives, and its end), without any server, with callbacks that
// DDEML would deliver, and against the Program Manager service of Wine's
// shell.
#include "services/ddeclient.h"

#include <windows.h>
#include <objbase.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "paths/pathvars.h"
#include "tests/media/linkread.h"
#include "tests/win/profile/testutil.h"

namespace {

const char kService[] = "SetupTestServer";
const char kTopic[] = "Commands";

// A DDEML server on a thread of its own: it accepts conversations on its
// topic and records each execute's data, byte for byte.
class CTestServer {
public:
    CTestServer()
    {
        ::InitializeCriticalSection(&m_lock);
        m_ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        s_server = this;
        m_thread = ::CreateThread(nullptr, 0, &CTestServer::Main, this, 0, &m_threadId);
        ::WaitForSingleObject(m_ready, 10000);
    }
    ~CTestServer()
    {
        Stop();
        ::CloseHandle(m_ready);
        ::DeleteCriticalSection(&m_lock);
        s_server = nullptr;
    }
    CTestServer(const CTestServer&) = delete;
    CTestServer& operator=(const CTestServer&) = delete;

    // Ends the server's thread, which uninitialises its instance.
    void Stop()
    {
        if (!m_thread)
            return;
        ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        ::WaitForSingleObject(m_thread, 10000);
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    std::vector<std::string> Received() const
    {
        ::EnterCriticalSection(&m_lock);
        std::vector<std::string> copy = m_received;
        ::LeaveCriticalSection(&m_lock);
        return copy;
    }

private:
    static DWORD WINAPI Main(LPVOID param)
    {
        auto* self = static_cast<CTestServer*>(param);
        DWORD instance = 0;
        ::DdeInitializeA(&instance, &CTestServer::Callback, APPCLASS_STANDARD, 0);
        HSZ service = ::DdeCreateStringHandleA(instance, kService, CP_WINANSI);
        self->m_topic = ::DdeCreateStringHandleA(instance, kTopic, CP_WINANSI);
        ::DdeNameService(instance, service, nullptr, DNS_REGISTER);
        self->m_instance = instance;
        ::SetEvent(self->m_ready);
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageA(&msg);
        ::DdeNameService(instance, service, nullptr, DNS_UNREGISTER);
        ::DdeFreeStringHandle(instance, service);
        ::DdeFreeStringHandle(instance, self->m_topic);
        ::DdeUninitialize(instance);
        return 0;
    }
    static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ hsz1, HSZ, HDDEDATA data,
                                      ULONG_PTR, ULONG_PTR)
    {
        CTestServer* self = s_server;
        switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(
                static_cast<ULONG_PTR>(::DdeCmpStringHandles(hsz1, self->m_topic) == 0));
        case XTYP_EXECUTE: {
            const DWORD size = ::DdeGetData(data, nullptr, 0, 0);
            std::string bytes(size, '\0');
            if (size)
                ::DdeGetData(data, reinterpret_cast<BYTE*>(&bytes[0]), size, 0);
            ::EnterCriticalSection(&self->m_lock);
            self->m_received.push_back(bytes);
            ::LeaveCriticalSection(&self->m_lock);
            return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FACK));
        }
        default:
            return nullptr;
        }
    }

    static CTestServer* s_server;
    mutable CRITICAL_SECTION m_lock;
    HANDLE m_ready = nullptr;
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
    DWORD m_instance = 0;
    HSZ m_topic = nullptr;
    std::vector<std::string> m_received;
};

CTestServer* CTestServer::s_server = nullptr;

// Top-level windows of this process that can be seen (a message box would be one).
int VisibleWindowsOfThisProcess()
{
    struct Count {
        int n = 0;
        static BOOL CALLBACK Each(HWND hwnd, LPARAM param)
        {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd))
                ++reinterpret_cast<Count*>(param)->n;
            return TRUE;
        }
    } count;
    ::EnumWindows(&Count::Each, reinterpret_cast<LPARAM>(&count));
    return count.n;
}

}  // namespace

TEST(DDEClient, TheClientConstructedLastServesTheCallback)
{
    EXPECT_EQ(nullptr, CDDEClient::Current());
    {
        CDDEClient client;
        EXPECT_EQ(&client, CDDEClient::Current());
        EXPECT_NE(0u, client.GetInstance());
        CDDEClientConv conv;
        EXPECT_EQ(&client, conv.GetClient());
    }
    EXPECT_EQ(nullptr, CDDEClient::Current());
    // A conversation without a client connects to nothing.
    CDDEClientConv orphan;
    EXPECT_EQ(nullptr, orphan.Connect(kService, kTopic, nullptr));
}

TEST(DDEClient, WithoutAServerNothingConnectsAndCommandsFailQuietly)
{
    CDDEClient client;
    CDDEClientConv conv;
    EXPECT_EQ(nullptr, conv.Connect("SetupNoSuchService", "NoSuchTopic", nullptr));
    EXPECT_EQ(nullptr, conv.GetConversation());
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(nullptr, conv.Execute("[ExitProgman(1)]", 1000));
    EXPECT_EQ(nullptr, conv.Transact(nullptr, 0, nullptr, CF_TEXT, XTYP_EXECUTE, 1000, nullptr));
    EXPECT_LT(::GetTickCount() - start, 1500u);
    EXPECT_TRUE(conv.Disconnect());
    EXPECT_EQ(0, VisibleWindowsOfThisProcess());
}

TEST(DDEClient, ExecuteSendsTheCommandWithItsTerminatingNul)
{
    CTestServer server;
    CDDEClient client;
    {
        CDDEClientConv conv;
        const HCONV hconv = conv.Connect(kService, kTopic, nullptr);
        ASSERT_NE(nullptr, hconv);
        EXPECT_EQ(hconv, conv.GetConversation());
        EXPECT_TRUE(client.HasConversation(hconv));
        EXPECT_NE(nullptr, conv.Execute("[CreateGroup(\"アプリ\")]", 1000));
        EXPECT_NE(nullptr, conv.Execute("[AddItem(C:\\表示\\A.EXE,エディタ)]", 1000));
        // Disconnecting ends it for the client too.
        EXPECT_TRUE(conv.Disconnect());
        EXPECT_FALSE(client.HasConversation(hconv));
        EXPECT_EQ(nullptr, conv.GetConversation());
        EXPECT_TRUE(conv.Disconnect());
    }
    const std::vector<std::string> expected = {
        std::string("[CreateGroup(\"アプリ\")]") + '\0',
        std::string("[AddItem(C:\\表示\\A.EXE,エディタ)]") + '\0',
    };
    EXPECT_EQ(expected, server.Received());
}

TEST(DDEClient, ADisconnectFromTheServerSideEndsTheConversation)
{
    CTestServer server;
    CDDEClient client;
    CDDEClientConv conv;
    const HCONV hconv = conv.Connect(kService, kTopic, nullptr);
    ASSERT_NE(nullptr, hconv);
    // What DDEML delivers when the partner ends the conversation.
    EXPECT_EQ(nullptr, CDDEClient::Callback(XTYP_DISCONNECT, 0, hconv, nullptr, nullptr, nullptr,
                                            0, 0));
    EXPECT_FALSE(client.HasConversation(hconv));
    EXPECT_EQ(nullptr, conv.GetConversation());
    // Nothing is left to end: TRUE without asking DDEML, and commands
    // are refused at once.
    EXPECT_TRUE(conv.Disconnect());
    EXPECT_EQ(nullptr, conv.Execute("[ExitProgman(1)]", 1000));
    EXPECT_TRUE(server.Received().empty());
}

TEST(DDEClient, AServerThatGoesAwayLeavesCommandsFailingQuietly)
{
    CTestServer server;
    CDDEClient client;
    CDDEClientConv conv;
    ASSERT_NE(nullptr, conv.Connect(kService, kTopic, nullptr));
    server.Stop();
    MSG msg;
    for (int i = 0; i < 10; ++i) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(20);
    }
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(nullptr, conv.Execute("[ExitProgman(1)]", 1000));
    EXPECT_LT(::GetTickCount() - start, 1500u);
    conv.Disconnect();
    EXPECT_EQ(nullptr, conv.GetConversation());
    EXPECT_FALSE(client.HasConversation(nullptr));
    EXPECT_EQ(0, VisibleWindowsOfThisProcess());
}

TEST(DDEClient, CallbacksForAConversationItDoesNotKnowAreIgnored)
{
    CTestServer server;
    CDDEClient client;
    CDDEClientConv conv;
    const HCONV hconv = conv.Connect(kService, kTopic, nullptr);
    ASSERT_NE(nullptr, hconv);
    const HCONV stranger = reinterpret_cast<HCONV>(static_cast<ULONG_PTR>(0x5EC0DE));
    for (UINT type : {XTYP_DISCONNECT, XTYP_ADVDATA, XTYP_XACT_COMPLETE}) {
        SCOPED_TRACE(testing::Message() << "type " << std::hex << type);
        EXPECT_EQ(nullptr, CDDEClient::Callback(type, CF_TEXT, stranger, nullptr, nullptr, nullptr,
                                                0, 0));
    }
    EXPECT_TRUE(client.HasConversation(hconv));
    EXPECT_EQ(hconv, conv.GetConversation());
    EXPECT_NE(nullptr, conv.Execute("[ShowGroup(x,1)]", 1000));
    EXPECT_EQ(1u, server.Received().size());
}

TEST(DDEClient, AClientThatEndsFirstEndsItsConversations)
{
    CTestServer server;
    CDDEClientConv* conv = nullptr;
    {
        CDDEClient client;
        conv = new CDDEClientConv;
        ASSERT_NE(nullptr, conv->Connect(kService, kTopic, nullptr));
    }
    EXPECT_EQ(nullptr, conv->GetConversation());
    delete conv;
}

// Wine's shell answers the service "Progman" as the Program Manager would,
// with folders and links in the Start menu's programs folder.
TEST(DDEClient, WinesProgramManagerMakesStartMenuFoldersAndLinks)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    testutil::CTempDir dir("-進行");
    const std::string target = dir.File("表示.EXE");
    testutil::WriteBytes(target, "MZ");
    const std::string group = "グループ " + std::to_string(::GetCurrentProcessId());
    {
        CDDEClient client;
        CDDEClientConv conv;
        // The shell's desktop process registers the service when it starts.
        ::GetDesktopWindow();
        HCONV hconv = nullptr;
        for (int i = 0; i < 100 && !hconv; ++i) {
            hconv = conv.Connect("Progman", "Progman", nullptr);
            if (!hconv)
                ::Sleep(100);
        }
        ASSERT_NE(nullptr, hconv) << "no Program Manager service";
        EXPECT_NE(nullptr, conv.Execute(("[CreateGroup(\"" + group + "\")]").c_str(), 1000));
        EXPECT_NE(nullptr, conv.Execute(("[AddItem(" + target + ",エディタ)]").c_str(), 1000));
        EXPECT_EQ(static_cast<UINT>(DMLERR_NO_ERROR), client.GetLastDdeError());
        EXPECT_NE(nullptr, conv.Execute("[ExitProgman(1)]", 1000));
    }
    const std::string folder = GetProgramsDir() + "\\" + group;
    std::string linked;
    std::string description;
    EXPECT_TRUE(media::ReadShellLink(folder + "\\エディタ.lnk", linked, description));
    EXPECT_EQ(target, linked);
    EXPECT_EQ("エディタ", description);
    ::DeleteFileA((folder + "\\エディタ.lnk").c_str());
    ::RemoveDirectoryA(folder.c_str());
    ::CoUninitialize();
}
