// The names a person reads for the codes of a map (the editor's lists, `map show`).
#pragma once

#include <cstdint>
#include <string>

namespace zav {

// "Fixed", "Delimited", "MVRS", "E5000"; "" for 0 (not chosen) or another code.
std::string MapTypeText(std::int32_t type);
// "Do Not Map", "Map from Source", "Map Constant", "Prompt", "Write to Destination", "Autonumber".
std::string MapOptionText(std::int32_t option);
// "<none>", "<cr>", "<lf>", "<crlf>", "<null>".
std::string MapTerminatorText(std::int32_t terminator);
// "All Entries", "Only Readings", "Readings/Exceptions", "Unread".
std::string MapFilterText(std::int32_t filter);
// "Left", "Right" / "Zeros", "Spaces".
std::string MapAlignText(std::int32_t align);
std::string MapPadText(std::int32_t pad);
// Date and time formats by code: 14 "YYYYMMDD", 43 "HH:MM:SS" ...; "" for 0 or a code that does not exist.
std::string MapFormatText(std::int32_t format);
// "Text", "Integer", "Long", "Real", "Date", "Time".
std::string DataTypeText(std::int32_t type);

}  // namespace zav
