// The identity store: keys "uid" and "mid" of section "Config" in
// Dir\config.ini.
#pragma once
#include <cstdint>
#include <string>

namespace drumlin {

// The stored value as a 32-bit signed integer; 0 when the file, the key or
// a decimal integer is missing.
int32_t ReadIdentity(const std::string& dir, bool isUid);
// Writes both values; false when either cannot be written.
bool WriteIdentity(const std::string& dir, const std::string& uid, const std::string& mid);

}  // namespace drumlin
