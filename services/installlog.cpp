#include "services/installlog.h"

#include <windows.h>

CInstallLog::CInstallLog()
{
    ::InitializeCriticalSection(&m_lock);
}

CInstallLog::~CInstallLog()
{
    Close();
    ::DeleteCriticalSection(&m_lock);
}

bool CInstallLog::Open(const std::string& path)
{
    ::EnterCriticalSection(&m_lock);
    m_file.Attach(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    m_bOpen = m_file.IsValid();
    ::LeaveCriticalSection(&m_lock);
    return m_bOpen;
}

void CInstallLog::Write(const std::string& text)
{
    SYSTEMTIME t;
    ::GetLocalTime(&t);
    // user32's wsprintfA, not the C library's printf engine, which would
    // bring its locale machinery (and imports Windows 95 lacks) into setup.
    char stamp[32];
    ::wsprintfA(stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", unsigned(t.wYear), unsigned(t.wMonth),
                unsigned(t.wDay), unsigned(t.wHour), unsigned(t.wMinute), unsigned(t.wSecond),
                unsigned(t.wMilliseconds));
    std::string line;
    line.reserve(text.size() + 26);
    line += stamp;
    for (const char ch : text)
        line += (ch == '\r' || ch == '\n') ? ' ' : ch;
    line += "\r\n";
    ::EnterCriticalSection(&m_lock);
    if (m_file.IsValid()) {
        DWORD written = 0;
        ::WriteFile(m_file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    ::LeaveCriticalSection(&m_lock);
}

void CInstallLog::Close()
{
    ::EnterCriticalSection(&m_lock);
    m_bOpen = false;
    m_file.Close();
    ::LeaveCriticalSection(&m_lock);
}

CInstallLog& InstallLog()
{
    static CInstallLog log;
    return log;
}

std::string HexBits(unsigned long bits)
{
    char text[16];
    ::wsprintfA(text, "0x%08lX", bits);
    return text;
}
