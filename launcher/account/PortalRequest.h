// The addresses of the portal's sign-in and registration requests. Typed
// values travel as UTF-8 query values with every byte outside the unreserved
// characters percent-encoded, so "&", "#", "+", "%", "=" or blanks in a name
// or password reach the portal as typed and cannot add or change a field.
// Pure logic, no windows.h.
#pragma once
#include <string>

// Percent-encoded UTF-8 of `value`: letters, digits and "-", "_", ".", "~"
// stay; every other byte is "%" and two upper-case hexadecimal digits. Lone
// surrogates are written as U+FFFD.
std::wstring QueryValueEncode(const std::wstring& value);

// userUrl + "/login.php?username=" (SiteCode "6082") or "/my/login.php?username="
// (any other), the name, "&password=", the password, "&cookiesstate=" 1 or 0.
std::wstring LoginAddress(const std::wstring& userUrl, const std::wstring& siteCode, const std::wstring& userName,
                          const std::wstring& passWord, bool keepCookies);

// userUrl + "/register.php?username=" or "/my/register.php?username=" as
// above, the name, "&password=", the password, "&email=", the address.
std::wstring RegisterAddress(const std::wstring& userUrl, const std::wstring& siteCode, const std::wstring& userName,
                             const std::wstring& passWord, const std::wstring& email);
