#include "exchange/write_behind.h"

#include "core/frontend.h"
#include "exchange/exchange.h"
#include "exchange/route_index.h"
#include "zav/zav.h"

namespace zav {

namespace {

// A batch is handed to the worker at this many items or bytes; at most this many are on their way.
constexpr std::size_t kBatchItems = 512;
constexpr std::size_t kBatchBytes = 64 * 1024;
constexpr std::size_t kMaxInFlight = 4;

// Set on the worker's thread: the frontend tells its log lines from the converter's by it.
thread_local bool onWorker = false;

}  // namespace

// The frontend while the worker runs: log lines go through the queue (the worker's straight to the lines
// it has reached); a question or message first lets the log catch up, so it follows what it refers to.
class WriteBehind::OrderedLog final : public Frontend {
  public:
    OrderedLog(WriteBehind& owner, Frontend& inner) : owner_(owner), inner_(inner) {}

    void AddLog(const std::string& line) override {
        if (onWorker)
            owner_.WorkerLog(line);
        else
            owner_.Log(line);
    }
    void SetProgressButton(long max, long current) override { inner_.SetProgressButton(max, current); }
    bool AskYesNo(const std::string& title, const std::string& text, bool questionIcon) override {
        owner_.Sync();
        return inner_.AskYesNo(title, text, questionIcon);
    }
    void ShowMessage(const std::string& text, const std::string& title) override {
        owner_.Sync();
        inner_.ShowMessage(text, title);
    }
    int AbortRetryIgnore(const std::string& title, const std::string& text) override {
        owner_.Sync();
        return inner_.AbortRetryIgnore(title, text);
    }
    std::string PromptVariables(const std::vector<PromptField>& fields,
                                std::vector<std::pair<std::string, std::string>>& answers) override {
        owner_.Sync();
        return inner_.PromptVariables(fields, answers);
    }
    std::string PromptUnit(const std::vector<std::string>& units) override {
        owner_.Sync();
        return inner_.PromptUnit(units);
    }

    Frontend& Inner() { return inner_; }

