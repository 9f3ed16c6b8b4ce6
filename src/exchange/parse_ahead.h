// The lines of a flat route file read and parsed on a second core, ahead of the converter that
// validates and writes them: the same fields, read-type letters and autonumbers, and the same errors
// at the same lines, as reading and parsing each line in turn. Each line's meter record can be built
// ahead as well, for the converter to append once it has validated the line.
#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/batch_pipe.h"
#include "core/file_io.h"
#include "exchange/exchange.h"
#include "exchange/route_meter.h"
#include "exchange/route_state.h"

namespace zav {

struct ParsedRouteLine {
    RouteFields fields;
    std::string readTypeLetter;      // as ParseRouteFields leaves clsExchange::ReadTypeLetter
    std::int16_t autoNumber = 0;     // the autonumber counter after the line
    std::uintmax_t position = 0;     // bytes of the file read up to the line's end
    std::exception_ptr error;        // what parsing the line threw (no line follows it)
    bool constantsHeld = false;      // `fields` hold the constant values (a line was parsed into them)
    // The meter record built ahead: when `built`, its bytes (or what building it threw) for route
    // ordinal `ordinal`; not built when its route is not among the routes known ahead.
    bool built = false;
    std::int16_t ordinal = 0;
    std::string record;
    MeterIndexSpans spans;  // where its index texts lie
    std::exception_ptr buildError;

    // THROWS the error parsing the line met, if any.
    void Check() const {
        if (error) std::rethrow_exception(error);
    }
};

class RouteParseAhead {
  public:
    // Opens `path` (THROWS RuntimeError as TextFileStream when it cannot) and starts parsing its lines
    // with `map`, the autonumber counting from 0. REQUIRES: `map` and the prompted values stay as they
    // are while this object lives.
    RouteParseAhead(const std::filesystem::path& path, const clsExchMap& map);
    // The same, with each line's meter record built ahead by MeterRecordWriter for `database` (the
    // route ordinals looked up in `routes`, the ReadType from the line's read-type letter). REQUIRES:
    // `database`, `fields` and `advanced` stay as they are while this object lives.
    RouteParseAhead(const std::filesystem::path& path, const clsExchMap& map, clsZAV& database,
                    const RouteFieldIndex& fields, const clsAdvanced& advanced, const RouteList& routes);
    // Stops the worker where it is.
    ~RouteParseAhead();
    RouteParseAhead(const RouteParseAhead&) = delete;
    RouteParseAhead& operator=(const RouteParseAhead&) = delete;

    // The next line (valid until the next call), nullptr after the last. THROWS a read error of the
    // file where reading it failed.
    ParsedRouteLine* Next();

  private:
    struct Batch {
        std::vector<ParsedRouteLine> lines;  // the first `count` hold this batch's lines (kept for reuse)
        std::size_t count = 0;
        std::exception_ptr error;  // reading the file failed after the lines of this batch
        std::size_t Count() const { return count; }
    };
    void Work();
    void BuildAhead(ParsedRouteLine& parsed);

    RouteLinePlan plan_;
    // Building ahead: the builder, where the route number is, the routes known and the last found.
    std::unique_ptr<MeterRecordWriter> meters_;
    int routeField_ = 0;
    RouteList routes_;
    std::string lastRoute_;
    std::int16_t lastOrdinal_ = 0;
    std::string routeText_;
    TextFileStream source_;
    BatchPipe<Batch> pipe_;
    BatchCursor<Batch> cursor_{pipe_};
    std::thread worker_;
};

}  // namespace zav
