// What the player knows of the movie loaded into it, and the lines of text
// it shows for it.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "SwfHeader.h"

struct MovieFacts {
    enum State {
        Empty,     // nothing loaded
        Loading,   // the first bytes of a web movie are on their way
        Shown,     // a Flash movie: header holds what it says
        Missing,   // no such file, or the address did not deliver it
        NotFlash,  // the file is there but is no Flash movie
    } state = Empty;
    std::wstring address;  // as given to LoadMovie
    std::optional<SwfHeader> header;
};

// True for an http or https address (scheme in any letter case), which is
// fetched over the network; anything else is a path of the file system.
bool IsWebAddress(const std::wstring& address);

// The file name within a path or an address: its last "/" or "\" segment.
std::wstring MovieName(const std::wstring& address);

// What the leading bytes of a movie say: nullopt (not delivered) is a
// missing movie.
MovieFacts FactsFromHead(const std::wstring& address, const std::optional<std::string>& head);

// The lines painted on the stage, first the movie's name.
std::vector<std::wstring> FactLines(const MovieFacts& facts, bool playing);
