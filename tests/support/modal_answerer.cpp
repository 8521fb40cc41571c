#include "modal_answerer.h"

#include "app_fixture.h"

#include <deque>

static HHOOK hook;
static std::deque<std::function<void(HWND)>> steps;
static std::vector<ModalRecord> records;

// A message box's text: control 100 under Wine, 0xFFFF on Windows.
static BOOL CALLBACK readText(HWND child, LPARAM lParam) {
    std::string &text = reinterpret_cast<ModalRecord *>(lParam)->text;
    int id = GetDlgCtrlID(child);
    if ((id == 100 || id == 0xFFFF) && text.empty()) text = windowText(child);
    return TRUE;
}

// A dialog activated again (back from a box it opened) is a step again only when one waits.
static LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[64] = "";
    if (code == HCBT_ACTIVATE) GetClassNameA(window, className, sizeof className);
    bool seen = GetPropA(window, "seen") != nullptr;
    if (std::string(className) == "#32770" && !(seen && steps.empty())) {
        SetPropA(window, "seen", reinterpret_cast<HANDLE>(1));
        ModalRecord record;
        record.caption = windowText(window);
        EnumChildWindows(window, readText, reinterpret_cast<LPARAM>(&record));
        if (steps.empty()) record.caption = "unexpected: " + record.caption;
        records.push_back(record);
        if (steps.empty()) {
            clickButton(window, GetDlgItem(window, IDNO) ? IDNO : IDCANCEL);
        } else {
            auto act = std::move(steps.front());
            steps.pop_front();
            act(window);
        }
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

void expectModal(std::function<void(HWND)> act) {
    steps.push_back(std::move(act));
}

void answerMessageBox(int button) {
    expectModal([button](HWND box) { clickButton(box, button); });
}

static std::function<void(HWND)> laterAction;

static void CALLBACK runLater(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    auto act = std::move(laterAction);
    act(window);
}

// The chooser fills its controls after it is activated: it is answered a moment later.
void answerFileChooser(const std::string &path, std::string *firstFilter) {
    expectModal([path, firstFilter](HWND chooser) {
        laterAction = [path, firstFilter](HWND dialog) {
            char filter[128] = ""; // the file type box
            SendDlgItemMessageA(dialog, 0x470, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));
            if (firstFilter) *firstFilter = filter;
            SetDlgItemTextA(dialog, 0x47c, path.c_str()); // the name box
            clickButton(dialog, IDOK);
        };
        SetTimer(chooser, 1, 150, runLater);
    });
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
