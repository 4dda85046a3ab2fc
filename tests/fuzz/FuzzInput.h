// Turns a fuzzer's bytes into the program's text forms: UTF-16 code units in
// a wstring (as on Windows, whatever the host's wchar_t), or a byte string.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// Little-endian pairs of bytes, each one UTF-16 code unit; an odd last byte is dropped.
inline std::wstring Utf16Units(const uint8_t* data, size_t size) {
    std::wstring text;
    text.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    return text;
}

// Bytes below 0x80 as themselves, others widened: ASCII-heavy text that
// reaches the parsers' markers more easily than raw UTF-16.
inline std::wstring WidenedBytes(const uint8_t* data, size_t size) {
    std::wstring text;
    text.reserve(size);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && i + 2 < size) {  // escape: the next two bytes are one unit
            text += static_cast<wchar_t>(data[i + 1] | (data[i + 2] << 8));
            i += 2;
        } else {
            text += static_cast<wchar_t>(data[i]);
        }
    }
    return text;
}

// FUZZ_INPUTS_OF_AT_MOST(bytes) in a target: the fuzzer makes inputs of at
// most that many bytes for it (and cuts longer seeds) unless the command
// line says otherwise. For targets whose cost grows with the input, so
// that they try many a second.
inline void BoundInputs(int* argc, char*** argv, size_t bytes) {
    static std::string flag;
    static std::vector<char*> args;
    flag = "-max_len=" + std::to_string(bytes);
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + 1, flag.data());  // before the command line's own flags, which win
    args.push_back(nullptr);
    *argv = args.data();
    ++*argc;
}
#define FUZZ_INPUTS_OF_AT_MOST(bytes)                                \
    extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {  \
        BoundInputs(argc, argv, bytes);                             \
        return 0;                                                   \
    }

// A finding: print what failed and stop, so the fuzzer saves the input.
#define FUZZ_CHECK(cond)                                                       \
    do {                                                                       \
        if (!(cond)) {                                                         \
            __builtin_printf("check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                      \
        }                                                                      \
    } while (0)
