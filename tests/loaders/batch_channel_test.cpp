// A push that fails for want of memory leaves the producer its batch whole,
// so the records read before the error still reach the run.
#include "loaders/batch_channel.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <utility>

namespace morvane::loaders {
namespace {

// A batch whose second move in a row fails as an allocation would: the
// channel must not move it twice, the first copy taking its contents.
struct FragileBatch {
  std::string records;
  static inline int moves_left = 1 << 30;
  FragileBatch() = default;
  explicit FragileBatch(std::string r) : records(std::move(r)) {}
  FragileBatch(FragileBatch&& other) : records() {
    if (moves_left-- <= 0) throw std::bad_alloc();
    records = std::move(other.records);
  }
  FragileBatch& operator=(FragileBatch&& other) noexcept {
    records = std::move(other.records);
    return *this;
  }
};

TEST(BatchChannelTest, APushThatFailsLosesNoRecords) {
  BatchChannel<FragileBatch> channel(2);
  FragileBatch batch("line 1|line 2");
  FragileBatch::moves_left = 1;
  bool pushed = false;
  try {
    pushed = channel.Push(std::move(batch));
  } catch (const std::bad_alloc&) {
  }
  FragileBatch::moves_left = 1 << 30;
  channel.Finish();
  FragileBatch taken;
  if (pushed) {
    channel.Done(channel.TakeWork());
    ASSERT_TRUE(channel.Pop(taken));
  }
  // Either the channel holds the records or the producer still does.
  EXPECT_EQ(taken.records + batch.records, "line 1|line 2");
}

}  // namespace
}  // namespace morvane::loaders
