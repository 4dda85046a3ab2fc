// One game tab of the player: a page window holding a browser view that shows
// one web game or portal page, whose tab caption follows the document title.
#pragma once
#include <string>

#include "Form.h"
#include "ITabForm.h"
#include "PictureBox.h"
#include "WebBrowserHosting.h"

class CTabItem;
class IuTab;

class WebUrl : public Form, public ITabForm {
public:
    WebUrl();
    ~WebUrl() override;

    // Loads the page when needed, then the browser goes to the address.
    void OpenURL(const std::wstring& url);

    // ITabForm
    HWND hwnd() const override { return Window::hwnd(); }
    void Initialize(IuTab* Implement, CTabItem* Item) override;
    void Unload() override { Form::Unload(); }

    // What the page opens when it loads, before the game's address replaces it.
    static constexpr wchar_t kStartUrl[] = L"about:blank";

    PictureBox Picture1{*this};
    Hosted<WebBrowser> wb{Picture1};

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    void Picture1_Resize();
    void wb_TitleChange(const std::wstring& title);

    // Given by Initialize; neither keeps its object alive, and both are
    // emptied when the tab goes.
    IuTab* tabHost_ = nullptr;
    CTabItem* tabItem_ = nullptr;
};
