// A pipe of batches from one thread to another, in order: the producer fills a batch and puts it in,
// the consumer takes it, works through it and gives it back for reuse (so a batch's buffers are
// allocated once). At most `maxInFlight` batches are on their way: a producer ahead of its consumer
// waits, which bounds the memory they hold.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <utility>
#include <vector>

namespace zav {

template <typename Batch>
class BatchPipe {
  public:
    explicit BatchPipe(std::size_t maxInFlight) : maxInFlight_(maxInFlight) {}

    // Producer: puts `batch` in (waiting while the pipe is full) and returns an empty batch to fill: one
    // given back, or a new one. After Cancel, the batch is dropped.
    Batch Put(Batch&& batch) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return inFlight_ < maxInFlight_ || cancelled_; });
        if (!cancelled_) {
            full_.push_back(std::move(batch));
            ++inFlight_;
            changed_.notify_all();
        }
        return Spare();
    }
    // Producer: no more batches; the consumer takes what is in the pipe, then Take returns false.
    void Close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        changed_.notify_all();
    }
    // Consumer: the next batch, waiting for it; false once the pipe is closed and empty, or cancelled.
    bool Take(Batch& batch) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !full_.empty() || closed_ || cancelled_; });
        if (full_.empty() || cancelled_) return false;
        batch = std::move(full_.front());
        full_.pop_front();
        return true;
    }
    // Consumer: a batch it has worked through, for reuse.
    void GiveBack(Batch&& batch) {
        std::lock_guard lock(mutex_);
        spare_.push_back(std::move(batch));
        --inFlight_;
        changed_.notify_all();
    }
    // Waits until every batch put in was given back.
    void WaitEmpty() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return inFlight_ == 0 || cancelled_; });
    }
    // Either side stops: Put and WaitEmpty no longer wait, Take returns false.
    void Cancel() {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        changed_.notify_all();
    }
    bool Cancelled() {
        std::lock_guard lock(mutex_);
        return cancelled_;
    }

  private:
    // REQUIRES: mutex_ held.
    Batch Spare() {
        if (spare_.empty()) return Batch();
        Batch batch = std::move(spare_.back());
        spare_.pop_back();
        return batch;
    }

    const std::size_t maxInFlight_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> full_;
    std::vector<Batch> spare_;
    std::size_t inFlight_ = 0;
    bool closed_ = false;
    bool cancelled_ = false;
};

// The consumer's side of a pipe whose batches hold items (Batch::Count()) and may end with an error
// (Batch::error, an std::exception_ptr): hands out the items in order, gives each batch back once all
// its items are handed out, and throws a batch's error after its items.
template <typename Batch>
class BatchCursor {
  public:
    explicit BatchCursor(BatchPipe<Batch>& pipe) : pipe_(pipe) {}

    // The next item: its batch (valid until the next call) and its index there; false at the end.
    bool Next(Batch*& batch, std::size_t& index) {
        for (;;) {
            if (next_ < current_.Count()) {
                batch = &current_;
                index = next_++;
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
                current_ = Batch();
                return false;
            }
            holding_ = true;
            next_ = 0;
        }
    }

    // Hands out every item of the current batch left after the one Next gave last at once: the next
    // call of Next moves on to the next batch. (A reader that walks a batch's items itself.)
    void TakeRest() { next_ = current_.Count(); }

  private:
    BatchPipe<Batch>& pipe_;
    Batch current_;
    bool holding_ = false;  // current_ came from the pipe and goes back to it
    std::size_t next_ = 0;  // the next item of current_
};

}  // namespace zav
