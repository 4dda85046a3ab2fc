// The registration window's verification code: a random order of the
// alphabet's positions, of which the code keeps the first four characters.
// One generator, seeded once, serves every draw, so the draws never repeat
// themselves the way a generator reseeded from the clock inside the loop
// does. Pure logic, no windows.h.
#pragma once
#include <cstdint>
#include <random>
#include <string>

class VerifyCode {
public:
    // Seeded once from the system's random source.
    VerifyCode();
    explicit VerifyCode(uint32_t seed) : random_(seed) {}

    // The characters of `alphabet` in a random order (each once).
    std::wstring Shuffle(const std::wstring& alphabet);
    // The first `length` characters of a fresh shuffle.
    std::wstring Make(const std::wstring& alphabet, std::size_t length = 4);

private:
    std::mt19937 random_;
};
