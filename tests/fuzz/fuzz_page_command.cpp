// Page-to-program commands: any link parses or is refused; an accepted
// command carries the fields its kind uses; a game name that passes the
// name check stays one plain file name in its folder and comes back from the
// library as it went in.
#include "FuzzInput.h"
#include "PageCommand.h"
#include "UtfToGb.h"

namespace {

bool IsDeviceName(std::wstring name) {
    const size_t dot = name.find(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    for (wchar_t& c : name)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"})
        if (name == device) return true;
    return name.size() == 4 && (name.rfind(L"COM", 0) == 0 || name.rfind(L"LPT", 0) == 0) && name[3] >= L'1' &&
           name[3] <= L'9';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring link = WidenedBytes(data, size);
    const auto command = ParsePageCommand(link);
    if (command) {
        FUZZ_CHECK(link.find(L"javascript:CALL_API") != std::wstring::npos);
        for (const std::wstring& field : command->fields) FUZZ_CHECK(field.find(L'|') == std::wstring::npos);
        FUZZ_CHECK(command->kind.find_first_of(L"(),'") == std::wstring::npos);
        for (auto kinds : {std::initializer_list<std::wstring_view>{L"openTable", L"WebTable"},
                           std::initializer_list<std::wstring_view>{L"FlashTable", L"WebTable"}}) {
            if (IsAccepted(*command, kinds)) {
                FUZZ_CHECK(FieldsUsedBy(command->kind) > 0);
                FUZZ_CHECK(command->fields.size() >= FieldsUsedBy(command->kind));
            }
        }
        if (!command->fields.empty()) IsUsableGameName(command->fields[0]);
    }
    if (IsUsableGameName(link)) {
        FUZZ_CHECK(!link.empty() && link != L"." && link != L"..");
        FUZZ_CHECK(link.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos);
        for (wchar_t c : link) FUZZ_CHECK(static_cast<uint32_t>(c) >= 0x20);
        FUZZ_CHECK(link.back() != L'.' && link.back() != L' ');
        FUZZ_CHECK(!IsDeviceName(link));
        FUZZ_CHECK(Utf8UrlDecode(Utf8UrlEncode(link)) == link);
    }
    return 0;
}
