// Timer: raises Tick every Interval milliseconds while Enabled; Interval 0
// stops it. A timer on a form runs only while the form is loaded and starts
// from its design values at each load.
#pragma once
#include <windows.h>

#include <functional>

#include "Control.h"

class Timer : public ContainerMember {
public:
    Timer();
    explicit Timer(Canvas& form);
    ~Timer() override;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Interval() const { return t_.interval; }
    void Interval(int milliseconds);
    bool Enabled() const { return t_.enabled; }
    void Enabled(bool value);

    // The timer's event.
    std::function<void()> Tick;

    void ContainerCreated() override;
    void ContainerUnloaded() override;

private:
    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD);
    void Apply();
    void Stop();

    struct Props {
        int interval = 0;
        bool enabled = true;
    };
    Props t_, design_;
    Canvas* form_ = nullptr;
    bool active_;          // standalone, or the form is loaded
    bool designSaved_ = false;
    UINT_PTR id_ = 0;
    int runningInterval_ = 0;
};
