// Identity token: MD5 through BCrypt, disk serial by SMART, adapter addresses by NDIS.
#include "Identity.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "AnsiText.h"

namespace drumlin {

namespace {

constexpr DWORD kSmartRcvDriveData = 0x0007C088;
constexpr DWORD kNdisQueryGlobalStats = 0x00170002;
constexpr DWORD kOid8023PermanentAddress = 0x01010101;
constexpr DWORD kOid8023CurrentAddress = 0x01010102;
constexpr char kNetworkCards[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";

#pragma pack(push, 1)
struct SmartInput {  // SENDCMDINPARAMS without its one-byte buffer
    DWORD bufferSize;
    BYTE features, sectorCount, sectorNumber, cylinderLow, cylinderHigh, driveHead, command, reserved;
    BYTE driveNumber;
    BYTE reserved2[3];
    DWORD reserved3[4];
};
#pragma pack(pop)
static_assert(sizeof(SmartInput) == 32);
constexpr DWORD kSmartOutputHeader = 16;  // SENDCMDOUTPARAMS before its buffer
constexpr DWORD kIdentifySize = 512;

class Device {
public:
    explicit Device(HANDLE h) : h_(h) {}
    ~Device() { Close(); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    void Close() {
        if (Valid()) CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE h_;
};

class RegKey {
public:
    RegKey() = default;
    ~RegKey() {
        if (key_) RegCloseKey(key_);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    bool Open(const std::string& path) { return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key_) == ERROR_SUCCESS; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::string ReadString(HKEY key, const char* name) {
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string();
    std::vector<char> data(bytes + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) != ERROR_SUCCESS)
        return std::string();
    return std::string(data.data());
}

bool IsWindowsNT() { return (GetVersion() & 0x80000000u) == 0; }

// The generator of the original host's runtime: a 32-bit linear
// congruential generator drawing in [0, range) from its high bits.
class ClockRandom {
public:
    explicit ClockRandom(uint32_t seed) : seed_(seed) {}
    uint32_t Next(uint32_t range) {
        seed_ = seed_ * 0x08088405u + 1u;
        return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * range) >> 32);
    }

private:
    uint32_t seed_;
};

}  // namespace

std::string HexUpper(const unsigned char* bytes, size_t count) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

std::string MD5Upper(const std::string& bytes) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_MD5_ALGORITHM, nullptr, 0)))
        throw std::runtime_error("no MD5 provider");
    BCRYPT_HASH_HANDLE hash = nullptr;
    unsigned char digest[16];
    const bool ok =
        BCRYPT_SUCCESS(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0)) &&
        BCRYPT_SUCCESS(BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
                                      static_cast<ULONG>(bytes.size()), 0)) &&
        BCRYPT_SUCCESS(BCryptFinishHash(hash, digest, sizeof digest, 0));
    if (hash) BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(algorithm, 0);
    if (!ok) throw std::runtime_error("MD5 failed");
    return HexUpper(digest, sizeof digest);
}

std::string RandomText16(uint32_t seed) {
    static const char kAlphabet[] = "ABCDEF1234567890";
    ClockRandom random(seed);
    std::string text;
    for (int i = 0; i < 16; ++i) text += kAlphabet[random.Next(15)];
    return text;
}

std::string RandomText16() {
    LARGE_INTEGER counter;
    const uint32_t seed = QueryPerformanceCounter(&counter) ? static_cast<uint32_t>(counter.QuadPart) : GetTickCount();
    return RandomText16(seed);
}

std::string SerialFromIdentify(const unsigned char* block) {
    std::string serial;
    for (int i = 0; i < 20; i += 2) {
        serial += static_cast<char>(block[20 + i + 1]);
        serial += static_cast<char>(block[20 + i]);
    }
    return serial.substr(0, std::strlen(serial.c_str()));
}

std::string GetDiskSerial() {
    Device device(IsWindowsNT() ? CreateFileA("\\\\.\\PhysicalDrive0", GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr)
                                : CreateFileA("\\\\.\\SMARTVSD", 0, 0, nullptr, CREATE_NEW, 0, nullptr));
    if (!device.Valid()) return std::string();
    SmartInput input{};
    input.bufferSize = kIdentifySize;
    input.features = 0;
    input.sectorCount = 1;
    input.sectorNumber = 1;
    input.cylinderLow = 0;
    input.cylinderHigh = 0;
    input.driveHead = 0xA0;
    input.command = 0xEC;  // IDENTIFY DEVICE
    input.driveNumber = 0;
    std::vector<unsigned char> output(kSmartOutputHeader + kIdentifySize);
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(device.Get(), kSmartRcvDriveData, &input, sizeof input, output.data(),
                                    static_cast<DWORD>(output.size()), &returned, nullptr);
    device.Close();
    if (!ok) return std::string();
    return SerialFromIdentify(output.data() + kSmartOutputHeader);
}

std::string GetAdapterMac(const std::string& serviceName, bool current) {
    Device device(CreateFileA(("\\\\.\\" + serviceName).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device.Valid()) return std::string();
    DWORD oid = current ? kOid8023CurrentAddress : kOid8023PermanentAddress;
    unsigned char output[256];
    DWORD returned = 0;
    if (!DeviceIoControl(device.Get(), kNdisQueryGlobalStats, &oid, sizeof oid, output, sizeof output, &returned,
                         nullptr))
        return std::string();
    return HexUpper(output, std::min<DWORD>(returned, sizeof output));
}

std::optional<std::string> GetMacList() {
    RegKey cards;
    if (!cards.Open(kNetworkCards)) return std::nullopt;
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        const LONG rc = RegEnumKeyExA(cards.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) names.emplace_back(name, length);
        else if (rc != ERROR_MORE_DATA) break;
    }
    std::string list;
    for (const std::string& name : names) {
        RegKey card;
        if (!card.Open(std::string(kNetworkCards) + "\\" + name)) continue;
        list += ':';
        list += GetAdapterMac(ReadString(card.Get(), "ServiceName"), false);
    }
    return list + ":";
}

std::string BuildToken(const std::string& diskSerial, const std::string& macList, const std::string& random16) {
    const std::string head = MD5Upper(diskSerial).substr(0, 16) + MD5Upper(macList).substr(0, 16) + random16;
    const std::string sum = MD5Upper(head);
    return head + sum.substr(0, 3) + sum.substr(27, 5);
}

std::string IdentityTokens::Exchange(const char* gate) {
    if (!gate || std::strcmp(gate, kGate) != 0) return std::string();
    if (macListCache_.empty()) {
        try {
            macListCache_ = GetMacList().value_or("0");
        } catch (...) {
            macListCache_ = "0";
        }
    }
    if (diskSerialCache_.empty()) {
        // An empty serial leaves the cache empty: the next call reads the disk again.
        try {
            diskSerialCache_ = TrimBlanks(GetDiskSerial());
        } catch (...) {
            diskSerialCache_ = "0";
        }
    }
    try {
        return BuildToken(diskSerialCache_, macListCache_, RandomText16());
    } catch (...) {
        return std::string();
    }
}

}  // namespace drumlin
