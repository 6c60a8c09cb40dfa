#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
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

// The hook runs once the thread has run tasks and none is due, not before
// any task, and not while a burst of tasks is still queued.
TEST(TaskThreadTest, IdleHookRunsOnceTheQueueIsDrained) {
  std::mutex mutex;
  std::vector<int> order;
  std::promise<void> idle;
  bool first_idle = true;
  cefsim::TaskThread thread("test", [&] {
    std::lock_guard<std::mutex> lock(mutex);
    order.push_back(-1);
    if (first_idle) {
      first_idle = false;
      idle.set_value();
    }
  });
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  thread.Start();
  // The first task holds the thread until the rest are queued.
  thread.Post([released] { released.wait(); });
  for (int i = 0; i < 20; ++i) {
    thread.Post([&, i] {
      std::lock_guard<std::mutex> lock(mutex);
      order.push_back(i);
    });
  }
  release.set_value();
  idle.get_future().wait();
  thread.Stop();
  ASSERT_EQ(order.size(), 21u);
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(order[i], i);
  EXPECT_EQ(order[20], -1);
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
