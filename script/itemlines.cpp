#include "script/itemlines.h"

#include <windows.h>

#include "script/lineformat.h"

namespace {

// Predefined registry keys are sign-extended handles on 64-bit Windows.
HKEY RootKey(int32_t number)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(number)));
}

} // namespace

std::unique_ptr<COptionItem> MakeOptionItem(const std::string& key, const std::string& value)
{
    const LineFormat& f = kOptionLine;
    auto item = std::make_unique<COptionItem>();
    item->SetName(key);
    item->SetType(FieldNumber(f, value, kOptionType));
    item->SetDescription(FieldText(f, value, kOptionDescription));
    return item;
}

std::unique_ptr<CFileItem> MakeFileItem(const std::string& key, const std::string& value)
{
    const LineFormat& f = kFileLine;
    auto item = std::make_unique<CFileItem>();
    item->m_strName = key;
    item->m_nDisk = FieldNumber(f, value, kFileDisk);
    item->m_strSourceSubdir = FieldText(f, value, kFileSourceSubdir);
    item->m_strSourceName = FieldText(f, value, kFileSourceName);
    item->m_strDestDir = FieldText(f, value, kFileDestDir);
    item->m_strDestName = FieldText(f, value, kFileDestName);
    item->m_nSize = FieldNumber(f, value, kFileSize);
    item->m_nFlags = FieldNumber(f, value, kFileFlags);
    item->m_strShortcut = FieldText(f, value, kFileShortcut);
    return item;
}

std::unique_ptr<CIniItem> MakeIniItem(const std::string& key, const std::string& value)
{
    const LineFormat& f = kIniLine;
    auto item = std::make_unique<CIniItem>();
    item->m_strFile = key;
    item->m_strSection = FieldText(f, value, kIniSection);
    item->m_strKey = FieldText(f, value, kIniKey);
    item->m_strValue = FieldText(f, value, kIniValue);
    item->m_nMode = FieldNumber(f, value, kIniMode);
    return item;
}

std::unique_ptr<CRegItem> MakeRegItem(const std::string& key, const std::string& value)
{
    const LineFormat& f = kRegLine;
    auto item = std::make_unique<CRegItem>();
    item->m_hRoot = RootKey(KeywordNumber(f.m_key, key));
    item->m_strKeyPath = FieldText(f, value, kRegKeyPath);
    item->m_strValueName = FieldText(f, value, kRegValueName);
    item->m_nType = FieldNumber(f, value, kRegType);
    item->m_strData = FieldText(f, value, kRegData);
    item->m_nFlags = FieldNumber(f, value, kRegFlags);
    return item;
}

std::unique_ptr<CExeItem> MakeExeItem(const std::string& key, const std::string& value)
{
    const LineFormat& f = kExeLine;
    auto item = std::make_unique<CExeItem>();
    item->m_strProgram = key;
    item->m_strWorkDir = FieldText(f, value, kExeWorkDir);
    item->m_bWait = FieldNumber(f, value, kExeWait);
    item->m_nShow = FieldNumber(f, value, kExeShow);
    const int32_t timeout = FieldNumber(f, value, kExeTimeout);
    item->m_nTimeout = timeout == 0 ? -1 : timeout;   // 0: wait without limit
    item->m_strArguments = FieldText(f, value, kExeArguments);
    return item;
}

std::unique_ptr<COcxItem> MakeOcxItem(const std::string& key, const std::string& value)
{
    const LineFormat& f = kOcxLine;
    auto item = std::make_unique<COcxItem>();
    item->m_strName = key;
    item->m_strPath = FieldText(f, value, kOcxPath);
    item->m_bUninstall = FieldNumber(f, value, kOcxKeep);
    return item;
}

std::unique_ptr<CLogoItem> MakeLogoItem(const std::string& key, const std::string& value)
{
    const LineFormat& f = LogoLineFormat(value);
    auto item = std::make_unique<CLogoItem>();
    item->m_nCorner = KeywordNumber(f.m_key, key);
    item->m_bText = &f == &kLogoTextLine ? 1 : 0;
    if (item->m_bText) {
        item->m_nSize = FieldNumber(f, value, kLogoSize);
        item->m_strFontName = FieldText(f, value, kLogoFont);
        item->m_strText = FieldText(f, value, kLogoText);
    } else {
        item->m_strText = FieldText(f, value, kLogoOtherText);
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
