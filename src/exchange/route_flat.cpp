// ConvertRouteFlat: a flat route file (fixed-width or delimited) into the route database. The source
// is read twice: once to count the routes and lines (the database's record list is sized from it and
// the header and route records come first), then to validate and write every meter.
#include <algorithm>

#include "advanced/advanced.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/number.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/parse_ahead.h"
#include "exchange/route_meter.h"
#include "exchange/route_records.h"
#include "exchange/write_behind.h"
#include "zav/zav.h"

namespace zav {

namespace {

constexpr long kProgressBlock = 128;

}  // namespace

bool clsExchange::ConvertRouteFlat() {
    const std::filesystem::path sourcePath = SettingPath(RouteSource);
    ResolveRouteFields();
    const RouteFieldIndex& at = *routeFields_;

    // First pass: routes, their meter counts and the number of lines.
    std::int32_t totalLines = 0;
    std::int16_t announcedMeters = 0;
    long blocks = 0;
    CountRouteLines(sourcePath, totalLines, announcedMeters, blocks);
    State.InputLines = 0;
    State.DuplicateTags.Reserve(static_cast<std::size_t>(totalLines));

    // The database, sized once from the first pass.
    const std::int32_t presize = State.Routes.Count() + totalLines + 2102;
    if (!CreateRouteZAV(presize)) return false;
    const std::time_t now = Now();
    WriteRouteHeader(*RouteZAV, State.Routes.Count(), announcedMeters, RouteSource,
                     LookupFileVersion(kVersionMajor, kVersionMinor), now);
    WriteRouteRecords(*RouteZAV, State.Routes);

    AutoNumber = 0;
    State.ValidationMessages = 0;
    MeterRecordWriter meters(*RouteZAV, at, Advanced());

    // Second pass: validate and write every meter, and hand it to the index step. The lines are read,
    // parsed and their records built ahead of this loop, and the records appended and the index built
    // behind it, on threads of their own.
    RouteParseAhead source(sourcePath, ExchMap, *RouteZAV, at, Advanced(), State.Routes);
    std::string routeText;  // a route number that is no text, as text
    return WithWriteBehind(*this, [&] {
        while (ParsedRouteLine* parsed = source.Next()) {
            SetProgressButton(3 * blocks, blocks + static_cast<long>(parsed->position) / kProgressBlock);
            ++State.InputLines;
            parsed->Check();
            ReadTypeLetter.swap(parsed->readTypeLetter);
            AutoNumber = parsed->autoNumber;
            const RouteFields& rec = parsed->fields;
            if (!ValidateRouteLine(rec)) return false;
            // The index step takes the values as the record holds them.
            if (parsed->built) {
                if (parsed->buildError) std::rethrow_exception(parsed->buildError);
                AppendIndexedMeter(parsed->record, parsed->spans, meters.Builder(), parsed->ordinal,
                                   IndexRecordCounter);
            } else {
                const std::int16_t ordinal = State.Routes.AddRoute(ValueTextView(rec[at.RouteNbr], routeText));
                const std::string_view record = meters.Build(rec, ordinal, ReadTypeOfLetter(ReadTypeLetter));
                AppendIndexedMeter(record, meters.Builder().IndexSpans(), meters.Builder(), ordinal,
                                   IndexRecordCounter);
            }
            ++State.MetersWritten;
            CountUp(IndexRecordCounter);
        }
        return !State.Problems;
    });
}

void clsExchange::AppendMeterRecord(std::string_view record) {
    if (writeBehind_ != nullptr)
        writeBehind_->Record(record);
    else
        RouteZAV->DB().WriteRaw(record);
}

void clsExchange::AppendIndexedMeter(std::string_view record, const MeterIndexSpans& spans,
                                     const MeterRecordBuilder& layout, std::int16_t routeOrdinal, std::int16_t position,
                                     std::optional<std::string_view> tag) {
    if (writeBehind_ != nullptr) return writeBehind_->Meter(record, spans, layout, routeOrdinal, position, tag);
    RouteZAV->DB().WriteRaw(record);
    std::string tagText;
    const MeterIndexTexts texts = layout.IndexTexts(record, spans, tag, tagText);
    IndexStep(routeOrdinal, position, texts.tag, texts.serial, texts.billingName, texts.address, texts.account);
}

bool clsExchange::CreateRouteZAV(std::int32_t presize) {
    const int containerType = RouteZAVType == "PRC" || RouteZAVType == "PDB" ? kContainerPDB : kContainerVFS;
    const std::filesystem::path destination = SettingPath(RouteDestination);
    // A Palm database's record list grows as records come; it never holds more than 65,535 entries.
    if (RouteZAV->CreateZAV(destination, containerType, std::min(presize, std::int32_t{65535})) == 0) {
        zavFields_ = std::make_unique<ZAVFieldIndex>(ZAVFieldIndex::Resolve(*RouteZAV));
        return true;
    }
    AddLog("Error: Could not Create Route ZAV File");
    // What a creation that failed half-way left behind is no database (the driver removed or was told of
    // no older file there).
    std::error_code ec;
    if (std::filesystem::is_regular_file(destination, ec)) std::filesystem::remove(destination, ec);
    return false;
}

}  // namespace zav
