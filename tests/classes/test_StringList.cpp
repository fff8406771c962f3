#include "framework/classes/StringList.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<String> Lines(const TStrings& list) {
  std::vector<String> out;
  for (Integer i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
  return out;
}

void AddAll(TStrings& list, std::initializer_list<const char*> texts) {
  for (const char* t : texts) list.Add(t);
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

// The smallest TStrings: only what the abstract class leaves open, over a vector.
class TVectorStrings : public TStrings {
public:
  std::vector<String> Items;
  void Clear() override { Items.clear(); }
  void Delete(Integer index) override {
    Check(index, Count() - 1);
    Items.erase(Items.begin() + index);
  }
  void Insert(Integer index, const String& s) override {
    Check(index, Count());
    Items.insert(Items.begin() + index, s);
  }

protected:
  String Get(Integer index) const override {
    Check(index, Count() - 1);
    return Items[static_cast<std::size_t>(index)];
  }
  Integer GetCount() const override { return static_cast<Integer>(Items.size()); }

private:
  void Check(Integer index, Integer last) const {
    if (index < 0 || index > last) Error(SListIndexError, index);
  }
};

// Records the notifications of a string list as "changing" / "changed".
struct NotificationLog {
  std::vector<String> Events;
  TObject* LastSender = nullptr;

  void Watch(TStringList& list) {
    list.SetOnChanging([this](TObject* sender) {
      Events.push_back("changing");
      LastSender = sender;
    });
    list.SetOnChange([this](TObject* sender) {
      Events.push_back("changed");
      LastSender = sender;
    });
  }
  // Number of changing/changed pairs, after checking that they alternate.
  int Pairs() const {
    for (std::size_t i = 0; i < Events.size(); ++i)
      EXPECT_EQ(Events[i], i % 2 == 0 ? "changing" : "changed") << "event " << i;
    EXPECT_EQ(Events.size() % 2, 0u);
    return static_cast<int>(Events.size() / 2);
  }
};

// A file name in the temporary folder, removed at the end of the test.
class TempFile {
public:
  explicit TempFile(const String& name)
      : path_(fs::temp_directory_path() / ("lum_" + std::to_string(getpid()) + "_" + name)) {}
  ~TempFile() { fs::remove(path_); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  String Name() const { return path_.string(); }
  String Bytes() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void Write(const String& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }

private:
  fs::path path_;
};

} // namespace

// ---- TStringList: contents and errors ----

TEST(TStringList, AddInsertDeleteAndIndexErrors) {
  TStringList list;
  EXPECT_EQ(list.Add("b"), 0);
  list.Insert(0, "a");
  list.Insert(2, "c");
  list.Append("d");
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "b", "c", "d"}));
  list.Delete(1);
  list.SetStrings(0, "A");
  EXPECT_EQ(Lines(list), (std::vector<String>{"A", "c", "d"}));
  ExpectListError([&] { list.Strings(3); }, "List index out of bounds (3)");
  ExpectListError([&] { list.Objects(-1); }, "List index out of bounds (-1)");
  ExpectListError([&] { list.SetStrings(3, "x"); }, "List index out of bounds (3)");
  ExpectListError([&] { list.SetObjects(4, nullptr); }, "List index out of bounds (4)");
  ExpectListError([&] { list.Insert(4, "x"); }, "List index out of bounds (4)");
  ExpectListError([&] { list.Delete(3); }, "List index out of bounds (3)");
  ExpectListError([&] { list.Exchange(0, 5); }, "List index out of bounds (5)");
  ExpectListError([&] { list.Exchange(-2, 0); }, "List index out of bounds (-2)");
  EXPECT_EQ(Lines(list), (std::vector<String>{"A", "c", "d"}));
}

