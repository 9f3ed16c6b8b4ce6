// The batch pipe between two threads: order, reuse, the bound on batches in flight, and cancelling.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/batch_pipe.h"

namespace zav {
namespace {

TEST(BatchPipe, BatchesArriveInOrderAndAreReused) {
    BatchPipe<std::vector<int>> pipe(2);
    std::atomic<int> fresh{0};  // batches the producer got that were never filled before
    std::thread producer([&] {
        std::vector<int> batch;
        for (int b = 0; b < 100; ++b) {
            if (batch.capacity() == 0) ++fresh;
            batch.clear();
            for (int i = 0; i < 10; ++i) batch.push_back(b * 10 + i);
            batch = pipe.Put(std::move(batch));
        }
        pipe.Close();
    });
    std::vector<int> seen;
    std::vector<int> batch;
    while (pipe.Take(batch)) {
        seen.insert(seen.end(), batch.begin(), batch.end());
        pipe.GiveBack(std::move(batch));
    }
    producer.join();
    ASSERT_EQ(seen.size(), 1000u);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(seen[static_cast<std::size_t>(i)], i);
    EXPECT_LE(fresh.load(), 4) << "batches given back are filled again";
}

TEST(BatchPipe, AFullPipeHoldsTheProducerUntilABatchIsTaken) {
    BatchPipe<int> pipe(2);
    std::atomic<int> put{0};
    std::thread producer([&] {
        for (int i = 0; i < 3; ++i) {
            pipe.Put(int{i});
            ++put;
        }
    });
    while (put.load() < 2) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(put.load(), 2) << "the third batch waits";
    int batch = -1;
    ASSERT_TRUE(pipe.Take(batch));
    EXPECT_EQ(batch, 0);
    pipe.GiveBack(std::move(batch));
    producer.join();
    EXPECT_EQ(put.load(), 3);
}

TEST(BatchPipe, CancelFreesAWaitingProducerAndEndsTheConsumer) {
    BatchPipe<int> pipe(1);
    pipe.Put(1);
    std::thread producer([&] { pipe.Put(2); });  // waits: the pipe is full
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    pipe.Cancel();
    producer.join();
    int batch = 0;
    EXPECT_FALSE(pipe.Take(batch));
    pipe.WaitEmpty();  // returns at once
}

}  // namespace
}  // namespace zav
