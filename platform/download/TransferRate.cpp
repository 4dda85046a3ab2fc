#include "TransferRate.h"

#include <climits>

TransferRate::TransferRate(uint32_t nowMs) { samples_.emplace_back(nowMs, 0); }

void TransferRate::Add(uint64_t totalBytes, uint32_t nowMs) {
    samples_.emplace_back(nowMs, totalBytes);
    // Keep one sample at or before the window's start so the span covers a full second.
    while (samples_.size() > 2 && nowMs - samples_[1].first >= kWindowMs) samples_.pop_front();
}

long TransferRate::BytesPerSecond() const {
    const auto& [firstMs, firstBytes] = samples_.front();
    const auto& [lastMs, lastBytes] = samples_.back();
    const uint32_t span = lastMs - firstMs;
    if (span == 0) return 0;
    return ClampToLong((lastBytes - firstBytes) * 1000 / span);
}

bool TransferRate::ReportDue(uint32_t nowMs) {
    if (reported_ && nowMs - lastReportMs_ < kReportIntervalMs) return false;
    reported_ = true;
    lastReportMs_ = nowMs;
    return true;
}

float ProgressFraction(uint64_t received, uint64_t announced) {
    if (announced == 0) return 0.0f;
    if (received >= announced) return 1.0f;
    return static_cast<float>(static_cast<double>(received) / static_cast<double>(announced));
}

long ClampToLong(uint64_t bytes) { return bytes > LONG_MAX ? LONG_MAX : static_cast<long>(bytes); }
