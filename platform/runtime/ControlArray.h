// Control array: elements of one kind addressed by index. The design
// elements exist from the start; Load(i) adds an element that takes the
// properties of the lowest one, hidden; Unload(i) removes it. Elements added
// at run time go when the form unloads.
#pragma once
#include <map>
#include <memory>

#include "Canvas.h"
#include "RaisedError.h"

template <class T>
class ControlArray : public ContainerMember {
public:
    // Elements 0 .. designCount - 1 exist at design time.
    explicit ControlArray(Canvas& container, int designCount = 1) : container_(container), designCount_(designCount) {
        for (int i = 0; i < designCount; ++i) items_[i] = std::make_unique<T>(container);
        container_.AddMember(this);
    }
    ~ControlArray() override { container_.RemoveMember(this); }

    // Raises error 340 when element `index` does not exist.
    T& operator()(int index) {
        const auto it = items_.find(index);
        if (it == items_.end())
            throw RaisedError(340, "ControlArray", "Control array element '" + std::to_string(index) + "' doesn't exist");
        return *it->second;
    }
    bool Exists(int index) const { return items_.count(index) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }

    // Raises error 360 when the element exists already.
    void Load(int index) {
        if (Exists(index)) throw RaisedError(360, "ControlArray", "Object already loaded");
        auto item = std::make_unique<T>(container_);
        if (!items_.empty()) static_cast<Control&>(*item).CopyPropertiesFrom(*items_.begin()->second);
        items_[index] = std::move(item);
    }
    // Design elements cannot be removed (error 362).
    void Unload(int index) {
        (*this)(index);
        if (index < designCount_) throw RaisedError(362, "ControlArray", "Can't unload controls created at design time");
        items_.erase(index);
    }

    void ContainerCreated() override {}
    void ContainerUnloaded() override {
        for (auto it = items_.begin(); it != items_.end();)
            it = it->first >= designCount_ ? items_.erase(it) : std::next(it);
    }

private:
    Canvas& container_;
    int designCount_;
    std::map<int, std::unique_ptr<T>> items_;
};
