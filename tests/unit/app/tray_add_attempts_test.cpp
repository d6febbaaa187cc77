#include "app/tray_add_attempts.h"

#include <gtest/gtest.h>

#include <vector>

namespace pathorama::app {
namespace {

TEST(TrayAddAttempts, ARefusedIconIsTriedAgainSpacedAndBounded) {
  TrayAddAttempts attempts;
  EXPECT_FALSE(attempts.RetryDue(0));  // nothing wanted yet
  attempts.Start();
  EXPECT_FALSE(attempts.RetryDue(5000));  // the first attempt is the owner's, not a retry
  attempts.Record(false, 10000);
  EXPECT_FALSE(attempts.RetryDue(10000 + TrayAddAttempts::kMinSpacingMs - 1));  // too soon
  EXPECT_TRUE(attempts.RetryDue(10000 + TrayAddAttempts::kMinSpacingMs));
  EXPECT_FALSE(attempts.GaveUp());

  uint64_t now = 10000;
  for (int made = 1; made < TrayAddAttempts::kMaxAttempts; ++made) {
    now += TrayAddAttempts::kMinSpacingMs;
    ASSERT_TRUE(attempts.RetryDue(now)) << made;
    attempts.Record(false, now);
  }
  EXPECT_EQ(attempts.Made(), TrayAddAttempts::kMaxAttempts);
  EXPECT_FALSE(attempts.RetryDue(now + 60000));
  EXPECT_TRUE(attempts.GaveUp());

  // A new taskbar brings a fresh budget.
  attempts.Start();
  EXPECT_FALSE(attempts.GaveUp());
  attempts.Record(false, now + 1);
  EXPECT_TRUE(attempts.RetryDue(now + 1 + TrayAddAttempts::kMinSpacingMs));
}

TEST(TrayAddAttempts, NothingIsDueOnceAddedOrRemoved) {
  struct Case {
    const char* name;
    std::vector<bool> outcomes;
    bool removed;
    bool added, retryDue;
  } cases[] = {
      {"added at once", {true}, false, true, false},
      {"added at the third attempt", {false, false, true}, false, true, false},
      {"refused, then removed", {false}, true, false, false},
      {"added, then removed", {true}, true, false, false},
      {"refused twice", {false, false}, false, false, true},
  };
  for (const Case& c : cases) {
    TrayAddAttempts attempts;
    attempts.Start();
    uint64_t now = 0;
    for (bool added : c.outcomes) attempts.Record(added, now += TrayAddAttempts::kMinSpacingMs);
    if (c.removed) attempts.Stop();
    EXPECT_EQ(attempts.Added(), c.added) << c.name;
    EXPECT_EQ(attempts.RetryDue(now + 60000), c.retryDue) << c.name;
    EXPECT_FALSE(attempts.GaveUp()) << c.name;
  }
}

}  // namespace
}  // namespace pathorama::app
