// One Quillon per list folder: the lock, the local socket and the hand-over to a new start.
#include "app/ui/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <future>

namespace quillon::test {
namespace {

using TStart = TSingleInstance::TStart;

// A later start runs in a thread of its own, as another process would, while this thread
// keeps the first instance's event loop turning so that it can answer.
TStart StartElsewhere(const std::string& folder, const QString& runtime, int waitMs = 3000) {
  auto later = std::async(std::launch::async, [&] {
    TSingleInstance instance(folder, runtime);
    return instance.Start(waitMs);
  });
  while (later.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
    QCoreApplication::processEvents();
  return later.get();
}

class SingleInstanceTest : public ::testing::Test {
protected:
  QTemporaryDir runtime;
};

TEST_F(SingleInstanceTest, ALaterStartOnTheSameListsRaisesTheFirst) {
  TSingleInstance first("/lists/a/", runtime.path());
  int raised = 0;
  QObject::connect(&first, &TSingleInstance::Raise, [&raised] { ++raised; });
  ASSERT_EQ(TStart::First, first.Start());
  EXPECT_TRUE(QFile::exists(first.LockPath()));

  EXPECT_EQ(TStart::Forwarded, StartElsewhere("/lists/a/", runtime.path()));
  EXPECT_EQ(1, raised);
  EXPECT_EQ(TStart::Forwarded, StartElsewhere("/lists/a/", runtime.path()));
  EXPECT_EQ(2, raised);
  // Other lists are another Quillon's business.
  EXPECT_EQ(TStart::First, StartElsewhere("/lists/b/", runtime.path()));
  EXPECT_EQ(2, raised);
}

TEST_F(SingleInstanceTest, AReleasedInstanceLetsTheNextStartBeFirst) {
  TSingleInstance first("/lists/a/", runtime.path());
  ASSERT_EQ(TStart::First, first.Start());
  first.Release();
  EXPECT_FALSE(QFile::exists(first.LockPath()));
  EXPECT_EQ(TStart::First, StartElsewhere("/lists/a/", runtime.path()));
}

TEST_F(SingleInstanceTest, AHolderThatDoesNotAnswerIsWaitedForThenLeftAlone) {
  // A lock held (by this process, which is alive) with nobody listening: a Quillon that is
  // still starting, or hung. The later start waits, then runs on its own.
  TSingleInstance first("/lists/a/", runtime.path());
  ASSERT_EQ(TStart::First, first.Start());
  QFile::remove(first.ServerPath());
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(TStart::Alone, StartElsewhere("/lists/a/", runtime.path(), 300));
  EXPECT_GE(timer.elapsed(), 250);
  EXPECT_LT(timer.elapsed(), 3000);
}

TEST_F(SingleInstanceTest, ALeftOverSocketFileIsNoObstacle) {
  // A crashed Quillon leaves its socket file; the lock it held is stale.
  TSingleInstance probe("/lists/a/", runtime.path());
  QFile leftOver(probe.ServerPath());
  ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
  leftOver.close();
  TSingleInstance first("/lists/a/", runtime.path());
  EXPECT_EQ(TStart::First, first.Start());
  EXPECT_EQ(TStart::Forwarded, StartElsewhere("/lists/a/", runtime.path()));
}

TEST_F(SingleInstanceTest, NoRuntimeFolderMeansRunningAlone) {
  TSingleInstance instance("/lists/a/", runtime.filePath(QStringLiteral("missing")));
  EXPECT_EQ(TStart::Alone, instance.Start(200));
}

} // namespace
} // namespace quillon::test
