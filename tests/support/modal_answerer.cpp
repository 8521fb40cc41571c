#include "modal_answerer.h"

#include "app_fixture.h"

#include <deque>

static HHOOK hook;
static std::deque<std::function<void(HWND)>> steps;
static std::vector<ModalRecord> records;

// A dialog nobody expected is dismissed. A dialog activated again (back from a box it opened)
// is a step again only when one waits.
static LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[64] = "";
    if (code == HCBT_ACTIVATE) GetClassNameA(window, className, sizeof className);
    bool seen = GetPropA(window, "seen") != nullptr;
    if (std::string(className) == "#32770" && !(seen && steps.empty())) {
        SetPropA(window, "seen", reinterpret_cast<HANDLE>(1));
        // a message box's text: control 100 under Wine, 0xFFFF on Windows
        HWND text = GetDlgItem(window, 100) ? GetDlgItem(window, 100) : GetDlgItem(window, 0xFFFF);
        records.push_back(
            {(steps.empty() ? "unexpected: " : "") + windowText(window), windowText(text)});
        std::function<void(HWND)> act = [](HWND dialog) {
            clickButton(dialog, GetDlgItem(dialog, IDNO) ? IDNO : IDCANCEL);
        };
        if (!steps.empty()) act = std::move(steps.front()), steps.pop_front();
        act(window);
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
void answerFileChooser(const std::string &path) {
    expectModal([path](HWND chooser) {
        laterAction = [path](HWND dialog) {
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
