// A tab named by position (a whole or a real number), by key text, by its
// page or by the item itself.
#pragma once
#include <string>
#include <variant>

class CTabItem;
class ITabForm;

using TabIndex = std::variant<long, double, std::wstring, ITabForm*, CTabItem*>;
