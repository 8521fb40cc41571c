#include "modal_answerer.h"

#include <cstring>
#include <deque>

static HHOOK hook;
static std::deque<std::pair<std::string, std::function<void(HWND)>>> steps;
static std::vector<ModalRecord> records;

static std::string textOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

static BOOL CALLBACK readChild(HWND child, LPARAM lParam) {
    ModalRecord &record = *reinterpret_cast<ModalRecord *>(lParam);
    char className[64] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0) return TRUE;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
        if (record.text.empty()) record.text = textOf(child);
        return TRUE;
    }
    HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    const std::pair<LPCSTR, int> known[] = {{IDI_HAND, MB_ICONERROR},
                                            {IDI_ASTERISK, MB_ICONINFORMATION},
                                            {IDI_QUESTION, MB_ICONQUESTION},
                                            {IDI_EXCLAMATION, MB_ICONWARNING}};
    for (const auto &k : known)
        if (icon && icon == LoadIconA(nullptr, k.first)) record.icon = k.second;
    return TRUE;
}

// A dialog activated again (back from a chooser it opened) may be a step again.
static LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[64] = "";
    if (code == HCBT_ACTIVATE) GetClassNameA(window, className, sizeof className);
    if (strcmp(className, "#32770") == 0) {
        ModalRecord record;
        record.caption = textOf(window);
        EnumChildWindows(window, readChild, reinterpret_cast<LPARAM>(&record));
        bool expected = !steps.empty() &&
                        (steps.front().first.empty() || steps.front().first == record.caption);
        if (expected) {
            auto act = std::move(steps.front().second);
            steps.pop_front();
            records.push_back(record);
            act(window);
        } else if (!GetPropA(window, "seen")) {
            record.caption = "unexpected: " + record.caption;
            records.push_back(record);
            clickButton(window, GetDlgItem(window, IDNO) ? IDNO : IDCANCEL);
        }
        SetPropA(window, "seen", reinterpret_cast<HANDLE>(1));
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

void startAnsweringModals() {
    if (!hook) hook = SetWindowsHookExA(WH_CBT, cbtProc, nullptr, GetCurrentThreadId());
}

void stopAnsweringModals() {
    if (hook) UnhookWindowsHookEx(hook);
    hook = nullptr;
    steps.clear();
}

void expectModal(const std::string &caption, std::function<void(HWND)> act) {
    steps.emplace_back(caption, std::move(act));
}

void answerMessageBox(int button) {
    expectModal("", [button](HWND box) { clickButton(box, button); });
}

static std::string firstFilterText(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[128] = "";
        GetClassNameA(child, text, sizeof text);
        if (lstrcmpiA(text, "ComboBox") != 0 ||
            SendMessageA(child, CB_GETLBTEXTLEN, 0, 0) >= static_cast<LRESULT>(sizeof text))
            continue;
        SendMessageA(child, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        if (strstr(text, "(*.")) return text;
    }
    return "";
}

void answerFileChooser(const std::string &path, std::string *firstFilter) {
    expectModal("", [path, firstFilter](HWND chooser) {
        actLater(chooser, [path, firstFilter](HWND dialog) {
            if (firstFilter) *firstFilter = firstFilterText(dialog);
            for (int id : {0x47c, 0x480}) // the name box: combo box, or edit in older layouts
                if (GetDlgItem(dialog, id)) SetDlgItemTextA(dialog, id, path.c_str());
            clickButton(dialog, IDOK);
        });
    });
}

const std::vector<ModalRecord> &modalLog() {
    return records;
}

void clearModalLog() {
    records.clear();
}

static std::vector<std::pair<HWND, std::function<void(HWND)>>> laterActions;

static void CALLBACK runLater(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    for (auto it = laterActions.begin(); it != laterActions.end(); ++it) {
        if (it->first != window) continue;
        auto act = std::move(it->second);
        laterActions.erase(it);
        act(window);
        return;
    }
}

void actLater(HWND dialog, std::function<void(HWND)> act) {
    laterActions.emplace_back(dialog, std::move(act));
    SetTimer(dialog, 0x4D37, 150, runLater);
}

void clickButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
