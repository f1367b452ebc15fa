#include "winquery.h"

#include "output.h"

namespace {
const char kTemplateIdProperty[] = "SetupDialogId";  // CDialog::TemplateIdProperty()
const UINT kQueryTimeoutMs = 3000;

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectDescendant(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

std::string StyleWords(HWND hwnd)
{
    LONG_PTR style = ::GetWindowLongPtrA(hwnd, GWL_STYLE);
    std::string words;
    if (!(style & WS_VISIBLE))
        words += " hidden";
    if (style & WS_DISABLED)
        words += " disabled";
    if (ClassOf(hwnd) == "Button") {
        LONG_PTR type = style & BS_TYPEMASK;
        if (type == BS_DEFPUSHBUTTON)
            words += " default";
        if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
            type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE) {
            DWORD_PTR check = 0;
            if (::SendMessageTimeoutA(hwnd, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kQueryTimeoutMs,
                                      &check) &&
                check == BST_CHECKED)
                words += " checked";
        }
    }
    return words;
}
}  // namespace

UINT TemplateIdOf(HWND hwnd)
{
    return static_cast<UINT>(reinterpret_cast<ULONG_PTR>(::GetPropA(hwnd, kTemplateIdProperty)));
}

std::string ClassOf(HWND hwnd)
{
    char name[256] = "";
    ::GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hwnd)
{
    DWORD_PTR len = 0;
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kQueryTimeoutMs,
                               &len)) {
        // The owner does not answer: the text the system keeps for the window.
        char buf[1024] = "";
        ::GetWindowTextA(hwnd, buf, sizeof buf);
        return buf;
    }
    // An ANSI length may count more than the text has (conversion from UTF-16); the
    // answer to WM_GETTEXT says how much was copied.
    std::string text(static_cast<size_t>(len) + 1, '\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                               SMTO_ABORTIFHUNG, kQueryTimeoutMs, &copied))
        copied = 0;
    text.resize(copied < text.size() ? static_cast<size_t>(copied) : text.size() - 1);
    return text;
}

int ControlIdOf(HWND hwnd)
{
    return static_cast<int>(::GetWindowLongPtrA(hwnd, GWLP_ID) & 0xFFFF);
}

DWORD ProcessOf(HWND hwnd)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

bool IsMessageBox(HWND hwnd)
{
    // Property sheets and common dialogs share the class but have other controls.
    if (ClassOf(hwnd) != "#32770" || TemplateIdOf(hwnd) != 0)
        return false;
    bool hasText = false;
    for (HWND child : ChildrenOf(hwnd)) {
        std::string cls = ClassOf(child);
        if (cls != "Static" && cls != "Button")
            return false;
        if (cls == "Static" && ControlIdOf(child) == 0xFFFF)
            hasText = true;
    }
    return hasText;
}

std::string MessageBoxText(HWND hwnd)
{
    for (HWND child : ChildrenOf(hwnd))
        if (ControlIdOf(child) == 0xFFFF && ClassOf(child) == "Static")
            return TextOf(child);
    return std::string();
}

std::vector<HWND> VisibleTopLevelWindows()
{
    std::vector<HWND> all;
    ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> visible;
    const DWORD self = ::GetCurrentProcessId();
    for (HWND h : all)
        if (::IsWindowVisible(h) && ProcessOf(h) != self)
            visible.push_back(h);
    return visible;
}

std::vector<HWND> ChildrenOf(HWND hwnd)
{
    std::vector<HWND> children;
    for (HWND c = ::GetWindow(hwnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    return children;
}

std::vector<HWND> ControlsOf(HWND hwnd)
{
    std::vector<HWND> controls = ChildrenOf(hwnd);
    const size_t direct = controls.size();
    for (size_t i = 0; i < direct; ++i) {
        HWND child = controls[i];
        if (ClassOf(child) == "#32770" && ::IsWindowVisible(child)) {
            for (HWND c : ChildrenOf(child))
                controls.push_back(c);
        }
    }
    return controls;
}

HWND FindWindowShowingPage(UINT id)
{
    for (HWND top : VisibleTopLevelWindows()) {
        for (HWND child : ChildrenOf(top))
            if (TemplateIdOf(child) == id && ::IsWindowVisible(child))
                return top;
    }
    return nullptr;
}

HWND FindWindowOfClass(const std::string& className)
{
    for (HWND top : VisibleTopLevelWindows()) {
        if (lstrcmpiA(ClassOf(top).c_str(), className.c_str()) == 0)
            return top;
        std::vector<HWND> descendants;
        ::EnumChildWindows(top, &CollectDescendant, reinterpret_cast<LPARAM>(&descendants));
        for (HWND d : descendants)
            if (lstrcmpiA(ClassOf(d).c_str(), className.c_str()) == 0)
                return d;
    }
    return nullptr;
}

std::string DescribeWindow(HWND hwnd)
{
    DWORD pid = 0;
    DWORD tid = ::GetWindowThreadProcessId(hwnd, &pid);
    std::string line = Format("%p pid %04lx thread %04lx class %s", static_cast<void*>(hwnd), pid,
                              tid, Quote(ClassOf(hwnd)).c_str());
    if (UINT id = TemplateIdOf(hwnd))
        line += Format(" dialog %u", id);
    line += " caption " + Quote(TextOf(hwnd));
    if (!::IsWindowEnabled(hwnd))
        line += " disabled";
    if (IsMessageBox(hwnd))
        line += " message " + Quote(MessageBoxText(hwnd));
    return line;
}

std::string DescribeControl(HWND hwnd)
{
    return Format("id %5d %-10s %s%s", ControlIdOf(hwnd), ClassOf(hwnd).c_str(),
                  Quote(TextOf(hwnd)).c_str(), StyleWords(hwnd).c_str());
}
