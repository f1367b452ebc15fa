#include "script/itemlines.h"

#include <windows.h>

#include "paths/field.h"
#include "profile/intrule.h"

namespace {

// Field `index` of a script value; `def` when it is empty or missing.
std::string Field(const std::string& value, int index, const char* def = "")
{
    return GetField(value, index, def, ",");
}

int32_t IntField(const std::string& value, int index, const char* def = "")
{
    return ParseScriptInt(Field(value, index, def));
}

// Keywords of item lines are compared byte for byte, letter case included:
// script authors write them in capitals, and "sync" or "dword" are not the
// keywords (they fall back to the field's "other" meaning).
HKEY RootKeyOf(const std::string& name)
{
    if (name == "CLASSES_ROOT")
        return HKEY_CLASSES_ROOT;
    if (name == "CURRENT_USER")
        return HKEY_CURRENT_USER;
    if (name == "LOCAL_MACHINE")
        return HKEY_LOCAL_MACHINE;
    if (name == "USERS")
        return HKEY_USERS;
    return HKEY_CURRENT_USER;
}

int32_t RegTypeOf(const std::string& word)
{
    if (word == "BINARY")
        return REG_BINARY;
    if (word == "DWORD")
        return REG_DWORD;
    return REG_SZ;
}

// A show word that is none of the four starts the program as if it had said
// "SHOW": a misspelt word must not leave the started program with some
// arbitrary initial window state.
int32_t ShowCommandOf(const std::string& word)
{
    if (word == "HIDE")
        return SW_HIDE;
    if (word == "MIN")
        return SW_MINIMIZE;
    if (word == "MAX")
        return SW_MAXIMIZE;
    return SW_SHOWNORMAL;
}

// Logo corners and the logo kind ignore letter case, unlike every other
// keyword of the script.
int32_t CornerOf(const std::string& name)
{
    static const char* const kCorners[] = {"LT", "LB", "RT", "RB"};
    for (int32_t i = 0; i < 4; ++i) {
        if (::lstrcmpiA(name.c_str(), kCorners[i]) == 0)
            return i;
    }
    return 0;
}

} // namespace

std::unique_ptr<COptionItem> MakeOptionItem(const std::string& key, const std::string& value)
{
    auto item = std::make_unique<COptionItem>();
    item->SetName(key);
    const std::string type = Field(value, 0);
    item->SetType(type == "FL" ? 1 : type == "GRP" ? 2 : 0);
    item->SetDescription(Field(value, 1));
    return item;
}

std::unique_ptr<CFileItem> MakeFileItem(const std::string& key, const std::string& value)
{
    auto item = std::make_unique<CFileItem>();
    item->m_strName = key;
    item->m_nDisk = IntField(value, 0);
    item->m_strSourceSubdir = Field(value, 1);
    item->m_strSourceName = Field(value, 2);
    // Field 3 is reserved: scripts fill it in, nothing uses it.
    item->m_strDestDir = Field(value, 4);
    item->m_strDestName = Field(value, 5);
    item->m_nSize = IntField(value, 6);
    item->m_nFlags = IntField(value, 7, "1");
    item->m_strShortcut = Field(value, 8);
    return item;
}

std::unique_ptr<CIniItem> MakeIniItem(const std::string& key, const std::string& value)
{
    auto item = std::make_unique<CIniItem>();
    item->m_strFile = key;
    item->m_strSection = Field(value, 0);
    item->m_strKey = Field(value, 1);
    item->m_strValue = Field(value, 2);
    item->m_nMode = IntField(value, 3, "9");
    return item;
}

std::unique_ptr<CRegItem> MakeRegItem(const std::string& key, const std::string& value)
{
    auto item = std::make_unique<CRegItem>();
    item->m_hRoot = RootKeyOf(key);
    item->m_strKeyPath = Field(value, 0);
    item->m_strValueName = Field(value, 1);
    item->m_nType = RegTypeOf(Field(value, 2));
    item->m_strData = Field(value, 3);
    item->m_nFlags = IntField(value, 4);
    return item;
}

std::unique_ptr<CExeItem> MakeExeItem(const std::string& key, const std::string& value)
{
    auto item = std::make_unique<CExeItem>();
    item->m_strProgram = key;
    item->m_strWorkDir = Field(value, 0, "$TmpDir$");
    const std::string wait = Field(value, 1, "SYNC");
    item->m_bWait = (wait == "SYNC" || wait == "同期") ? 1 : 0;
    item->m_nShow = ShowCommandOf(Field(value, 2, "SHOW"));
    const int32_t timeout = IntField(value, 3);
    item->m_nTimeout = timeout == 0 ? -1 : timeout;   // 0: wait without limit
    item->m_strArguments = Field(value, 4);
    return item;
}

std::unique_ptr<COcxItem> MakeOcxItem(const std::string& key, const std::string& value)
{
    auto item = std::make_unique<COcxItem>();
    item->m_strName = key;
    item->m_strPath = Field(value, 0);
    item->m_bUninstall = Field(value, 1) == "0" ? 0 : 1;
    return item;
}

std::unique_ptr<CLogoItem> MakeLogoItem(const std::string& key, const std::string& value)
{
    auto item = std::make_unique<CLogoItem>();
    item->m_nCorner = CornerOf(key);
    item->m_bText = ::lstrcmpiA(Field(value, 0).c_str(), "T") == 0 ? 1 : 0;
    if (item->m_bText) {
        item->m_nSize = IntField(value, 1);
        item->m_strFontName = Field(value, 2);
        item->m_strText = Field(value, 3);
    } else {
        item->m_strText = Field(value, 1);
    }
    return item;
}

std::unique_ptr<CFileItem> MakeUninstallerItem(const std::string& shortcut)
{
    auto item = std::make_unique<CFileItem>();
    item->m_strName = "VMUNST10.EXE";
    item->m_nDisk = 1;
    item->m_strSourceName = "VMUNST10.EX_";
    item->m_strDestDir = "$SYSDIR$";
    item->m_strDestName = "VMUNST10.EXE";
    item->m_nSize = 0;
    item->m_strShortcut = shortcut;
    item->m_nFlags = 0;
    return item;
}