TEST(TStringList, CapacityGrowsAsTListDoes) {
  TStringList strings;
  TList pointers;
  for (int i = 0; i < 200; ++i) {
    strings.Add("x");
    pointers.Add(nullptr);
    ASSERT_EQ(strings.Capacity(), pointers.Capacity()) << "after " << i + 1 << " lines";
  }
  ExpectListError([&] { strings.SetCapacity(199); }, "List capacity out of bounds (199)");
  strings.SetCapacity(500);
  EXPECT_EQ(strings.Capacity(), 500);
  EXPECT_EQ(strings.Count(), 200);
  strings.Clear();
  EXPECT_EQ(strings.Capacity(), 0);
}

TEST(TStringList, ObjectsStayWithTheirStringsAndAreNotFreed) {
  TObject one;
  TObject two;
  TObject three;
  {
    TStringList list;
    list.AddObject("one", &one);
    list.AddObject("two", &two);
    list.AddObject("three", &three);
    list.Exchange(0, 2);
    EXPECT_EQ(list.Strings(0), "three");
    EXPECT_EQ(list.Objects(0), &three);
    list.Move(0, 2);
    EXPECT_EQ(Lines(list), (std::vector<String>{"two", "one", "three"}));
    EXPECT_EQ(list.Objects(2), &three);
    list.Move(2, 0);
    EXPECT_EQ(list.Objects(0), &three);
    EXPECT_EQ(list.Objects(1), &two);
    list.Sort();
    EXPECT_EQ(Lines(list), (std::vector<String>{"one", "three", "two"}));
    EXPECT_EQ(list.Objects(0), &one);
    EXPECT_EQ(list.Objects(2), &two);
    EXPECT_EQ(list.IndexOfObject(&three), 1);
    list.SetStrings(1, "drei"); // replacing the text keeps the object
    EXPECT_EQ(list.Objects(1), &three);
    list.Delete(1);
    EXPECT_EQ(list.IndexOfObject(&three), -1);
  } // the list goes; the objects on the stack must be untouched (ASan watches)
}

TEST(TStringList, MoveChecksBothIndexesFirst) {
  TStringList list;
  AddAll(list, {"a", "b", "c"});
  ExpectListError([&] { list.Move(0, 3); }, "List index out of bounds (3)");
  ExpectListError([&] { list.Move(-1, 1); }, "List index out of bounds (-1)");
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "b", "c"}));
}

// ---- Sorting, duplicates, Find ----

TEST(TStringList, SortedAddOrdersIgnoringCase) {
  TStringList list;
  list.SetSorted(true);
  AddAll(list, {"b", "A", "c"});
  EXPECT_EQ(Lines(list), (std::vector<String>{"A", "b", "c"}));
  EXPECT_EQ(list.IndexOf("B"), 1);
  EXPECT_EQ(list.IndexOf("d"), -1);
}

TEST(TStringList, SortedListRefusesInsertPutAndMove) {
  TStringList list;
  list.SetSorted(true);
  AddAll(list, {"a", "b"});
  ExpectListError([&] { list.Insert(0, "c"); }, "Operation not allowed on sorted list");
  ExpectListError([&] { list.SetStrings(0, "c"); }, "Operation not allowed on sorted list");
  ExpectListError([&] { list.Move(0, 1); }, "Operation not allowed on sorted list");
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "b"}));
}

TEST(TStringList, DuplicatesIgnoreAcceptOrRaise) {
  TStringList list;
  list.SetSorted(true);
  AddAll(list, {"A", "b"});

  EXPECT_EQ(list.Add("a"), 0); // dupIgnore: the index of the existing line
  EXPECT_EQ(Lines(list), (std::vector<String>{"A", "b"}));

  list.SetDuplicates(dupError);
  ExpectListError([&] { list.Add("B"); }, "String list does not allow duplicates");
  EXPECT_EQ(Lines(list), (std::vector<String>{"A", "b"}));

  list.SetDuplicates(dupAccept);
  EXPECT_EQ(list.Add("a"), 0); // goes before the equal line
  EXPECT_EQ(list.Add("B"), 2);
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "A", "B", "b"}));
}

