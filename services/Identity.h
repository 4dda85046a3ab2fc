// The machine identity token: the first disk's serial number, the network
// cards' hardware addresses, a random part and a checksum.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace drumlin {

inline constexpr char kGate[] = "kqv";
inline constexpr size_t kTokenLength = 56;

// MD5 digest (RFC 1321) of the bytes as 32 upper-case hexadecimal digits.
// Throws std::runtime_error when the platform's digest cannot be had.
std::string MD5Upper(const std::string& bytes);

// 16 characters drawn from "ABCDEF123456789" by the generator reseeded from
// the clock (the seeded form is deterministic).
std::string RandomText16();
std::string RandomText16(uint32_t seed);

// Each byte as two upper-case hexadecimal digits.
std::string HexUpper(const unsigned char* bytes, size_t count);

// The serial number field of a 512-byte ATA IDENTIFY DEVICE block: words
// 10 to 19 with the bytes of each word swapped, up to the first NUL.
std::string SerialFromIdentify(const unsigned char* block);

// Serial number of the first physical disk by SMART; empty text on failure.
std::string GetDiskSerial();
// Hardware address of the adapter behind the NDIS service (current or
// permanent), in hexadecimal; empty text on failure.
std::string GetAdapterMac(const std::string& serviceName, bool current);
// ":" + address for each network card in the registry, then ":"; nothing
// when the registry's list of network cards cannot be opened.
std::optional<std::string> GetMacList();

// Digits 1-16 of MD5(disk), 1-16 of MD5(mac list), the random part, then the
// first 3 and the last 5 digits of the MD5 of those 48 characters.
std::string BuildToken(const std::string& diskSerial, const std::string& macList, const std::string& random16);

// MsgExchange with its two caches.
class IdentityTokens {
public:
    std::string Exchange(const char* gate);

    const std::string& MacListCache() const { return macListCache_; }
    const std::string& DiskSerialCache() const { return diskSerialCache_; }

private:
    std::string macListCache_;
    std::string diskSerialCache_;
};

}  // namespace drumlin
