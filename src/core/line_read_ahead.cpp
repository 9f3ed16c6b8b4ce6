#include "core/line_read_ahead.h"

namespace zav {

namespace {

// A batch is handed over at this many lines or bytes; at most this many are on their way.
constexpr std::size_t kBatchLines = 512;
constexpr std::size_t kBatchBytes = 32 * 1024;
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

bool LineReadAhead::ReadFirstOfBatch(std::string_view& line) {
    Batch* batch = nullptr;
    std::size_t i = 0;
    next_ = end_ = nullptr;
    if (!cursor_.Next(batch, i)) return false;
    // The batch's other lines go to ReadLine; the cursor moves on at the call after them.
    cursor_.TakeRest();
    next_ = batch->lines.data() + i;
    end_ = batch->lines.data() + batch->lines.size();
    bytes_ = batch->bytes.data();
    const Line& l = *next_++;
    line = std::string_view(bytes_ + l.begin, l.length);
    position_ = l.position;
    return true;
}

bool ReadLineOrError(TextFileStream& source, std::string_view& line, std::exception_ptr& error) {
    try {
        return source.ReadLine(line);
    } catch (...) {
        error = std::current_exception();
        return false;
    }
}

void LineReadAhead::Work() {
    Batch batch;
    bool end = false;
    while (!end && !pipe_.Cancelled()) {
        batch.bytes.clear();
        batch.lines.clear();
        batch.error = nullptr;
        std::string_view line;
        while (batch.lines.size() < kBatchLines && batch.bytes.size() < kBatchBytes) {
            if (!ReadLineOrError(source_, line, batch.error)) {
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
