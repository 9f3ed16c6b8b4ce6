// What a map of a given use may hold, as codes in the order a person is offered them (the map editor's
// lists; map_texts.h names each code).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zav {

// Layouts: Fixed, Delimited, and except for orphan maps MVRS and E5000.
std::vector<std::int32_t> MapTypeChoices(std::int32_t use);
// How a field may be mapped: route and re-read maps Do Not Map, Map from Source, then Autonumber for the
// field "Sequence" (any letter case) and Map Constant and Prompt for every other field; reading and
// orphan maps Do Not Map and Write to Destination; nothing for another use.
std::vector<std::int32_t> MapOptionChoices(std::int32_t use, std::string_view fieldName);
// Formats of a field's data type: the date formats for dates (year first, month first, day first, each
// with two-digit years before four-digit ones), the time formats for times, none for other types.
std::vector<std::int32_t> MapFormatChoices(std::int32_t dataType);
// Filters 0-3, terminators 0-4, alignments Left and Right, paddings Spaces then Zeros.
std::vector<std::int32_t> MapFilterChoices();
std::vector<std::int32_t> MapTerminatorChoices();
std::vector<std::int32_t> MapAlignChoices();
std::vector<std::int32_t> MapPadChoices();

}  // namespace zav
