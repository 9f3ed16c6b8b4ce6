#include "maps/map_texts.h"

#include <iterator>

namespace zav {

namespace {

// The text at `code - first` of a list, or "" outside it.
template <std::size_t N>
std::string Lookup(const char* const (&names)[N], std::int32_t code, std::int32_t first) {
    const std::int64_t i = static_cast<std::int64_t>(code) - first;
    return i >= 0 && i < static_cast<std::int64_t>(N) ? names[i] : "";
}

}  // namespace

std::string MapTypeText(std::int32_t type) {
    static const char* const names[] = {"Fixed", "Delimited", "MVRS", "E5000"};
    return Lookup(names, type, 1);
}

std::string MapOptionText(std::int32_t option) {
    static const char* const names[] = {"Do Not Map", "Map from Source",      "Map Constant",
                                        "Prompt",     "Write to Destination", "Autonumber"};
    return Lookup(names, option, 1);
}

std::string MapTerminatorText(std::int32_t terminator) {
    static const char* const names[] = {"<none>", "<cr>", "<lf>", "<crlf>", "<null>"};
    return Lookup(names, terminator, 0);
}

std::string MapFilterText(std::int32_t filter) {
    static const char* const names[] = {"All Entries", "Only Readings", "Readings/Exceptions", "Unread"};
    return Lookup(names, filter, 0);
}

std::string MapAlignText(std::int32_t align) {
    static const char* const names[] = {"Left", "Right"};
    return Lookup(names, align, 1);
}

std::string MapPadText(std::int32_t pad) {
    static const char* const names[] = {"Zeros", "Spaces"};
    return Lookup(names, pad, 1);
}

std::string MapFormatText(std::int32_t format) {
    // Tens digit: the order of the date parts (1 year first, 2 month first, 3 day first);
    // units digit: separator and year width. 40-43 are the time formats.
    static const char* const dates[] = {
        "YYMMDD", "YY-MM-DD", "YY/MM/DD", nullptr, "YYYYMMDD", "YYYY-MM-DD", "YYYY/MM/DD",
        "MMDDYY", "MM-DD-YY", "MM/DD/YY", nullptr, "MMDDYYYY", "MM-DD-YYYY", "MM/DD/YYYY",
        "DDMMYY", "DD-MM-YY", "DD/MM/YY", nullptr, "DDMMYYYY", "DD-MM-YYYY", "DD/MM/YYYY",
    };
    static const char* const times[] = {"HHMM", "HHMMSS", "HH:MM", "HH:MM:SS"};
    if (format >= 40) return Lookup(times, format, 40);
    const std::int32_t order = format / 10;
    const std::int32_t units = format % 10;
    if (order < 1 || order > 3 || units > 6) return "";
    const char* name = dates[(order - 1) * 7 + units];
    return name != nullptr ? name : "";
}

std::string DataTypeText(std::int32_t type) {
    static const char* const names[] = {"Text", "Integer", "Long", "Real", "Date", "Time"};
    return Lookup(names, type, 0);
}

}  // namespace zav
