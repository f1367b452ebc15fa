// A stand-in for an ActiveX control: its registration entry points record
// themselves under HKEY_CURRENT_USER\Software\SetupTests\Controls, one value
// per module file name, so a test can see that a control was registered and
// unregistered. A module whose name begins with "fail" fails to unregister;
// one whose name begins with "snap" asks the test harness for a screenshot
// (C:\snap\uninstall-progress.req) and waits until it is taken, so that the
// uninstaller's progress can be seen while it works.
#include <windows.h>
#include <olectl.h>
#include <string>

namespace {

HMODULE g_module = nullptr;
const char kControls[] = "Software\\SetupTests\\Controls";

std::string ModuleName()
{
    char path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(g_module, path, sizeof path);
    std::string name(path, n);
    const std::size_t slash = name.find_last_of('\\');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool StartsWith(const std::string& name, const char* prefix)
{
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(),
                            static_cast<int>(std::string(prefix).size()), prefix, -1) == CSTR_EQUAL;
}

void WaitForSnapshot()
{
    const char request[] = "C:\\snap\\uninstall-progress.req";
    if (::GetFileAttributesA("C:\\snap") == INVALID_FILE_ATTRIBUTES)
        return;
    HANDLE file = ::CreateFileA(request, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    ::CloseHandle(file);
    for (int i = 0; i < 300 && ::GetFileAttributesA(request) != INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(100);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer()
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kControls, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return E_FAIL;
    const std::string name = ModuleName();
    ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("registered"), 11);
    ::RegCloseKey(key);
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    const std::string name = ModuleName();
    if (StartsWith(name, "fail"))
        return SELFREG_E_CLASS;
    if (StartsWith(name, "snap"))
        WaitForSnapshot();
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kControls, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return S_OK;
    ::RegDeleteValueA(key, name.c_str());
    ::RegCloseKey(key);
    return S_OK;
}
