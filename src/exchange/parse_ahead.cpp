#include "exchange/parse_ahead.h"

#include <string_view>

#include "core/line_read_ahead.h"

namespace zav {

namespace {

// Lines per batch, and batches on their way at most (the memory the parsed lines ahead hold).
constexpr std::size_t kBatchLines = 128;
constexpr std::size_t kMaxInFlight = 4;

}  // namespace

RouteParseAhead::RouteParseAhead(const std::filesystem::path& path, const clsExchMap& map)
    : plan_(map), source_(path), pipe_(kMaxInFlight) {
    worker_ = std::thread([this] { Work(); });
}

RouteParseAhead::RouteParseAhead(const std::filesystem::path& path, const clsExchMap& map, clsZAV& database,
                                 const RouteFieldIndex& fields, const clsAdvanced& advanced, const RouteList& routes)
    : plan_(map),
      meters_(std::make_unique<MeterRecordWriter>(database, fields, advanced)),
      routeField_(fields.RouteNbr),
      routes_(routes),
      source_(path),
      pipe_(kMaxInFlight) {
    worker_ = std::thread([this] { Work(); });
}

RouteParseAhead::~RouteParseAhead() {
    pipe_.Cancel();
    worker_.join();
}

ParsedRouteLine* RouteParseAhead::Next() {
    Batch* batch = nullptr;
    std::size_t i = 0;
    return cursor_.Next(batch, i) ? &batch->lines[i] : nullptr;
}

void RouteParseAhead::Work() {
    std::string readTypeLetter;
    std::int16_t autoNumber = 0;
    Batch batch;
    bool end = false;
    // Every other batch's records are built here and the rest by the converter, so the two threads
    // share the building (the parse alone keeps this one about as busy as the converter).
    bool buildBatch = false;
    while (!end && !pipe_.Cancelled()) {
        buildBatch = meters_ != nullptr && !buildBatch;
        batch.count = 0;
        batch.error = nullptr;
        if (batch.lines.size() < kBatchLines) batch.lines.resize(kBatchLines);
        std::string_view line;
        while (batch.count < kBatchLines) {
            if (!ReadLineOrError(source_, line, batch.error)) {
                end = true;
                break;
            }
            ParsedRouteLine& parsed = batch.lines[batch.count++];
            parsed.error = nullptr;
            parsed.position = source_.Position();
            try {
                ParseRouteLine(plan_, {readTypeLetter, autoNumber}, line, parsed.fields, parsed.constantsHeld);
                parsed.constantsHeld = true;
            } catch (...) {
                parsed.constantsHeld = false;
                parsed.error = std::current_exception();
                end = true;  // the converter stops at this line
            }
            parsed.readTypeLetter.swap(readTypeLetter);
            parsed.autoNumber = autoNumber;
            if (end) break;
            parsed.built = false;
            if (buildBatch) BuildAhead(parsed);
        }
        batch = pipe_.Put(std::move(batch));
    }
    pipe_.Close();
}

void RouteParseAhead::BuildAhead(ParsedRouteLine& parsed) {
    parsed.buildError = nullptr;
    const std::string_view route = ValueTextView(parsed.fields[static_cast<std::size_t>(routeField_)], routeText_);
    if (route != lastRoute_ || lastOrdinal_ == 0) {
        lastOrdinal_ = routes_.Find(route);
        lastRoute_.assign(route);
    }
    if (lastOrdinal_ == 0) return;  // a route the converter adds: it builds the record itself
    parsed.built = true;
    parsed.ordinal = lastOrdinal_;
    try {
        parsed.record.assign(meters_->Build(parsed.fields, lastOrdinal_, ReadTypeOfLetter(parsed.readTypeLetter)));
        parsed.spans = meters_->Builder().IndexSpans();
    } catch (...) {
        parsed.buildError = std::current_exception();
    }
}

}  // namespace zav
