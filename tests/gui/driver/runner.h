#pragma once
// Runs the steps of a scenario against the windows of another process, as a
// person would: it only looks at windows and sends them the messages that
// mouse and keyboard would cause. Anything that may start a nested modal loop
// in the other process (a click, a key) is posted, never sent: a sent message
// would wait for the end of that loop.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

#include "scenario.h"

// A step that did not hold: what it wanted and what was there (UTF-8).
struct CStepFailure {
    std::string strExpected;
    std::string strFound;
};
// A step that cannot be understood (UTF-8).
struct CSyntaxError {
    std::string strMessage;
};

class CRunner {
public:
    explicit CRunner(DWORD timeoutMs) : m_dwTimeout(timeoutMs) {}
    // The program under test (its .exe name): once it has been seen running,
    // a step that waits fails as soon as it has ended.
    void WatchProgram(const std::string& exeName) { m_strProgram = exeName; }

    // Throws CSyntaxError when the step is malformed; does nothing else.
    void Check(const CStep& step);
    // Throws CStepFailure when the step does not hold within the time allowed.
    void Run(const CStep& step);

    // The windows on the screen and the current window's controls, for a failure report.
    void PrintSituation() const;
    // A screenshot through the test's watcher, when there is one (failure reports).
    void TrySnapshot(const std::string& name);

private:
    class CArgs;
    using Handler = void (CRunner::*)(CArgs& args, bool run);
    struct CVerb {
        const char* pszName;
        Handler handler;
    };
    static const CVerb s_verbs[];
    void Dispatch(const CStep& step, bool run);

    void Timeout(CArgs& a, bool run);
    void Wait(CArgs& a, bool run);
    void MsgBox(CArgs& a, bool run);
    void Gone(CArgs& a, bool run);
    void Back(CArgs& a, bool run);
    void Caption(CArgs& a, bool run);
    void Text(CArgs& a, bool run);
    void Has(CArgs& a, bool run);
    void State(CArgs& a, bool run);
    void Click(CArgs& a, bool run);
    void Key(CArgs& a, bool run);
    void Close(CArgs& a, bool run);
    void Type(CArgs& a, bool run);
    void SetText(CArgs& a, bool run);
    void Select(CArgs& a, bool run);
    void DblClick(CArgs& a, bool run);
    void Post(CArgs& a, bool run);
    void Snap(CArgs& a, bool run);
    void Lines(CArgs& a, bool run);
    void Selected(CArgs& a, bool run);

    // Makes the first visible top-level window that matches current.
    void WaitForWindow(const std::string& what, const std::function<bool(HWND)>& match,
                       DWORD timeout, bool wantBox);
    HWND Current() const;
    HWND Control(int id) const;
    void SelectStep(CArgs& a, bool run, bool doubleClick);
    void SettleText(HWND h, const std::string& label, const std::string& want);
    void SelectItem(int id, const CToken& item, bool doubleClick);
    // A screenshot of the display; `crop` ("WxH+X+Y") cuts it to that rectangle.
    bool Snapshot(const std::string& name, DWORD timeoutMs, const std::string& crop = std::string());
    // Lines and selection of a list or combo box of the current window.
    HWND ListControl(int id, bool& list) const;
    // Repeats a check until it holds or the time is up (see runner.cpp).
    void Settle(DWORD timeout, const std::string& expected,
                const std::function<bool(std::string& found)>& check);
    void CheckProgram(const std::string& expected);

    DWORD m_dwTimeout;
    HWND m_hCurrent = nullptr;
    std::vector<HWND> m_history;  // the windows made current by wait steps, oldest first
    std::string m_strProgram;
    bool m_bProgramSeen = false;
    DWORD m_dwProgramChecked = 0;
};
