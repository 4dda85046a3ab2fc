#include "BrowserPopup.h"

#include <algorithm>
#include <vector>

namespace {

// Open pop-ups; each removes itself when its window is destroyed.
std::vector<std::unique_ptr<BrowserPopup>>& OpenPopups() {
    static std::vector<std::unique_ptr<BrowserPopup>> popups;
    return popups;
}

}  // namespace

void BrowserPopup::Open(const std::wstring& url, const std::wstring& linkedFrom) {
    std::unique_ptr<BrowserPopup> popup(new BrowserPopup());
    CreateParams cp;
    cp.className = L"OrvaneBrowserPopup";
    cp.title = url;
    cp.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    cp.cx = 800;
    cp.cy = 600;
    if (!popup->Create(cp)) return;
    RECT rc;
    GetClientRect(popup->hwnd(), &rc);
    WebBrowser::Placement place;
    place.parent = popup->hwnd();
    place.cx = rc.right;
    place.cy = rc.bottom;
    if (!popup->browser_.Create(place)) return;
    HWND hwnd = popup->hwnd();
    popup->browser_.TitleChange = [hwnd](const std::wstring& title) { SetWindowTextW(hwnd, title.c_str()); };
    popup->browser_.Navigate(url, linkedFrom);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    OpenPopups().push_back(std::move(popup));
}

LRESULT BrowserPopup::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE: browser_.Move(0, 0, LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_SETFOCUS: SetFocus(browser_.hwnd()); return 0;
    }
    return Default(msg, wParam, lParam);
}

void BrowserPopup::OnDestroyed() {
    auto& popups = OpenPopups();
    auto it = std::find_if(popups.begin(), popups.end(), [this](const auto& p) { return p.get() == this; });
    if (it != popups.end()) popups.erase(it);  // deletes this object: nothing may follow
}
