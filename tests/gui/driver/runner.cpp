#include "runner.h"

#include <tlhelp32.h>
#include <cstdlib>
#include <functional>
#include <set>
#include <vector>

#include "platform/handles.h"
#include "output.h"
#include "winquery.h"

namespace {
const DWORD kPollMs = 50;

struct CName {
    const char* pszName;
    long long value;
};
// Names a scenario may use for numbers: button ids and messages.
const CName kNames[] = {
    {"IDOK", IDOK},         {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT},
    {"IDRETRY", IDRETRY},   {"IDIGNORE", IDIGNORE}, {"IDYES", IDYES},
    {"IDNO", IDNO},         {"IDCLOSE", 8},         {"IDHELP", 9},
    {"IDC_STATIC", 65535},  {"WM_USER", WM_USER},   {"WM_APP", WM_APP},
    {"WM_COMMAND", WM_COMMAND}, {"WM_CLOSE", WM_CLOSE}, {"WM_TIMER", WM_TIMER},
    {"WM_SYSCOMMAND", WM_SYSCOMMAND},
};

// Decimal, 0x hexadecimal, a name above, or NAME+N.
bool ParseNumber(const std::string& text, long long& value)
{
    std::string base = text;
    long long offset = 0;
    size_t plus = text.find('+', 1);
    if (plus != std::string::npos) {
        base = text.substr(0, plus);
        if (!ParseNumber(text.substr(plus + 1), offset))
            return false;
    }
    for (const CName& n : kNames) {
        if (base == n.pszName) {
            value = n.value + offset;
            return true;
        }
    }
    if (base.empty() || plus != std::string::npos)
        return false;
    char* end = nullptr;
    value = std::strtoll(base.c_str(), &end, 0);
    return end && *end == '\0';
}

std::string Ms(DWORD ms)
{
    return Format("%lu ms", static_cast<unsigned long>(ms));
}

// Key presses as the keyboard driver would queue them.
void PostKey(HWND target, UINT vk)
{
    UINT scan = ::MapVirtualKeyA(vk, 0);
    auto down = static_cast<LPARAM>(static_cast<LONG>(1u | (scan << 16)));
    auto up = static_cast<LPARAM>(static_cast<LONG>(0xC0000001u | (scan << 16)));
    ::PostMessageA(target, WM_KEYDOWN, vk, down);
    ::PostMessageA(target, WM_KEYUP, vk, up);
}

// A line of a list or combo box of another process. Asked for in UTF-16:
// Wine hands an ANSI caller the UTF-16 bytes of these lines across processes.
std::string ItemText(HWND control, bool list, DWORD_PTR index)
{
    DWORD_PTR len = 0;
    ::SendMessageTimeoutW(control, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, index, 0,
                          SMTO_ABORTIFHUNG, 3000, &len);
    if (len == static_cast<DWORD_PTR>(LB_ERR))
        return std::string();
    std::wstring wide(static_cast<size_t>(len) + 1, L'\0');
    DWORD_PTR got = 0;
    ::SendMessageTimeoutW(control, list ? LB_GETTEXT : CB_GETLBTEXT, index,
                          reinterpret_cast<LPARAM>(&wide[0]), SMTO_ABORTIFHUNG, 3000, &got);
    wide.resize(got < wide.size() ? static_cast<size_t>(got) : 0);
    if (wide.empty())
        return std::string();
    int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                  nullptr, nullptr);
    std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n,
                              nullptr, nullptr);
    return text;
}

bool Elapsed(DWORD start, DWORD limit)
{
    return ::GetTickCount() - start >= limit;
}
}  // namespace

// The arguments of one step, read left to right.
class CRunner::CArgs {
public:
    explicit CArgs(const CStep& step) : m_step(step), m_next(1) {}

