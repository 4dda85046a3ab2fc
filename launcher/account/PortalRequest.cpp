#include "PortalRequest.h"

#include "UtfToGb.h"

namespace {

// The page path by channel: the 6082 channel's pages lie at the portal's root.
std::wstring ChannelPath(const std::wstring& siteCode, const wchar_t* page) {
    return (siteCode == L"6082" ? L"/" : L"/my/") + std::wstring(page) + L"?username=";
}

}  // namespace

std::wstring QueryValueEncode(const std::wstring& value) { return PercentEncodeUtf8(value, IsUnreserved); }

std::wstring LoginAddress(const std::wstring& userUrl, const std::wstring& siteCode, const std::wstring& userName,
                          const std::wstring& passWord, bool keepCookies) {
    return userUrl + ChannelPath(siteCode, L"login.php") + QueryValueEncode(userName) + L"&password=" +
           QueryValueEncode(passWord) + (keepCookies ? L"&cookiesstate=1" : L"&cookiesstate=0");
}

std::wstring RegisterAddress(const std::wstring& userUrl, const std::wstring& siteCode, const std::wstring& userName,
                             const std::wstring& passWord, const std::wstring& email) {
    return userUrl + ChannelPath(siteCode, L"register.php") + QueryValueEncode(userName) + L"&password=" +
           QueryValueEncode(passWord) + L"&email=" + QueryValueEncode(email);
}
