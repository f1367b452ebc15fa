#pragma once
// Reads a shell link back through the shell's own link objects: its target
// and its description. COM must be initialised on the calling thread.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <string>

#include "platform/handles.h"

namespace media {

// Empty strings and false when the file is no link the shell can load.
inline bool ReadShellLink(const std::string& linkPath, std::string& target,
                          std::string& description)
{
    target.clear();
    description.clear();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return false;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, &wide[0], length);
    CComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.ReceiveVoid())))
        return false;
    CComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) ||
        FAILED(file->Load(wide.c_str(), STGM_READ)))
        return false;
    char buf[1024] = "";
    link->GetPath(buf, sizeof buf, nullptr, 0);
    target = buf;
    buf[0] = '\0';
    link->GetDescription(buf, sizeof buf);
    description = buf;
    return true;
}

}  // namespace media
