// The download control's file names: a name taken from any address that
// passes the plain-name check stays inside its folder.
#include "DownloadName.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring address = WidenedBytes(data, size);
    const std::wstring name = FileNameFromAddress(address);
    FUZZ_CHECK(name.find(L'/') == std::wstring::npos);
    for (const std::wstring& candidate : {name, address}) {
        if (!IsPlainFileName(candidate)) continue;
        FUZZ_CHECK(candidate != L"." && candidate != L"..");
        const std::wstring folder = L"C:\\Program Files\\Orvane\\Jpgs\\";
        const std::wstring path = PathInFolder(folder, candidate);
        FUZZ_CHECK(path.compare(0, folder.size(), folder) == 0);
        FUZZ_CHECK(path.find_first_of(L"\\/:", folder.size()) == std::wstring::npos);
    }
    return 0;
}
