#include "uninstaller/filebytes.h"

#include "platform/handles.h"

bool ReadFileBytes(const std::string& path, std::string& bytes, DWORD& error, std::size_t maxBytes)
{
    bytes.clear();
    // Others may keep the file open for reading or writing (an editor, the
    // private-profile functions): it is read as it stands.
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
        return false;
    }
    DWORD high = 0;
    const DWORD low = ::GetFileSize(file.Get(), &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) {
        error = ::GetLastError();
        return false;
    }
    if (high != 0 || low > maxBytes) {
        error = ERROR_FILE_TOO_LARGE;
        return false;
    }
    bytes.resize(low);
    DWORD done = 0;
    while (done < low) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), &bytes[done], low - done, &got, nullptr)) {
            error = ::GetLastError();
            bytes.clear();
            return false;
        }
        if (got == 0)
            break;      // shorter than its size said: it shrank while being read
        done += got;
    }
    bytes.resize(done);
    error = NO_ERROR;
    return true;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes, DWORD& error)
{
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
        return false;
    }
    DWORD written = 0;
    if (!bytes.empty() &&
        !::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        error = ::GetLastError();
        return false;
    }
    if (written != bytes.size()) {
        error = ERROR_DISK_FULL;
        return false;
    }
    error = NO_ERROR;
    return true;
}
