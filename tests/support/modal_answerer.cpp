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
    HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    const std::pair<LPCSTR, int> known[] = {{IDI_HAND, MB_ICONERROR},
                                            {IDI_ASTERISK, MB_ICONINFORMATION},
                                            {IDI_QUESTION, MB_ICONQUESTION},
                                            {IDI_EXCLAMATION, MB_ICONWARNING}};
    for (const auto &k : known)
        if (icon && icon == LoadIconA(nullptr, k.first)) record.icon = k.second;
    int id = GetDlgCtrlID(child); // a message box's text: 100 under Wine, 0xFFFF on Windows
    if ((id == 100 || id == 0xFFFF) && record.text.empty()) record.text = textOf(child);
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
        if (!steps.empty() &&
            (steps.front().first.empty() || steps.front().first == record.caption)) {
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
    records.clear();
    hook = SetWindowsHookExA(WH_CBT, cbtProc, nullptr, GetCurrentThreadId());
}

void stopAnsweringModals() {
    UnhookWindowsHookEx(hook);
    steps.clear();
}

void expectModal(const std::string &caption, std::function<void(HWND)> act) {
    steps.emplace_back(caption, std::move(act));
}

void answerMessageBox(int button) {
    expectModal("", [button](HWND box) { clickButton(box, button); });
}

void answerFileChooser(const std::string &path, std::string *firstFilter) {
    expectModal("", [path, firstFilter](HWND chooser) {
        actLater(chooser, [path, firstFilter](HWND dialog) {
            char filter[128] = ""; // the file type box
            SendDlgItemMessageA(dialog, 0x470, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));
            if (firstFilter) *firstFilter = filter;
            SetDlgItemTextA(dialog, 0x47c, path.c_str()); // the name box
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

static std::function<void(HWND)> laterAction;

static void CALLBACK runLater(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    auto act = std::move(laterAction);
    act(window);
}

void actLater(HWND dialog, std::function<void(HWND)> act) {
    laterAction = std::move(act);
    SetTimer(dialog, 1, 150, runLater);
}

void clickButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
