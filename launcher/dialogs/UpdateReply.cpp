#include "UpdateReply.h"

#include <cmath>
#include <cwchar>

#include "ReplyCapture.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The field split at every "|"; field 0 always exists.
std::wstring Field(const std::wstring& text, std::size_t index, bool& exists) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t bar = text.find(L'|', from);
        if (bar == std::wstring::npos) {
            exists = false;
            return {};
        }
        from = bar + 1;
    }
    exists = true;
    const std::size_t end = text.find(L'|', from);
    return text.substr(from, end == std::wstring::npos ? std::wstring::npos : end - from);
}

}  // namespace

std::optional<double> ReadVersion(const std::wstring& field) {
    std::size_t i = 0;
    const std::size_t n = field.size();
    if (i < n && (field[i] == L'+' || field[i] == L'-')) ++i;
    std::size_t digits = 0;
    while (i < n && IsDigit(field[i])) ++i, ++digits;
    if (i < n && field[i] == L'.') {
        ++i;
        while (i < n && IsDigit(field[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < n && (field[i] == L'e' || field[i] == L'E')) {
        ++i;
        if (i < n && (field[i] == L'+' || field[i] == L'-')) ++i;
        std::size_t expDigits = 0;
        while (i < n && IsDigit(field[i])) ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    const double value = std::wcstod(field.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::wstring DownloadAddress(const std::wstring& field) {
    std::wstring address = ReplaceAll(field, L"http://", L"");
    address = ReplaceAll(address, L"http:", L"");
    address = ReplaceAll(address, L"/", L"\\");
    return L"http://" + address;
}

UpdateAnswer AnswerUpdateReply(const std::wstring& reply) {
    UpdateAnswer answer;
    bool exists = false;
    if (const auto version = ReadVersion(Field(reply, 0, exists))) {
        if (*version > kLauncherVersion) {
            answer.updateNeeded = true;
            const std::wstring address = Field(reply, 1, exists);
            if (exists) answer.downloadAddress = DownloadAddress(address);
        } else {
            answer.upToDate = true;
        }
    }
    answer.connectionFailed = Lenstr(reply) > 100 || reply.find(kPageNotFound) != std::wstring::npos;
    return answer;
}
