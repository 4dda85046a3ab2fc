// The update check: a window that never shows. It loads the portal's update
// page in a hidden browser, reads the reply "version|address", tells the
// user whether an update exists, opens the download address in the user's
// browser when one does, and unloads itself.
#pragma once
#include <cstddef>
#include <string>

#include "Form.h"
#include "TextBox.h"
#include "WebBrowserHosting.h"

class FUpload : public Form {
public:
    FUpload();
    ~FUpload() override;

    // Both hidden.
    Hosted<WebBrowser> WB;
    // Receives the captured reply.
    TextBox txt_Ver;

    // Number of characters of the text.
    std::size_t Lenstr(const std::wstring& text) const;

    // The page arrived: its text, captured, goes into txt_Ver.
    void WB_DocumentComplete(const std::wstring& url);
    // Answers the reply in txt_Ver, then unloads the window.
    void txt_Ver_Change();

protected:
    void Form_Load() override;
};

// The address of the update page.
std::wstring UpdatePageUrl();

// The messages of the update check.
inline constexpr wchar_t kUpdateNeeded[] = L"您好，您的软件需要更新！";
inline constexpr wchar_t kUpToDate[] = L"您当前是最新版本！";
inline constexpr wchar_t kConnectionFailed[] = L"服务器连接失败！";

// The update check window (one per process).
FUpload& TheFUpload();
