#include "MsgBox.h"

#include "App.h"

MsgBoxHandler& MsgBoxHook() {
    static MsgBoxHandler hook = [](const std::wstring& prompt, UINT buttons, const std::wstring& title) {
        return MessageBoxW(GetActiveWindow(), prompt.c_str(), title.c_str(), buttons);
    };
    return hook;
}

int MsgBox(const std::wstring& prompt, UINT buttons, const std::wstring& title) {
    return MsgBoxHook()(prompt, buttons, title.empty() ? App::Title() : title);
}
