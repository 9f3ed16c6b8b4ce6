// The E5000 download file (the host's route file) and upload file (the readings going back): lines of
// 80 characters.
#pragma once

#include "hostformats/host_file.h"

namespace zav {

// Reads an E5000 download file. A line of no known type comes back as the catch-all record "?" whose
// RecID is the line's first character, so ReadNext returns nullptr only at the end of the file.
class clsE5KDownload : public HostFileReader {
  public:
    clsE5KDownload() : HostFileReader(E5KDownloadLayouts(), true) {}
};

// Writes an E5000 upload file: every record one line padded to 80 characters, ending with CR LF.
class clsE5KUpload : public HostFileWriter {
  public:
    static constexpr int kLineLength = 80;
    clsE5KUpload() : HostFileWriter(E5KUploadLayouts(), kLineLength) {}
};

}  // namespace zav
