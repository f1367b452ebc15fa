#pragma once
// Whole files as bytes: the log, read once before anything is removed, and
// WININIT.INI, which is edited as text.
#include <windows.h>
#include <string>

// TRUE with the file's bytes; FALSE with the system's error code. Files
// above maxBytes are not read (ERROR_FILE_TOO_LARGE).
bool ReadFileBytes(const std::string& path, std::string& bytes, DWORD& error,
                   std::size_t maxBytes = 64u * 1024u * 1024u);
// Replaces the file's contents (creating it when missing).
bool WriteFileBytes(const std::string& path, const std::string& bytes, DWORD& error);
