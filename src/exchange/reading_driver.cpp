// clsExchange::ConvertReading: the convert-readings run. Checks the settings, reads the file version
// from the readings database, loads and validates the reading map, runs the converter for the map's
// type, then writes the orphan readings and the automatic re-read database when configured.
#include <system_error>

#include "core/clock.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/frontend.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/host_converters.h"
#include "exchange/prompts.h"
#include "install/auto_install.h"
#include "zav/zav.h"

namespace zav {

namespace fs = std::filesystem;

namespace {

bool Blank(const std::string& setting) { return Trim(setting).empty(); }

std::uintmax_t SizeOf(const fs::path& path) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    return ec ? 0 : size;
}

std::string StartLine(const std::string& what) {
    const std::time_t now = Now();
    return what + " Conversion Starting  " + ShortTime(now) + " " + ShortDate(now);
}

// Runs one converter; a failure is logged as its description stands. True when it completed.
template <typename Converter>
bool RunConverter(Converter converter) {
    try {
        return converter();
    } catch (const RuntimeError& e) {
        AddLog(e.Description());
    } catch (const std::bad_alloc&) {
        AddLog("Error: Out of memory");
    }
    return false;
}

}  // namespace

bool clsExchange::ConvertReading() {
    struct Release {  // step 16: whatever happens, the readings database is released
        clsExchange& x;
        ~Release() { x.ReadingZAV.reset(); }
    } release{*this};

    bool result = false;
    FirstRecord = false;  // only the flat converter sets it: after a host-format run the orphans warn nothing
    try {
        // Steps 1 to 6: the settings.
        if (Blank(ReadingSource)) {
            AddLog("Error: Reading Source not specified");
            return false;
        }
        AddLog("Reading from " + ReadingSource);
        const fs::path source = SettingPath(ReadingSource);
        if (!FileExists(source)) {
            AddLog("Error: Reading Source does not exist");
            return false;
        }
        if (Blank(ReadingDestination)) {
            AddLog("Error: Reading Destination not specified");
            return false;
        }
        if (ReadingMap.empty()) {
            AddLog("Error: Reading Conversion Map not specified");
            return false;
        }
        // A destination that is the readings database itself would destroy the day's readings before
        // they are read: refused before anything is asked or written.
        if (OrphanConvert != 0) {
            if (Blank(OrphanDestination)) {
                AddLog("Error: Orphan Destination not specified");
                return false;
            }
            if (OrphanMap.empty()) {
                AddLog("Error: Orphan Conversion Map not specified");
                return false;
            }
            if (SameFile(SettingPath(OrphanDestination), source)) {
                AddLog("Error: Orphan Destination is the same file as the Reading Source");
                return false;
            }
        }
        if (AutoReRead != 0) {
            if (Blank(ReReadDestination)) {
                AddLog("Error: Re-Read Destination not specified");
                return false;
            }
            if (SameFile(SettingPath(ReReadDestination), source)) {
                AddLog("Error: Re-Read Destination is the same file as the Reading Source");
                return false;
            }
        }
        // Two outputs of one run in one file: the later would replace (or append to) the earlier.
        if (const std::string collision = OutputCollision(); !collision.empty()) {
            AddLog(collision);
            return false;
        }

        // Step 7: the upload file.
        AddLog("Writing to " + ReadingDestination);
        const fs::path destination = SettingPath(ReadingDestination);
        if (SameFile(destination, source)) {
            AddLog("Error: Reading Destination is the same file as the Reading Source");
            return false;
        }
        if (FileExists(destination)) {
            if (!CurrentFrontend().AskYesNo("Reading Destination already exists",
                                            ReadingDestination + " already exists.  Overwrite?", true)) {
                AddLog("Error: Reading Destination already exists");
                return false;
            }
            AddLog("Notice: File " + ReadingDestination + " overwritten on request");
        }

        // Step 8: the file version from the database's header record.
        const auto version = clsZAV::ReadFileVersion(source);
        if (!version) {
            AddLog("Error: Could not read ZAV file");
            return false;
        }
        FileVersion = *version;

        // Steps 9 to 11: the map.
        AddLog("Using map " + ReadingMap);
        ExchMap = clsExchMap(HomeFolder);
        if (!ExchMap.LoadMap(ReadingMap + MapExtension(kMapReading), kMapReading)) {
            AddLog("Error: Could not load Reading Conversion Map");
            return false;
        }
        if (const std::string refusal = MapTypeRefusal(ExchMap, kMapReading); !refusal.empty()) {
            AddLog(refusal);
            return false;
        }
        std::string report;
        if (!ExchMap.ValidateMap(report)) {
            AddLog("Error: " + report);
            return false;
        }
        if (DisplayPromptVariables(ExchMap) == "CANCEL") {
            AddLog("Error: Prompted entry of runtime variables cancelled");
            return false;
        }

        // Steps 12 and 13: the upload file by the map's type. The run goes on after a failure.
        AddLog(StartLine("Reading"));
        const HostFormatConverters& host = RegisteredHostFormatConverters();
        switch (ExchMap.MapType()) {
            case kMapMVRS:
                if (host.ReadingMVRS)
                    result = RunConverter([&] { return host.ReadingMVRS(*this); });
                else
                    AddLog("Error: MVRS upload files cannot be written by this program");
                break;
            case kMapE5000:
                if (host.ReadingE5K)
                    result = RunConverter([&] { return host.ReadingE5K(*this); });
                else
                    AddLog("Error: E5000 upload files cannot be written by this program");
                break;
            default:  // Fixed or Delimited: the type was checked with the map
                result = RunConverter([&] { return ConvertReadingFlat(FileVersion); });
                break;
        }

        // Step 14: the orphan readings.
        if (OrphanConvert != 0) {
            AddLog("Writing orphans to " + OrphanDestination);
            const fs::path orphans = SettingPath(OrphanDestination);
            if (OrphanReplace != 0 && FileExists(orphans) && SizeOf(orphans) > 0)
                AddLog("Notice: File " + OrphanDestination + " overwritten per configuration.  " +
                       std::to_string(SizeOf(orphans)) + " bytes lost.");
            AddLog("Using map " + OrphanMap);
            ExchMap = clsExchMap(HomeFolder);
            if (!ExchMap.LoadMap(OrphanMap + MapExtension(kMapOrphan), kMapOrphan)) {
                AddLog("Error: Could not load Orphan Conversion Map");
                return false;
            }
            if (const std::string refusal = MapTypeRefusal(ExchMap, kMapOrphan); !refusal.empty()) {
                AddLog(refusal);
                return false;
            }
            if (!ExchMap.ValidateMap(report)) {
                AddLog("Error: " + report);
                return false;
            }
            AddLog(StartLine("Orphan"));
            // A failed orphan conversion leaves the orphan file incomplete: the run has not succeeded.
            if (!RunConverter([&] { return ConvertOrphanFlat(FileVersion); })) result = false;
            if (FileExists(orphans))
                AddLog("Notice: File " + OrphanDestination + " now contains " + std::to_string(SizeOf(orphans)) +
                       " bytes.");
        }

        // Step 15: the re-read database of the exceptions.
        if (AutoReRead != 0) result = WriteExceptionReRead() && result;

        AddLog("Reading Conversion Finished");
        AddLog("");
        return result;
    } catch (const RuntimeError& e) {
        CurrentFrontend().ShowMessage(e.Description(), "Error");
    } catch (const std::exception& e) {
        CurrentFrontend().ShowMessage(e.what(), "Error");
    }
    AddLog("Reading Conversion Finished");
    AddLog("");
    return false;
}

