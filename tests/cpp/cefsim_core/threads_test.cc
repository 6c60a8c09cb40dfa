#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "include/cef_task.h"
#include "cefsim/src/threads/named_threads.h"
#include "cefsim/src/threads/task_thread.h"

namespace {

TEST(TaskThreadTest, RunsTasksInPostingOrderAndDelayedOnesLater) {
  cefsim::TaskThread thread("test");
  thread.Start();
  std::mutex mutex;
  std::vector<int> order;
  std::promise<void> done;
  auto record = [&](int value) {
    std::lock_guard<std::mutex> lock(mutex);
    order.push_back(value);
  };
  thread.Post([&] { record(100); }, 30);
  for (int i = 0; i < 50; ++i)
    thread.Post([&, i] { record(i); });
  thread.Post([&] { done.set_value(); }, 60);
  done.get_future().wait();
  thread.Stop();
  ASSERT_EQ(order.size(), 51u);
  for (int i = 0; i < 50; ++i)
    EXPECT_EQ(order[i], i);
  EXPECT_EQ(order[50], 100);
}

TEST(TaskThreadTest, StopDropsQueuedTasksAndRefusesNewOnes) {
  cefsim::TaskThread thread("test");
  thread.Start();
  auto held = std::make_shared<int>(1);
  thread.Post([held] {}, 60000);
  thread.Stop();
  EXPECT_EQ(held.use_count(), 1);  // The dropped task released its capture.
  EXPECT_FALSE(thread.Post([] {}));
}

// A thread asleep until a far delayed task is due wakes for a task due
// sooner, from this thread or several at once, and runs each once.
TEST(TaskThreadTest, TasksPostedWhileItSleepsForALaterOneRunPromptly) {
  cefsim::TaskThread thread("test");
  thread.Start();
  std::atomic<bool> far_ran{false};
  thread.Post([&] { far_ran = true; }, 60000);
  for (int round = 0; round < 3; ++round) {
    std::atomic<int> runs{0};
    std::promise<void> all_ran;
    const int kPosters = 4, kEach = 50;
    auto post = [&] {
      for (int i = 0; i < kEach; ++i) {
        thread.Post([&] {
          if (++runs == kPosters * kEach)
            all_ran.set_value();
        });
      }
    };
    std::vector<std::thread> posters;
    for (int i = 0; i < kPosters; ++i)
      posters.emplace_back(post);
    for (std::thread& poster : posters)
      poster.join();
    ASSERT_EQ(all_ran.get_future().wait_for(std::chrono::seconds(30)),
              std::future_status::ready);
    EXPECT_EQ(runs.load(), kPosters * kEach);
  }
  EXPECT_FALSE(far_ran.load());
  thread.Stop();
}

class CountingTask : public CefTask {
 public:
  CountingTask(std::atomic<int>* runs, std::promise<bool>* on_ui)
      : runs_(runs), on_ui_(on_ui) {}
  void Execute() override {
    if (++*runs_ == 1)
      on_ui_->set_value(CefCurrentlyOn(TID_UI));
  }

 private:
  std::atomic<int>* runs_;
  std::promise<bool>* on_ui_;
  IMPLEMENT_REFCOUNTING(CountingTask);
};

// The IO thread's reading of descriptors: a handler runs on the thread for
// each readiness, also while the queue never empties (a task that posts
// itself again), stops at StopWatching even from inside itself, and is let
// go when the thread stops.
TEST(TaskThreadTest, ADescriptorWatcherReadsBetweenTasksUntilItStops) {
  cefsim::TaskThread thread("test", /*watches_descriptors=*/true);
  thread.Start();
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  std::atomic<bool> busy{true};
  std::function<void()> spin = [&] {
    if (busy)
      thread.Post(spin);
  };
  thread.Post(spin);
  std::promise<std::string> read_back;
  std::atomic<int> handler_runs{0};
  auto held = std::make_shared<int>(1);
  thread.Post([&, held] {
    EXPECT_FALSE(thread.WatchReadable(-1, [] {}));
    EXPECT_TRUE(thread.WatchReadable(fds[0], [&, held] {
      EXPECT_TRUE(thread.BelongsToCurrentThread());
      char bytes[8];
      ssize_t got = read(fds[0], bytes, sizeof(bytes));
      if (++handler_runs == 1)
        read_back.set_value(std::string(bytes, got > 0 ? got : 0));
      thread.StopWatching(fds[0]);
    }));
  });
  ASSERT_EQ(write(fds[1], "ab", 2), 2);
  EXPECT_EQ(read_back.get_future().get(), "ab");
  ASSERT_EQ(write(fds[1], "c", 1), 1);  // Nobody watches any more.
  std::promise<void> later;
  thread.Post([&] { later.set_value(); }, 20);
  later.get_future().wait();
  busy = false;
  EXPECT_EQ(handler_runs.load(), 1);
  EXPECT_EQ(held.use_count(), 1);  // StopWatching released the handler.

  std::promise<void> watching;
  thread.Post([&, held] {
    EXPECT_TRUE(thread.WatchReadable(fds[0], [held] {}));
    watching.set_value();
  });
  watching.get_future().wait();
  thread.Stop();
  EXPECT_EQ(held.use_count(), 1);  // Stop released the watcher.
  close(fds[0]);
  close(fds[1]);
}

TEST(NamedThreadsTest, PostTaskRunsOnTheNamedThreadOnlyWhileItRuns) {
  std::atomic<int> runs{0};
  std::promise<bool> on_ui;
  CefRefPtr<CefTask> task = new CountingTask(&runs, &on_ui);
  EXPECT_FALSE(CefPostTask(TID_UI, task));
  cefsim::StartNamedThread(TID_UI);
  EXPECT_FALSE(CefCurrentlyOn(TID_UI));
  EXPECT_TRUE(CefPostTask(TID_UI, task));
  EXPECT_TRUE(on_ui.get_future().get());
  cefsim::StopNamedThread(TID_UI);
  EXPECT_FALSE(CefPostTask(TID_UI, task));
  EXPECT_TRUE(task->HasOneRef());
  EXPECT_EQ(runs, 1);
}

}  // namespace
