// The members of a configuration body (a JSON object) as name/value texts in
// document order, in UTF-8. Pure text routine, free of windows.h.
#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace drumlin {

// Deepest nesting of arrays and objects a configuration body may have; a
// deeper body is refused whole, since turning its values back into text
// recurses once per level.
inline constexpr size_t kMaxJsonDepth = 128;

// Nesting depth of the arrays and objects in the text (brackets inside
// strings do not count); stops counting once past kMaxJsonDepth.
size_t JsonNestingDepth(const std::string& utf8Json);

// One pair per member of the top-level object, in document order; a
// string's own text, otherwise the value's compact JSON. Anything but a
// well-formed object within the depth limit gives no pairs.
std::vector<std::pair<std::string, std::string>> ConfigMembers(const std::string& utf8Json);

}  // namespace drumlin