    bool More() const { return m_next < m_step.tokens.size(); }
    const CToken& Token(const char* what)
    {
        if (!More())
            Fail(std::string("missing ") + what);
        return m_step.tokens[m_next++];
    }
    std::string Word(const char* what)
    {
        const CToken& t = Token(what);
        if (t.bQuoted)
            Fail(std::string("expected ") + what + ", not a quoted text");
        return t.strText;
    }
    std::string Text(const char* what)
    {
        const CToken& t = Token(what);
        if (!t.bQuoted)
            Fail(std::string("expected ") + what + " in double quotes");
        return t.strText;
    }
    long long Number(const char* what)
    {
        std::string w = Word(what);
        long long v = 0;
        if (!ParseNumber(w, v))
            Fail(std::string("expected ") + what + ", found " + ToUtf8(w));
        return v;
    }
    int Id() { return static_cast<int>(Number("a control id") & 0xFFFF); }
    DWORD OptionalTimeout(DWORD def)
    {
        if (!More())
            return def;
        long long v = Number("a time in milliseconds");
        if (v < 0)
            Fail("a negative time");
        return static_cast<DWORD>(v);
    }
    void End()
    {
        if (More())
            Fail("too many arguments");
    }
    [[noreturn]] void Fail(const std::string& message)
    {
        throw CSyntaxError{message};
    }

private:
    const CStep& m_step;
    size_t m_next;
};

const CRunner::CVerb CRunner::s_verbs[] = {
    {"timeout", &CRunner::Timeout},   {"wait", &CRunner::Wait},       {"msgbox", &CRunner::MsgBox},
    {"gone", &CRunner::Gone},         {"back", &CRunner::Back},       {"caption", &CRunner::Caption}, {"text", &CRunner::Text},
    {"has", &CRunner::Has},           {"state", &CRunner::State},     {"click", &CRunner::Click},
    {"key", &CRunner::Key},           {"close", &CRunner::Close},     {"type", &CRunner::Type},
    {"settext", &CRunner::SetText},   {"select", &CRunner::Select},   {"dblclick", &CRunner::DblClick},
    {"post", &CRunner::Post},         {"snap", &CRunner::Snap},       {"lines", &CRunner::Lines},
    {"selected", &CRunner::Selected},
};

// Repeats a check until it holds or the time is up; `found` keeps what the
// last try saw. Effects of posted messages arrive later than the post, so an
// expectation waits for them instead of racing them.
void CRunner::Settle(DWORD timeout, const std::string& expected,
                     const std::function<bool(std::string& found)>& check)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        std::string found;
        if (check(found))
            return;
        if (Elapsed(start, timeout))
            throw CStepFailure{expected, found};
        CheckProgram(expected);
        ::Sleep(kPollMs);
    }
}

void CRunner::CheckProgram(const std::string& expected)
{
    if (m_strProgram.empty() || ::GetTickCount() - m_dwProgramChecked < 500)
        return;
    m_dwProgramChecked = ::GetTickCount();
    // A toolhelp snapshot fails with INVALID_HANDLE_VALUE, like CreateFile.
    CFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more && !running;
         more = ::Process32Next(snapshot.Get(), &entry))
        running = lstrcmpiA(entry.szExeFile, m_strProgram.c_str()) == 0;
    if (running)
        m_bProgramSeen = true;
    else if (m_bProgramSeen)
        throw CStepFailure{expected, "the program under test (" + ToUtf8(m_strProgram) + ") has ended"};
}

void CRunner::Check(const CStep& step)
{
    Dispatch(step, false);
}

void CRunner::Run(const CStep& step)
{
    Dispatch(step, true);
}

void CRunner::Dispatch(const CStep& step, bool run)
{
    const CToken& verb = step.tokens.front();
    for (const CVerb& v : s_verbs) {
        if (!verb.bQuoted && verb.strText == v.pszName) {
            CArgs args(step);
            (this->*v.handler)(args, run);
            return;
        }
    }
    throw CSyntaxError{"unknown step " + Quote(verb.strText)};
}

HWND CRunner::Current() const
{
    if (!m_hCurrent)
        throw CStepFailure{"a current window (a wait step must come first)", "none"};
    if (!::IsWindow(m_hCurrent))
        throw CStepFailure{"the current window", "it has been closed"};
    return m_hCurrent;
}

HWND CRunner::Control(int id) const
{
    HWND window = Current();
    for (HWND child : ControlsOf(window))
        if (ControlIdOf(child) == id)
            return child;
    throw CStepFailure{Format("a control with id %d in the current window", id), "none"};
}

