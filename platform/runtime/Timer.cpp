#include "Timer.h"

#include <map>

#include "Canvas.h"
#include "HandlerScope.h"

namespace {

std::map<UINT_PTR, Timer*>& Running() {
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}

}  // namespace

Timer::Timer() : active_(true) {}

Timer::Timer(Canvas& form) : form_(&form), active_(form.hwnd() != nullptr) { form_->AddMember(this); }

Timer::~Timer() {
    Stop();
    if (form_) form_->RemoveMember(this);
}

void Timer::Interval(int milliseconds) {
    t_.interval = milliseconds;
    Apply();
}

void Timer::Enabled(bool value) {
    t_.enabled = value;
    Apply();
}

void Timer::ContainerCreated() {
    if (!designSaved_) {
        design_ = t_;
        designSaved_ = true;
    }
    active_ = true;
    Apply();
}

void Timer::ContainerUnloaded() {
    active_ = false;
    Stop();
    if (designSaved_) t_ = design_;
}

void Timer::Apply() {
    const bool run = active_ && t_.enabled && t_.interval > 0;
    if (!run) {
        Stop();
        return;
    }
    if (id_ && runningInterval_ == t_.interval) return;
    Stop();
    id_ = SetTimer(nullptr, 0, static_cast<UINT>(t_.interval), &Timer::Proc);
    if (id_) {
        Running()[id_] = this;
        runningInterval_ = t_.interval;
    }
}

void Timer::Stop() {
    if (!id_) return;
    KillTimer(nullptr, id_);
    Running().erase(id_);
    id_ = 0;
}

void CALLBACK Timer::Proc(HWND, UINT, UINT_PTR id, DWORD) {
    const HandlerScope scope;
    const auto it = Running().find(id);
    if (it == Running().end() || !it->second->Tick) return;
    try {
        it->second->Tick();
    } catch (...) {
        // No exception may unwind through the system's timer dispatch.
    }
}
