#include "script/items.h"

#include "profile/intrule.h"

DWORD CRegItem::GetDwordData() const
{
    return static_cast<DWORD>(ParseScriptInt(m_strData));
}

std::string CFileItem::GetSourcePath() const
{
    return GetSourceDirectory() + "\\" + m_strSourceName;
}

std::string CFileItem::GetSourceDirectory() const
{
    return "$SRCDIR$" + m_strSourceSubdir;
}

std::string CFileItem::GetDestinationPath() const
{
    return GetDestinationDirectory() + "\\" + m_strDestName;
}

std::string CFileItem::GetDestinationDirectory() const
{
    if (m_strDestDir.empty())
        return "$INSTDIR$";
    if (m_strDestDir[0] == '$')
        return m_strDestDir;
    return "$INSTDIR$\\" + m_strDestDir;
}
