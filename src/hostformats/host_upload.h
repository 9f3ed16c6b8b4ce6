// What the MVRS and E5000 reading converters share: creating the upload file, writing records so that a
// number too wide for its field is reported instead of sent cut, and closing the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "hostformats/host_file.h"

namespace zav::host {

class Upload {
  public:
    explicit Upload(HostFileWriter& writer) : writer_(writer) {}

    // Creates the file; false after logging "Error: Could not create upload file <path>".
    bool Create(const std::filesystem::path& path);
    // The record of identifier `id`, its values cleared. REQUIRES: a declared identifier.
    clsRecType& Setup(std::string_view id);
    // Writes the record; a number too wide for its field is logged as "Error: Value v does not fit field F
    // of the R record (upload line n)" and makes Ok() false.
    void Write(clsRecType& record);
    // Closes the file; false (with an "Error: " line) when writing failed.
    bool Close();
    bool Ok() const { return ok_; }

  private:
    HostFileWriter& writer_;
    std::filesystem::path path_;
    std::int32_t lines_ = 0;
    bool ok_ = true;
};

// A field of a record type, its position found once: a converter that writes the record for every meter
// sets its fields without a search by name. A name the record does not declare sets nothing (a value
// under such a name takes no part in the line).
class Field {
  public:
    Field(clsRecType& record, std::string_view name) : record_(&record), index_(record.FieldIndex(name)) {}
    void Set(std::string_view text) const { record_->SetText(index_, text); }
    void Set(std::int32_t n) const { record_->SetValue(index_, n); }
    void Set(double n) const { record_->SetValue(index_, n); }

  private:
    clsRecType* record_;
    int index_;
};

// The i-th value (from 1) of a packed user field, empty when it holds fewer values.
inline std::string_view Part(const std::vector<std::string_view>& values, std::size_t i) {
    return i >= 1 && i <= values.size() ? values[i - 1] : std::string_view();
}

}  // namespace zav::host
