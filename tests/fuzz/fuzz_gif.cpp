// GIF pictures: any bytes decode without harm, and a picture that decodes
// has one palette index for each of its pixels.
#include "FuzzInput.h"
#include "GifDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GifPicture picture;
    if (DecodeGif(data, size, picture)) {
        FUZZ_CHECK(picture.width > 0 && picture.height > 0);
        FUZZ_CHECK(picture.indices.size() == static_cast<size_t>(picture.width) * picture.height);
    }
    return 0;
}
