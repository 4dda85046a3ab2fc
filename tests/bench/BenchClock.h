// The benchmark's clock: milliseconds of the performance counter, which all
// processes of the machine share, and medians over repeated runs.
#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

inline double TicksPerMs() {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    return perMs;
}

inline long long Ticks() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart;
}

inline double Now() { return static_cast<double>(Ticks()) / TicksPerMs(); }

inline double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Milliseconds of one call, as a median over runs.
inline double TimeMs(int runs, const std::function<void(int)>& work) {
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const double t0 = Now();
        work(i);
        samples.push_back(Now() - t0);
    }
    return Median(samples);
}
