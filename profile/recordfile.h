#pragma once
// Writes keys into one INI file with the Windows private-profile functions'
// own result: after every write the file holds exactly the bytes that
// WritePrivateProfileStringA would have left there, and it is complete on
// disk. Unlike those functions, which read and rewrite the whole file for
// each key, a key that belongs at the end of the file (a new key of the last
// section, or a new section) is appended, so a log of thousands of records
// costs the same per record as one of ten.
//
// The object keeps the file's contents in memory between writes and reads
// the file again whenever its size or time shows that someone else wrote it.
// A file in UTF-8 or UTF-16 (with a byte-order mark) is left to the
// private-profile functions themselves.
#include <windows.h>
#include <string>

#include "profile/profiletext.h"

class CIniRecordFile {
public:
    // A bare file name means the Windows directory, as for the functions.
    explicit CIniRecordFile(const std::string& path);
    CIniRecordFile(const CIniRecordFile&) = delete;
    CIniRecordFile& operator=(const CIniRecordFile&) = delete;

    const std::string& GetPath() const { return m_strPath; }
    // WritePrivateProfileStringA(section, key, value, path); FALSE when the
    // file could not be written.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    // Brings the held contents up to date with the file; FALSE when the file
    // is not one this writer handles itself.
    bool Refresh();
    bool WriteWhole(const std::string& bytes);
    bool Append(const std::string& bytes);
    // Remembers the file's size and time after a read or a write of ours.
    void NoteFileState();
    bool FileStateChanged() const;

    std::string m_strPath;
    CProfileText m_text;
    bool m_bLoaded = false;      // m_text reflects the file as last seen
    bool m_bCanonical = false;   // the file's bytes are exactly m_text.Save()
    bool m_bExists = false;
    bool m_bForeign = false;     // not ANSI text: the functions do the writing
    ULONGLONG m_size = 0;
    FILETIME m_time = {};
};
