#pragma once
// What the system update's tests share: the test media beside the test
// program, stand-ins for the uninstall log and the control notices that
// record every call, and a window that answers the worker's requests on the
// test's thread, logging them in the same list.
#include <windows.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "engine/programgroup.h"
#include "engine/updatethread.h"
#include "paths/pathvars.h"
#include "services/uninstlog.h"

namespace updatetest {

// The directory of the running test program, where the test script puts
// the media (TESTOK.OCX, RECORDER.EXE, ...).
inline std::string MediaDir()
{
    const std::string self = GetModulePath();
    return self.substr(0, self.rfind('\\'));
}

// One list of events from several threads, in the order they happened.
class CEvents {
public:
    CEvents() { ::InitializeCriticalSection(&m_lock); }
    ~CEvents() { ::DeleteCriticalSection(&m_lock); }
    CEvents(const CEvents&) = delete;
    CEvents& operator=(const CEvents&) = delete;

    void Add(const std::string& event)
    {
        ::EnterCriticalSection(&m_lock);
        m_events.push_back(event);
        m_ticks.push_back(::GetTickCount());
        ::LeaveCriticalSection(&m_lock);
    }
    std::vector<std::string> Get() const
    {
        ::EnterCriticalSection(&m_lock);
        std::vector<std::string> copy = m_events;
        ::LeaveCriticalSection(&m_lock);
        return copy;
    }
    // Milliseconds between two events by their index.
    DWORD Gap(std::size_t from, std::size_t to) const
    {
        ::EnterCriticalSection(&m_lock);
        const DWORD gap = m_ticks.at(to) - m_ticks.at(from);
        ::LeaveCriticalSection(&m_lock);
        return gap;
    }

private:
    mutable CRITICAL_SECTION m_lock;
    std::vector<std::string> m_events;
    std::vector<DWORD> m_ticks;
};

// Records every call with the item's fields as the worker passed them.
class CRecordingLog : public IUninstallLog {
public:
    explicit CRecordingLog(CEvents& events) : m_events(events) {}
    void LogDeleteFile(const std::string& path) override { m_events.Add("DeleteFile " + path); }
    void LogCreatedDirectory(const std::string& path) override
    {
        m_events.Add("CreatedDirectory " + path);
    }
    void LogDeleteShortCut(const std::string& path) override
    {
        m_events.Add("DeleteShortCut " + path);
    }
    void LogDeleteProgramGroup(const std::string& name) override
    {
        m_events.Add("DeleteProgramGroup " + name);
    }
    void LogUnregisterOcx(const COcxItem& item) override
    {
        m_events.Add("UnregisterOcx " + item.m_strName);
    }
    void LogDeleteIniFile(const std::string& path) override
    {
        m_events.Add("DeleteIniFile " + path);
    }
    void LogDeleteIniSection(const CIniItem& item) override
    {
        m_events.Add("DeleteIniSection " + Fields(item));
    }
    void LogDeleteIniKeyword(const CIniItem& item) override
    {
        m_events.Add("DeleteIniKeyword " + Fields(item));
    }
    void LogDeleteIniValue(const CIniItem& item) override
    {
        m_events.Add("DeleteIniValue " + Fields(item));
    }

private:
    static std::string Fields(const CIniItem& item)
    {
        return item.m_strFile + "|" + item.m_strSection + "|" + item.m_strKey;
    }
    CEvents& m_events;
};

// Records each failure: "ocx <failure> <name> <code, hexadecimal>", and
// whether the owner was the window given.
class CRecordingNotices : public IOcxNotices {
public:
    explicit CRecordingNotices(CEvents& events) : m_events(events) {}
    void SetExpectedOwner(HWND owner) { m_owner = owner; }
    void OcxFailed(OcxFailure failure, const COcxItem& item, long code, HWND owner) override
    {
        static const char* const names[] = {"CannotLoad", "NoRegisterEntry", "RegistrationFailed"};
        char hex[16];
        wsprintfA(hex, "%lx", static_cast<unsigned long>(code));
        m_events.Add(std::string("ocx ") + names[static_cast<int>(failure)] + " " + item.m_strName +
                     " " + hex + (owner == m_owner ? "" : " (other owner)"));
    }

private:
    CEvents& m_events;
    HWND m_owner = nullptr;
};

// Records the commands meant for the Program Manager.
class CRecordingProgman : public IProgramManager {
public:
    explicit CRecordingProgman(CEvents& events) : m_events(events) {}
    void Execute(const std::string& command) override { m_events.Add("execute " + command); }
    void ClearLastError() override { m_events.Add("clear error"); }

private:
    CEvents& m_events;
};

// A file item installed into "$InstDir$" under its own name.
inline std::unique_ptr<CFileItem> File(const std::string& name, const std::string& shortcut)
{
    auto item = std::make_unique<CFileItem>();
    item->m_strName = item->m_strDestName = name;
    item->m_strShortcut = shortcut;
    return item;
}

}  // namespace updatetest
