#pragma once
// One script line becomes one item. `key` is the line's key (up to its first
// blank), `value` the text after the "=". Callers skip lines whose value is
// empty; these functions build an item from whatever they are given, falling
// back to each field's default, and validate nothing.
#include <memory>
#include <string>

#include "script/items.h"

// InstallOption:  name=type,description
std::unique_ptr<COptionItem> MakeOptionItem(const std::string& key, const std::string& value);
// InstallFiles:   name=disk,subdir,source,reserved,destdir,destname,size,flags,shortcut
std::unique_ptr<CFileItem> MakeFileItem(const std::string& key, const std::string& value);
// IniUpdates:     file=section,key,value,mode
std::unique_ptr<CIniItem> MakeIniItem(const std::string& key, const std::string& value);
// RegUpdates:     ROOT=keypath,valuename,type,data,flags
std::unique_ptr<CRegItem> MakeRegItem(const std::string& key, const std::string& value);
// Executes:       program=workdir,wait,show,timeout,arguments
std::unique_ptr<CExeItem> MakeExeItem(const std::string& key, const std::string& value);
// RegisterOcx:    name=path,keep
std::unique_ptr<COcxItem> MakeOcxItem(const std::string& key, const std::string& value);
// Logo:           corner=T,size,font,text  or  corner=kind,text
std::unique_ptr<CLogoItem> MakeLogoItem(const std::string& key, const std::string& value);

// The uninstaller, which setup installs from the first disk into the system
// directory whenever uninstall support is on. It is not itself recorded for
// uninstallation: the uninstaller removes everything but itself.
std::unique_ptr<CFileItem> MakeUninstallerItem(const std::string& shortcut);