TEST(TStringList, FindGivesTheFirstEqualOrTheInsertionPoint) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  AddAll(list, {"m", "x", "X", "x", "a", "x", "c", "z"});
  Integer index = -1;
  EXPECT_TRUE(list.Find("X", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(list.Strings(2), "m");
  EXPECT_FALSE(list.Find("b", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("zz", index));
  EXPECT_EQ(index, list.Count());
  EXPECT_FALSE(list.Find("", index));
  EXPECT_EQ(index, 0);
}

TEST(TStringList, FindGivesTheFirstEqualAlsoWhenDuplicatesAreNoLongerAccepted) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  AddAll(list, {"x", "X", "x", "y"});
  list.SetDuplicates(dupIgnore);
  Integer index = -1;
  EXPECT_TRUE(list.Find("x", index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(list.IndexOf("X"), 0);
  EXPECT_EQ(list.Add("X"), 0);
  EXPECT_EQ(list.Count(), 4);
}

TEST(TStringList, SortedSwitchSortsOnlyWhenTurnedOn) {
  TStringList list;
  AddAll(list, {"d", "B", "a", "c"});
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "B", "c", "d"}));
  list.SetSorted(false);
  list.Add("0");
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "B", "c", "d", "0"}));
}

TEST(TStringList, CaseSensitiveComparesWithLetterCase) {
  TStringList list;
  AddAll(list, {"b", "B", "a", "A"});
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("a"), 2);
  EXPECT_EQ(list.IndexOf("A"), 3);
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (std::vector<String>{"A", "B", "a", "b"})); // "C" collation
  EXPECT_EQ(list.Add("a"), 2);                                       // dupIgnore: exact match
  EXPECT_EQ(list.Add("c"), 4);
  list.SetCaseSensitive(false); // sorted again, case-insensitively
  EXPECT_EQ(AnsiUpperCase(list.Strings(0)), "A");
  EXPECT_EQ(AnsiUpperCase(list.Strings(2)), "B");
  EXPECT_EQ(list.Strings(4), "c");
}

TEST(TStringList, CustomSortUsesTheGivenComparison) {
  TStringList list;
  AddAll(list, {"ccc", "a", "bbbb", "dd"});
  list.CustomSort([](TStringList* l, Integer i, Integer j) {
    return static_cast<int>(l->Strings(i).size()) - static_cast<int>(l->Strings(j).size());
  });
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "dd", "ccc", "bbbb"}));
}

TEST(TStringList, SortHandlesManyEqualAndLargeInputs) {
  TStringList list;
  std::vector<String> expected;
  for (int i = 0; i < 3000; ++i) {
    const String s = std::to_string((i * 7919) % 97);
    list.Add(s);
    expected.push_back(s);
  }
  list.Sort();
  std::stable_sort(expected.begin(), expected.end(),
                   [](const String& a, const String& b) { return AnsiCompareText(a, b) < 0; });
  EXPECT_EQ(Lines(list), expected);
}

// ---- Notifications ----

TEST(TStringList, EveryChangeNotifiesOnceWithTheListAsSender) {
  TStringList list;
  NotificationLog log;
  log.Watch(list);
  TObject object;
  list.Add("b");
  list.Insert(0, "a");
  list.SetStrings(0, "A");
  list.SetObjects(0, &object);
  list.Exchange(0, 1);
  list.Sort();
  list.Delete(0);
  list.Clear();
  EXPECT_EQ(log.Pairs(), 8);
  EXPECT_EQ(log.LastSender, &list);
  list.Clear(); // already empty: nothing happens
  list.Sort();  // nothing to sort
  EXPECT_EQ(log.Pairs(), 8);
}

TEST(TStringList, UpdateBracketsNotifyOnceAtTheirEnds) {
  TStringList list;
  NotificationLog log;
  log.Watch(list);
  list.BeginUpdate();
  EXPECT_EQ(log.Events, (std::vector<String>{"changing"}));
  list.Add("a");
  list.BeginUpdate();
  list.Add("b");
  list.EndUpdate();
  list.Delete(0);
  EXPECT_EQ(log.Events, (std::vector<String>{"changing"}));
  list.EndUpdate();
  EXPECT_EQ(log.Events, (std::vector<String>{"changing", "changed"}));
  list.EndUpdate(); // unbalanced: ignored, notifications go on
  list.Add("c");
  EXPECT_EQ(log.Pairs(), 2);
}

