// clsExchange::ConvertReRead: a flat re-read list from the host into a re-read database, every meter
// on one route "REREAD". It parses, validates and writes meters as the route conversion does, but
// writes no index or configuration records.
#include "advanced/advanced.h"
#include "core/clock.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/prompts.h"
#include "exchange/route_meter.h"
#include "exchange/route_records.h"
#include "install/auto_install.h"
#include "zav/zav.h"

namespace zav {

namespace fs = std::filesystem;

namespace {
constexpr long kProgressBlock = 128;
}

bool clsExchange::PrepareReRead() {
    CreateIndexes = true;
    if (Trim(ReReadSource).empty()) {
        AddLog("Error: ReRead Source not specified");
        return false;
    }
    const fs::path source = SettingPath(ReReadSource);
    if (!FileExists(source)) {
        AddLog("Error: ReRead Source does not exist");
        return false;
    }
    AddLog("Reading from " + ReReadSource);
    if (Trim(ReReadDestination).empty()) {
        AddLog("Error: ReRead Destination not specified");
        return false;
    }
    AddLog("Writing to " + ReReadDestination);
    const fs::path destination = SettingPath(ReReadDestination);
    // Overwriting the list with its own database would delete the host's re-read list.
    if (SameFile(source, destination)) {
        AddLog("Error: ReRead Source and ReRead Destination are the same file");
        return false;
    }
    if (FileExists(destination)) {
        if (!CurrentFrontend().AskYesNo("ReRead Destination already exists",
                                        ReReadDestination + " already exists.  Overwrite?", true)) {
            AddLog("Error: ReRead Destination already exists");
            return false;
        }
        DeleteFile(destination);
        AddLog("Notice: File " + ReReadDestination + " overwritten on request");
    }
    if (ReReadMap.empty()) {
        AddLog("Error: ReRead Conversion Map not specified");
        return false;
    }
    AddLog("Using Map: " + ReReadMap);
    ExchMap = clsExchMap(HomeFolder);
    if (!ExchMap.LoadMap(ReReadMap + MapExtension(kMapReRead), kMapReRead)) {
        AddLog("Error: Could not load ReRead Conversion Map");
        return false;
    }
    // Re-read lists are flat files: a host-format map would parse no line at all.
    if (const std::string refusal = MapTypeRefusal(ExchMap, kMapReRead); !refusal.empty()) {
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
    // The question is asked as for a route database, though a re-read database gets no index records.
    SettleIndexControl();
    const std::time_t now = Now();
    AddLog("ReRead Conversion Starting " + ShortTime(now) + " " + ShortDate(now));
    State.Reset();
    return true;
}

bool clsExchange::ConvertReReadList() {
    const fs::path sourcePath = SettingPath(ReReadSource);
    ResolveRouteFields();
    const std::int16_t route = State.Routes.AddRoute("REREAD");

    // Every line of the list is one meter of the route.
    std::int32_t lines = 0;
    std::int16_t announced = 0;
    long blocks = 0;
    {
        TextFileStream source(sourcePath);
        blocks = static_cast<long>((source.Size() + kProgressBlock - 1) / kProgressBlock);
        std::string_view line;  // in the stream's buffer, until the next line
        while (source.ReadLine(line)) {
            State.Routes.CountMeter(route);
            CountUp(announced);
            ++lines;
        }
    }

    RouteZAV = std::make_unique<clsZAV>();
    const std::int16_t version = LookupFileVersion(kVersionMajor, kVersionMinor);
    RouteZAV->SetVersion(version);
    const int containerType = ReReadZAVType == "PRC" || ReReadZAVType == "PDB" ? kContainerPDB : kContainerVFS;
    if (RouteZAV->CreateZAV(SettingPath(ReReadDestination), containerType, State.Routes.Count() + lines + 1) != 0) {
        AddLog("Error: Could not Create ReRead ZAV File");
        RouteZAV.reset();
        return false;
    }
    WriteRouteHeader(*RouteZAV, State.Routes.Count(), announced, ReReadSource, version, Now());
    WriteRouteRecords(*RouteZAV, State.Routes);

    AutoNumber = 0;
    const RouteFieldIndex& at = *routeFields_;
    MeterRecordWriter meters(*RouteZAV, at, Advanced());
    RouteFields rec;
    const RouteLinePlan plan(ExchMap);
    TextFileStream source(sourcePath);
    std::string_view line;  // in the stream's buffer, until the next line
    while (source.ReadLine(line)) {
        SetProgressButton(blocks, static_cast<long>(source.Position()) / kProgressBlock);
        ++State.InputLines;
        ParseRouteLine(plan, {ReadTypeLetter, AutoNumber}, line, rec);
        if (!ValidateRouteLine(rec)) return false;
        meters.Write(rec, route, ReadTypeOfLetter(ReadTypeLetter));
        ++State.MetersWritten;
    }

    if (State.Problems) {
        AddLog("Problems encountered; Route file unusable");
        return false;
    }
    if (State.MetersWritten == 0) {
        AddLog("The ReReadZAV contains no meter records. The ReReadZAV file is unusable.");
        return false;
    }
    AddLog(std::to_string(State.MetersWritten) + " meters written to ReRead ZAV File");
    // The database is complete only once closed: closed before a unit is given it.
    RouteZAV->CloseZAV();
    RouteZAV.reset();
    if (AutoInstallApplies(ReReadZAVType, AutoInstall) &&
        !InstallPRC(ReReadDestination, {AutoInstallUnit, AutoInstallPrompt != 0, AutoInstallLeave != 0}, HomeFolder)) {
        AddLog("Install Cancelled without selecting unit");
        State.Warnings = true;
    }
    AddLog(State.Warnings ? "ReRead Conversion Finished with Warnings" : "ReRead Conversion Finished");
    AddLog("");
    return true;
}

bool clsExchange::ConvertReRead() {
    bool result = false;
    try {
        if (PrepareReRead()) result = ConvertReReadList();
    } catch (const std::exception& e) {
        const RuntimeError* error = dynamic_cast<const RuntimeError*>(&e);
        const std::string description = error ? error->Description() : std::string(e.what());
        CurrentFrontend().ShowMessage(description, "Error");
        std::string line = "Error: " + description;
        if (State.InputLines > 0) line += " in Line " + std::to_string(State.InputLines);
        AddLog(line);
        result = false;
    }
    // Release the database (which completes what was written) and the conversion state.
    RouteZAV.reset();
    State.DuplicateTags.Clear();
    return result;
}

}  // namespace zav
