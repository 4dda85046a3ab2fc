// The services library's configuration list from a JSON body: any body gives
// pairs or none, never a crash, however deep or odd it is.
#include <string>

#include "ConfigPairs.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    const auto members = drumlin::ConfigMembers(body);
    if (!members.empty()) FUZZ_CHECK(drumlin::JsonNestingDepth(body) <= drumlin::kMaxJsonDepth);
    return 0;
}
