#include "framework/classes/List.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

namespace {

// Entries of the lists under test point into this array; a list shows as the numbers.
std::array<int, 64> Numbers = [] {
  std::array<int, 64> n{};
  std::iota(n.begin(), n.end(), 0);
  return n;
}();

void* P(int n) { return &Numbers.at(static_cast<std::size_t>(n)); }

std::vector<int> Contents(const TList& list) {
  std::vector<int> out;
  for (Integer i = 0; i < list.Count(); ++i) {
    const void* item = list.Items(i);
    out.push_back(item == nullptr ? -1 : *static_cast<const int*>(item));
  }
  return out;
}

TList& Fill(TList& list, std::initializer_list<int> numbers) {
  for (int n : numbers) list.Add(n < 0 ? nullptr : P(n));
  return list;
}

// Expects EListError with exactly this message.
template <typename F> void ExpectListError(F action, const String& message) {
  try {
    action();
    ADD_FAILURE() << "no EListError, expected \"" << message << "\"";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

int CompareNumbers(void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); }

// Records every notification a list sends.
class TRecordingList : public TList {
public:
  std::vector<std::pair<int, TListNotification>> Log;
  ~TRecordingList() override { Clear(); }

protected:
  void Notify(void* item, TListNotification action) override {
    Log.emplace_back(*static_cast<int*>(item), action);
  }
};

} // namespace

TEST(TList, AddInsertDeleteKeepTheOrder) {
  TList list;
  EXPECT_EQ(list.Add(P(1)), 0);
  EXPECT_EQ(list.Add(P(3)), 1);
  list.Insert(1, P(2));
  list.Insert(0, P(0));
  list.Insert(4, P(4));
  EXPECT_EQ(Contents(list), (std::vector<int>{0, 1, 2, 3, 4}));
  list.Delete(0);
  list.Delete(3);
  list.Delete(1);
  EXPECT_EQ(Contents(list), (std::vector<int>{1, 3}));
  EXPECT_EQ(list.First(), P(1));
  EXPECT_EQ(list.Last(), P(3));
}

TEST(TList, IndexErrorsCarryTheIndexAndChangeNothing) {
  TList list;
  ExpectListError([&] { list.First(); }, "List index out of bounds (0)");
  ExpectListError([&] { list.Last(); }, "List index out of bounds (-1)");
  Fill(list, {1, 2, 3});
  ExpectListError([&] { list.Items(3); }, "List index out of bounds (3)");
  ExpectListError([&] { list.SetItems(-1, P(9)); }, "List index out of bounds (-1)");
  ExpectListError([&] { list.Insert(4, P(9)); }, "List index out of bounds (4)");
  ExpectListError([&] { list.Insert(-2, P(9)); }, "List index out of bounds (-2)");
  ExpectListError([&] { list.Delete(3); }, "List index out of bounds (3)");
  ExpectListError([&] { list.Exchange(0, 7); }, "List index out of bounds (7)");
  ExpectListError([&] { list.Move(5, 0); }, "List index out of bounds (5)");
  ExpectListError([&] { list.Move(0, 3); }, "List index out of bounds (3)");
  EXPECT_EQ(Contents(list), (std::vector<int>{1, 2, 3}));
}

TEST(TList, CapacityGrowsByTheFrameworkRule) {
  TList list;
  std::vector<Integer> capacities;
  for (int i = 0; i < 120; ++i) {
    list.Add(P(i % 64));
    if (capacities.empty() || capacities.back() != list.Capacity())
      capacities.push_back(list.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<Integer>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
  EXPECT_EQ(GrownCapacity(0), 4);
  EXPECT_EQ(GrownCapacity(9), 25);
  EXPECT_EQ(GrownCapacity(65), 81);
}

TEST(TList, ExpandGrowsOnlyAFullList) {
  TList list;
  EXPECT_EQ(list.Expand(), &list);
  EXPECT_EQ(list.Capacity(), 4);
  list.Add(P(0));
  list.Expand();
  EXPECT_EQ(list.Capacity(), 4);
}

TEST(TList, CapacityAndCountStayWithinBounds) {
  TList list;
  Fill(list, {1, 2, 3});
  ExpectListError([&] { list.SetCapacity(2); }, "List capacity out of bounds (2)");
  ExpectListError([&] { list.SetCapacity(MaxListSize + 1); },
                  "List capacity out of bounds (134217728)");
  ExpectListError([&] { list.SetCount(-1); }, "List count out of bounds (-1)");
  ExpectListError([&] { list.SetCount(MaxListSize + 1); }, "List count out of bounds (134217728)");
  EXPECT_EQ(Contents(list), (std::vector<int>{1, 2, 3}));
  list.SetCapacity(3);
  EXPECT_EQ(list.Capacity(), 3);
  list.SetCapacity(40);
  EXPECT_EQ(list.Capacity(), 40);
}

TEST(TList, SetCountAppendsNullOrDeletes) {
  TList list;
  Fill(list, {1, 2});
  list.SetCount(5);
  EXPECT_EQ(Contents(list), (std::vector<int>{1, 2, -1, -1, -1}));
  EXPECT_GE(list.Capacity(), 5);
  list.SetCount(1);
  EXPECT_EQ(Contents(list), (std::vector<int>{1}));
  list.SetCount(3); // slots freed by the shrink come back empty
  EXPECT_EQ(Contents(list), (std::vector<int>{1, -1, -1}));
}

TEST(TList, RemoveExtractAndPack) {
  TList list;
  Fill(list, {5, -1, 6, 5, -1, 7});
  EXPECT_EQ(list.IndexOf(P(5)), 0);
  EXPECT_EQ(list.IndexOf(P(9)), -1);
  EXPECT_EQ(list.Remove(P(5)), 0);
  EXPECT_EQ(list.Remove(P(9)), -1);
  EXPECT_EQ(list.Extract(P(6)), P(6));
  EXPECT_EQ(list.Extract(P(9)), nullptr);
  EXPECT_EQ(Contents(list), (std::vector<int>{-1, 5, -1, 7}));
  list.Pack();
  EXPECT_EQ(Contents(list), (std::vector<int>{5, 7}));
}

TEST(TList, ExchangeAndMoveInBothDirections) {
  TList list;
  Fill(list, {0, 1, 2, 3, 4});
  list.Exchange(0, 4);
  EXPECT_EQ(Contents(list), (std::vector<int>{4, 1, 2, 3, 0}));
  list.Move(1, 3);
  EXPECT_EQ(Contents(list), (std::vector<int>{4, 2, 3, 1, 0}));
  list.Move(4, 0);
  EXPECT_EQ(Contents(list), (std::vector<int>{0, 4, 2, 3, 1}));
  list.Move(2, 2);
  EXPECT_EQ(Contents(list), (std::vector<int>{0, 4, 2, 3, 1}));
}

TEST(TList, SortOrdersByTheComparison) {
  std::mt19937 random(7);
  for (int size : {0, 1, 2, 3, 17, 64}) {
    TList list;
    std::vector<int> expected;
    for (int i = 0; i < size; ++i) {
      const int n = static_cast<int>(random() % 20); // many equal entries
      list.Add(P(n));
      expected.push_back(n);
    }
    list.Sort(CompareNumbers);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Contents(list), expected) << size << " entries";
  }
}

TEST(TList, SortSurvivesAnInconsistentComparison) {
  TList list;
  for (int i = 0; i < 64; ++i) list.Add(P(i));
  static std::mt19937 random(3);
  list.Sort([](void*, void*) { return static_cast<int>(random() % 3) - 1; });
  std::vector<int> after = Contents(list);
  std::sort(after.begin(), after.end());
  std::vector<int> all(64);
  std::iota(all.begin(), all.end(), 0);
  EXPECT_EQ(after, all); // still every entry exactly once
}

TEST(TList, NotifiesAddedDeletedAndExtractedEntries) {
  TRecordingList list;
  list.Add(P(1));
  list.Add(nullptr);
  list.Insert(0, P(2));
  list.SetItems(0, P(3));
  list.Delete(2); // the nullptr entry: no notification
  list.Extract(P(1));
  list.Add(P(4));
  list.Clear();
  using E = std::pair<int, TListNotification>;
  EXPECT_EQ(list.Log, (std::vector<E>{{1, lnAdded},
                                      {2, lnAdded},
                                      {2, lnDeleted},
                                      {3, lnAdded},
                                      {1, lnExtracted},
                                      {4, lnAdded},
                                      {4, lnDeleted},
                                      {3, lnDeleted}}));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 0);
}
