// The Flash view's movie header reader: any bytes give a header or nothing,
// and a header read is consistent with the bytes it came from.
#include "FuzzInput.h"
#include "SwfHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto header = ParseSwfHeader(data, size);
    if (!header) return 0;
    FUZZ_CHECK(size >= 8);
    FUZZ_CHECK(header->version == data[3]);
    FUZZ_CHECK(header->Signature() != nullptr);
    if (header->hasFrame) {
        FUZZ_CHECK(header->compression == SwfHeader::None);
        header->WidthPx();
        header->HeightPx();
        header->FrameRate();
    }
    return 0;
}
