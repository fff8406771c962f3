#include "framework/classes/List.h"
#include "framework/rtl/Exceptions.h"
#include "tests/classes/ListTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>

namespace {

// Entries point into this array, so a list shows as its numbers.
std::array<int, 64> Numbers = [] {
  std::array<int, 64> n{};
  std::iota(n.begin(), n.end(), 0);
  return n;
}();

void* P(int n) { return n < 0 ? nullptr : &Numbers.at(static_cast<std::size_t>(n)); }

// "1 2 -" for the entries 1, 2 and nullptr.
String Shown(const TList& list) {
  String out;
  for (Integer i = 0; i < list.Count(); ++i) {
    const void* item = list.Items(i);
    out += (i > 0 ? " " : "") + (item ? std::to_string(*static_cast<const int*>(item)) : "-");
  }
  return out;
}

void Fill(TList& list, std::initializer_list<int> numbers) {
  for (int n : numbers) list.Add(P(n));
}

int CompareNumbers(void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); }

// Logs notifications as "+n" (added), "-n" (deleted) and "^n" (extracted).
class TRecordingList : public TList {
public:
  String Log;
  ~TRecordingList() override { Clear(); }

protected:
  void Notify(void* item, TListNotification action) override {
    Log += String(action == lnAdded     ? "+"
                  : action == lnDeleted ? "-"
                                        : "^") +
           std::to_string(*static_cast<int*>(item));
  }
};

} // namespace

TEST(TList, EditingKeepsTheOrder) {
  TList list;
  EXPECT_EQ(list.Add(P(1)), 0);
  EXPECT_EQ(list.Add(P(3)), 1);
  list.Insert(1, P(2));
  list.Insert(0, P(0));
  list.Insert(4, P(4));
  EXPECT_EQ(Shown(list), "0 1 2 3 4");
  list.Delete(0);
  list.Delete(3);
  list.Exchange(0, 2);
  EXPECT_EQ(Shown(list), "3 2 1");
  list.Move(0, 2);
  EXPECT_EQ(Shown(list), "2 1 3");
  list.Move(2, 0);
  EXPECT_EQ(Shown(list), "3 2 1");
  EXPECT_EQ(list.First(), P(3));
  EXPECT_EQ(list.Last(), P(1));
}

TEST(TList, IndexErrorsCarryTheIndexAndChangeNothing) {
  TList list;
  ExpectListError([&] { list.First(); }, IndexError(0));
  ExpectListError([&] { list.Last(); }, IndexError(-1));
  Fill(list, {1, 2, 3});
  ExpectListError([&] { list.Items(3); }, IndexError(3));
  ExpectListError([&] { list.SetItems(-1, P(9)); }, IndexError(-1));
  ExpectListError([&] { list.Insert(4, P(9)); }, IndexError(4));
  ExpectListError([&] { list.Delete(3); }, IndexError(3));
  ExpectListError([&] { list.Exchange(0, 7); }, IndexError(7));
  ExpectListError([&] { list.Move(5, 0); }, IndexError(5));
  ExpectListError([&] { list.Move(0, 3); }, IndexError(3));
  EXPECT_EQ(Shown(list), "1 2 3");
}

TEST(TList, CapacityGrowsByTheFrameworkRule) {
  TList list;
  std::vector<Integer> capacities;
  for (int i = 0; i < 120; ++i) {
    list.Add(P(0));
    if (capacities.empty() || capacities.back() != list.Capacity())
      capacities.push_back(list.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<Integer>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
  TList other;
  EXPECT_EQ(other.Expand(), &other);
  other.Add(P(0));
  other.Expand(); // not full: stays
  EXPECT_EQ(other.Capacity(), 4);
}

TEST(TList, CapacityAndCountStayWithinBounds) {
  TList list;
  Fill(list, {1, 2, 3});
  ExpectListError([&] { list.SetCapacity(2); }, "List capacity out of bounds (2)");
  ExpectListError([&] { list.SetCapacity(MaxListSize + 1); },
                  "List capacity out of bounds (134217728)");
  ExpectListError([&] { list.SetCount(-1); }, "List count out of bounds (-1)");
  EXPECT_EQ(Shown(list), "1 2 3");
  list.SetCapacity(40);
  EXPECT_EQ(list.Capacity(), 40);
  list.SetCount(5);
  EXPECT_EQ(Shown(list), "1 2 3 - -");
  list.SetCount(1);
  list.SetCount(3); // slots freed by shrinking come back empty
  EXPECT_EQ(Shown(list), "1 - -");
}

TEST(TList, RemoveExtractAndPack) {
  TList list;
  Fill(list, {5, -1, 6, 5, -1, 7});
  EXPECT_EQ(list.IndexOf(P(5)), 0);
  EXPECT_EQ(list.Remove(P(5)), 0);
  EXPECT_EQ(list.Remove(P(9)), -1);
  EXPECT_EQ(list.Extract(P(6)), P(6));
  EXPECT_EQ(list.Extract(P(9)), nullptr);
  EXPECT_EQ(Shown(list), "- 5 - 7");
  list.Pack();
  EXPECT_EQ(Shown(list), "5 7");
}

TEST(TList, SortOrdersAndSurvivesAnInconsistentComparison) {
  std::mt19937 random(7);
  for (int size : {0, 1, 2, 3, 17, 64}) {
    TList list;
    std::vector<int> numbers;
    for (int i = 0; i < size; ++i) numbers.push_back(static_cast<int>(random() % 20));
    for (int n : numbers) list.Add(P(n));
    list.Sort(CompareNumbers);
    std::sort(numbers.begin(), numbers.end());
    TList expected;
    for (int n : numbers) expected.Add(P(n));
    EXPECT_EQ(Shown(list), Shown(expected));
  }
  TList list;
  for (int i = 0; i < 64; ++i) list.Add(P(i));
  static std::mt19937 coin(3);
  list.Sort([](void*, void*) { return static_cast<int>(coin() % 3) - 1; });
  list.Sort(CompareNumbers); // every entry is still there exactly once
  EXPECT_EQ(list.Count(), 64);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(list.Items(i), P(i));
}

TEST(TList, NotifiesAddedDeletedAndExtractedEntries) {
  TRecordingList list;
  list.Add(P(1));
  list.Add(nullptr);
  list.Insert(0, P(2));
  list.SetItems(0, P(3));
  list.Delete(2); // nullptr: nothing to tell
  list.Extract(P(1));
  list.Add(P(4));
  list.Clear();
  EXPECT_EQ(list.Log, "+1+2-2+3^1+4-4-3");
  EXPECT_EQ(list.Capacity(), 0);
}
