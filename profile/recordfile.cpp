#include "profile/recordfile.h"

#include <vector>

#include "platform/handles.h"

namespace {

using Text = CProfileText::Text;

// The functions decode and encode the whole file in the ANSI code page, so a
// byte the code page cannot hold comes back the way they would write it.
Text Decode(const std::string& bytes)
{
    if (bytes.empty())
        return Text();
    const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                        nullptr, 0);
    Text text(static_cast<std::size_t>(n > 0 ? n : 0), u'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                              reinterpret_cast<wchar_t*>(&text[0]), n);
    return text;
}

std::string Encode(const Text& text)
{
    if (text.empty())
        return std::string();
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int n = ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), &bytes[0], n, nullptr,
                              nullptr);
    return bytes;
}

bool HasByteOrderMark(const std::string& bytes)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 3 && b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF)
        return true;
    return bytes.size() >= 2 && ((b(0) == 0xFF && b(1) == 0xFE) || (b(0) == 0xFE && b(1) == 0xFF));
}

// Where the functions put a file of this name.
std::string ResolvePath(const std::string& path)
{
    if (path.find('\\') == std::string::npos && path.find('/') == std::string::npos &&
        !(path.size() >= 2 && path[1] == ':')) {
        char dir[MAX_PATH];
        const UINT n = ::GetWindowsDirectoryA(dir, MAX_PATH);
        if (n > 0 && n < MAX_PATH)
            return std::string(dir, n) + "\\" + path;
        return path;
    }
    std::vector<char> full(MAX_PATH);
    for (;;) {
        char* namePart = nullptr;
        const DWORD n = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(),
                                           &namePart);
        if (n == 0)
            return path;
        if (n < full.size())
            return std::string(full.data(), n);
        full.resize(n + 1);
    }
}

bool ReadWholeFile(const std::string& path, std::string& bytes, bool& exists)
{
    bytes.clear();
    // No FILE_SHARE_DELETE: Windows 95 refuses the flag (invalid parameter).
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        exists = false;
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    exists = true;
    // GetFileSize, not GetFileSizeEx: Windows 95 and NT 3.51 have only the first.
    DWORD high = 0;
    const DWORD size = ::GetFileSize(file.Get(), &high);
    if ((size == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) || high != 0 || size > 0x7FFFFFFF)
        return false;
    bytes.resize(size);
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return false;
    return true;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return bytes.empty() ||
           (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size());
}

// The size and last write time of a file, through FindFirstFileA:
// GetFileAttributesExA would do it in one call, but Windows 95 (the first
// release) and NT 3.51 do not have it.
bool FileState(const std::string& path, WIN32_FIND_DATAA& data)
{
    const CFindHandle find(::FindFirstFileA(path.c_str(), &data));
    return find.IsValid() && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

CIniRecordFile::CIniRecordFile(const std::string& path) : m_strPath(ResolvePath(path)) {}

void CIniRecordFile::NoteFileState()
{
    WIN32_FIND_DATAA data;
    m_bExists = FileState(m_strPath, data);
    if (m_bExists) {
        m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        m_time = data.ftLastWriteTime;
    } else {
        m_size = 0;
        m_time = FILETIME();
    }
}

bool CIniRecordFile::FileStateChanged() const
{
    WIN32_FIND_DATAA data;
    const bool exists = FileState(m_strPath, data);
    if (exists != m_bExists)
        return true;
    if (!exists)
        return false;
    const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return size != m_size || ::CompareFileTime(&data.ftLastWriteTime, &m_time) != 0;
}

bool CIniRecordFile::Refresh()
{
    if (m_bLoaded && !FileStateChanged())
        return !m_bForeign;
    m_bLoaded = false;
    std::string bytes;
    bool exists = false;
    if (!ReadWholeFile(m_strPath, bytes, exists))
        return false;
    m_bForeign = HasByteOrderMark(bytes);
    if (m_bForeign) {
        m_bLoaded = true;
        NoteFileState();
        return false;
    }
    // An empty file holds nothing, not even the unnamed first section.
    if (bytes.empty())
        m_text.Clear();
    else
        m_text.Load(Decode(bytes));
    m_bCanonical = Encode(m_text.Save()) == bytes;
    m_bLoaded = true;
    NoteFileState();
    return true;
}

bool CIniRecordFile::WriteWhole(const std::string& bytes)
{
    // OPEN_ALWAYS and a cut at the end instead of CREATE_ALWAYS: the log of
    // an earlier installation is hidden, and Windows refuses to create a
    // hidden file anew with normal attributes.
    CFileHandle file(::CreateFileA(m_strPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const bool ok = WriteAll(file.Get(), bytes) && ::SetEndOfFile(file.Get());
    return ok;
}

bool CIniRecordFile::Append(const std::string& bytes)
{
    CFileHandle file(::CreateFileA(m_strPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    // SetFilePointer (SetFilePointerEx is not on Windows 95 and NT 3.51); a log
    // is far below 4 GB, so the low part alone tells a failure.
    return ::SetFilePointer(file.Get(), 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
           WriteAll(file.Get(), bytes);
}

bool CIniRecordFile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value)
{
    if (!Refresh()) {
        m_bLoaded = false;
        return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                            m_strPath.c_str()) != 0;
    }
    // When the file is not in the functions' own layout, they write it whole,
    // each earlier line as they read it: that is the text held now.
    const Text before = m_bCanonical && m_bExists ? Text() : m_text.Save();
    Text output;
    bool canonical = true;
    const CProfileText::Change change =
        m_text.Set(Decode(section), Decode(key), Decode(value), output, canonical);
    bool ok = true;
    switch (change) {
    case CProfileText::Change::None:
        return true;
    case CProfileText::Change::Appended:
        if (m_bCanonical && m_bExists) {
            ok = Append(Encode(output));
            break;
        }
        ok = WriteWhole(Encode(before + output));
        break;
    case CProfileText::Change::Rewritten:
        ok = WriteWhole(Encode(output));
        break;
    }
    if (!ok) {
        // What reached the disk is unknown: read it again next time.
        m_bLoaded = false;
        return false;
    }
    m_bCanonical = canonical;
    NoteFileState();
    return true;
}
