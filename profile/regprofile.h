#pragma once
// A store over the registry: the store's name is a key path below a root
// key, a section is a subkey of it ("" is the key itself) and a key is a
// named value. The base key is created on first use, also by a read; when it
// cannot be, reads give their defaults, writes FALSE and deletions TRUE.
#include <windows.h>
#include <vector>
#include "platform/handles.h"
#include "profile/profile.h"

class CRegProfile : public CProfile {
public:
    // "" → "Software\Main\" + the running program's file name.
    CRegProfile(const std::string& name, HKEY root);
    ~CRegProfile() override;

    // TRUE also when there is no base key to delete from.
    bool DeleteSection() override;
    // REG_SZ as it stands, REG_DWORD as decimal text, anything else def.
    // Returns a string shared by all CRegProfile objects, valid until the
    // next call (def itself when the base key cannot be opened).
    const std::string& GetString(const std::string& key, const std::string& def,
                                 int ignoreCase = 0) override;
    // REG_DWORD, REG_SZ through the script integer rule, other values of at
    // most 4 bytes as a little-endian number.
    int GetInt(const std::string& key, int def) override;
    bool WriteString(const std::string& key, const std::string& value) override;
    bool WriteInt(const std::string& key, int value) override;
    // Number of values in the current section, the unnamed one included.
    int GetKeyCount() override;
    // TRUE exactly when there is a value with a non-empty name at index.
    bool GetKeyName(int index, std::string& name) override;
    int GetSectionCount() override;
    bool GetSectionName(int index, std::string& name) override;
    // TRUE also when the section cannot be opened.
    bool DeleteKey(const std::string& key) override;
    // The next operation opens the key of the new name.
    bool SetName(const std::string& name) override;

private:
    bool OpenBaseKey();
    // Opens the base key unless it is open.
    bool EnsureBaseKey();
    // A value of the current section; FALSE when the section or the value
    // is missing or unreadable. The base key must be open.
    bool QuerySectionValue(const std::string& key, DWORD& type, std::vector<BYTE>& data);
    // Creates the current section when missing and sets one value in it.
    // The base key must be open.
    bool SetSectionValue(const std::string& key, DWORD type, const BYTE* data, DWORD size);
    // RegEnumValueA / RegEnumKeyExA at index with a growing name buffer;
    // ERROR_SUCCESS or the error of the last call.
    LONG EnumName(bool values, int index, std::string& name);
    // The count and the names behind GetKeyCount / GetKeyName (values) and
    // GetSectionCount / GetSectionName (subkeys of the base key).
    int CountNames(bool values);
    bool NameAt(bool values, int index, std::string& name);

    HKEY m_hRoot;
    CRegKey m_base;
};
