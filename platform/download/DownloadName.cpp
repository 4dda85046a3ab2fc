#include "DownloadName.h"

std::wstring FileNameFromAddress(const std::wstring& address) {
    const size_t slash = address.rfind(L'/');
    return slash == std::wstring::npos ? address : address.substr(slash + 1);
}

bool IsPlainFileName(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"\\/:") == std::wstring::npos;
}

std::wstring PathInFolder(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + name;
    return folder + L'\\' + name;
}
