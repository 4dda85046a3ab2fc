#include "MainFrmTray.h"

#include "HandlerScope.h"
#include "MainFrm.h"
#include "MdlMenuComm.h"
#include "WindowProc.h"

WNDPROC MainPrevWndProc = nullptr;

namespace {

void TrayCallback(LPARAM what) {
    switch (what) {
    case WM_LBUTTONUP:
        TheMainFrm().Show();  // a minimised window stays minimised
        break;
    case WM_RBUTTONDOWN:
        SetForegroundWindow(TheMainFrm().hwnd());
        break;
    case WM_RBUTTONUP:
        ShowMainMenu();
        break;
    }
}

}  // namespace

LRESULT CALLBACK TrayWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const HandlerScope scope;
    if (uMsg == kTrayCallbackMessage) {
        try {
            TrayCallback(lParam);
        } catch (...) {
            // nothing may unwind through the system's dispatcher
        }
    }
    return CallWindowProcOf(MainPrevWndProc, hwnd, uMsg, wParam, lParam);
}
