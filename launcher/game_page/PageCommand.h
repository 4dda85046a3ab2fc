// Commands that portal pages send the program as links beginning
// "javascript:CALL_API", and the check a game name from a page must pass
// before it becomes a file name. Pure text logic, free of windows.h.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PageCommand {
    std::wstring kind;
    // The data part split at "|"; empty when the link carried no data.
    std::vector<std::wstring> fields;
};

// nullopt when the link is not a command (the marker is matched with its case).
std::optional<PageCommand> ParsePageCommand(std::wstring_view link);

// How many fields a kind uses ("openTable" 2, "FlashTable" 4, "WebTable" 3);
// 0 for a kind no page knows.
size_t FieldsUsedBy(std::wstring_view kind);

// True when the command is of one of the kinds a page accepts and carries
// at least the fields its kind uses; anything else is answered as a kind
// the page does not take.
bool IsAccepted(const PageCommand& command, std::initializer_list<std::wstring_view> kinds);

// A game name can become "<name>.jpg" and "<name>.swf" inside one folder:
// not empty, not "." or "..", none of \ / : * ? " < > | or a control
// character, not ending in a dot or a blank, and not a device name such as
// CON or LPT1 (with or without an extension). It also comes back from the
// library as it went in: the library stores it percent-encoded, and a name
// such as "A%C3A9" would be read back as another one, whose files it has not.
bool IsUsableGameName(std::wstring_view name);

// A full web address: it begins with "http://" or "https://", in these
// letters. Any other address a page gives is a path below the portal.
bool IsFullAddress(std::wstring_view address);

// A thumbnail or movie address a game page may give: a full address or a
// path below the portal (it begins with one "/"), the two forms the page
// fetches. Anything else, such as a share or a local path, is refused before
// it is fetched or stored.
bool IsGameFileAddress(std::wstring_view address);
