#include "cFormSubclass.h"

cFormSubclass::cFormSubclass() {
    subclass_.WindowProc = [this](bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT uMsg,
                                  WPARAM wParam, LPARAM lParam, LONG&) {
        zSubclass_Proc(bBefore, bHandled, lReturn, hWnd, uMsg, wParam, lParam);
    };
}

void cFormSubclass::zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                                   WPARAM& wParam, LPARAM& lParam) {
    if (MsgCome) MsgCome(bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam);
}

bool cFormSubclass::AddWindowMsgs(HWND hWnd) {
    bool unicode = true;
    if (subclass_.ssc_Subclass(hWnd, 0, 1, true, &unicode))
        subclass_.ssc_AddMsg(hWnd, CSubclass::ALL_MESSAGES, CSubclass::MSG_BEFORE);
    return true;
}

bool cFormSubclass::DeleteWindowMsg(HWND) { return false; }
