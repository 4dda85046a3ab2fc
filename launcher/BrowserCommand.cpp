#include "BrowserCommand.h"

#include "ReplyCapture.h"

std::wstring ExplorerCommandLine(const std::wstring& address) {
    std::wstring arg = ReplaceAll(address, L"\"", L"%22");
    if (arg.find_first_of(L" \t") != std::wstring::npos) arg = L"\"" + arg + L"\"";
    return L"Explorer.exe /s , " + arg;
}
