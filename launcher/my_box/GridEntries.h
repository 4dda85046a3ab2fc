// The entries of the "我的盒子" list: each game's name as the grid shows
// it and, when the list holds fewer than a page of games, the entry that
// leads to the catalogue at its end. The names lie one after another in one
// string: a list of tens of thousands of games is one allocation, not one
// per name. Pure data, free of windows.h.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class GridEntries {
public:
    void Clear() {
        names_.clear();
        names_.shrink_to_fit();
        ends_.clear();
        ends_.shrink_to_fit();
        moreGames_ = false;
    }
    // Appends an entry; `write(names)` appends its name to the string given.
    template <class Write>
    void Add(Write&& write) {
        write(names_);
        ends_.push_back(static_cast<uint32_t>(names_.size()));
    }
    void AddMoreGames(std::wstring_view name) {
        Add([&](std::wstring& names) { names += name; });
        moreGames_ = true;
    }
    int Count() const { return static_cast<int>(ends_.size()); }
    // Entry n, 1-based.
    std::wstring_view Name(int n) const {
        const uint32_t begin = n > 1 ? ends_.at(n - 2) : 0;
        return std::wstring_view(names_).substr(begin, ends_.at(n - 1) - begin);
    }
    bool IsMoreGames(int n) const { return moreGames_ && n == Count(); }

private:
    std::wstring names_;
    std::vector<uint32_t> ends_;  // where each entry's name ends in names_
    bool moreGames_ = false;
};
