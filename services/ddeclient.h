#pragma once
// A thin client of the Dynamic Data Exchange Management Library (DDEML).
// Setup uses it on Windows NT 3.x to send execute commands to the shell's
// Program Manager (service and topic "Progman"): CDDEClient owns the DDEML
// instance and routes DDEML's callbacks to the conversation objects, and
// CDDEClientConv is one conversation with a server.
//
// DDEML wants every call of an instance, and its callback, on the thread
// that initialised it: create the client and its conversations on the
// user-interface thread and use them only there. Nothing reports to the
// user; results are DDEML's own, and a conversation that could not be made
// simply stays unconnected (its transactions then fail inside DDEML).
#include <windows.h>
#include <ddeml.h>
#include <map>

#include "platform/handles.h"

class CDDEClientConv;

class CDDEClient {
public:
    // Becomes the current client (the one DDEML's callback serves), then
    // initialises its instance.
    CDDEClient();
    // Uninitialises the instance. The conversations are the caller's: delete
    // them first (each disconnects).
    virtual ~CDDEClient();
    CDDEClient(const CDDEClient&) = delete;
    CDDEClient& operator=(const CDDEClient&) = delete;

    // The client created last; null once it is gone.
    static CDDEClient* Current();

    // DdeInitializeA with standard client and server callbacks; its result.
    virtual UINT Initialize();
    // DdeUninitialize; its result.
    virtual BOOL Uninitialize();
    // A server registered or unregistered its service name. No effect here.
    virtual void OnRegister(HSZ service, HSZ instanceName);
    virtual void OnUnregister(HSZ service, HSZ instanceName);

    DWORD GetInstance() const { return m_dwInstance; }
    // DdeGetLastError of the instance, which also clears it.
    UINT GetLastDdeError() const;
    HSZ CreateStringHandle(const char* text, int codePage) const;
    HDDEDATA CreateDataHandle(const void* bytes, DWORD size, DWORD offset, HSZ item, UINT format,
                              UINT flags) const;
    BOOL FreeStringHandle(HSZ handle) const;

    // Whether a conversation handle is one of this client's connected ones.
    bool HasConversation(HCONV conversation) const;

    // DDEML's callback of every client, public so that what DDEML delivers
    // can be replayed. A call naming a conversation that the current client
    // does not know is ignored; the answer is 0 for everything but
    // XTYP_ADVDATA.
    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1,
                                      HSZ hsz2, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);

private:
    friend class CDDEClientConv;
    void Enter(HCONV conversation, CDDEClientConv* conv);
    void Remove(HCONV conversation);
    CDDEClientConv* Find(HCONV conversation) const;

    DWORD m_dwInstance = 0;
    // Connected conversations of this instance, not owned.
    std::map<HCONV, CDDEClientConv*> m_conversations;
};

// One conversation, made through the client that was current when the
// object was constructed.
class CDDEClientConv {
public:
    CDDEClientConv();
    // Disconnects.
    virtual ~CDDEClientConv();
    CDDEClientConv(const CDDEClientConv&) = delete;
    CDDEClientConv& operator=(const CDDEClientConv&) = delete;

    // Connects to a server of service and topic (ANSI names); the
    // conversation handle, 0 when no server answered (also without a
    // client). A connected conversation is disconnected first.
    HCONV Connect(const char* service, const char* topic, CONVCONTEXT* context);
    // With no conversation TRUE, without calling DDEML; otherwise ends the
    // conversation and returns DdeDisconnect's result.
    BOOL Disconnect();
    // DdeClientTransaction on this conversation, arguments as DDEML takes them.
    HDDEDATA Transact(HDDEDATA data, DWORD size, HSZ item, UINT format, UINT type,
                      DWORD timeout, DWORD* result);
    // An XTYP_EXECUTE transaction of a command text (its terminating NUL
    // included, as execute strings must be) with the given time limit. The
    // transaction's result, which callers may ignore.
    HDDEDATA Execute(const char* command, DWORD timeout);

    HCONV GetConversation() const { return m_hConv; }
    CDDEClient* GetClient() const { return m_pClient; }

    // Data of an advise loop; not processed (0).
    virtual HDDEDATA OnAdvData(HSZ topic, HSZ item, HDDEDATA data);
    // The partner ended the conversation: it is forgotten here too.
    virtual void OnDisconnect(BOOL sameInstance);
    // An asynchronous transaction completed. No effect here.
    virtual void OnXactComplete(HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR transactionId,
                                ULONG_PTR status);

private:
    // Frees the two name handles and forgets the conversation.
    void Forget();

    CDDEClient* m_pClient;
    HCONV m_hConv = nullptr;
    CDdeStringHandle m_hszTopic;
    CDdeStringHandle m_hszService;
};
