// The record layouts of the host files, declared once as data: for each record its identifiers (types
// that share a layout, such as a header and its trailer), its length and its fields with the start
// column, width and kind of each, exactly as the host formats define them. The start column is kept
// beside the width so that a test can check the two against each other: fields are declared one after
// the other, so every start must equal the sum of the widths before it plus one.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zav {

struct HostFieldLayout {
    std::string_view name;
    std::int16_t start;
    std::int16_t width;
    std::int16_t kind;  // HostFieldType
};

struct HostRecordLayout {
    std::vector<std::string_view> ids;  // identifiers, in the order a reader tests them
    std::int16_t length;                // the record length the format states
    std::vector<HostFieldLayout> fields;  // "RecID" first
};

// Layouts in the order a reader tests them (or a writer declares them).
const std::vector<HostRecordLayout>& MVRSDownloadLayouts();
const std::vector<HostRecordLayout>& MVRSUploadLayouts();
// The E5000 download ends with the catch-all record "?", which receives every line no other type matches.
const std::vector<HostRecordLayout>& E5KDownloadLayouts();
const std::vector<HostRecordLayout>& E5KUploadLayouts();

}  // namespace zav
