// The MVRS download file (the host's route file) and upload file (the readings going back).
#pragma once

#include "hostformats/host_file.h"

namespace zav {

// Reads an MVRS download file line by line. A line whose first three characters are no known identifier
// (a blank line, an unknown one) makes ReadNext return nullptr although the file goes on.
class clsMVRSDownload : public HostFileReader {
  public:
    clsMVRSDownload() : HostFileReader(MVRSDownloadLayouts(), false) {}
};

// Writes an MVRS upload file: every record one line padded with blanks to 126 characters (the
// 128-character records whole), ending with CR LF.
class clsMVRSUpload : public HostFileWriter {
  public:
    static constexpr int kLineLength = 126;
    clsMVRSUpload() : HostFileWriter(MVRSUploadLayouts(), kLineLength) {}
};

}  // namespace zav
