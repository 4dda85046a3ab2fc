// Kept alone so that a test-only copy of the library can be built with a
// shorter read time-out; the shipped library keeps 20000 ms, and gives a
// whole fetch three read time-outs.
#include "Internet.h"

#ifndef DRUMLIN_READ_TIMEOUT_MS
#define DRUMLIN_READ_TIMEOUT_MS 20000
#endif

namespace drumlin {
extern const uint32_t kReadTimeoutMs = DRUMLIN_READ_TIMEOUT_MS;
extern const uint32_t kFetchDeadlineMs = 3 * DRUMLIN_READ_TIMEOUT_MS;
}
