#include "modal_answerer.h"

#include <cstring>
#include <deque>

static HHOOK hook;
static std::deque<ModalStep> steps;
static std::vector<ModalRecord> records;

static std::string windowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

static int iconKind(HICON icon) {
    struct Known {
        LPCSTR id;
        int kind;
    } known[] = {{IDI_HAND, MB_ICONERROR},
                 {IDI_ASTERISK, MB_ICONINFORMATION},
                 {IDI_QUESTION, MB_ICONQUESTION},
                 {IDI_EXCLAMATION, MB_ICONWARNING}};
    for (const Known &k : known)
        if (icon && icon == LoadIconA(nullptr, k.id)) return k.kind;
    return 0;
}

static BOOL CALLBACK readChild(HWND child, LPARAM lParam) {
    ModalRecord &record = *reinterpret_cast<ModalRecord *>(lParam);
    char className[64] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0) return TRUE;
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        record.icon = iconKind(reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)));
    } else if (record.text.empty()) {
        record.text = windowText(child);
    }
    return TRUE;
}

static LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            ModalRecord record;
            record.caption = windowText(window);
            EnumChildWindows(window, readChild, reinterpret_cast<LPARAM>(&record));
            if (!steps.empty() &&
                (steps.front().caption.empty() || steps.front().caption == record.caption)) {
                ModalStep step = steps.front();
                steps.pop_front();
                SetPropA(window, "seen", reinterpret_cast<HANDLE>(1));
                records.push_back(record);
                step.act(window);
            } else if (steps.empty() && !GetPropA(window, "seen")) {
                // nobody expected it: record it and get it out of the way
                SetPropA(window, "seen", reinterpret_cast<HANDLE>(1));
                record.caption = "unexpected: " + record.caption;
                records.push_back(record);
                clickButton(window, GetDlgItem(window, IDNO) ? IDNO : IDCANCEL);
            }
        }
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
    steps.push_back({caption, std::move(act)});
}

void answerMessageBox(int button) {
    expectModal("", [button](HWND box) { clickButton(box, button); });
}

const std::vector<ModalRecord> &modalLog() {
    return records;
}
void clearModalLog() {
    records.clear();
}

void clickButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

static std::vector<std::pair<HWND, std::function<void(HWND)>>> laterActions;

static void CALLBACK runLater(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    for (auto it = laterActions.begin(); it != laterActions.end(); ++it) {
        if (it->first != window) continue;
        std::function<void(HWND)> act = std::move(it->second);
        laterActions.erase(it);
        act(window);
        return;
    }
}

void actLater(HWND dialog, std::function<void(HWND)> act) {
    laterActions.push_back({dialog, std::move(act)});
    SetTimer(dialog, 0x4D37, 150, runLater);
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
        // the chooser fills its lists after it is shown
        actLater(chooser, [path, firstFilter](HWND dialog) {
            if (firstFilter) *firstFilter = firstFilterText(dialog);
            for (int id : {0x47c, 0x480}) // the name box: combo box, or edit in older layouts
                if (GetDlgItem(dialog, id)) SetDlgItemTextA(dialog, id, path.c_str());
            clickButton(dialog, IDOK);
        });
    });
}
