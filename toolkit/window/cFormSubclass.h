// One-purpose window hook: every message of a hooked window is reported,
// before the window's own procedure runs, as the event MsgCome.
#pragma once
#include <windows.h>

#include <functional>

#include "CSubclass.h"

class cFormSubclass {
public:
    // A handler that sets bHandled keeps the window's procedure from running;
    // lReturn is then the message's result.
    using MsgComeEvent = std::function<void(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd,
                                            UINT& uMsg, WPARAM& wParam, LPARAM& lParam)>;
    MsgComeEvent MsgCome;

    cFormSubclass();
    // The end of the object unhooks every window it hooked.

    void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                        WPARAM& wParam, LPARAM& lParam);
    // Hooks hWnd with every message listed for the before phase; returns true.
    bool AddWindowMsgs(HWND hWnd);
    // Does nothing: a hooked window stays hooked until the object ends.
    bool DeleteWindowMsg(HWND hWnd);

private:
    CSubclass subclass_;
};
