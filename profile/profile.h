#pragma once
// One interface over three kinds of configuration store: INI text parsed by
// the installer itself, INI files of the Windows private-profile functions,
// and registry keys. A caller selects a current section, then reads or
// writes keys in it by name or by index.
#include <string>

class CProfile {
public:
    explicit CProfile(const std::string& name);
    virtual ~CProfile();
    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

    virtual const std::string& GetName() const;
    virtual const std::string& GetSection() const;
    // A null name selects "".
    virtual void SetSection(const char* name);
    void SetSection(const std::string& name) { SetSection(name.c_str()); }
    virtual bool DeleteSection() = 0;
    // The returned reference lives in the store (see each store for how long).
    virtual const std::string& GetString(const std::string& key, const std::string& def,
                                         int ignoreCase = 0) = 0;
    virtual int GetInt(const std::string& key, int def) = 0;
    virtual bool WriteString(const std::string& key, const std::string& value) = 0;
    virtual bool WriteInt(const std::string& key, int value) = 0;
    virtual int GetKeyCount() = 0;
    virtual bool GetKeyName(int index, std::string& name) = 0;
    // GetKeyName, then GetString (case-sensitive) or GetInt; def when there is no key there.
    virtual const std::string& GetStringAt(int index, const std::string& def);
    virtual int GetIntAt(int index, int def);
    virtual int GetSectionCount() = 0;
    virtual bool GetSectionName(int index, std::string& name) = 0;
    virtual bool DeleteKey(const std::string& key) = 0;
    virtual bool SetName(const std::string& name);

protected:
    std::string m_strName;
    std::string m_strSection;
};

// Default file name of a store constructed without one: the running
// program's path with its extension replaced by ".INI".
std::string DefaultProfileFileName();

// path with everything from its last "." removed, then ".INI" appended; a
// path with no "." after its first byte gets ".INI" appended whole.
std::string ReplaceExtensionWithIni(const std::string& path);
