#include "ConfigPairs.h"

#include <nlohmann/json.hpp>

namespace drumlin {

size_t JsonNestingDepth(const std::string& utf8Json) {
    size_t depth = 0, deepest = 0;
    bool inString = false, escaped = false;
    for (const char c : utf8Json) {
        if (inString) {
            if (escaped) escaped = false;
            else if (c == '\\') escaped = true;
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > deepest) deepest = depth;
            if (deepest > kMaxJsonDepth) break;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

std::vector<std::pair<std::string, std::string>> ConfigMembers(const std::string& utf8Json) {
    std::vector<std::pair<std::string, std::string>> members;
    if (JsonNestingDepth(utf8Json) > kMaxJsonDepth) return members;
    using Json = nlohmann::ordered_json;
    const Json doc = Json::parse(utf8Json, nullptr, /*allow_exceptions=*/false);
    if (!doc.is_object()) return members;
    for (const auto& member : doc.items()) {
        const Json& value = member.value();
        members.emplace_back(member.key(), value.is_string() ? value.get_ref<const std::string&>()
                                                             : value.dump(-1, ' ', false, Json::error_handler_t::replace));
    }
    return members;
}

}  // namespace drumlin
