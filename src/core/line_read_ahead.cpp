#include "core/line_read_ahead.h"

namespace zav {

namespace {

// A batch is handed over at this many lines or bytes; at most this many are on their way.
constexpr std::size_t kBatchLines = 1024;
constexpr std::size_t kBatchBytes = 64 * 1024;
constexpr std::size_t kMaxInFlight = 4;

}  // namespace

LineReadAhead::LineReadAhead(const std::filesystem::path& path)
    : source_(path), size_(source_.Size()), position_(source_.Position()), pipe_(kMaxInFlight) {
    // (A byte order mark is consumed as the stream opens: a file of only that is at its end.)
    worker_ = std::thread([this] { Work(); });
}

LineReadAhead::~LineReadAhead() {
    pipe_.Cancel();
    worker_.join();
}

bool LineReadAhead::ReadLine(std::string_view& line) {
    for (;;) {
        if (next_ < current_.lines.size()) {
            const Line& l = current_.lines[next_++];
            line = std::string_view(current_.bytes).substr(l.begin, l.length);
            position_ = l.position;
            return true;
        }
        if (current_.error) {
            const std::exception_ptr error = current_.error;
            current_.error = nullptr;
            std::rethrow_exception(error);
        }
        if (holding_) {
            holding_ = false;
            pipe_.GiveBack(std::move(current_));
        }
        if (!pipe_.Take(current_)) {
            current_.lines.clear();
            return false;
        }
        holding_ = true;
        next_ = 0;
    }
}

void LineReadAhead::Work() {
    Batch batch;
    bool end = false;
    while (!end && !pipe_.Cancelled()) {
        batch.bytes.clear();
        batch.lines.clear();
        batch.error = nullptr;
        while (batch.lines.size() < kBatchLines && batch.bytes.size() < kBatchBytes) {
            std::string_view line;
            try {
                if (!source_.ReadLine(line)) {
                    end = true;
                    break;
                }
            } catch (...) {
                batch.error = std::current_exception();
                end = true;
                break;
            }
            batch.lines.push_back({batch.bytes.size(), line.size(), source_.Position()});
            batch.bytes.append(line);
        }
        batch = pipe_.Put(std::move(batch));
    }
    pipe_.Close();
}

}  // namespace zav
