// The reply capture of the sign-in, registration and update windows, the
// update answer read from it and the browser command made of its address:
// any page gives a capture without markup or blanks, an answer, and a
// command line whose address stays one argument.
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
    if (answer.downloadAddress) {
        const std::wstring line = ExplorerCommandLine(*answer.downloadAddress);
        const std::wstring prefix = L"Explorer.exe /s , ";
        FUZZ_CHECK(line.compare(0, prefix.size(), prefix) == 0);
        // The address is one argument: quoted as a whole, or without blanks and quotes.
        const std::wstring argument = line.substr(prefix.size());
        if (!argument.empty() && argument.front() == L'"') {
            FUZZ_CHECK(argument.size() >= 2 && argument.back() == L'"');
            FUZZ_CHECK(argument.find(L'"', 1) == argument.size() - 1);
        } else {
            FUZZ_CHECK(argument.find_first_of(L"\" \t") == std::wstring::npos);
        }
    }
    ReadVersion(WidenedBytes(data, size));
    DownloadAddress(page);
    return 0;
}