// timeout MS: how long the following steps wait for what they expect.
void CRunner::Timeout(CArgs& a, bool run)
{
    DWORD ms = a.OptionalTimeout(m_dwTimeout);
    a.End();
    if (run)
        m_dwTimeout = ms;
}

// wait dialog ID | wait page ID | wait caption "TEXT" | wait class "NAME" | wait msgbox  [MS]
// Waits for a visible top-level window of another process and makes it
// current (for a page: the property sheet that shows it).
// A message box that appears while waiting for something else fails the step
// at once: nothing but the scenario would answer it.
void CRunner::Wait(CArgs& a, bool run)
{
    std::string kind = a.Word("dialog, page, caption, class or msgbox");
    std::function<bool(HWND)> match;
    std::string what;
    if (kind == "dialog") {
        int id = a.Id();
        what = Format("a window of dialog %d", id);
        match = [id](HWND h) { return TemplateIdOf(h) == static_cast<UINT>(id); };
    } else if (kind == "caption") {
        std::string caption = a.Text("the caption");
        what = "a window with the caption " + Quote(caption);
        match = [caption](HWND h) { return TextOf(h) == caption; };
    } else if (kind == "class") {
        std::string cls = a.Text("the window class");
        what = "a window of class " + Quote(cls);
        match = [cls](HWND h) { return lstrcmpiA(ClassOf(h).c_str(), cls.c_str()) == 0; };
    } else if (kind == "page") {
        int id = a.Id();
        what = Format("a property sheet showing page %d", id);
        match = [id](HWND h) { return FindWindowShowingPage(static_cast<UINT>(id)) == h; };
    } else if (kind == "msgbox") {
        what = "a message box";
        match = [](HWND h) { return IsMessageBox(h); };
    } else {
        a.Fail("wait for what? (dialog, page, caption, class or msgbox)");
    }
    DWORD timeout = a.OptionalTimeout(m_dwTimeout);
    a.End();
    if (!run)
        return;

    WaitForWindow(what, match, timeout, kind == "msgbox");
}

void CRunner::WaitForWindow(const std::string& what, const std::function<bool(HWND)>& match,
                            DWORD timeout, bool wantBox)
{
    std::set<HWND> boxesBefore;
    for (HWND h : VisibleTopLevelWindows())
        if (IsMessageBox(h))
            boxesBefore.insert(h);
    DWORD start = ::GetTickCount();
    for (;;) {
        std::vector<HWND> windows = VisibleTopLevelWindows();
        for (HWND h : windows) {
            if (match(h)) {
                m_hCurrent = h;
                m_history.push_back(h);
                return;
            }
        }
        if (!wantBox) {
            for (HWND h : windows)
                if (IsMessageBox(h) && !boxesBefore.count(h))
                    throw CStepFailure{what, "a message box instead: " + DescribeWindow(h)};
        }
        if (Elapsed(start, timeout))
            throw CStepFailure{what + " within " + Ms(timeout), "none (windows listed below)"};
        CheckProgram(what);
        ::Sleep(kPollMs);
    }
}

// msgbox "CAPTION" "TEXT" [MS]: waits for a message box, which becomes
// current, and expects its caption and text.
void CRunner::MsgBox(CArgs& a, bool run)
{
    std::string caption = a.Text("the caption");
    std::string text = a.Text("the message");
    DWORD timeout = a.OptionalTimeout(m_dwTimeout);
    a.End();
    if (!run)
        return;
    WaitForWindow("a message box", [](HWND h) { return IsMessageBox(h); }, timeout, true);
    Settle(m_dwTimeout, "a message box " + Quote(caption) + " saying " + Quote(text),
           [this, &caption, &text](std::string& found) {
               std::string c = TextOf(m_hCurrent), t = MessageBoxText(m_hCurrent);
               found = "a message box " + Quote(c) + " saying " + Quote(t);
               return c == caption && t == text;
           });
}

