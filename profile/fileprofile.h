#pragma once
// Stores over INI text parsed by the installer itself (initext.h). Names are
// compared exactly; the first of equal names wins. Only the read-only store
// loads anything: writes are refused. Every read loads first; a store is
// loaded while it holds at least one section, so a file without sections is
// read again by the next read. An index outside the list finds nothing.
#include <vector>
#include "profile/initext.h"
#include "profile/profile.h"

class CFileProfile : public CProfile {
public:
    explicit CFileProfile(const std::string& name);
    ~CFileProfile() override;

    // Does not load; loading selects the section by this name again.
    void SetSection(const char* name) override;
    using CProfile::SetSection;
    bool DeleteSection() override;
    // A reference to the entry's own value (valid until the store unloads)
    // or def itself. ignoreCase 1 also accepts a key differing in case.
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

    // Drops all sections and clears the name and the current section.
    virtual void Unload();
    // Plain file stores load nothing.
    virtual bool Load();

protected:
    bool IsLoaded() const { return !m_sections.empty(); }
    // Both load first; null when there is no current section or no such entry.
    // The first entry of the key (ignoreCase 1: in any letter case).
    const CFileProfileEntry* FindEntry(const std::string& key, int ignoreCase);
    // The entry at index in the current section.
    const CFileProfileEntry* EntryAt(int index);

    std::vector<CFileProfileSection> m_sections;
    CFileProfileSection* m_pCurrent = nullptr;
};

// Reads the file through a memory-mapped view, once, on first use.
class CReadonlyFileProfile : public CFileProfile {
public:
    explicit CReadonlyFileProfile(const std::string& name);
    bool Load() override;
};
