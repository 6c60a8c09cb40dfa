#include "cefsim/src/ipc/frame_outbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "cefsim/src/ipc/channel.h"

namespace {

using std::chrono::steady_clock;

class FrameOutboxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int a, b;
    ASSERT_TRUE(cefsim::Channel::CreatePair(&a, &b));
    sending_.reset(new cefsim::Channel(a));
    receiving_.reset(new cefsim::Channel(b));
  }

  std::unique_ptr<cefsim::Channel> sending_;
  std::unique_ptr<cefsim::Channel> receiving_;
};

// Small and large frames, many queued while a write is under way, from two
// threads: each thread's frames arrive whole and in its order, read ahead or
// not.
TEST_F(FrameOutboxTest, FramesArriveWholeAndInOrder) {
  const int kPerThread = 200;
  const std::string large(200 * 1024, 'L');
  auto payload = [&](int i) {
    return (i % 50 == 7 ? large : std::to_string(i)) + "#" +
           std::to_string(i);
  };
  // Read meanwhile: the socket holds less than all of it.
  std::future<void> reading = std::async(std::launch::async, [&] {
    int next[3] = {0, 0, 0};
    cefsim::Frame frame;
    for (int received = 0; received < 2 * kPerThread; ++received) {
      ASSERT_TRUE(receiving_->Receive(&frame));
      ASSERT_TRUE(frame.kind == 1u || frame.kind == 2u);
      EXPECT_EQ(frame.payload, payload(next[frame.kind]++));
    }
    EXPECT_EQ(next[1], kPerThread);
    EXPECT_EQ(next[2], kPerThread);
  });
  {
    cefsim::FrameOutbox outbox(sending_.get());
    auto send = [&](uint32_t kind) {
      for (int i = 0; i < kPerThread; ++i)
        EXPECT_TRUE(outbox.Send(kind, payload(i)));
    };
    std::thread other(send, 2u);
    send(1u);
    other.join();
    // Closing sends what is still queued.
  }
  ASSERT_EQ(reading.wait_for(std::chrono::seconds(30)),
            std::future_status::ready);
  reading.get();
}

// A lone frame is not held back for others that never come, time after
// time (the writer goes back to sleep between them).
TEST_F(FrameOutboxTest, ALoneFrameLeavesAtOnce) {
  cefsim::FrameOutbox outbox(sending_.get());
  cefsim::Frame frame;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(outbox.Send(3, "alone" + std::to_string(i)));
    std::future<bool> received = std::async(std::launch::async, [&] {
      return receiving_->Receive(&frame);
    });
    ASSERT_EQ(received.wait_for(std::chrono::seconds(10)),
              std::future_status::ready);
    ASSERT_TRUE(received.get());
    EXPECT_EQ(frame.payload, "alone" + std::to_string(i));
  }
}

// The browser's IO thread writes with SendAtOnce, as Chromium's channel
// does: megabytes for a peer that reads nothing yet never hold it up, and
// reach the peer whole and in order, among frames queued with Send.
TEST_F(FrameOutboxTest, SendAtOnceNeverWaitsOnAPeerThatDoesNotRead) {
  const int kFrames = 64;
  auto payload = [](int i) { return std::string(64 * 1024, 'a' + i % 26); };
  cefsim::FrameOutbox outbox(sending_.get());
  std::future<void> sending = std::async(std::launch::async, [&] {
    for (int i = 0; i < kFrames; ++i) {
      EXPECT_TRUE(i % 5 == 0 ? outbox.Send(i, payload(i))
                             : outbox.SendAtOnce(i, payload(i)));
    }
  });
  const bool returned = sending.wait_for(std::chrono::seconds(10)) ==
                        std::future_status::ready;
  cefsim::Frame frame;
  for (int i = 0; i < kFrames; ++i) {
    ASSERT_TRUE(receiving_->Receive(&frame));
    EXPECT_EQ(frame.kind, static_cast<uint32_t>(i));
    EXPECT_EQ(frame.payload, payload(i));
  }
  EXPECT_TRUE(returned);
}

TEST_F(FrameOutboxTest, RefusesFramesOnceClosedOrThePeerIsGone) {
  cefsim::FrameOutbox closed(sending_.get());
  closed.Close();
  EXPECT_FALSE(closed.Send(1, "late"));

  cefsim::FrameOutbox outbox(sending_.get());
  receiving_.reset();
  // The first failed batch marks the outbox failed; later sends say so.
  const auto deadline = steady_clock::now() + std::chrono::seconds(10);
  while (outbox.Send(1, "to nobody") && steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_FALSE(outbox.Send(1, "to nobody"));
}

}  // namespace
