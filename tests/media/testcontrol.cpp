// Test controls for the system update's OCX registration, one source built
// three ways (tests/media/CMakeLists.txt):
//   TESTOK.OCX    DllRegisterServer succeeds
//   TESTFAIL.OCX  DllRegisterServer returns E_FAIL
//   TESTNONE.OCX  no DllRegisterServer at all (not a control)
// Each call of DllRegisterServer is recorded in the registry, below
// HKEY_CURRENT_USER\Software\SetupTests\Controls: the value named by the
// control's full path says "registered" or "failed", and whether COM was
// initialised on the calling thread (" com" when it was). DllUnregisterServer
// deletes the value again.
#include <windows.h>
#include <objbase.h>
#include <string>

namespace {

const char kRecordKey[] = "Software\\SetupTests\\Controls";
HMODULE g_self = nullptr;

std::string SelfPath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(g_self, path, sizeof path);
    return path;
}

#ifndef TEST_CONTROL_NO_ENTRY
// Whether the caller initialised COM on its thread: a second initialisation
// then answers S_FALSE (or refuses another apartment model).
bool CallerInitializedCom()
{
    const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(hr))
        ::CoUninitialize();
    return hr == S_FALSE || hr == RPC_E_CHANGED_MODE;
}

void Record(const std::string& what)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kRecordKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    const std::string value = what + (CallerInitializedCom() ? " com" : "");
    ::RegSetValueExA(key, SelfPath().c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(key);
}
#endif

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_self = instance;
    return TRUE;
}

#ifndef TEST_CONTROL_NO_ENTRY
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer()
{
#ifdef TEST_CONTROL_FAILS
    Record("failed");
    return E_FAIL;
#else
    Record("registered");
    return S_OK;
#endif
}
#endif

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRecordKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key, SelfPath().c_str());
        ::RegCloseKey(key);
    }
    return S_OK;
}
