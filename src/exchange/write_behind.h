// The tail of a route conversion on a second core: while the converter reads and builds meter records,
// a worker thread appends them to the route database and runs the index step, in the order they were
// handed over. The run log keeps its order: while the worker runs, every log line (the converter's and
// the worker's) passes through the same queue and reaches the frontend, on the converter's thread, once
// everything handed over before it is done. The frontend is never called from the worker.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/batch_pipe.h"
#include "exchange/route_meter.h"

namespace zav {

class clsAdvanced;
class clsExchange;
class MeterRecordBuilder;
class ScopedFrontend;

class WriteBehind {
  public:
    // Starts the worker for `ex`'s route database (REQUIRES: created) and its index step, and routes
    // ex.AppendMeterRecord and ex.IndexStep to it.
    explicit WriteBehind(clsExchange& ex);
    // Waits for the worker if Finish was not called (an error it met is then dropped: this only happens
    // while another error unwinds).
    ~WriteBehind();
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;

    // A record to append to the route database.
    void Record(std::string_view bytes);
    // A meter record laid by `layout` (which outlives the worker) to append, then its index step with
    // the texts the record holds where `spans` says, or `tag` for its tag (clsExchange::AppendIndexedMeter).
    void Meter(std::string_view bytes, const MeterIndexSpans& spans, const MeterRecordBuilder& layout,
               std::int16_t routeOrdinal, std::int16_t position, std::optional<std::string_view> tag);
    // One index step (clsExchange::IndexStep).
    void Index(std::int16_t routeOrdinal, std::int16_t position, std::string_view tag, std::string_view serial,
               std::string_view billingName, std::string_view address, std::string_view account);
    // A run log line of the converter's thread, written after everything handed over before it.
    void Log(std::string_view line);
    // Waits until everything handed over is done and its log lines are written.
    void Sync();
    // Sync, then stops the worker and hands the route database and index step back. THROWS what the
    // worker met first (State.InputLines then says the line it came from): the converter would have
    // met it there without the worker. Later calls do nothing.
    void Finish();

  private:
    struct Item {
        enum Kind : std::uint8_t { kRecord, kMeter, kIndex, kLog } kind = kRecord;
        std::int16_t ordinal = 0;
        std::int16_t position = 0;
        std::int32_t line = 0;         // State.InputLines when it was handed over
        std::size_t offset = 0;        // of its texts in the batch's bytes
        std::uint32_t lengths[5] = {};  // record and log: [0]; meter: record, tag; index: tag, serial, name,
                                        // address, account
        bool tagGiven = false;          // meter: the tag given instead of the record's
        const MeterRecordBuilder* layout = nullptr;  // meter: its layout
        MeterIndexSpans spans;                       // meter: where its index texts lie
    };
    struct Batch {
        std::vector<Item> items;
        std::string bytes;
    };

    Item& Add(Item::Kind kind, std::initializer_list<std::string_view> texts);
    // Hands the batch being filled to the worker (once it is full enough); true when the worker failed.
    bool HandOverIfFull();
    bool HandOver();
    // Writes the log lines the worker has reached, on this thread.
    void WriteReadyLog();
    void Work();
    void Process(const Batch& batch);
    // A log line of the worker itself (the index step's warnings), in its place.
    void WorkerLog(const std::string& line);
    // The index step of one meter or index item.
    void IndexStep(std::int16_t routeOrdinal, std::int16_t position, const MeterIndexTexts& texts);

    class OrderedLog;
    friend class OrderedLog;

    clsExchange& ex_;
    const clsAdvanced* advanced_ = nullptr;
    Batch filling_;
    BatchPipe<Batch> pipe_;
    std::mutex mutex_;                 // guards ready_, error_, errorLine_ and failed_
    std::vector<std::string> ready_;   // log lines the worker has reached
    std::exception_ptr error_;         // the first error of the worker
    std::int32_t errorLine_ = 0;
    bool failed_ = false;              // error_ is set
    std::int32_t leftOut_ = 0;         // index keys left out (the worker's until it is joined)
    std::string tagText_;              // the worker's: a meter tag that is a number, as text
    bool finished_ = false;
    std::unique_ptr<OrderedLog> log_;
    std::unique_ptr<ScopedFrontend> scope_;
    std::thread worker_;
};

// Runs `body()` with a WriteBehind for `ex`: the worker is finished before the result (or an error)
// leaves, and an error the worker met earlier comes first.
template <typename Body>
auto WithWriteBehind(clsExchange& ex, Body&& body) {
    WriteBehind behind(ex);
    try {
        auto result = body();
        behind.Finish();
        return result;
    } catch (...) {
        behind.Finish();  // the worker's own error, from an earlier line, replaces this one
        throw;
    }
}

}  // namespace zav
