#pragma once
// A store over one INI file through the Windows private-profile functions.
// Every object flushes Windows' cached copy of its file when destroyed.
#include "profile/profile.h"

class CIniProfile : public CProfile {
public:
    explicit CIniProfile(const std::string& name);   // "" → DefaultProfileFileName()
    ~CIniProfile() override;

    bool DeleteSection() override;
    // Returns a string shared by all CIniProfile objects, valid until the next call.
    const std::string& GetString(const std::string& key, const std::string& def,
                                 int ignoreCase = 0) override;
    int GetInt(const std::string& key, int def) override;
    // Empty key and value: deletes the current section.
    bool WriteString(const std::string& key, const std::string& value) override;
    bool WriteInt(const std::string& key, int value) override;
    int GetKeyCount() override;
    bool GetKeyName(int index, std::string& name) override;
    int GetSectionCount() override;
    bool GetSectionName(int index, std::string& name) override;
    bool DeleteKey(const std::string& key) override;
};
