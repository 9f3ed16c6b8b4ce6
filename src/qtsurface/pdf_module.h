// The entry point of the PDF module (zavdepot-pdf.so): a new PDF surface writing `path`, owned by the
// caller (delete it when done; the file is complete when its document has ended).
#pragma once

namespace zav {
class Surface;
}

inline constexpr const char* kPdfModuleName = "zavdepot-pdf.so";
inline constexpr const char* kPdfModuleEntry = "zavdepot_create_pdf_surface";
using CreatePdfSurfaceFn = zav::Surface* (*)(const char* path);
