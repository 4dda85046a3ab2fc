// An error raised to the caller with a number, a source and a description,
// the way reusable classes report misuse (callers may catch and inspect it).
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

class RaisedError : public std::runtime_error {
public:
    RaisedError(uint32_t number, std::string source, const std::string& description)
        : std::runtime_error(description), number_(number), source_(std::move(source)) {}
    uint32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    std::string Description() const { return what(); }

private:
    uint32_t number_;
    std::string source_;
};
