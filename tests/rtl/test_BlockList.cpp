#include "framework/rtl/BlockList.h"
#include "framework/rtl/Types.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Small blocks, so that a few hundred entries already split, merge and empty blocks.
using TSmallList = TBlockList<int, 8>;

std::vector<int> Contents(const TSmallList& list) {
  std::vector<int> out;
  list.ForEach(0, list.Count(), [&](int v) { out.push_back(v); });
  return out;
}

TEST(BlockList, RandomInsertsAndDeletesMatchAVector) {
  std::mt19937 random(7);
  TSmallList list;
  std::vector<int> model;
  for (int step = 0; step < 5000; ++step) {
    const bool insert = model.empty() || random() % 3 != 0;
    if (insert) {
      const auto at = random() % (model.size() + 1);
      list.Insert(at, step);
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), step);
    } else {
      const auto at = random() % model.size();
      list.Delete(at);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    }
    ASSERT_EQ(list.Count(), model.size());
    if (step % 97 == 0) {
      ASSERT_EQ(Contents(list), model) << "after step " << step;
    }
  }
  ASSERT_EQ(Contents(list), model);
  for (std::size_t i = 0; i < model.size(); ++i) ASSERT_EQ(list[i], model[i]);
  while (!model.empty()) {
    list.Delete(0);
    model.erase(model.begin());
  }
  EXPECT_TRUE(list.Empty());
  list.Add(5);
  EXPECT_EQ(Contents(list), std::vector<int>{5}) << "usable again once emptied";
}

TEST(BlockList, InsertsAtBothEndsAndPartialRanges) {
  TSmallList list;
  for (int i = 0; i < 20; ++i) list.Insert(0, -i); // a full first block gets one before it
  for (int i = 1; i < 20; ++i) list.Add(i);
  std::vector<int> expected;
  for (int i = -19; i < 20; ++i) expected.push_back(i);
  EXPECT_EQ(Contents(list), expected);
  std::vector<int> middle;
  list.ForEach(5, 30, [&](int v) { middle.push_back(v); });
  EXPECT_EQ(middle, std::vector<int>(expected.begin() + 5, expected.begin() + 30));
  list.ForEach(12, 12, [&](int) { ADD_FAILURE() << "an empty range calls nothing"; });
}

TEST(BlockList, UpperBoundPutsEqualKeysAfterTheirEquals) {
  TSmallList list;
  const auto less = [](int key, int entry) { return key < entry; };
  EXPECT_EQ(list.UpperBound(3, less), 0u);
  std::mt19937 random(3);
  std::vector<int> model;
  for (int i = 0; i < 400; ++i) {
    const int v = static_cast<int>(random() % 50);
    const std::size_t at = list.UpperBound(v, less);
    ASSERT_EQ(at, static_cast<std::size_t>(std::upper_bound(model.begin(), model.end(), v) -
                                           model.begin()));
    list.Insert(at, v);
    model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), v);
  }
  EXPECT_EQ(Contents(list), model);
  EXPECT_EQ(list.UpperBound(-1, less), 0u);
  EXPECT_EQ(list.UpperBound(99, less), list.Count());
}

TEST(BlockList, OwningListFreesWhatItDeletes) {
  TOwningBlockList<String, 4> list;
  for (int i = 0; i < 30; ++i) list.Add(String(40, static_cast<char>('a' + i % 26)));
  list.Insert(3, "inserted");
  list.Delete(0);
  EXPECT_EQ(list[2], "inserted");
  EXPECT_EQ(list.Count(), 30u);
  TOwningBlockList<String, 4> moved = std::move(list);
  EXPECT_EQ(moved[2], "inserted");
  EXPECT_TRUE(list.Empty()); // NOLINT(bugprone-use-after-move): moving leaves it empty
  moved.Clear();
  EXPECT_TRUE(moved.Empty());
}

} // namespace
