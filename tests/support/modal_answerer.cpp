#include "app_fixture.h"

#include <deque>

static HHOOK hook;
struct Step {
    bool newDialogOnly; // message boxes and choosers are always new
    std::function<void(HWND)> act;
};
static std::deque<Step> steps;
static std::vector<ModalRecord> records;

// A dialog nobody expected is dismissed. A dialog activated again (back from a box it opened)
// is a step again only when the next step may be such a dialog.
static LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[64] = "";
    if (code == HCBT_ACTIVATE) GetClassNameA(window, className, sizeof className);
    bool seen = GetPropA(window, "seen") != nullptr;
    bool waiting = !steps.empty() && !(seen && steps.front().newDialogOnly);
    if (std::string(className) == "#32770" && (waiting || !seen)) {
        SetPropA(window, "seen", reinterpret_cast<HANDLE>(1));
        // a message box's text: control 100 under Wine, 0xFFFF on Windows
        HWND text = GetDlgItem(window, 100) ? GetDlgItem(window, 100) : GetDlgItem(window, 0xFFFF);
        records.push_back({(waiting ? "" : "unexpected: ") + windowText(window), windowText(text)});
        std::function<void(HWND)> act = [](HWND dialog) {
            clickButton(dialog, GetDlgItem(dialog, IDNO) ? IDNO : IDCANCEL);
        };
        if (waiting) {
            act = std::move(steps.front().act);
            steps.pop_front();
        }
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

void expectModal(std::function<void(HWND)> act, bool newDialogOnly) {
    steps.push_back({newDialogOnly, std::move(act)});
}

void answerMessageBox(int button) {
    expectModal([button](HWND box) { clickButton(box, button); }, true);
}

static std::function<void(HWND)> laterAction;

static void CALLBACK runLater(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    auto act = std::move(laterAction);
    act(window);
}

// The chooser fills its controls after it is activated: it is answered a moment later.
void answerFileChooser(const std::string &path) {
    expectModal(
        [path](HWND chooser) {
            laterAction = [path](HWND dialog) {
                SetDlgItemTextA(dialog, 0x47c, path.c_str()); // the name box
                clickButton(dialog, IDOK);
            };
            SetTimer(chooser, 1, 150, runLater);
        },
        true);
}

const std::vector<ModalRecord> &modalLog() {
    return records;
}

void clickButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
