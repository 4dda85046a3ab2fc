// A registry value or key named by its full path, as the scripting shell
// names them: "HKLM\SOFTWARE\...\Run\Orvane" is the value Orvane of the key
// SOFTWARE\...\Run under the machine's root; a path ending in "\" names a key
// (and its default value).
#pragma once
#include <optional>
#include <string>
#include <string_view>

struct RegistryPath {
    std::wstring root;   // long name: "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", ...
    std::wstring key;    // below the root, without leading or trailing "\"
    std::wstring value;  // empty for a key path
    bool isKey = false;
};

// Nothing when the path does not start with a known root (short or long
// name, any letter case) followed by "\".
std::optional<RegistryPath> SplitRegistryPath(std::wstring_view path);