  private:
    WriteBehind& owner_;
    Frontend& inner_;
};

WriteBehind::WriteBehind(clsExchange& ex) : ex_(ex), pipe_(kMaxInFlight) {
    if (!ex_.indexBuilder_) ex_.indexBuilder_ = std::make_unique<RouteIndexBuilder>();
    // The index tokens are read here, before the worker shares the advanced options with this thread.
    advanced_ = &ex_.Advanced();
    ex_.indexBuilder_->Activate(*advanced_);
    log_ = std::make_unique<OrderedLog>(*this, CurrentFrontend());
    scope_ = std::make_unique<ScopedFrontend>(*log_);
    worker_ = std::thread([this] { Work(); });
    ex_.writeBehind_ = this;
}

WriteBehind::~WriteBehind() {
    try {
        Finish();
    } catch (...) {
        // Another error is on its way out; the worker's is dropped.
    }
}

WriteBehind::Item& WriteBehind::Add(Item::Kind kind, std::initializer_list<std::string_view> texts) {
    Item& item = filling_.items.emplace_back();
    item.kind = kind;
    item.line = ex_.State.InputLines;
    item.offset = filling_.bytes.size();
    std::size_t i = 0;
    for (const std::string_view text : texts) {
        item.lengths[i++] = static_cast<std::uint32_t>(text.size());
        filling_.bytes.append(text);
    }
    return item;
}

void WriteBehind::Record(std::string_view bytes) {
    Add(Item::kRecord, {bytes});
    // What follows a step the worker failed is not done: the conversion stops here.
    if (HandOverIfFull()) Finish();
}

void WriteBehind::Meter(std::string_view bytes, const MeterIndexSpans& spans, const MeterRecordBuilder& layout,
                        std::int16_t routeOrdinal, std::int16_t position, std::optional<std::string_view> tag) {
    Item& item = Add(Item::kMeter, {bytes, tag.value_or(std::string_view())});
    item.tagGiven = tag.has_value();
    item.layout = &layout;
    item.spans = spans;
    item.ordinal = routeOrdinal;
    item.position = position;
    if (HandOverIfFull()) Finish();
}

void WriteBehind::Index(std::int16_t routeOrdinal, std::int16_t position, std::string_view tag,
                        std::string_view serial, std::string_view billingName, std::string_view address,
                        std::string_view account) {
    Item& item = Add(Item::kIndex, {tag, serial, billingName, address, account});
    item.ordinal = routeOrdinal;
    item.position = position;
    if (HandOverIfFull()) Finish();
}

void WriteBehind::Log(std::string_view line) {
    Add(Item::kLog, {line});
    HandOverIfFull();
}

bool WriteBehind::HandOverIfFull() {
    return (filling_.items.size() >= kBatchItems || filling_.bytes.size() >= kBatchBytes) && HandOver();
}

bool WriteBehind::HandOver() {
    if (!filling_.items.empty()) {
        filling_ = pipe_.Put(std::move(filling_));
        filling_.items.clear();
        filling_.bytes.clear();
    }
    WriteReadyLog();
    std::lock_guard lock(mutex_);
    return failed_;
}

void WriteBehind::WriteReadyLog() {
    std::vector<std::string> lines;
    {
        std::lock_guard lock(mutex_);
        lines.swap(ready_);
    }
    for (const std::string& line : lines) log_->Inner().AddLog(line);
}

void WriteBehind::Sync() {
    if (finished_) return;
    HandOver();
    pipe_.WaitEmpty();
    WriteReadyLog();
}

void WriteBehind::Finish() {
    if (finished_) return;
    finished_ = true;
    if (!filling_.items.empty()) pipe_.Put(std::move(filling_));
    pipe_.Close();
    worker_.join();
    ex_.writeBehind_ = nullptr;
    scope_.reset();  // the frontend as it was
    WriteReadyLog();
    if (leftOut_ > 0) ex_.State.Warnings = true;
    if (error_) {
        ex_.State.InputLines = errorLine_;
        std::rethrow_exception(error_);
    }
}

void WriteBehind::Work() {
    onWorker = true;
    Batch batch;
    while (pipe_.Take(batch)) {
        bool failed;
        {
            std::lock_guard lock(mutex_);
            failed = failed_;
        }
        if (!failed) Process(batch);  // after a failed step, the rest is only taken off the pipe
        pipe_.GiveBack(std::move(batch));
    }
}

void WriteBehind::Process(const Batch& batch) {
    clsZAV* database = ex_.RouteZAV.get();
    for (const Item& item : batch.items) {
        const char* at = batch.bytes.data() + item.offset;
        try {
            switch (item.kind) {
                case Item::kRecord:
                    database->DB().WriteRaw(std::string_view(at, item.lengths[0]));
                    break;
                case Item::kMeter: {
                    const std::string_view record(at, item.lengths[0]);
                    database->DB().WriteRaw(record);
                    std::optional<std::string_view> tag;
                    if (item.tagGiven) tag = std::string_view(at + item.lengths[0], item.lengths[1]);
                    IndexStep(item.ordinal, item.position, item.layout->IndexTexts(record, item.spans, tag, tagText_));
                    break;
                }
                case Item::kIndex: {
                    std::string_view texts[5];
                    for (int i = 0; i < 5; ++i) {
                        texts[i] = std::string_view(at, item.lengths[i]);
                        at += item.lengths[i];
                    }
                    IndexStep(item.ordinal, item.position, {texts[0], texts[1], texts[2], texts[3], texts[4]});
                    break;
                }
                case Item::kLog:
                    WorkerLog(std::string(at, item.lengths[0]));
                    break;
            }
        } catch (...) {
            std::lock_guard lock(mutex_);
            error_ = std::current_exception();
            errorLine_ = item.line;
            failed_ = true;
            return;
        }
    }
}

void WriteBehind::IndexStep(std::int16_t routeOrdinal, std::int16_t position, const MeterIndexTexts& texts) {
    leftOut_ += ex_.indexBuilder_->Step(ex_.RouteZAV.get(), ex_.CreateIndexes, *advanced_, routeOrdinal, position,
                                        texts.tag, texts.serial, texts.billingName, texts.address, texts.account);
}

void WriteBehind::WorkerLog(const std::string& line) {
    std::lock_guard lock(mutex_);
    ready_.push_back(line);
}

}  // namespace zav
