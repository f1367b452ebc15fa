#pragma once
// What the system update applies: five lists, all owned by the setup
// document, processed in this order: the file items' program items, INI
// entries, registry values, controls (OCX), programs to run. A missing list
// is an empty one.
#include "script/setupdoc.h"

struct CUpdateItemLists {
    const CItemList<CFileItem>* files = nullptr;
    const CItemList<CIniItem>* iniItems = nullptr;
    const CItemList<CRegItem>* regItems = nullptr;
    const CItemList<COcxItem>* ocxItems = nullptr;
    const CItemList<CExeItem>* exeItems = nullptr;
};