TEST(TStringList, BulkOperationsNotifyAsOneChange) {
  TStringList source;
  AddAll(source, {"x", "y", "z"});
  TStringList list;
  NotificationLog log;
  log.Watch(list);
  list.Assign(&source);
  EXPECT_EQ(log.Pairs(), 1);
  list.SetCommaText("a,b,c");
  list.SetText("1\r\n2\r\n");
  list.AddStrings(&source);
  list.Move(0, 2);
  EXPECT_EQ(log.Pairs(), 5);
}

TEST(TStringList, AFailedBulkOperationClosesItsBracket) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupError);
  NotificationLog log;
  log.Watch(list);
  EXPECT_THROW(list.SetCommaText("a,b,a"), EListError);
  EXPECT_EQ(log.Pairs(), 1);
  list.Add("c");
  EXPECT_EQ(log.Pairs(), 2);
}

// ---- Assign, AddStrings, Equals ----

TEST(TStringList, AssignCopiesTextsAndObjects) {
  TObject object;
  TStringList source;
  source.AddObject("b", &object);
  source.Add("a");
  TStringList target;
  AddAll(target, {"old"});
  target.Assign(&source);
  EXPECT_EQ(Lines(target), (std::vector<String>{"b", "a"}));
  EXPECT_EQ(target.Objects(0), &object);
  EXPECT_TRUE(target.Equals(&source));

  TStringList sorted;
  sorted.SetSorted(true);
  sorted.Assign(&source);
  EXPECT_EQ(Lines(sorted), (std::vector<String>{"a", "b"}));
  EXPECT_EQ(sorted.Objects(1), &object);

  target.Assign(&target);
  EXPECT_EQ(Lines(target), (std::vector<String>{"b", "a"}));
}

TEST(TStringList, AddStringsOfItselfDoublesTheList) {
  TStringList list;
  AddAll(list, {"a", "b"});
  list.AddStrings(&list);
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "b", "a", "b"}));
}

TEST(TStrings, EqualsComparesTextsWithLetterCase) {
  TStringList a;
  TVectorStrings b;
  AddAll(a, {"x", "y"});
  AddAll(b, {"x", "y"});
  EXPECT_TRUE(a.Equals(&b));
  EXPECT_TRUE(b.Equals(&a));
  b.SetStrings(1, "Y");
  EXPECT_FALSE(a.Equals(&b));
  b.Add("z");
  EXPECT_FALSE(a.Equals(&b));
}

// ---- TStrings built on the pure virtuals alone ----

TEST(TStrings, EverythingWorksOverTheAbstractOperations) {
  TVectorStrings list;
  EXPECT_EQ(list.Add("one"), 0);
  list.Append("two");
  EXPECT_EQ(list.AddObject("three", nullptr), 2);
  list.InsertObject(0, "zero", nullptr);
  EXPECT_EQ(list.Items, (std::vector<String>{"zero", "one", "two", "three"}));
  list.SetStrings(1, "ONE");
  list.Exchange(0, 3);
  EXPECT_EQ(list.Items, (std::vector<String>{"three", "ONE", "two", "zero"}));
  list.Move(3, 1);
  EXPECT_EQ(list.Items, (std::vector<String>{"three", "zero", "ONE", "two"}));
  list.Move(0, 3);
  EXPECT_EQ(list.Items, (std::vector<String>{"zero", "ONE", "two", "three"}));
  EXPECT_EQ(list.IndexOf("one"), 1);
  EXPECT_EQ(list.IndexOf("four"), -1);
  EXPECT_EQ(list.Capacity(), 4);
  EXPECT_EQ(list.Objects(0), nullptr);
  EXPECT_EQ(list.IndexOfObject(nullptr), 0);
  ExpectListError([&] { list.SetStrings(4, "x"); }, "List index out of bounds (4)");
  ExpectListError([&] { list.Move(1, 4); }, "List index out of bounds (4)");
  EXPECT_EQ(list.Items, (std::vector<String>{"zero", "ONE", "two", "three"}));
}

