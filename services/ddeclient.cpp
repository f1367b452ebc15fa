#include "services/ddeclient.h"

namespace {
// The client that DDEML's callback serves: the one constructed last.
CDDEClient* g_pCurrentClient = nullptr;
}  // namespace

CDDEClient::CDDEClient()
{
    g_pCurrentClient = this;
    Initialize();
}

CDDEClient::~CDDEClient()
{
    Uninitialize();
    if (g_pCurrentClient == this)
        g_pCurrentClient = nullptr;
}

CDDEClient* CDDEClient::Current()
{
    return g_pCurrentClient;
}

UINT CDDEClient::Initialize()
{
    // A second instance would leave the first one initialised for good.
    if (m_dwInstance)
        return DMLERR_NO_ERROR;
    return ::DdeInitializeA(&m_dwInstance, &CDDEClient::Callback, 0, 0);
}

BOOL CDDEClient::Uninitialize()
{
    if (!m_dwInstance)
        return TRUE;
    // Conversations still open end with the instance; their objects then
    // hold nothing that the dead instance would have to free.
    while (!m_conversations.empty())
        m_conversations.begin()->second->Disconnect();
    const BOOL result = ::DdeUninitialize(m_dwInstance);
    m_dwInstance = 0;
    return result;
}

void CDDEClient::OnRegister(HSZ, HSZ) {}

void CDDEClient::OnUnregister(HSZ, HSZ) {}

UINT CDDEClient::GetLastDdeError() const
{
    return ::DdeGetLastError(m_dwInstance);
}

HSZ CDDEClient::CreateStringHandle(const char* text, int codePage) const
{
    return ::DdeCreateStringHandleA(m_dwInstance, text, codePage);
}

HDDEDATA CDDEClient::CreateDataHandle(const void* bytes, DWORD size, DWORD offset, HSZ item,
                                      UINT format, UINT flags) const
{
    // DDEML copies the bytes; it only takes them as writable.
    return ::DdeCreateDataHandle(m_dwInstance, static_cast<BYTE*>(const_cast<void*>(bytes)), size,
                                 offset, item, format, flags);
}

BOOL CDDEClient::FreeStringHandle(HSZ handle) const
{
    return ::DdeFreeStringHandle(m_dwInstance, handle);
}

bool CDDEClient::HasConversation(HCONV conversation) const
{
    return Find(conversation) != nullptr;
}

void CDDEClient::Enter(HCONV conversation, CDDEClientConv* conv)
{
    m_conversations[conversation] = conv;
}

void CDDEClient::Remove(HCONV conversation)
{
    m_conversations.erase(conversation);
}

CDDEClientConv* CDDEClient::Find(HCONV conversation) const
{
    const auto it = m_conversations.find(conversation);
    return it == m_conversations.end() ? nullptr : it->second;
}

HDDEDATA CALLBACK CDDEClient::Callback(UINT type, UINT /*format*/, HCONV conversation, HSZ hsz1,
                                       HSZ hsz2, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2)
{
    CDDEClient* client = g_pCurrentClient;
    if (!client)
        return nullptr;
    CDDEClientConv* conv = nullptr;
    if (conversation) {
        conv = client->Find(conversation);
        if (!conv)
            return nullptr;
    }
    // DDEML is C: no exception of a handler may pass through it.
    try {
        switch (type) {
        case XTYP_ADVDATA:
            return conv ? conv->OnAdvData(hsz1, hsz2, data) : nullptr;
        case XTYP_XACT_COMPLETE:
            if (conv)
                conv->OnXactComplete(hsz1, hsz2, data, data1, data2);
            break;
        case XTYP_REGISTER:
            client->OnRegister(hsz1, hsz2);
            break;
        case XTYP_DISCONNECT:
            if (conv)
                conv->OnDisconnect(static_cast<BOOL>(data2));
            break;
        case XTYP_UNREGISTER:
            client->OnUnregister(hsz1, hsz2);
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return nullptr;
}

CDDEClientConv::CDDEClientConv() : m_pClient(CDDEClient::Current()) {}

CDDEClientConv::~CDDEClientConv()
{
    Disconnect();
}

HCONV CDDEClientConv::Connect(const char* service, const char* topic, CONVCONTEXT* context)
{
    Disconnect();
    if (!m_pClient)
        return nullptr;
    const DWORD instance = m_pClient->GetInstance();
    m_hszTopic.Attach(instance, m_pClient->CreateStringHandle(topic, CP_WINANSI));
    m_hszService.Attach(instance, m_pClient->CreateStringHandle(service, CP_WINANSI));
    m_hConv = ::DdeConnect(instance, m_hszService.Get(), m_hszTopic.Get(), context);
    if (!m_hConv) {
        // Nobody answered: nothing to keep the names for.
        m_hszTopic.Free();
        m_hszService.Free();
        return nullptr;
    }
    m_pClient->Enter(m_hConv, this);
    return m_hConv;
}

BOOL CDDEClientConv::Disconnect()
{
    if (!m_hConv)
        return TRUE;
    const BOOL result = ::DdeDisconnect(m_hConv);
    Forget();
    return result;
}

HDDEDATA CDDEClientConv::Transact(HDDEDATA data, DWORD size, HSZ item, UINT format, UINT type,
                                  DWORD timeout, DWORD* result)
{
    return ::DdeClientTransaction(reinterpret_cast<BYTE*>(data), size, m_hConv, item, format, type,
                                  timeout, result);
}

HDDEDATA CDDEClientConv::Execute(const char* command, DWORD timeout)
{
    // Without a conversation DDEML would refuse the transaction anyway; no
    // data handle is made for it then.
    if (!m_hConv || !m_pClient)
        return nullptr;
    // An execute string ends with its NUL: servers read the command up to it
    // (DDEML converts it for a Unicode server, NUL included).
    const DWORD size = static_cast<DWORD>(::lstrlenA(command)) + 1;
    HDDEDATA data = m_pClient->CreateDataHandle(command, size, 0, nullptr, CF_TEXT, 0);
    if (!data)
        return nullptr;
    DWORD result = 0;
    // A size of 0xFFFFFFFF says that the data is a data handle, which the
    // transaction takes over.
    return Transact(data, 0xFFFFFFFF, nullptr, 0, XTYP_EXECUTE, timeout, &result);
}

HDDEDATA CDDEClientConv::OnAdvData(HSZ, HSZ, HDDEDATA)
{
    return nullptr;
}

void CDDEClientConv::OnDisconnect(BOOL /*sameInstance*/)
{
    Forget();
}

void CDDEClientConv::OnXactComplete(HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {}

void CDDEClientConv::Forget()
{
    m_hszTopic.Free();
    m_hszService.Free();
    if (m_pClient)
        m_pClient->Remove(m_hConv);
    m_hConv = nullptr;
}
