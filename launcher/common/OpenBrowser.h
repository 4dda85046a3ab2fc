// Opens an address in the user's web browser: Explorer is started with the
// address, minimised with focus, without waiting and without a command
// interpreter in between.
#pragma once
#include <string>

// Reports nothing: an address that is no web address, or an Explorer that
// cannot be started, opens nothing.
void OpenInBrowser(const std::wstring& address);
