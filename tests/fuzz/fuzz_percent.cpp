// Percent-encoded UTF-8 text: any text decodes without harm, and every text
// the encoder writes is plain ASCII and decodes back to what it encoded.
#include "FuzzInput.h"
#include "UtfToGb.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = Utf16Units(data, size);
    const std::wstring encoded = Utf8UrlEncode(text);
    for (wchar_t c : encoded) FUZZ_CHECK(static_cast<uint32_t>(c) < 0x80);
    // A "%" typed by the user stays as it is and may meet the digits after
    // it; texts without one come back whole.
    if (text.find(L'%') == std::wstring::npos) FUZZ_CHECK(Utf8UrlDecode(encoded) == text);
    Utf8UrlDecode(WidenedBytes(data, size));
    return 0;
}