// gone [MS]: the current window closes (destroyed or hidden).
void CRunner::Gone(CArgs& a, bool run)
{
    DWORD timeout = a.OptionalTimeout(m_dwTimeout);
    a.End();
    if (!run)
        return;
    HWND h = m_hCurrent;
    if (!h)
        throw CStepFailure{"a current window (a wait step must come first)", "none"};
    Settle(timeout, "the current window closes within " + Ms(timeout), [h](std::string& found) {
        found = "it is still open";
        return !::IsWindow(h) || !::IsWindowVisible(h);
    });
}

// back: the window that was current before the last wait becomes current
// again (a question, after the confirmation it opened has closed). It is not
// looked for again: a new window of the same kind may already be open.
void CRunner::Back(CArgs& a, bool run)
{
    a.End();
    if (!run)
        return;
    if (m_history.size() < 2)
        throw CStepFailure{"a window that was current before", "none"};
    m_history.pop_back();
    m_hCurrent = m_history.back();
}

// caption "TEXT": the current window's caption.
void CRunner::Caption(CArgs& a, bool run)
{
    std::string caption = a.Text("the caption");
    a.End();
    if (!run)
        return;
    SettleText(Current(), "the caption ", caption);
}

// text ID "TEXT": the text of a control of the current window.
void CRunner::Text(CArgs& a, bool run)
{
    int id = a.Id();
    std::string text = a.Text("the text");
    a.End();
    if (!run)
        return;
    SettleText(Control(id), Format("control %d: ", id), text);
}

// Waits until a window's text is exactly `want`; `label` names the window in reports.
void CRunner::SettleText(HWND h, const std::string& label, const std::string& want)
{
    Settle(m_dwTimeout, label + Quote(want), [h, &label, &want](std::string& found) {
        std::string t = TextOf(h);
        found = label + Quote(t);
        return t == want;
    });
}

// has "TEXT": some control of the current window has exactly this text
// (fixed texts of a template all have the id 65535).
void CRunner::Has(CArgs& a, bool run)
{
    std::string text = a.Text("the text");
    a.End();
    if (!run)
        return;
    HWND h = Current();
    Settle(m_dwTimeout, "a control with the text " + Quote(text), [h, &text](std::string& found) {
        found = "no control has it (controls listed below)";
        for (HWND child : ControlsOf(h))
            if (TextOf(child) == text)
                return true;
        return false;
    });
}

// state ID WORD...: enabled disabled visible hidden checked unchecked default
// notdefault focused.
void CRunner::State(CArgs& a, bool run)
{
    int id = a.Id();
    std::vector<std::string> words;
    static const char* const kWords[] = {"enabled", "disabled", "visible", "hidden", "checked",
                                         "unchecked", "default", "notdefault", "focused"};
    while (a.More()) {
        std::string w = a.Word("a state");
        bool known = false;
        for (const char* k : kWords)
            known = known || w == k;
        if (!known)
            a.Fail("unknown state " + ToUtf8(w));
        words.push_back(w);
    }
    if (words.empty())
        a.Fail("missing the state");
    if (!run)
        return;
    HWND control = Control(id);
    for (const std::string& w : words) {
        Settle(m_dwTimeout, Format("control %d %s", id, w.c_str()), [&](std::string& found) {
            LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE);
            bool yes = false;
            if (w == "enabled" || w == "disabled") {
                bool enabled = !(style & WS_DISABLED);
                found = enabled ? "enabled" : "disabled";
                yes = enabled == (w == "enabled");
            } else if (w == "visible" || w == "hidden") {
                bool visible = (style & WS_VISIBLE) != 0;
                found = visible ? "visible" : "hidden";
                yes = visible == (w == "visible");
            } else if (w == "checked" || w == "unchecked") {
                DWORD_PTR check = 0;
                ::SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &check);
                found = check == BST_CHECKED ? "checked" : "unchecked";
                yes = (check == BST_CHECKED) == (w == "checked");
            } else if (w == "default" || w == "notdefault") {
                bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
                found = isDefault ? "default" : "notdefault";
                yes = isDefault == (w == "default");
            } else {  // focused
                GUITHREADINFO info = {};
                info.cbSize = sizeof info;
                ::GetGUIThreadInfo(::GetWindowThreadProcessId(control, nullptr), &info);
                yes = info.hwndFocus == control;
                found = yes ? "focused" : "the focus is on " + (info.hwndFocus
                                                                    ? DescribeControl(info.hwndFocus)
                                                                    : std::string("no window"));
            }
            found = Format("control %d ", id) + found;
            return yes;
        });
    }
}

