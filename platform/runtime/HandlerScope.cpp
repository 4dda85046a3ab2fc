#include "HandlerScope.h"

#include <vector>

namespace {

// Each thread that dispatches messages has its own stack of handlers.
thread_local int depth = 0;

std::vector<std::shared_ptr<void>>& Deferred() {
    thread_local std::vector<std::shared_ptr<void>> deferred;
    return deferred;
}

}  // namespace

HandlerScope::HandlerScope() { ++depth; }

HandlerScope::~HandlerScope() {
    if (--depth != 0) return;
    // Freeing an object may enter handlers again (its windows are destroyed),
    // which defer into a fresh list: drain until nothing is left.
    while (!Deferred().empty()) {
        std::vector<std::shared_ptr<void>> now;
        now.swap(Deferred());
        ++depth;
        now.clear();
        --depth;
    }
}

void HandlerScope::ReleaseAfterHandlers(std::shared_ptr<void> reference) {
    if (depth > 0) Deferred().push_back(std::move(reference));
}

int HandlerScope::Depth() { return depth; }
