#include "WebUrl.h"

#include "CTabItem.h"

WebUrl::WebUrl() {
    Caption(L"WebUrl");
    ClientSize(9000, 6000);
    Picture1.ScaleMode(ScaleModeConstants::Pixels);
    Picture1.Resize = [this] { Picture1_Resize(); };
    wb_.TitleChange = [this](const std::wstring& title) { wb_TitleChange(title); };
}

WebUrl::~WebUrl() = default;

void WebUrl::OpenURL(const std::wstring& url) {
    Load();
    wb_.Navigate(url);
}

void WebUrl::Initialize(IuTab* Implement, CTabItem* Item) {
    tabHost_ = Implement;
    tabItem_ = Item;
}

void WebUrl::Form_Load() {
    WebBrowser::Placement place;
    place.parent = Picture1.hWnd();
    place.x = place.y = -2;
    place.cx = Picture1.ScaleWidth() + 4;
    place.cy = Picture1.ScaleHeight() + 4;
    wb_.Create(place);
    wb_.Navigate(kStartUrl);
}

void WebUrl::Form_Unload(int&) {
    // The tab goes with the page: a late title has nothing to write to.
    tabItem_ = nullptr;
    tabHost_ = nullptr;
}

void WebUrl::Form_Resize() {
    try {
        Picture1.Move(0, 0, ScaleWidth(), ScaleHeight());
    } catch (...) {
    }
}

void WebUrl::Picture1_Resize() {
    try {
        wb_.Move(-2, -2, Picture1.ScaleWidth() + 4, Picture1.ScaleHeight() + 4);
    } catch (...) {
    }
}

void WebUrl::wb_TitleChange(const std::wstring& title) {
    // A title that comes before the page has its tab has nowhere to go.
    if (tabItem_) tabItem_->Caption(title);
}
