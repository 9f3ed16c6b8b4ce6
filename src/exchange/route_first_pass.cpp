// The first pass of ConvertRouteFlat: the routes of a flat route file in the order first met, their
// meter counts and the number of lines. A file of some size is read in two halves at once: this thread
// takes the first, a worker the second (from the first line that starts after the middle). The worker
// keeps, for each of its lines, which of its routes it names; this thread then counts those lines in
// order as if it had read them, so the routes, counts and errors (with their line numbers) are those
// of reading the file from start to end.
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <exception>
#include <thread>
#include <unordered_map>

#include "core/file_io.h"
#include "core/frontend.h"
#include "core/number.h"
#include "exchange/exchange.h"
#include "exchange/route_meter.h"

namespace zav {

namespace {

constexpr long kProgressBlock = 128;
// Below this size a file is read by this thread alone. (The middle of a larger file lies past the first
// block the stream reads as it opens, so the stream can still be told to end there.)
constexpr std::uintmax_t kSplitBytes = 256 * 1024;

// The start of the first line that begins after the middle of the file: just after the first line
// feed from there (a line feed always ends a line); 0 when there is none or the file cannot be read.
std::uintmax_t SecondHalfStart(const std::filesystem::path& path, std::uintmax_t size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::uintmax_t at = size / 2;
    std::uintmax_t found = 0;
    char block[4096];
    while (found == 0 && at < size) {
        const ssize_t n = ::pread(fd, block, sizeof block, static_cast<off_t>(at));
        if (n <= 0) break;
        if (const void* lf = std::memchr(block, '\n', static_cast<std::size_t>(n)))
            found = at + static_cast<std::uintmax_t>(static_cast<const char*>(lf) - block) + 1;
        at += static_cast<std::uintmax_t>(n);
    }
    ::close(fd);
    return found < size ? found : 0;
}

// What the worker found in the second half.
struct SecondHalf {
    std::vector<std::string> routes;  // its route numbers, in the order first met
    std::vector<std::int32_t> lines;  // for each line, its route (an index into `routes`)
    std::exception_ptr error;         // where it stopped: parsing the line after `lines`, or reading
    bool errorInLine = false;         // true: parsing that line; false: reading after the lines
};

void CountSecondHalf(const std::filesystem::path& path, std::uintmax_t begin, std::uintmax_t end,
                     const RouteLinePlan& plan, int routeField, const std::atomic<bool>& stop, SecondHalf& out) {
    try {
        TextFileStream source(path, begin, end);
        RouteFields rec;
        std::string letter;
        std::int16_t autoNumber = 0;  // unused: a map with an autonumber is not split
        std::unordered_map<std::string, std::int32_t> known;
        std::string scratch;
        std::string_view line;
        while (!stop.load(std::memory_order_relaxed) && source.ReadLine(line)) {
            try {
                ParseRouteLine(plan, {letter, autoNumber}, line, rec);
            } catch (...) {
                out.error = std::current_exception();
                out.errorInLine = true;
                return;
            }
            const std::string_view route = ValueTextView(rec[static_cast<std::size_t>(routeField)], scratch);
            if (!out.lines.empty() && out.routes[static_cast<std::size_t>(out.lines.back())] == route) {
                out.lines.push_back(out.lines.back());
                continue;
            }
            const auto [it, added] = known.try_emplace(std::string(route), static_cast<std::int32_t>(out.routes.size()));
            if (added) out.routes.push_back(it->first);
            out.lines.push_back(it->second);
        }
    } catch (...) {
        out.error = std::current_exception();
        out.errorInLine = false;
    }
}

bool HasAutonumber(const clsExchMap& map) {
    for (const MapField& f : map.Fields())
        if (f.MapOption == kAutonumber) return true;
    return false;
}

}  // namespace

void clsExchange::CountRouteLines(const std::filesystem::path& sourcePath, std::int32_t& totalLines,
                                  std::int16_t& announcedMeters, long& blocks) {
    const int routeField = routeFields_->RouteNbr;
    const RouteLinePlan plan(ExchMap, routeField);
    RouteFields rec;
    std::string scratch;
    const auto count = [&](std::string_view route) {
        State.Routes.CountMeter(State.Routes.AddRoute(route));
        ++totalLines;
        CountUp(announcedMeters);
    };

    TextFileStream source(sourcePath);
    const std::uintmax_t size = source.Size();
    blocks = static_cast<long>((size + kProgressBlock - 1) / kProgressBlock);
    // The autonumber counts from the first line, so a map with one is read by this thread alone.
    const std::uintmax_t split = size >= kSplitBytes && !HasAutonumber(ExchMap) ? SecondHalfStart(sourcePath, size) : 0;

    std::atomic<bool> stop{false};
    SecondHalf second;
    std::thread worker;
    if (split > 0)
        worker = std::thread([&] { CountSecondHalf(sourcePath, split, size, plan, routeField, stop, second); });
    // The worker stops and is joined however this thread leaves.
    struct Joiner {
        std::atomic<bool>& stop;
        std::thread& worker;
        ~Joiner() {
            stop = true;
            if (worker.joinable()) worker.join();
        }
    } joiner{stop, worker};

    if (split > 0) source.EndAt(split);  // the first block read reaches no further than the middle
    std::string_view line;  // in the stream's buffer, until the next line
    while (source.ReadLine(line)) {
        SetProgressButton(3 * blocks, static_cast<long>(source.Position()) / kProgressBlock);
        ++State.InputLines;
        ParseRouteLine(plan, {ReadTypeLetter, AutoNumber}, line, rec);
        count(ValueTextView(rec[static_cast<std::size_t>(routeField)], scratch));
    }
    if (split == 0) return;

    worker.join();
    // The second half's lines, counted in order.
    for (const std::int32_t route : second.lines) {
        ++State.InputLines;
        count(second.routes[static_cast<std::size_t>(route)]);
    }
    SetProgressButton(3 * blocks, static_cast<long>(size) / kProgressBlock);
    if (second.error) {
        if (second.errorInLine) ++State.InputLines;
        std::rethrow_exception(second.error);
    }
}

}  // namespace zav
