#include "script/items.h"

#include "profile/intrule.h"

DWORD CRegItem::GetDwordData() const
{
    return static_cast<DWORD>(ParseScriptInt(m_strData));
}
