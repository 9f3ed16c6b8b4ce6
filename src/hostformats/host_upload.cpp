#include "hostformats/host_upload.h"

#include "core/errors.h"
#include "core/frontend.h"

namespace zav::host {

bool Upload::Create(const std::filesystem::path& path) {
    path_ = path;
    if (writer_.CreateFile(path)) return true;
    AddLog("Error: Could not create upload file " + path.string());
    ok_ = false;
    return false;
}

clsRecType& Upload::Setup(std::string_view id) {
    clsRecType* rec = writer_.SetupRecord(id);
    if (rec == nullptr) throw RuntimeError(kErrInvalidCall);
    return *rec;
}

void Upload::Write(clsRecType& record) {
    ++lines_;
    if (writer_.WriteRecord(record) == 0) return;
    for (const std::string& field : record.CutFields())
        AddLog("Error: Value " + record.Text(field) + " does not fit field " + field + " of the " + record.RIValue +
               " record (upload line " + std::to_string(lines_) + ")");
    ok_ = false;
}

bool Upload::Close() {
    if (writer_.Close()) return ok_;
    AddLog("Error: Could not write upload file " + path_.string());
    ok_ = false;
    return false;
}

}  // namespace zav::host
