#pragma once
// A read cursor over a block of bytes, and the same over a read-only
// memory-mapped file.
#include <windows.h>
#include <cstdint>
#include <memory>
#include <string>
#include "platform/handles.h"

// A plain reader holds no bytes of its own: Open leaves it empty, and only a
// derived class points it at a block (Attach). The block is never owned.
class CAsyncMemFile {
public:
    CAsyncMemFile() = default;
    virtual ~CAsyncMemFile();
    CAsyncMemFile(const CAsyncMemFile&) = delete;
    CAsyncMemFile& operator=(const CAsyncMemFile&) = delete;

    // A new reader of the same class opened on the same name and mode; a
    // plain reader also takes over the position (and the block it reads).
    virtual std::unique_ptr<CAsyncMemFile> Duplicate() const;
    // FALSE when already open; otherwise an empty reader at position 0.
    virtual bool Open(const std::string& name, uint32_t mode);
    int32_t GetPosition() const { return m_nPosition; }
    // origin 0: from the start, 1: from the position, 2: from the end, where
    // offset 0 is the last byte. A position outside 0 .. length-1 becomes -1.
    int32_t Seek(int32_t offset, int origin);
    // The byte at the position; null while the position is invalid or there
    // is no block.
    const char* GetPointer() const;
    // Readers cannot change their length: tells the user so (one OK box) and
    // returns the box's result.
    int SetLength(int32_t length);
    int32_t GetLength() const { return m_nLength; }
    int32_t GetSize() const { return m_nSize; }
    // Reads stop at the size. Reads past it, at an invalid position or on a
    // closed reader return 0 and leave the output untouched.
    int32_t Read(void* buffer, int32_t count);
    // The bytes up to the next NUL, LF or CR (see ReadLineAt); 0 and an
    // empty line on a closed reader or at an invalid position.
    int ReadLine(std::string& line);
    int ReadDword(uint32_t& out);   // little-endian; 4 or 0
    int ReadWord(uint16_t& out);    // little-endian; 2 or 0
    int ReadByte(uint8_t& out);     // 1 or 0
    virtual void Close();
    virtual void OnOpen() {}
    virtual void OnClose() {}

    bool IsOpen() const { return m_nOpen != 0; }
    const std::string& GetName() const { return m_strName; }

protected:
    // Points the reader at a block, position 0 (used by Open of derived classes).
    void Attach(const char* data, int32_t length);

    std::string m_strName;
    uint32_t m_dwMode = 0;
    uint32_t m_nOpen = 0;
    const char* m_pData = nullptr;
    int32_t m_nLength = 0;
    int32_t m_nSize = 0;
    int32_t m_nPosition = 0;

private:
    // Copies count bytes at the position when that many are left.
    int ReadFixed(void* out, int32_t count);
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
    CFileHandle m_file;
    CKernelHandle m_mapping;
    CMappedView m_view;
};

// A CMemMapFile opened on name with mode 0, whether or not the open succeeded.
std::unique_ptr<CMemMapFile> OpenMemMapFile(const std::string& name);

// Answer to a file that cannot be opened: IDABORT, IDRETRY or IDIGNORE (any
// other answer counts as IDIGNORE). The default asks the user with the
// "Can not open <%s>!>" box; tests install their own.
using OpenFailureQuestion = int (*)(const std::string& fileName);
void SetOpenFailureQuestion(OpenFailureQuestion question);  // null restores the default
