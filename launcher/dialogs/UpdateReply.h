// How the update check answers the portal's reply "version|address": which
// messages the user sees, in order, and which address opens. Pure logic, no
// windows.h.
#pragma once
#include <optional>
#include <string>

// The version of this launcher; a reply above it means an update exists.
inline constexpr double kLauncherVersion = 3.0;
// The text of the browser's page for an address that cannot be shown.
inline constexpr wchar_t kPageNotFound[] = L"无法找到该页";

struct UpdateAnswer {
    bool updateNeeded = false;                // "您好，您的软件需要更新！"
    std::optional<std::wstring> downloadAddress;  // opened in the user's browser
    bool upToDate = false;                    // "您当前是最新版本！"
    // "服务器连接失败！", after the others: a reply of more than 100
    // characters, or the browser's own page for an unreachable address.
    bool connectionFailed = false;
};

// `reply` is the captured text of the update page.
UpdateAnswer AnswerUpdateReply(const std::wstring& reply);

// A version field read as a decimal number: optional sign, digits with at
// most one decimal point, optional exponent, nothing else. Empty when the
// text is not such a number or does not fit a double.
std::optional<double> ReadVersion(const std::wstring& field);

// The download address as the reply gives it, made into the address opened:
// "http://" and "http:" removed, "/" turned into "\", "http://" put in front.
std::wstring DownloadAddress(const std::wstring& field);
