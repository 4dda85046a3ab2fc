#include "VerifyCode.h"

#include <algorithm>
#include <chrono>
#include <numeric>
#include <vector>

namespace {
// The system's random source, mixed with the clock in case a runtime's
// source is deterministic.
std::mt19937 Seeded() {
    std::random_device device;
    const auto now = static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq seq{device(), device(), static_cast<uint32_t>(now), static_cast<uint32_t>(now >> 32)};
    return std::mt19937(seq);
}
}  // namespace

VerifyCode::VerifyCode() : random_(Seeded()) {}

std::wstring VerifyCode::Shuffle(const std::wstring& alphabet) {
    std::vector<std::size_t> order(alphabet.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::shuffle(order.begin(), order.end(), random_);
    std::wstring out;
    out.reserve(alphabet.size());
    for (std::size_t at : order) out += alphabet[at];
    return out;
}

std::wstring VerifyCode::Make(const std::wstring& alphabet, std::size_t length) {
    return Shuffle(alphabet).substr(0, length);
}
