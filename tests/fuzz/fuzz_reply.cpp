// The reply capture of the sign-in, registration and update windows, the
// update answer read from it and the browser command made of its address:
// any page gives a capture without markup or blanks, an answer, and a
// command line, if any, whose argument is one web address.
#include "BrowserCommand.h"
#include "FuzzInput.h"
#include "ReplyCapture.h"
#include "UpdateReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring page = WidenedBytes(data, size);
    const std::wstring reply = CaptureReply(page);
    FUZZ_CHECK(reply.find_first_of(L"<>/\r\n\t ") == std::wstring::npos);
    FUZZ_CHECK(Lenstr(reply) <= Lenstr(page));

    const UpdateAnswer answer = AnswerUpdateReply(reply);
    FUZZ_CHECK(!(answer.updateNeeded && answer.upToDate));
    for (const std::wstring& address : {answer.downloadAddress.value_or(L""), page}) {
        const auto line = ExplorerCommandLine(address);
        if (!line) continue;
        const std::wstring prefix = L"Explorer.exe /s , ";
        FUZZ_CHECK(line->compare(0, prefix.size(), prefix) == 0);
        // The address is one web address, printable ASCII without a blank,
        // quote or comma.
        const std::wstring argument = line->substr(prefix.size());
        std::wstring scheme = argument.substr(0, argument.find(L"://"));
        for (wchar_t& c : scheme) c = static_cast<wchar_t>(c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c);
        FUZZ_CHECK(scheme == L"http" || scheme == L"https");
        for (wchar_t c : argument) FUZZ_CHECK(c > 0x20 && c < 0x7F && c != L'"' && c != L',');
    }
    ReadVersion(WidenedBytes(data, size));
    DownloadAddress(page);
    return 0;
}
