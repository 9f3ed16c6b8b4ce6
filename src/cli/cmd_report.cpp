// zavdepot report KIND READINGS --pdf OUT [--title TEXT]
//
// One reading report of a readings database as a PDF file, without a display. The PDF surface lives in
// the module zavdepot-pdf.so beside the program (Qt Gui), loaded only here, so the command line links no
// Qt.
#include <dlfcn.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/command.h"
#include "core/frontend.h"
#include "core/program_files.h"
#include "qtsurface/pdf_module.h"
#include "reports/report.h"
#include "reports/surface.h"
#include "zav/zav.h"

namespace zav {

namespace {

namespace fs = std::filesystem;

const std::map<std::string, int> kKinds = {{"reading", kReportReadings},
                                           {"exception", kReportExceptions},
                                           {"missed", kReportMissed},
                                           {"orphan", kReportOrphans}};

// The PDF surface factory of the module shipped with the program; null (with the reason in `error`) when the
// module cannot be loaded. The module stays loaded for the rest of the process.
CreatePdfSurfaceFn LoadPdfModule(std::string& error) {
    const std::optional<fs::path> found = FindProgramFile(kPdfModuleName);
    if (!found) {
        error = std::string("PDF output is not available: ") + kPdfModuleName + " is not installed with this program";
        return nullptr;
    }
    const fs::path& path = *found;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = "PDF output is not available: " + std::string(why ? why : path.string());
        return nullptr;
    }
    auto create = reinterpret_cast<CreatePdfSurfaceFn>(dlsym(handle, kPdfModuleEntry));
    if (!create) error = "PDF output is not available: " + path.string() + " has no " + kPdfModuleEntry;
    return create;
}

class ReportCommand final : public Command {
  public:
    std::string Name() const override { return "report"; }
    std::string Description() const override {
        return "Write a reading, exception, missed or orphan report of a readings database as PDF";
    }

    void Configure(CLI::App& app) override {
        app.add_option("KIND", kind_,
                       "reading (every meter read), exception (skipped, outside its range, rolled over, read by hand, "
                       "with a note), missed (not read) or orphan (read but on no route); pages 11 x 8.5 inches, "
                       "landscape")
            ->required()
            ->check(CLI::IsMember({"reading", "exception", "missed", "orphan"}, CLI::ignore_case));
        app.add_option("READINGS", readings_, "The readings database (.pdb or VFS stream), from the working directory")
            ->required();
        app.add_option("--pdf", pdf_, "The PDF file to write")->required();
        app.add_option("--title", title_,
                       "The report's title (instead of \"Reading Report\", \"Exception Report\" ...)");
    }

    int Run(CliContext&) override {
        std::string kind = kind_;
        for (char& c : kind) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!clsZAV::ReadFileVersion(readings_)) {
            AddLog("Error: Could not read ZAV file");
            return kExitFailed;
        }
        std::error_code ec;
        if (fs::equivalent(readings_, pdf_, ec)) {
            CurrentFrontend().ShowMessage("The PDF file cannot be the readings database.", "Error");
            return kExitFailed;
        }
        std::string error;
        const CreatePdfSurfaceFn create = LoadPdfModule(error);
        if (!create) {
            CurrentFrontend().ShowMessage(error, "Error");
            return kExitFailed;
        }
        std::unique_ptr<Surface> pdf(create(pdf_.c_str()));
        clsReport report;
        report.Engine().OutputDevice = pdf.get();
        const bool written = report.Begin(false, readings_, kKinds.at(kind), title_);
        pdf.reset();  // closes the file
        if (!written) {
            fs::remove(pdf_, ec);  // no half-written report is left behind
            return kExitFailed;
        }
        return kExitOk;
    }

  private:
    std::string kind_;
    std::string readings_;
    std::string pdf_;
    std::string title_;
};

}  // namespace

std::unique_ptr<Command> MakeReportCommand() { return std::make_unique<ReportCommand>(); }

}  // namespace zav
