#pragma once
// A store over the registry: the store's name is a key path below a root
// key, a section is a subkey of it ("" is the key itself) and a key is a
// named value. The base key is created on first use, also by a read.
#include <windows.h>
#include "profile/profile.h"

class CRegProfile : public CProfile {
public:
    // "" → "Software\Main\" + the running program's file name.
    CRegProfile(const std::string& name, HKEY root);
    ~CRegProfile() override;

    bool DeleteSection() override;
    // Returns a string shared by all CRegProfile objects, valid until the next call.
    const std::string& GetString(const std::string& key, const std::string& def,
                                 int ignoreCase = 0) override;
    int GetInt(const std::string& key, int def) override;
    bool WriteString(const std::string& key, const std::string& value) override;
    bool WriteInt(const std::string& key, int value) override;
    int GetKeyCount() override;
    bool GetKeyName(int index, std::string& name) override;
    int GetSectionCount() override;
    bool GetSectionName(int index, std::string& name) override;
    bool DeleteKey(const std::string& key) override;

private:
    bool OpenBaseKey();

    HKEY m_hRoot;
    HKEY m_hBase = nullptr;
};