TEST(TStrings, AssignBetweenDifferentKindsOfLists) {
  TStringList source;
  AddAll(source, {"c", "a"});
  TVectorStrings vector;
  vector.Items = {"old"};
  vector.Assign(&source);
  EXPECT_EQ(vector.Items, (std::vector<String>{"c", "a"}));
  vector.Add("b");
  TStringList sorted;
  sorted.SetSorted(true);
  sorted.Assign(&vector);
  EXPECT_EQ(Lines(sorted), (std::vector<String>{"a", "b", "c"}));
}

TEST(TStrings, NamesAndValues) {
  TVectorStrings list;
  list.Items = {"Name=Value", "x=1=2", "novalue", "=empty", "name=second"};
  EXPECT_EQ(list.Names(0), "Name");
  EXPECT_EQ(list.Names(1), "x");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.Names(3), "");
  EXPECT_EQ(list.Values("NAME"), "Value"); // the first line of that name, case ignored
  EXPECT_EQ(list.Values("x"), "1=2");
  EXPECT_EQ(list.Values("novalue"), "");
  EXPECT_EQ(list.Values(""), "empty");
  EXPECT_EQ(list.IndexOfName("X"), 1);
  EXPECT_EQ(list.IndexOfName("novalue"), -1);

  list.SetValues("X", "3");
  list.SetValues("new", "v");
  list.SetValues("name", "");
  list.SetValues("missing", "");
  EXPECT_EQ(list.Items, (std::vector<String>{"X=3", "novalue", "=empty", "name=second", "new=v"}));
  ExpectListError([&] { list.Names(5); }, "List index out of bounds (5)");
}

TEST(TStringList, ValuesOnASortedList) {
  TStringList list;
  list.SetSorted(true);
  list.SetValues("b", "2");
  list.SetValues("a", "1");
  EXPECT_EQ(Lines(list), (std::vector<String>{"a=1", "b=2"}));
  ExpectListError([&] { list.SetValues("a", "9"); }, "Operation not allowed on sorted list");
  list.SetValues("a", "");
  EXPECT_EQ(Lines(list), (std::vector<String>{"b=2"}));
}

// ---- Text ----

TEST(TStrings, TextEndsEveryLineWithCrLf) {
  TVectorStrings list;
  EXPECT_EQ(list.Text(), "");
  list.Items = {"a", "", "b c"};
  EXPECT_EQ(list.Text(), "a\r\n\r\nb c\r\n");
  list.Items = {""};
  EXPECT_EQ(list.Text(), "\r\n");
}

TEST(TStrings, SetTextSplitsAtCrLfLfAndCr) {
  TVectorStrings list;
  list.SetText("a\r\nb\nc\rd");
  EXPECT_EQ(list.Items, (std::vector<String>{"a", "b", "c", "d"}));
  list.SetText("a\r\n\r\n\n\r");
  EXPECT_EQ(list.Items, (std::vector<String>{"a", "", "", ""}));
  list.SetText("");
  EXPECT_TRUE(list.Items.empty());
  list.SetText(String("nul\0inside\r\n", 12));
  EXPECT_EQ(list.Items, (std::vector<String>{String("nul\0inside", 10)}));
}

TEST(TStrings, TextRoundTrips) {
  for (const std::vector<String>& lines :
       {std::vector<String>{}, std::vector<String>{""}, std::vector<String>{"", ""},
        std::vector<String>{"tab\there", "ä ö ü", " lead", "trail "}}) {
    TVectorStrings list;
    list.Items = lines;
    const String text = list.Text();
    TVectorStrings back;
    back.SetText(text);
    EXPECT_EQ(back.Items, lines) << text;
  }
}

// ---- CommaText ----

