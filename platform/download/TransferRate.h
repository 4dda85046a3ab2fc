// Progress arithmetic of a running download: the fraction done, the speed
// over the last second and when the next progress report is due.
#pragma once
#include <cstdint>
#include <deque>
#include <utility>

class TransferRate {
public:
    // The transfer starts at nowMs (a millisecond clock that may wrap).
    explicit TransferRate(uint32_t nowMs);

    // totalBytes received so far, at nowMs.
    void Add(uint64_t totalBytes, uint32_t nowMs);
    // Bytes per second over about the last second; 0 before any time passed.
    long BytesPerSecond() const;
    // True at most once per report interval; the first report is due at once.
    bool ReportDue(uint32_t nowMs);

    static constexpr uint32_t kWindowMs = 1000;
    static constexpr uint32_t kReportIntervalMs = 100;

private:
    std::deque<std::pair<uint32_t, uint64_t>> samples_;  // oldest first; the first one anchors the window
    bool reported_ = false;
    uint32_t lastReportMs_ = 0;
};

// received / announced between 0 and 1; 0 while the size is unknown.
float ProgressFraction(uint64_t received, uint64_t announced);

// A byte count as the 32-bit number the events carry, held at its maximum.
long ClampToLong(uint64_t bytes);
