// Marks the time a handler runs: an object released meanwhile (a form that
// unloads itself from its own event) is freed only when the outermost
// handler on the stack has returned, so no handler goes on running on a
// freed object. Every entry from the system into the program's code (window
// procedures, timer and DDE callbacks, hook procedures) opens one.
#pragma once
#include <memory>

class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

    // Drops the reference now when no handler runs, else when the outermost
    // scope ends.
    static void ReleaseAfterHandlers(std::shared_ptr<void> reference);
    // Number of scopes open on this thread's stack.
    static int Depth();
};
