#include "FormatBytes.h"

#include <cmath>

namespace {

// Digits of a whole number with a "," between groups of three.
std::wstring Grouped(int64_t whole) {
    std::wstring digits = std::to_wstring(whole);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), L",");
    return digits;
}

// value with one decimal, halves rounded away from zero ("0.0" or "#,##0.0"),
// then every ".0" taken out as the panel wants it.
std::wstring OneDecimal(double value, bool grouped) {
    const int64_t tenths = static_cast<int64_t>(std::floor(value * 10 + 0.5));
    const int64_t whole = tenths / 10;
    std::wstring text = (grouped ? Grouped(whole) : std::to_wstring(whole)) + L"." + std::to_wstring(tenths % 10);
    for (size_t at = text.find(L".0"); at != std::wstring::npos; at = text.find(L".0", at)) text.erase(at, 2);
    return text;
}

}  // namespace

std::wstring FormatBytes(int64_t n) {
    if (n <= 1023) return std::to_wstring(n) + L"b";
    if (n <= 1048575) return std::to_wstring(n / 1024) + L"k";
    if (n <= 536870911) return OneDecimal(static_cast<double>(n / 1024) / 1024, false) + L"M";
    return OneDecimal(static_cast<double>(n / 1048576) / 1024, true) + L"G";
}

std::wstring FormatPercent(double fraction) {
    // The control reports 0..1; anything else still gives a short, sane text.
    if (!std::isfinite(fraction)) fraction = 0;
    fraction = std::fmax(-1e9, std::fmin(1e9, fraction));
    const double hundredths = fraction * 100;
    const double rounded = hundredths < 0 ? -std::floor(-hundredths + 0.5) : std::floor(hundredths + 0.5);
    return std::to_wstring(static_cast<int64_t>(rounded)) + L"%";
}

int32_t PercentValue(const std::wstring& percent) {
    int64_t value = 0;
    size_t at = 0;
    const bool negative = !percent.empty() && percent[0] == L'-';
    if (negative) at = 1;
    for (; at < percent.size() && percent[at] >= L'0' && percent[at] <= L'9'; ++at) {
        value = value * 10 + (percent[at] - L'0');
        if (value > INT32_MAX) break;
    }
    if (value > INT32_MAX) value = INT32_MAX;
    return static_cast<int32_t>(negative ? -value : value);
}
