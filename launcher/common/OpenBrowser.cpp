#include "OpenBrowser.h"

#include "BrowserCommand.h"
#include "RaisedError.h"
#include "Shell.h"

void OpenInBrowser(const std::wstring& address) {
    const std::optional<std::wstring> command = ExplorerCommandLine(address);
    if (!command) return;  // no web address: nothing opens
    try {
        Shell(*command, VbAppWinStyle::MinimizedFocus);
    } catch (const RaisedError&) {
        // Nothing to tell the user: the browser simply does not open.
    }
}
