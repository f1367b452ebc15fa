#pragma once
// The names that make up the uninstall log's format, shared by the installer
// that writes the log and the uninstaller that reads it. No Windows API, so
// the uninstaller's platform-free core can use them too.

// The section names of the log and of the WIN.INI list.
namespace uninstall_log {
constexpr const char kDeleteFile[] = "DeleteFile";
constexpr const char kDeleteDirectory[] = "DeleteDirectory";
constexpr const char kDeleteShortCut[] = "DeleteShortCut";
constexpr const char kDeleteProgramGroup[] = "DeleteProgramGroup";
constexpr const char kUnregisterOcx[] = "UnregisterOcx";
constexpr const char kDeleteIniFile[] = "DeleteIniFile";
constexpr const char kDeleteIniSection[] = "DeleteIniSection";
constexpr const char kDeleteIniKeyword[] = "DeleteIniKeyword";
constexpr const char kDeleteIniValue[] = "DeleteIniValue";
constexpr const char kConfig[] = "Config";
constexpr const char kProduct[] = "Product";
constexpr const char kReg[] = "Reg";
constexpr const char kTempListFile[] = "WIN.INI";
constexpr const char kTempListSection[] = "VemorSetupDeleteDirectory";
constexpr const char kUninstallKeyBase[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr const char kUninstallCommand[] = "$SYSDIR$\\VMUNST10.EXE $INSTDIR$\\UNINSTAL.INF";
// The uninstaller's file name, as the command above names it.
constexpr const char kUninstallerFileName[] = "VMUNST10.EXE";
}  // namespace uninstall_log
