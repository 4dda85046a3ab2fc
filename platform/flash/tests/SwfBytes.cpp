#include "SwfBytes.h"

#include <filesystem>
#include <fstream>

namespace {

void PutU16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void PutU32(std::string& s, unsigned v) {
    PutU16(s, v & 0xFFFF);
    PutU16(s, v >> 16);
}

// A RECT record with 16-bit fields (enough for any test size).
std::string Rect(int xMin, int xMax, int yMin, int yMax) {
    const int n = 16;
    std::string bits = "10000";  // field width 16
    for (int v : {xMin, xMax, yMin, yMax})
        for (int b = n - 1; b >= 0; --b) bits += ((static_cast<unsigned>(v) >> b) & 1) ? '1' : '0';
    while (bits.size() % 8) bits += '0';
    std::string out;
    for (size_t i = 0; i < bits.size(); i += 8) out += static_cast<char>(std::stoi(bits.substr(i, 8), nullptr, 2));
    return out;
}

}  // namespace

std::string FwsMovie(int version, int width, int height, unsigned frameRate88, unsigned frames) {
    std::string body = Rect(0, width * 20, 0, height * 20);
    PutU16(body, frameRate88);
    PutU16(body, frames);
    body += std::string("\x43\x02\x00\x00\x00", 5);  // SetBackgroundColor black
    for (unsigned i = 0; i < frames; ++i) body += std::string("\x40\x00", 2);
    body += std::string("\x00\x00", 2);
    std::string movie = "FWS";
    movie += static_cast<char>(version);
    PutU32(movie, static_cast<unsigned>(8 + body.size()));
    return movie + body;
}

std::string CompressedMovie(char signature, int version, unsigned fileLength) {
    std::string movie(1, signature);
    movie += "WS";
    movie += static_cast<char>(version);
    PutU32(movie, fileLength);
    return movie + std::string("\x78\x9c\x01\x02\x03\x04\x05\x06\x07\x08", 10);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}