// click ID: a click on a button (BM_CLICK, posted).
void CRunner::Click(CArgs& a, bool run)
{
    int id = a.Id();
    a.End();
    if (!run)
        return;
    HWND window = Current();
    HWND button = Control(id);
    // A person cannot click what is disabled, hidden or under a modal window.
    if (!::IsWindowEnabled(window))
        throw CStepFailure{Format("to click button %d", id),
                           "the current window is disabled (a modal window over it?)"};
    if (!::IsWindowVisible(button) || !::IsWindowEnabled(button))
        throw CStepFailure{Format("to click button %d", id),
                           "the button is " + std::string(::IsWindowVisible(button) ? "disabled"
                                                                                    : "hidden")};
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

// key NAME [ID]: a key press to the control that has the focus, so that the
// dialog manager of the other program handles it; with ID, to that control
// (the caret keys of an edit that need not have the focus).
void CRunner::Key(CArgs& a, bool run)
{
    struct CKeyName {
        const char* pszName;
        UINT vk;
    };
    static const CKeyName kKeys[] = {
        {"escape", VK_ESCAPE}, {"enter", VK_RETURN}, {"tab", VK_TAB},   {"space", VK_SPACE},
        {"home", VK_HOME},     {"end", VK_END},      {"left", VK_LEFT}, {"right", VK_RIGHT},
    };
    std::string name = a.Word("the key");
    UINT vk = 0;
    for (const CKeyName& k : kKeys)
        if (name == k.pszName)
            vk = k.vk;
    if (!vk)
        a.Fail("unknown key " + ToUtf8(name) + " (escape, enter, tab, space, home, end, left, right)");
    const bool toControl = a.More();
    const int id = toControl ? a.Id() : 0;
    a.End();
    if (!run)
        return;
    HWND window = Current();
    HWND target = nullptr;
    if (toControl) {
        target = Control(id);
    } else {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
        target = info.hwndFocus;
        if (!target || (target != window && !::IsChild(window, target)))
            target = window;
    }
    PostKey(target, vk);
}

// close: the Close command of the window's system menu (the caption's X).
void CRunner::Close(CArgs& a, bool run)
{
    a.End();
    if (!run)
        return;
    ::PostMessageA(Current(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

// type ID "TEXT": characters one by one, as the keyboard would send them, so
// that length limits and change notifications of the control apply.
void CRunner::Type(CArgs& a, bool run)
{
    int id = a.Id();
    std::string text = a.Text("the text");
    a.End();
    if (!run)
        return;
    HWND control = Control(id);
    // One character per message, also for the double-byte characters of the
    // code page: they go as the UTF-16 character they stand for, and the
    // system hands an ANSI window the two bytes.
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    for (wchar_t c : wide)
        ::PostMessageW(control, WM_CHAR, c, 1);
}

// settext ID "TEXT": replaces the text of a control (WM_SETTEXT).
void CRunner::SetText(CArgs& a, bool run)
{
    int id = a.Id();
    std::string text = a.Text("the text");
    a.End();
    if (!run)
        return;
    HWND control = Control(id);
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, m_dwTimeout, &result))
        throw CStepFailure{Format("control %d takes the text", id), "no answer"};
}

// select ID N|"TEXT": a line of a list box or combo box, with the selection
// change notification its dialog expects.
void CRunner::Select(CArgs& a, bool run)
{
    SelectStep(a, run, false);
}

// dblclick ID N|"TEXT": selects a list box line and double-clicks it.
void CRunner::DblClick(CArgs& a, bool run)
{
    SelectStep(a, run, true);
}

// The arguments of select and dblclick: ID, then a line number or a quoted text.
void CRunner::SelectStep(CArgs& a, bool run, bool doubleClick)
{
    int id = a.Id();
    CToken item = a.Token("the line (number or quoted text)");
    a.End();
    if (!item.bQuoted) {
        long long v = 0;
        if (!ParseNumber(item.strText, v) || v < 0)
            a.Fail("the line must be a number from 0 or a quoted text");
    }
    if (run)
        SelectItem(id, item, doubleClick);
}

void CRunner::SelectItem(int id, const CToken& item, bool doubleClick)
{
    HWND control = Control(id);
    std::string cls = ClassOf(control);
    bool list = lstrcmpiA(cls.c_str(), "ListBox") == 0;
    bool combo = lstrcmpiA(cls.c_str(), "ComboBox") == 0;
    if (!list && !combo)
        throw CStepFailure{Format("control %d is a list box or combo box", id), "class " + Quote(cls)};
    if (combo && doubleClick)
        throw CStepFailure{Format("control %d is a list box", id), "a combo box"};
    const UINT getCount = list ? LB_GETCOUNT : CB_GETCOUNT;
    const UINT setSel = list ? LB_SETCURSEL : CB_SETCURSEL;

    long long index = -1;
    std::string lines;
    Settle(m_dwTimeout, "the line " + (item.bQuoted ? Quote(item.strText) : item.strText),
           [&](std::string& found) {
               DWORD_PTR count = 0;
               ::SendMessageTimeoutA(control, getCount, 0, 0, SMTO_ABORTIFHUNG, 3000, &count);
               if (!item.bQuoted) {
                   ParseNumber(item.strText, index);
                   found = Format("%lu lines", static_cast<unsigned long>(count));
                   return index < static_cast<long long>(count);
               }
               found = "the lines";
               for (DWORD_PTR i = 0; i < count; ++i) {
                   std::string text = ItemText(control, list, i);
                   found += " " + Quote(text);
                   if (text == item.strText) {
                       index = static_cast<long long>(i);
                       return true;
                   }
               }
               return false;
           });
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(control, setSel, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, 3000,
                          &result);
    HWND parent = ::GetParent(control);
    LPARAM from = reinterpret_cast<LPARAM>(control);
    ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, list ? LBN_SELCHANGE : CBN_SELCHANGE), from);
    if (doubleClick)
        ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), from);
}

