// The texts of the download panel: byte counts as "512b", "2k", "1.5M",
// "0.6G" and a fraction as a whole percentage. Pure logic, free of windows.h.
#pragma once
#include <cstdint>
#include <string>

std::wstring FormatBytes(int64_t n);

// fraction x 100 to the nearest whole number (halves away from zero) and "%".
std::wstring FormatPercent(double fraction);
// The number in a percentage text, as the progress bar takes it.
int32_t PercentValue(const std::wstring& percent);
