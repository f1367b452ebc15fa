#include "profile/memfile.h"
#include <cstring>
#include "platform/msgbox.h"
#include "profile/initext.h"

namespace {

// The boxes belong to the calling thread's active window (if any), which
// stays disabled while the user decides.
int AskUserAboutOpenFailure(const std::string& fileName)
{
    return AppMessageBox(::GetActiveWindow(), "Can not open <" + fileName + ">!>",
                         MB_ABORTRETRYIGNORE);
}

OpenFailureQuestion g_openFailureQuestion = AskUserAboutOpenFailure;

}  // namespace

void SetOpenFailureQuestion(OpenFailureQuestion question)
{
    g_openFailureQuestion = question ? question : AskUserAboutOpenFailure;
}

// ---- CAsyncMemFile ----

CAsyncMemFile::~CAsyncMemFile()
{
    CAsyncMemFile::Close();
}

std::unique_ptr<CAsyncMemFile> CAsyncMemFile::Duplicate() const
{
    auto copy = std::make_unique<CAsyncMemFile>();
    copy->Open(m_strName, m_dwMode);
    // The block is not owned, so both readers may look at it.
    copy->m_pData = m_pData;
    copy->m_nLength = m_nLength;
    copy->m_nSize = m_nSize;
    copy->m_nPosition = m_nPosition;
    return copy;
}

bool CAsyncMemFile::Open(const std::string& name, uint32_t mode)
{
    if (IsOpen())
        return false;
    m_strName = name;
    m_dwMode = mode;
    m_pData = nullptr;
    m_nLength = 0;
    m_nSize = 0;
    m_nPosition = 0;
    m_nOpen = 1;
    OnOpen();
    return true;
}

void CAsyncMemFile::Attach(const char* data, int32_t length)
{
    m_pData = data;
    m_nLength = length;
    m_nSize = length;
    m_nPosition = 0;
}

int32_t CAsyncMemFile::Seek(int32_t offset, int origin)
{
    // 64 bits: a far offset must give an invalid position, not wrap around.
    int64_t position = m_nPosition;
    switch (origin) {
    case 0: position = offset; break;
    case 1: position += offset; break;
    case 2: position = int64_t(m_nLength) - offset - 1; break;
    default: break;
    }
    m_nPosition = (position < 0 || position >= m_nLength) ? -1 : int32_t(position);
    return m_nPosition;
}

const char* CAsyncMemFile::GetPointer() const
{
    if (!m_pData || m_nPosition < 0)
        return nullptr;
    return m_pData + m_nPosition;
}

int CAsyncMemFile::SetLength(int32_t /*length*/)
{
    return AppMessageBox(::GetActiveWindow(), "Sorry CAsyncMemFile::SetLength() is not implemented",
                         MB_OK);
}

int32_t CAsyncMemFile::Read(void* buffer, int32_t count)
{
    if (!IsOpen() || m_nPosition < 0 || count <= 0 || m_nPosition >= m_nSize)
        return 0;
    const int32_t n = count < m_nSize - m_nPosition ? count : m_nSize - m_nPosition;
    std::memcpy(buffer, m_pData + m_nPosition, size_t(n));
    m_nPosition += n;
    return n;
}

int CAsyncMemFile::ReadLine(std::string& line)
{
    if (!IsOpen() || m_nPosition < 0 || !m_pData) {
        line.clear();
        return 0;
    }
    return ReadLineAt(m_pData, m_nSize, m_nPosition, line);
}

int CAsyncMemFile::ReadFixed(void* out, int32_t count)
{
    if (!IsOpen() || m_nPosition < 0 || m_nSize - m_nPosition < count)
        return 0;
    std::memcpy(out, m_pData + m_nPosition, size_t(count));
    m_nPosition += count;
    return count;
}

int CAsyncMemFile::ReadDword(uint32_t& out)
{
    unsigned char b[4];
    if (!ReadFixed(b, 4))
        return 0;
    out = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    return 4;
}

int CAsyncMemFile::ReadWord(uint16_t& out)
{
    unsigned char b[2];
    if (!ReadFixed(b, 2))
        return 0;
    out = uint16_t(b[0] | b[1] << 8);
    return 2;
}

int CAsyncMemFile::ReadByte(uint8_t& out)
{
    unsigned char b;
    if (!ReadFixed(&b, 1))
        return 0;
    out = b;
    return 1;
}

void CAsyncMemFile::Close()
{
    if (!IsOpen())
        return;
    OnClose();
    m_nOpen = 0;
    m_pData = nullptr;
    m_nLength = 0;
    m_nSize = 0;
    m_nPosition = 0;
}

// ---- CMemMapFile ----

CMemMapFile::~CMemMapFile()
{
    CMemMapFile::Close();
}

std::unique_ptr<CAsyncMemFile> CMemMapFile::Duplicate() const
{
    auto copy = std::make_unique<CMemMapFile>();
    copy->Open(m_strName, m_dwMode);
    return copy;
}

bool CMemMapFile::Open(const std::string& name, uint32_t mode)
{
    if (!CAsyncMemFile::Open(name, mode))
        return false;
    for (;;) {
        m_file.Attach(::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (m_file)
            break;
        const int answer = g_openFailureQuestion(name);
        if (answer == IDABORT)
            ::ExitProcess(1);   // the installer cannot go on without its file
        if (answer != IDRETRY)
            return false;
    }
    DWORD sizeHigh = 0;
    const DWORD size = ::GetFileSize(m_file.Get(), &sizeHigh);
    // Positions are 32-bit signed: a file of 2 GB or more cannot be read.
    if (size == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
        return false;
    if (sizeHigh != 0 || size > DWORD(INT32_MAX))
        return false;
    // An empty file cannot be mapped and ends here.
    m_mapping.Attach(::CreateFileMappingA(m_file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!m_mapping)
        return false;
    m_view.Attach(::MapViewOfFile(m_mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    if (!m_view)
        return false;
    Attach(static_cast<const char*>(m_view.Get()), int32_t(size));
    return true;
}

void CMemMapFile::Close()
{
    if (m_file) {
        m_view.Close();
        m_mapping.Close();
        m_file.Close();
    }
    CAsyncMemFile::Close();
}

std::unique_ptr<CMemMapFile> OpenMemMapFile(const std::string& name)
{
    auto file = std::make_unique<CMemMapFile>();
    file->Open(name, 0);
    return file;
}
