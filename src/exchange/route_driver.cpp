// ConvertRoute: the route conversion driver. It checks the settings, asks what it must, prepares the
// conversion state, runs the converter of the map's type, completes the database with the index end
// and the configuration records, reports the outcome and schedules the database for a unit.
#include <cerrno>
#include <system_error>

#include "advanced/advanced.h"
#include "core/clock.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/frontend.h"
#include "core/home.h"
#include "core/identity.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/host_converters.h"
#include "exchange/prompts.h"
#include "install/auto_install.h"
#include "zav/zav.h"

namespace zav {

namespace fs = std::filesystem;

fs::path clsExchange::SettingPath(const std::string& setting) const { return ResolveAgainst(HomeFolder, setting); }

void clsExchange::SettleIndexControl() {
    switch (Advanced().IndexControl()) {
        case 0:
            CreateIndexes = false;
            break;
        case 1:
            CreateIndexes = true;
            break;
        case 2:
            CreateIndexes = CurrentFrontend().AskYesNo(
                "Index Control",
                "Create indexes?  \r\n(Takes longer to create and load, but speeds lookups in the field.)", false);
            break;
        default:
            break;
    }
}

bool clsExchange::PrepareRouteConversion() {
    CreateIndexes = true;
    IndexRecordCounter = 0;
    if (Trim(RouteSource).empty()) {
        AddLog("Error: Route Source not specified");
        return false;
    }
    const fs::path source = SettingPath(RouteSource);
    if (!FileExists(source)) {
        AddLog("Error: Route Source does not exist");
        return false;
    }
    AddLog("Reading from " + RouteSource);
    if (Trim(RouteDestination).empty()) {
        AddLog("Error: Route Destination not specified");
        return false;
    }
    AddLog("Writing to " + RouteDestination);
    const fs::path destination = SettingPath(RouteDestination);
    // Overwriting the source with its own database would delete the host's route file.
    if (SameFile(source, destination)) {
        AddLog("Error: Route Source and Route Destination are the same file");
        return false;
    }
    if (FileExists(destination)) {
        if (!CurrentFrontend().AskYesNo("Route Destination already exists",
                                        RouteDestination + " already exists.  Overwrite?", true)) {
            AddLog("Error: Route Destination already exists");
            return false;
        }
        DeleteFile(destination);
        AddLog("Notice: File " + RouteDestination + " overwritten on request");
    }
    if (RouteMap.empty()) {
        AddLog("Error: Route Conversion Map not specified");
        return false;
    }
    AddLog("Using Map: " + RouteMap);
    ExchMap = clsExchMap(HomeFolder);
    if (!ExchMap.LoadMap(RouteMap + MapExtension(kMapRoute), kMapRoute)) {
        AddLog("Error: Could not load Route Conversion Map");
        return false;
    }
    if (ExchMap.MapType() == kMapMVRS && ExchMap.MapOptions(1) == "Y")
        AddLog("Notice: Special radio processing option is enabled");
    if (ExchMap.MapType() == kMapFixed || ExchMap.MapType() == kMapDelimited) {
        std::string message;
        if (!ExchMap.ValidateMap(message)) {
            AddLog("Error: " + message);
            return false;
        }
    }
    RouteZAV = std::make_unique<clsZAV>();
    RouteZAV->SetVersion(LookupFileVersion(kVersionMajor, kVersionMinor));
    if (DisplayPromptVariables(ExchMap) == "CANCEL") {
        AddLog("Error: Prompted entry of runtime variables cancelled");
        return false;
    }
    SettleIndexControl();
    const std::time_t now = Now();
    AddLog("Route Conversion Starting " + ShortTime(now) + " " + ShortDate(now));
    State.Reset();
    return true;
}

bool clsExchange::DispatchRouteConverter() {
    const HostFormatConverters& host = RegisteredHostFormatConverters();
    switch (ExchMap.MapType()) {
        case kMapMVRS:
            if (!host.RouteMVRS) {
                AddLog("Error: MVRS route files cannot be converted by this version");
                return false;
            }
            return host.RouteMVRS(*this);
        case kMapE5000:
            if (!host.RouteE5K) {
                AddLog("Error: E5000 route files cannot be converted by this version");
                return false;
            }
            return host.RouteE5K(*this);
        case kMapFixed:
        case kMapDelimited:
            return ConvertRouteFlat();
        default:
            AddLog(MapTypeRefusal(ExchMap, kMapRoute));
            return false;
    }
}

bool clsExchange::FinishRouteDatabase(bool converted) {
    // A database that was never created is left alone: no index or configuration record, no file.
    if (RouteZAV && !RouteZAV->Created()) RouteZAV.reset();
    IndexStep(0, 0, "", "", "", "", "");
    WriteConfigurationRecords();
    if (!converted) {
        AddLog("Route ZAV File NOT created");
        return false;
    }
    if (State.MetersWritten == 0) {
        AddLog("The RouteZAV contains no meter records. The RouteZAV file is unusable.");
        return false;
    }
    AddLog(std::to_string(State.MetersWritten) + " meters written to Route ZAV File");
    RouteZAV->CloseZAV();
    RouteZAV.reset();
    if (AutoInstallApplies(RouteZAVType, AutoInstall)) {
        const AutoInstallSettings settings{AutoInstallUnit, AutoInstallPrompt != 0, AutoInstallLeave != 0};
        if (!InstallPRC(RouteDestination, settings, HomeFolder)) {
            AddLog("Install Cancelled without selecting unit");
            State.Warnings = true;
        }
    }
    return true;
}

void clsExchange::DiscardRouteZAV() {
    if (!RouteZAV || !RouteZAV->Created()) return;
    RouteZAV.reset();  // closes the file
    std::error_code ec;
    std::filesystem::remove(SettingPath(RouteDestination), ec);
}

bool clsExchange::ConvertRoute() {
    bool result = false;
    bool closing = false;  // the closing lines are due (the checks before the start passed)
    bool inConverter = false;
    try {
        if (!PrepareRouteConversion()) {
            RouteZAV.reset();
            return false;
        }
        closing = true;
        inConverter = true;
        const bool converted = DispatchRouteConverter();
        inConverter = false;
        result = FinishRouteDatabase(converted);
        closing = !(converted && State.MetersWritten == 0);  // "no meter records" ends without them
    } catch (const std::exception& e) {
        const RuntimeError* error = dynamic_cast<const RuntimeError*>(&e);
        const std::string description = error ? error->Description() : std::string(e.what());
        CurrentFrontend().ShowMessage(description, "Error");
        // The run log says what went wrong, and where in the source when a line was being converted.
        std::string line = "Error: " + description;
        if (inConverter && State.InputLines > 0) line += " in Line " + std::to_string(State.InputLines);
        AddLog(line);
        if (!result) {
            DiscardRouteZAV();
            AddLog("Route ZAV File NOT created");
        }
        State.Problems = true;
        closing = true;
    }
    if (closing) LogRouteClosingLines(State);
    // Clean up: the tag set emptied, the database released (which completes the file).
    State.DuplicateTags.Clear();
    RouteZAV.reset();
    return result;
}

}  // namespace zav
