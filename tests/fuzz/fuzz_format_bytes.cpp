// The download panel's texts: any byte count and fraction format without
// harm, and the percentage the progress bar reads back is the one written.
#include <cmath>
#include <cstring>

#include "FormatBytes.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int64_t n = 0;
    double fraction = 0;
    if (size >= sizeof n) std::memcpy(&n, data, sizeof n);
    if (size >= sizeof n + sizeof fraction) std::memcpy(&fraction, data + sizeof n, sizeof fraction);
    const std::wstring bytes = FormatBytes(n);
    FUZZ_CHECK(!bytes.empty());
    if (std::isfinite(fraction) && fraction >= 0 && fraction <= 1) {
        const std::wstring percent = FormatPercent(fraction);
        FUZZ_CHECK(!percent.empty() && percent.back() == L'%');
        const int32_t value = PercentValue(percent);
        FUZZ_CHECK(value >= 0 && value <= 100);
        FUZZ_CHECK(std::abs(value - fraction * 100) <= 0.5 + 1e-9);
    } else {
        FormatPercent(fraction);
    }
    PercentValue(WidenedBytes(data, size));
    return 0;
}
