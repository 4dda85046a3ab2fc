// Movie files for the tests: the leading bytes of FWS, CWS and ZWS movies.
#pragma once
#include <string>

// An uncompressed movie of width x height pixels at the given 8.8 frame rate.
std::string FwsMovie(int version, int width, int height, unsigned frameRate88, unsigned frames);
// A compressed movie's header; what follows it is not meaningful.
std::string CompressedMovie(char signature, int version, unsigned fileLength);
// Writes bytes to a file.
void WriteBytes(const std::wstring& path, const std::string& bytes);