// post current|class "NAME"  MSG WPARAM LPARAM: a message posted to the current
// window or to the first window of a class (also a child window, such as
// setup's view "SetupView"), which is waited for.
void CRunner::Post(CArgs& a, bool run)
{
    std::string target = a.Word("current or class");
    std::string cls;
    if (target == "class")
        cls = a.Text("the window class");
    else if (target != "current")
        a.Fail("post to current or class \"NAME\"");
    long long msg = a.Number("the message");
    long long wParam = a.Number("wParam");
    long long lParam = a.Number("lParam");
    a.End();
    if (!run)
        return;
    HWND h = nullptr;
    if (cls.empty()) {
        h = Current();
    } else {
        Settle(m_dwTimeout, "a window of class " + Quote(cls), [&](std::string& found) {
            h = FindWindowOfClass(cls);
            found = "none";
            return h != nullptr;
        });
    }
    if (!::PostMessageA(h, static_cast<UINT>(msg), static_cast<WPARAM>(wParam),
                        static_cast<LPARAM>(lParam)))
        throw CStepFailure{"the message is posted", Format("error %lu", ::GetLastError())};
}

// snap NAME [window]: a screenshot, taken by the test's watcher, saved as
// NAME.png; with "window" cut to the current window, at its size on the screen.
void CRunner::Snap(CArgs& a, bool run)
{
    std::string name = a.Word("the screenshot's name");
    bool window = false;
    if (a.More()) {
        if (a.Word("window") != "window")
            a.Fail("snap NAME, or snap NAME window");
        window = true;
    }
    a.End();
    if (name.find_first_of("\\/:*?\"<>|") != std::string::npos)
        a.Fail("the name must be usable as a file name");
    if (!run)
        return;
    std::string crop;
    if (window) {
        RECT r = {};
        ::GetWindowRect(Current(), &r);
        crop = Format("%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top, r.left, r.top);
    }
    if (!Snapshot(name, m_dwTimeout + 20000, crop))
        throw CStepFailure{"a screenshot " + ToUtf8(name) + ".png",
                           "no watcher took it (C:\\snap missing or the request stayed)"};
}

bool CRunner::Snapshot(const std::string& name, DWORD timeoutMs, const std::string& crop)
{
    const std::string dir = "C:\\snap";
    if (::GetFileAttributesA(dir.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    // Let the windows finish painting before the picture is taken.
    for (HWND h : VisibleTopLevelWindows()) {
        ::RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
    }
    ::Sleep(300);
    std::string request = dir + "\\" + name + ".req";
    {
        // The request holds the rectangle to cut out, if any; it is written
        // under another name first, so the watcher never reads half of it.
        const std::string draft = dir + "\\" + name + ".tmp";
        CFileHandle file(::CreateFileA(draft.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (!file)
            return false;
        DWORD written = 0;
        if (!crop.empty())
            ::WriteFile(file.Get(), crop.data(), static_cast<DWORD>(crop.size()), &written, nullptr);
        file.Close();
        if (!::MoveFileExA(draft.c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            ::DeleteFileA(draft.c_str());
            return false;
        }
    }
    DWORD start = ::GetTickCount();
    while (::GetFileAttributesA(request.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (Elapsed(start, timeoutMs)) {
            ::DeleteFileA(request.c_str());
            return false;
        }
        ::Sleep(kPollMs);
    }
    return true;
}

void CRunner::TrySnapshot(const std::string& name)
{
    if (Snapshot(name, 10000))
        PrintLine("  screenshot: " + ToUtf8(name) + ".png");
}

void CRunner::PrintSituation() const
{
    if (m_hCurrent && ::IsWindow(m_hCurrent)) {
        PrintLine("  current window: " + DescribeWindow(m_hCurrent));
        for (HWND child : ControlsOf(m_hCurrent))
            PrintLine("    " + DescribeControl(child));
    } else if (m_hCurrent) {
        PrintLine("  current window: closed");
    } else {
        PrintLine("  current window: none");
    }
    PrintLine("  windows on the screen (topmost first):");
    std::vector<HWND> windows = VisibleTopLevelWindows();
    if (windows.empty())
        PrintLine("    none");
    for (HWND h : windows)
        PrintLine("    " + DescribeWindow(h));
}

HWND CRunner::ListControl(int id, bool& list) const
{
    HWND control = Control(id);
    std::string cls = ClassOf(control);
    list = lstrcmpiA(cls.c_str(), "ListBox") == 0;
    if (!list && lstrcmpiA(cls.c_str(), "ComboBox") != 0)
        throw CStepFailure{Format("control %d is a list box or combo box", id), "class " + Quote(cls)};
    return control;
}

// lines ID "TEXT"...: a list or combo box holds exactly these lines, in this
// order (none: an empty list).
void CRunner::Lines(CArgs& a, bool run)
{
    int id = a.Id();
    std::vector<std::string> want;
    while (a.More())
        want.push_back(a.Text("a line"));
    if (!run)
        return;
    bool list = false;
    HWND control = ListControl(id, list);
    std::string expected = Format("control %d holds", id);
    for (const std::string& line : want)
        expected += " " + Quote(line);
    Settle(m_dwTimeout, expected, [&](std::string& found) {
        DWORD_PTR count = 0;
        ::SendMessageTimeoutA(control, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count);
        std::vector<std::string> got;
        found = Format("control %d holds", id);
        for (DWORD_PTR i = 0; i < count; ++i) {
            got.push_back(ItemText(control, list, i));
            found += " " + Quote(got.back());
        }
        return got == want;
    });
}

// selected ID N: the line selected in a list or combo box (-1: none).
void CRunner::Selected(CArgs& a, bool run)
{
    int id = a.Id();
    long long want = a.Number("the line number (-1 for none)");
    a.End();
    if (!run)
        return;
    bool list = false;
    HWND control = ListControl(id, list);
    Settle(m_dwTimeout, Format("control %d has line %lld selected", id, want), [&](std::string& found) {
        DWORD_PTR sel = 0;
        ::SendMessageTimeoutA(control, list ? LB_GETCURSEL : CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, &sel);
        const long long got = static_cast<long long>(static_cast<LONG_PTR>(sel));
        found = Format("control %d has line %lld selected", id, got);
        return got == want;
    });
}
