// Identity store read and written with the private-profile functions.
#include "IniStore.h"

#include <windows.h>

#include <vector>

#include "AnsiText.h"

namespace drumlin {

namespace {
constexpr char kSection[] = "Config";
std::string IniPath(const std::string& dir) { return dir + "\\config.ini"; }
}  // namespace

int32_t ReadIdentity(const std::string& dir, bool isUid) {
    std::vector<char> buffer(2048, '\0');
    const DWORD n = GetPrivateProfileStringA(kSection, isUid ? "uid" : "mid", "000000", buffer.data(),
                                             static_cast<DWORD>(buffer.size()), IniPath(dir).c_str());
    return ParseInt32(std::string(buffer.data(), n)).value_or(0);
}

bool WriteIdentity(const std::string& dir, const std::string& uid, const std::string& mid) {
    const std::string path = IniPath(dir);
    return WritePrivateProfileStringA(kSection, "uid", uid.c_str(), path.c_str()) &&
           WritePrivateProfileStringA(kSection, "mid", mid.c_str(), path.c_str());
}

}  // namespace drumlin
