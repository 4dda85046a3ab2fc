#include "OpenBrowser.h"

#include "BrowserCommand.h"
#include "RaisedError.h"
#include "Shell.h"

void OpenInBrowser(const std::wstring& address) {
    try {
        Shell(ExplorerCommandLine(address), VbAppWinStyle::MinimizedFocus);
    } catch (const RaisedError&) {
        // Nothing to tell the user: the browser simply does not open.
    }
}