TEST(TStrings, CommaTextQuotesWhatWouldBreakItApart) {
  TVectorStrings list;
  EXPECT_EQ(list.CommaText(), "");
  list.Items = {"a", "b c", "d,e", "f\"g", "", "äöü", "tab\t"};
  EXPECT_EQ(list.CommaText(), "a,\"b c\",\"d,e\",\"f\"\"g\",\"\",äöü,\"tab\t\"");
  list.Items = {""};
  EXPECT_EQ(list.CommaText(), "\"\"");
}

TEST(TStrings, CommaTextReadsCommasBlanksAndQuotes) {
  TVectorStrings list;
  list.SetCommaText(" a , b  c,\"x\"\"y\" ,, \"q\"r");
  EXPECT_EQ(list.Items, (std::vector<String>{"a", "b", "c", "x\"y", "", "q", "r"}));
  list.SetCommaText("\"open");
  EXPECT_EQ(list.Items, (std::vector<String>{"open"}));
  list.SetCommaText("   ");
  EXPECT_TRUE(list.Items.empty());
  list.SetCommaText("a,");
  EXPECT_EQ(list.Items, (std::vector<String>{"a"}));
}

TEST(TStrings, CommaTextRoundTrips) {
  for (const std::vector<String>& lines :
       {std::vector<String>{}, std::vector<String>{""}, std::vector<String>{"a", ""},
        std::vector<String>{"", "", ""}, std::vector<String>{" x ", "\"", "\"\"", ",", "a b,c"},
        std::vector<String>{String("n\0l", 3), "\r\n", "ä"}}) {
    TVectorStrings list;
    list.Items = lines;
    const String text = list.CommaText();
    TVectorStrings back;
    back.SetCommaText(text);
    EXPECT_EQ(back.Items, lines) << text;
  }
}

// ---- Files ----

TEST(TStrings, SaveAndLoadFiles) {
  const TempFile file("lines.txt");
  TStringList list;
  AddAll(list, {"first", "zweite Zeile", ""});
  list.SaveToFile(file.Name());
  EXPECT_EQ(file.Bytes(), "first\r\nzweite Zeile\r\n\r\n");
  TVectorStrings back;
  back.LoadFromFile(file.Name());
  EXPECT_EQ(back.Items, Lines(list));

  file.Write("\xEF\xBB\xBFkey=value\nnext");
  back.LoadFromFile(file.Name());
  EXPECT_EQ(back.Items, (std::vector<String>{"key=value", "next"}));
  EXPECT_EQ(back.Values("key"), "value");
}

TEST(TStrings, FileErrorsLeaveTheListAndTheFileAlone) {
  const TempFile file("kept.txt");
  file.Write("kept\r\n");
  TStringList list;
  AddAll(list, {"stays"});
  EXPECT_THROW(list.LoadFromFile(file.Name() + ".missing"), EFOpenError);
  EXPECT_EQ(Lines(list), (std::vector<String>{"stays"}));
  EXPECT_THROW(list.SaveToFile(file.Name() + ".d/none/x.txt"), EStreamError);
  EXPECT_EQ(file.Bytes(), "kept\r\n");
}

namespace {

class TNotAList : public TPersistent {
  LUM_CLASS(TNotAList, TPersistent)
};

} // namespace

TEST(TStringList, ClassIdentityAndForeignSources) {
  TStringList list;
  EXPECT_EQ(list.ClassName(), "TStringList");
  EXPECT_TRUE(list.InheritsFrom(TStrings::StaticClass()));
  EXPECT_TRUE(list.InheritsFrom(TPersistent::StaticClass()));
  std::unique_ptr<TObject> created(TStringList::StaticClass()->CreateInstance(nullptr));
  EXPECT_EQ(created->ClassName(), "TStringList");
  EXPECT_FALSE(TStrings::StaticClass()->CanCreate());

  AddAll(list, {"kept"});
  TNotAList other;
  try {
    list.Assign(&other);
    ADD_FAILURE() << "no EConvertError";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TNotAList to a TStringList");
  }
  EXPECT_EQ(Lines(list), (std::vector<String>{"kept"}));
  EXPECT_THROW(other.Assign(&list), EConvertError);
}
