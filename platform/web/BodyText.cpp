#include "BodyText.h"

#include <windows.h>

#include "BodyCharset.h"

std::wstring DecodeBodyText(std::string_view body, std::wstring_view contentType) {
    const BodyCharset cs = SniffBodyCharset(body, contentType);
    body.remove_prefix(cs.bomLength);
    if (cs.codePage == 1200 || cs.codePage == 1201) {
        std::wstring out(body.size() / 2, L'\0');
        for (size_t i = 0; i < out.size(); ++i) {
            const unsigned char a = static_cast<unsigned char>(body[2 * i]), b = static_cast<unsigned char>(body[2 * i + 1]);
            out[i] = static_cast<wchar_t>(cs.codePage == 1200 ? (b << 8 | a) : (a << 8 | b));
        }
        return out;
    }
    if (body.empty()) return {};
    const int len = static_cast<int>(body.size());
    int n = MultiByteToWideChar(cs.codePage, 0, body.data(), len, nullptr, 0);
    UINT cp = cs.codePage;
    if (n <= 0) {  // a code page this system lacks: the local one
        cp = CP_ACP;
        n = MultiByteToWideChar(cp, 0, body.data(), len, nullptr, 0);
    }
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0) MultiByteToWideChar(cp, 0, body.data(), len, out.data(), n);
    return out;
}
