#include "WebUrl.h"

#include "CTabItem.h"

WebUrl::WebUrl() {
    Caption(L"WebUrl");
    ClientSize(9000, 6000);
    Picture1.ScaleMode(ScaleModeConstants::Pixels);
    Picture1.Resize = [this] { Picture1_Resize(); };
    wb.Design = [this](WebBrowser& view) {
        view.TitleChange = [this](const std::wstring& title) { wb_TitleChange(title); };
    };
}

WebUrl::~WebUrl() = default;

void WebUrl::OpenURL(const std::wstring& url) {
    Load();
    wb->Navigate(url);
}

void WebUrl::Initialize(IuTab* Implement, CTabItem* Item) {
    tabHost_ = Implement;
    tabItem_ = Item;
}

void WebUrl::Form_Load() { wb->Navigate(kStartUrl); }

void WebUrl::Form_Resize() {
    try {
        Picture1.Move(0, 0, ScaleWidth(), ScaleHeight());
    } catch (...) {
    }
}

void WebUrl::Picture1_Resize() {
    try {
        wb.Move(-2, -2, Picture1.ScaleWidth() + 4, Picture1.ScaleHeight() + 4);
    } catch (...) {
    }
}

void WebUrl::wb_TitleChange(const std::wstring& title) {
    // A title that comes before the page has its tab, or after the tab has
    // gone, has nowhere to go.
    if (tabItem_) tabItem_->Caption(title);
}
