// One game tab of the player: a page window holding a browser view that shows
// one web game or portal page, whose tab caption follows the document title.
#pragma once
#include <memory>
#include <string>

#include "Form.h"
#include "ITabForm.h"
#include "PictureBox.h"
#include "WebBrowser.h"

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

    // The browser view, for those who watch what the page shows.
    WebBrowser& wb() { return wb_; }

    // What the page opens when it loads, before the game's address replaces it.
    static constexpr wchar_t kStartUrl[] = L"about:blank";

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;

private:
    void Picture1_Resize();
    void wb_TitleChange(const std::wstring& title);

    PictureBox Picture1{*this};
    WebBrowser wb_;
    // Given by Initialize; neither keeps its object alive.
    IuTab* tabHost_ = nullptr;
    CTabItem* tabItem_ = nullptr;
};
