#include "MdlMenuClass.h"

#include "HandlerScope.h"
#include "MdlMenuComm.h"
#include "WindowProc.h"
#include "clsTopMenu.h"

COLORREF MenuSelFrameColor;
COLORREF MenuSelBackColor;
COLORREF MenuBackColor;
COLORREF MenuSelTextColor;
COLORREF MenuTextColor;
COLORREF MenuIconBackColor;
COLORREF MenuLineColor;

namespace {

const wchar_t kOrigProc[] = L"OrigProcAddr";

clsTopMenu* FindItem(UINT id) {
    for (const auto& item : MenuItems)
        if (item && static_cast<UINT>(item->MenuID()) == id) return item.get();
    return nullptr;
}

void Measure(MEASUREITEMSTRUCT& request) {
    if (request.CtlType != ODT_MENU) return;
    if (const clsTopMenu* item = FindItem(request.itemID)) {
        request.itemWidth = item->Width();
        request.itemHeight = item->Height();
    }
}

void Draw(const DRAWITEMSTRUCT& request) {
    if (request.CtlType != ODT_MENU) return;
    clsTopMenu* item = FindItem(request.itemID);
    if (!item) return;
    const RECT& r = request.rcItem;
    item->InitStruct(request.hDC, static_cast<int32_t>(request.itemAction), static_cast<int32_t>(request.itemID),
                     static_cast<int32_t>(request.itemState), r.left, r.top, r.bottom, r.right);
    // Only a checked item shows the check picture; the others never need it.
    const auto check = item->Selected() ? MenuCheckPicture() : nullptr;
    item->DrawMenu(check.get());
}

}  // namespace

void InitMenuColors() {
    MenuSelFrameColor = RGB(41, 140, 211);
    MenuSelBackColor = RGB(41, 140, 211);
    MenuBackColor = RGB(255, 255, 255);
    MenuSelTextColor = RGB(255, 255, 255);
    MenuTextColor = RGB(35, 35, 35);
    MenuIconBackColor = RGB(245, 246, 245);
    MenuLineColor = RGB(182, 195, 204);
}

void HookMenuForm(HWND form) {
    InitMenuColors();
    if (!form || GetPropW(form, kOrigProc)) return;
    const WNDPROC previous = SetWindowProc(form, &MenuWndProc);
    if (previous) SetPropW(form, kOrigProc, reinterpret_cast<HANDLE>(previous));
}

LRESULT CALLBACK MenuWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const HandlerScope scope;
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOrigProc));
    if (!previous) return DefWindowProcOf(hwnd, uMsg, wParam, lParam);
    try {
        switch (uMsg) {
        case WM_MEASUREITEM:
            Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            return 0;
        case WM_DRAWITEM:
            Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return 0;
        case WM_COMMAND:
            MenuCommand(wParam);
            break;
        case WM_DESTROY: {
            SetWindowProc(hwnd, previous);
            const LRESULT result = CallWindowProcOf(previous, hwnd, uMsg, wParam, lParam);
            RemovePropW(hwnd, kOrigProc);
            ClearMenuItems();
            return result;
        }
        }
    } catch (...) {
        // A command's failure must not unwind through the system's dispatcher.
    }
    return CallWindowProcOf(previous, hwnd, uMsg, wParam, lParam);
}
