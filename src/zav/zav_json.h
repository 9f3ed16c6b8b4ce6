// The whole content of a ZAV database as one JSON object:
//   {"container": "PDB" | "VFS", "title": ..., "creator": ..., "type": ..., "version": N,
//    "records": [{"RecType": n, ...}, ...]}
// Each record is decoded by its kind: schema records as "fields" (field name -> value), kinds without
// a decoder as "hex". Texts are bytes shown as Latin-1; numbers are JSON numbers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace zav {

class clsZAV;

// Appends the members that follow "RecType" for the current record of `zav` (starting with a comma).
using RecordDecoder = void (*)(const clsZAV& zav, std::string& out);

// The decoder for records of kind `recType`: one function per record kind.
RecordDecoder RecordDecoderFor(std::int32_t recType);

// The database `file` as JSON (no line break at the end). False when it cannot be opened.
// THROWS RuntimeError for an error while reading.
bool ZAVToJson(const std::filesystem::path& file, std::string& out);

}  // namespace zav
