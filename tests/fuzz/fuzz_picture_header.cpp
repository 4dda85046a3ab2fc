// Picture headers: any bytes are read without harm, a size that is read has
// both sides above 0, and a JPEG's names its frame kind.
#include "FuzzInput.h"
#include "PictureHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const std::optional<PictureHeader> header = ReadPictureHeader(data, size)) {
        FUZZ_CHECK(header->width > 0 && header->height > 0);
        FUZZ_CHECK(header->kind != PictureKind::Jpeg || header->jpegFrame != 0);
    }
    return 0;
}
