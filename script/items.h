#pragma once
// The records that the setup script's item sections become. They hold the
// script's strings unexpanded; each user expands its own copy just before use.
#include <windows.h>
#include <cstdint>
#include <string>

// An install option of the section "InstallOption".
class COptionItem {
public:
    virtual ~COptionItem() = default;
    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name) { m_strName = name; }
    const std::string& GetDescription() const { return m_strDescription; }
    void SetDescription(const std::string& text) { m_strDescription = text; }
    int GetType() const { return m_nType; }
    void SetType(int type) { m_nType = type; }   // 1 "FL", 2 "GRP", 0 other

private:
    std::string m_strName;
    std::string m_strDescription;
    int m_nType = 0;
};

// name=disk,subdir,source,reserved,destdir,destname,size,flags,shortcut
class CFileItem {
public:
    virtual ~CFileItem() = default;

    // Where the file comes from and goes to, unexpanded: "$SRCDIR$" and the
    // source subdirectory (empty or with a leading backslash) name the
    // medium's directory; a destination directory that begins with "$" is a
    // path of its own, any other (also an empty one) lies in "$INSTDIR$".
    std::string GetSourcePath() const;
    std::string GetSourceDirectory() const;
    std::string GetDestinationPath() const;
    std::string GetDestinationDirectory() const;

    std::string m_strName;
    int32_t m_nDisk = 0;
    std::string m_strSourceSubdir;
    std::string m_strSourceName;
    std::string m_strDestDir;
    std::string m_strDestName;
    int32_t m_nSize = 0;
    std::string m_strShortcut;
    int32_t m_nFlags = 0;   // bit 0: record for uninstallation
};

// file=section,key,value,mode
class CIniItem {
public:
    virtual ~CIniItem() = default;
    std::string m_strFile;
    std::string m_strSection;
    std::string m_strKey;
    std::string m_strValue;
    int32_t m_nMode = 1;
};

// ROOT=keypath,valuename,type,data,flags
class CRegItem {
public:
    virtual ~CRegItem() = default;
    HKEY m_hRoot = HKEY_CURRENT_USER;
    std::string m_strKeyPath;
    std::string m_strValueName;
    int32_t m_nType = REG_DWORD;
    std::string m_strData;
    int32_t m_nFlags = 0;   // bits 0 and 1: leave an existing value alone

    // The data of a REG_DWORD item: decimal by the script's integer rule, so
    // "-1" is 0xFFFFFFFF and "0x10" is 0 (there is no hexadecimal form).
    DWORD GetDwordData() const;
};

// program=workdir,wait,show,timeout,arguments
class CExeItem {
public:
    virtual ~CExeItem() = default;
    std::string m_strProgram;
    std::string m_strWorkDir;
    int32_t m_bWait = 1;
    int32_t m_nShow = SW_SHOWNORMAL;
    int32_t m_nTimeout = -1;
    std::string m_strArguments;
};

// name=path,keep
class COcxItem {
public:
    virtual ~COcxItem() = default;
    std::string m_strName;
    std::string m_strPath;
    int32_t m_bUninstall = 1;
};

// corner=T,size,font,text  or  corner=kind,text
struct CLogoItem {
    int32_t m_bText = 0;
    std::string m_strText;
    int32_t m_nCorner = 0;   // 0 top left, 1 bottom left, 2 top right, 3 bottom right
    int32_t m_nSize = 0;     // tenths of a point
    std::string m_strFontName;
};
