// Design-time properties of a control, kept under string keys. A value equal
// to its default is not written, and a missing key reads back as its default.
// Writes are kept in order so a control's save order can be checked.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

class PropertyBag {
public:
    using Value = std::variant<int32_t, bool, double, std::wstring>;

    template <class T>
    T ReadProperty(const std::wstring& key, const T& defaultValue) const {
        for (const auto& [k, v] : entries_)
            if (k == key)
                if (const T* p = std::get_if<T>(&v)) return *p;
        return defaultValue;
    }

    template <class T>
    void WriteProperty(const std::wstring& key, const T& value, const T& defaultValue) {
        Erase(key);
        if (!(value == defaultValue)) entries_.emplace_back(key, Value(value));
    }

    // A property with no default: always written.
    template <class T>
    void WriteProperty(const std::wstring& key, const T& value) {
        Erase(key);
        entries_.emplace_back(key, Value(value));
    }

    bool Contains(const std::wstring& key) const {
        for (const auto& e : entries_)
            if (e.first == key) return true;
        return false;
    }

    // Keys in the order they were written.
    std::vector<std::wstring> Keys() const {
        std::vector<std::wstring> keys;
        for (const auto& e : entries_) keys.push_back(e.first);
        return keys;
    }

private:
    void Erase(const std::wstring& key) {
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (it->first == key) {
                entries_.erase(it);
                return;
            }
    }

    std::vector<std::pair<std::wstring, Value>> entries_;
};
