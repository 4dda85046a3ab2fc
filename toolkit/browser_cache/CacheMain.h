// Purge of the per-user WinINet cache that the programs' browser views share.
#pragma once
#include <cstdint>
#include <string>

// Deletes every cache group and every entry matching pattern whose entry type
// has none of the keepMask bits (cookies 0x100000, history 0x200000).
// Reports nothing; a step that fails ends the purge early.
void ClearUrlCache(const std::string& pattern, uint32_t keepMask);
