#!/bin/sh
# Wine's 64-bit loader as the tests and the scripts start it: with the
# kernel's address-space randomization off, for it and every process it
# starts. Debian's Wine comes without the preloader that would keep the
# addresses Windows programs need free before anything else is mapped, and
# with randomization the kernel puts the loader's heap anywhere in the
# gigabyte above it: now and then (about one start in four thousand) on the
# page of Windows' shared user data at 0x7ffe0000, and the process ends at
# once with status 1, saying why only on Wine's err channel. Without
# randomization that heap lies right after the loader.
exec setarch -R /usr/lib/wine/wine64 "$@"
