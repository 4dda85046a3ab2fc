// Vertical scroll bar: Value between Min and Max, moved by SmallChange and
// LargeChange from the arrows and the track; Change after every new Value.
#pragma once
#include "Control.h"

class VScrollBar : public Control {
public:
    explicit VScrollBar(Canvas& container);
    ~VScrollBar() override;

    int Value() const { return s_.value; }
    // Outside Min..Max raises error 380.
    void Value(int value);
    int Min() const { return s_.min; }
    void Min(int value);
    int Max() const { return s_.max; }
    void Max(int value);
    int SmallChange() const { return s_.smallChange; }
    void SmallChange(int value) { s_.smallChange = value; }
    int LargeChange() const { return s_.largeChange; }
    void LargeChange(int value) { s_.largeChange = value; }

    std::function<void()> Change;

    void ReflectScroll(WORD code) override;

protected:
    CreateParams WindowParams() override;
    void Created() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    bool TracksMouse() const override { return false; }

private:
    void ApplyRange();

    struct Props {
        int value = 0, min = 0, max = 32767, smallChange = 1, largeChange = 1;
    };
    Props s_, design_;
};