std::string clsExchange::OutputCollision() const {
    struct Output {
        const char* title;
        const std::string* setting;
        bool used;
    };
    const Output outputs[] = {{"Reading Destination", &ReadingDestination, true},
                              {"Orphan Destination", &OrphanDestination, OrphanConvert != 0},
                              {"Re-Read Destination", &ReReadDestination, AutoReRead != 0}};
    for (std::size_t later = 1; later < std::size(outputs); ++later) {
        for (std::size_t earlier = 0; earlier < later; ++earlier) {
            const Output& a = outputs[earlier];
            const Output& b = outputs[later];
            if (a.used && b.used && SameFileName(SettingPath(*a.setting), SettingPath(*b.setting)))
                return std::string("Error: ") + b.title + " is the same file as the " + a.title;
        }
    }
    return "";
}

bool clsExchange::WriteExceptionReRead() {
    AddLog("Writing Exceptions for Re-Read to " + ReReadDestination);
    const fs::path destination = SettingPath(ReReadDestination);
    const bool replacing = FileExists(destination);
    if (replacing) {
        if (!CurrentFrontend().AskYesNo("ReRead Destination already exists",
                                        ReReadDestination + " already exists.  Overwrite?", true)) {
            AddLog("Error: ReRead Destination already exists");
            return false;
        }
        AddLog("Notice: File " + ReReadDestination + " overwritten on request");
    }
    // The format converter keeps the database open for this step; a converter that failed before
    // opening it (or a host-format one) leaves it to be opened here.
    if (!ReadingZAV) {
        auto db = std::make_unique<clsZAV>();
        db->SetVersion(FileVersion);
        if (db->OpenZAV(SettingPath(ReadingSource))) {
            AddLog("Error: Could not read ZAV file");
            return false;
        }
        ReadingZAV = std::move(db);
    }
    std::int32_t count = 0;
    try {
        count = BuildExceptionReRead(*ReadingZAV, destination);
    } catch (const RuntimeError& e) {
        AddLog(e.Description());
        return false;
    }
    if (count == 0) {
        AddLog("Notice: No exceptions found in reading.  Not creating re-read file");
        // The re-read file of an earlier run would look current and could be installed again.
        if (replacing && FileExists(destination)) {
            DeleteFile(destination);
            AddLog("Notice: File " + ReReadDestination + " of an earlier run removed: there were no exceptions");
        }
        return true;
    }
    AddLog("Notice: ReRead File prepared with " + std::to_string(count) + " Meters");
    if (AutoInstallApplies(ReReadZAVType, AutoInstall) &&
        !InstallPRC(ReReadDestination, {AutoInstallUnit, AutoInstallPrompt != 0, AutoInstallLeave != 0}, HomeFolder))
        AddLog("Install Cancelled without selecting unit");
    return true;
}

}  // namespace zav
