// The new top-level window a link opens when its page does not cancel the
// request: a plain frame window holding its own browser view on the address,
// captioned with the page's title. It deletes itself when closed.
#pragma once
#include <memory>
#include <string>

#include "WebBrowser.h"
#include "Window.h"

class BrowserPopup : public Window {
public:
    // The address of a link of the document at `linkedFrom`.
    static void Open(const std::wstring& url, const std::wstring& linkedFrom);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    BrowserPopup() = default;
    WebBrowser browser_;
};
