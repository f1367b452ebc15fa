#pragma once
// A read cursor over a block of bytes, and the same over a read-only
// memory-mapped file.
#include <windows.h>
#include <cstdint>
#include <memory>
#include <string>

class CAsyncMemFile {
public:
    CAsyncMemFile() = default;
    virtual ~CAsyncMemFile();
    CAsyncMemFile(const CAsyncMemFile&) = delete;
    CAsyncMemFile& operator=(const CAsyncMemFile&) = delete;

    virtual std::unique_ptr<CAsyncMemFile> Duplicate() const;
    virtual bool Open(const std::string& name, uint32_t mode);
    int32_t GetPosition() const { return m_nPosition; }
    // origin 0: from the start, 1: from the position, 2: offset 0 is the last byte.
    int32_t Seek(int32_t offset, int origin);
    const char* GetPointer() const { return m_pData + m_nPosition; }
    int SetLength(int32_t length);
    int32_t GetLength() const { return m_nLength; }
    int32_t GetSize() const { return m_nSize; }
    int32_t Read(void* buffer, int32_t count);
    int ReadLine(std::string& line);
    int ReadDword(uint32_t& out);
    int ReadWord(uint16_t& out);
    int ReadByte(uint8_t& out);
    virtual void Close();
    virtual void OnOpen() {}
    virtual void OnClose() {}

    bool IsOpen() const { return m_nOpen != 0; }
    const std::string& GetName() const { return m_strName; }

protected:
    // Points the reader at a block (used by Open of derived classes).
    void Attach(const char* data, int32_t length);

    std::string m_strName;
    uint32_t m_dwMode = 0;
    uint32_t m_nOpen = 0;
    const char* m_pData = nullptr;
    int32_t m_nLength = 0;
    int32_t m_nSize = 0;
    int32_t m_nPosition = 0;
};

class CMemMapFile : public CAsyncMemFile {
public:
    CMemMapFile() = default;
    ~CMemMapFile() override;
    std::unique_ptr<CAsyncMemFile> Duplicate() const override;
    // Maps the whole file read-only. When the file cannot be opened the user
    // is asked "Can not open <%s>!>" (Abort ends the program with exit code 1,
    // Retry tries again, Ignore gives FALSE).
    bool Open(const std::string& name, uint32_t mode) override;
    void Close() override;

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    HANDLE m_hMapping = nullptr;
};

// A CMemMapFile opened on name with mode 0, whether or not the open succeeded.
std::unique_ptr<CMemMapFile> OpenMemMapFile(const std::string& name);

// Answer to a file that cannot be opened: IDABORT, IDRETRY or IDIGNORE. The
// default asks the user; tests install their own.
using OpenFailureQuestion = int (*)(const std::string& fileName);
void SetOpenFailureQuestion(OpenFailureQuestion question);  // null restores the default
