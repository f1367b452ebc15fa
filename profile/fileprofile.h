#pragma once
// Stores over INI text parsed by the installer itself (initext.h). Names are
// compared exactly; the first of equal names wins. Only the read-only store
// loads anything: writes are refused.
#include <vector>
#include "profile/initext.h"
#include "profile/profile.h"

class CFileProfile : public CProfile {
public:
    explicit CFileProfile(const std::string& name);
    ~CFileProfile() override;

    void SetSection(const char* name) override;
    using CProfile::SetSection;
    bool DeleteSection() override;
    const std::string& GetString(const std::string& key, const std::string& def,
                                 int ignoreCase = 0) override;
    int GetInt(const std::string& key, int def) override;
    bool WriteString(const std::string& key, const std::string& value) override;
    bool WriteInt(const std::string& key, int value) override;
    int GetKeyCount() override;
    bool GetKeyName(int index, std::string& name) override;
    const std::string& GetStringAt(int index, const std::string& def) override;
    int GetIntAt(int index, int def) override;
    int GetSectionCount() override;
    bool GetSectionName(int index, std::string& name) override;
    bool DeleteKey(const std::string& key) override;
    // Same name: TRUE, nothing happens. Otherwise unload, rename, Load().
    bool SetName(const std::string& name) override;

    virtual void Unload();
    // Plain file stores load nothing.
    virtual bool Load();

protected:
    bool IsLoaded() const { return !m_sections.empty(); }

    std::vector<CFileProfileSection> m_sections;
    CFileProfileSection* m_pCurrent = nullptr;
};

// Reads the file through a memory-mapped view, once, on first use.
class CReadonlyFileProfile : public CFileProfile {
public:
    explicit CReadonlyFileProfile(const std::string& name);
    bool Load() override;
};
