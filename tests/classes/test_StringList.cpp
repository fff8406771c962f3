#include "framework/classes/StringList.h"

#include "framework/classes/Component.h"
#include "framework/classes/Filer.h"
#include "framework/classes/FormFile.h"
#include "framework/classes/Streams.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Strings.h"
#include "tests/classes/ListTesting.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

// A list shown as its lines joined by "|".
String Joined(const TStrings& list) {
  String out;
  for (Integer i = 0; i < list.Count(); ++i) out += (i > 0 ? "|" : "") + list.Strings(i);
  return out;
}

// Adds the "|"-separated texts one by one.
void AddAll(TStrings& list, const String& joined) {
  std::size_t start = 0;
  for (std::size_t bar = joined.find('|'); bar != String::npos; bar = joined.find('|', start)) {
    list.Add(joined.substr(start, bar - start));
    start = bar + 1;
  }
  list.Add(joined.substr(start));
}

const String Sorted = "Operation not allowed on sorted list";

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

// The notifications of a list: "<" for OnChanging, ">" for OnChange.
struct Notifications {
  String Log;
  TObject* Sender = nullptr;
  explicit Notifications(TStringList& list) {
    list.SetOnChanging([this](TObject* s) { Note('<', s); });
    list.SetOnChange([this](TObject* s) { Note('>', s); });
  }
  void Note(char event, TObject* sender) {
    Log += event;
    Sender = sender;
  }
};

} // namespace

TEST(TStringList, EditingAndIndexErrors) {
  TStringList list;
  EXPECT_EQ(list.Add("b"), 0);
  list.Insert(0, "a");
  list.Insert(2, "c");
  list.Append("d");
  list.Delete(1);
  list.SetStrings(0, "A");
  EXPECT_EQ(Joined(list), "A|c|d");
  ExpectListError([&] { list.Strings(3); }, IndexError(3));
  ExpectListError([&] { list.Objects(-1); }, IndexError(-1));
  ExpectListError([&] { list.SetStrings(3, "x"); }, IndexError(3));
  ExpectListError([&] { list.SetObjects(4, nullptr); }, IndexError(4));
  ExpectListError([&] { list.Insert(4, "x"); }, IndexError(4));
  ExpectListError([&] { list.Delete(3); }, IndexError(3));
  ExpectListError([&] { list.Exchange(-2, 0); }, IndexError(-2));
  ExpectListError([&] { list.Move(0, 3); }, IndexError(3));
  ExpectListError([&] { list.Move(-1, 1); }, IndexError(-1));
  EXPECT_EQ(Joined(list), "A|c|d");
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
  strings.Clear();
  EXPECT_EQ(strings.Capacity(), 0);
}

static std::size_t HeapBytesInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#endif
}

// A text of 50 million empty lines must not cost gigabytes: an empty line holds nothing of
// its own, only its entry in the list's array.
TEST(TStringList, EmptyLinesCostNoAllocationOfTheirOwn) {
  constexpr Integer lines = 100000;
  TStringList list;
  list.SetCapacity(lines);
  const std::size_t before = HeapBytesInUse();
  for (Integer i = 0; i < lines; ++i) list.Add("");
  EXPECT_LT(HeapBytesInUse() - before, std::size_t{4096});

  const String text(static_cast<std::size_t>(lines), '\n');
  TStringList read;
  const std::size_t beforeText = HeapBytesInUse();
  read.SetText(text);
  ASSERT_EQ(read.Count(), lines);
  EXPECT_LE(HeapBytesInUse() - beforeText,
            static_cast<std::size_t>(read.Capacity()) * 2 * sizeof(void*) + 4096);
}

TEST(TStringList, EmptyLinesBehaveAsAnyOther) {
  TStringList list;
  AddAll(list, "b||a");
  EXPECT_EQ(list.IndexOf(""), 1);
  list.SetStrings(1, "filled");
  list.SetStrings(0, "");
  list.SetStrings(2, "");
  EXPECT_EQ(Joined(list), "|filled|");
  list.Insert(1, "");
  EXPECT_EQ(list.Count(), 4);
  list.Sort();
  EXPECT_EQ(Joined(list), "|||filled");
  list.SetSorted(true);
  Integer index = -1;
  EXPECT_TRUE(list.Find("", index));
  EXPECT_EQ(index, 0);
  list.Delete(0);
  EXPECT_EQ(list.Text(), "\r\n\r\nfilled\r\n");
}

TEST(TStringList, ObjectsTravelWithTheirStringsAndAreNotFreed) {
  TObject one, two, three; // on the stack: a list freeing them would alarm ASan
  TStringList list;
  list.AddObject("one", &one);
  list.AddObject("two", &two);
  list.AddObject("three", &three);
  list.Exchange(0, 2);
  list.Move(0, 2);
  EXPECT_EQ(Joined(list), "two|one|three");
  EXPECT_EQ(list.Objects(2), &three);
  list.Move(2, 0);
  EXPECT_EQ(list.Objects(0), &three);
  EXPECT_EQ(list.Objects(1), &two);
  list.Sort();
  EXPECT_EQ(Joined(list), "one|three|two");
  EXPECT_EQ(list.Objects(0), &one);
  EXPECT_EQ(list.Objects(2), &two);
  list.SetStrings(1, "drei");
  EXPECT_EQ(list.IndexOfObject(&three), 1);
  list.Delete(1);
  EXPECT_EQ(list.IndexOfObject(&three), -1);
}

TEST(TStringList, SortedListOrdersIgnoringCaseAndRefusesPlacing) {
  TStringList list;
  list.SetSorted(true);
  AddAll(list, "b|A|c");
  EXPECT_EQ(Joined(list), "A|b|c");
  EXPECT_EQ(list.IndexOf("B"), 1);
  EXPECT_EQ(list.IndexOf("d"), -1);
  ExpectListError([&] { list.Insert(0, "c"); }, Sorted);
  ExpectListError([&] { list.SetStrings(0, "c"); }, Sorted);
  ExpectListError([&] { list.Move(0, 1); }, Sorted);
  EXPECT_EQ(Joined(list), "A|b|c");
  list.SetSorted(false); // keeps the order; adding appends again
  list.Add("0");
  EXPECT_EQ(Joined(list), "A|b|c|0");
}

TEST(TStringList, DuplicatesIgnoreRaiseOrAccept) {
  TStringList list;
  list.SetSorted(true);
  AddAll(list, "A|b");
  EXPECT_EQ(list.Add("a"), 0); // dupIgnore: the existing line's index
  list.SetDuplicates(dupError);
  ExpectListError([&] { list.Add("B"); }, "String list does not allow duplicates");
  EXPECT_EQ(Joined(list), "A|b");
  list.SetDuplicates(dupAccept);
  EXPECT_EQ(list.Add("a"), 0); // before the equal line
  EXPECT_EQ(list.Add("B"), 2);
  EXPECT_EQ(Joined(list), "a|A|B|b");
}

TEST(TStringList, FindAnswersTheFirstEqualOrTheInsertionPoint) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  AddAll(list, "x|X|x|y|m|x|c|z");
  struct Case {
    const char* s;
    bool found;
    Integer index;
  };
  for (Case c : {Case{"X", true, 2}, Case{"d", false, 1}, Case{"zz", false, 8}, Case{"", false, 0},
                 Case{"Y", true, 6}}) {
    for (TDuplicates d : {dupAccept, dupIgnore}) {
      list.SetDuplicates(d);
      Integer index = -1;
      EXPECT_EQ(list.Find(c.s, index), c.found) << c.s;
      EXPECT_EQ(index, c.index) << c.s << " with duplicates " << d;
    }
  }
  EXPECT_EQ(list.Add("x"), 2);
  EXPECT_EQ(list.Count(), 8);
}

TEST(TStringList, CaseSensitiveListsCompareLetterCase) {
  TStringList list;
  AddAll(list, "b|B|a|A");
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("a"), 2);
  EXPECT_EQ(list.IndexOf("A"), 3);
  list.SetSorted(true);
  EXPECT_EQ(Joined(list), "A|B|a|b"); // code points under the "C" locale
  EXPECT_EQ(list.Add("a"), 2);
  EXPECT_EQ(list.Add("c"), 4);
  list.SetCaseSensitive(false); // sorted again without letter case
  EXPECT_EQ(AnsiUpperCase(Joined(list)), "A|A|B|B|C");
}

TEST(TStringList, SortAndCustomSort) {
  TStringList list;
  AddAll(list, "ccc|a|bbbb|dd");
  list.CustomSort([](TStringList* l, Integer i, Integer j) {
    return static_cast<int>(l->Strings(i).size()) - static_cast<int>(l->Strings(j).size());
  });
  EXPECT_EQ(Joined(list), "a|dd|ccc|bbbb");
}

TEST(TStringList, SortFollowsTheProcessCollation) {
  const String saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8";
  TStringList list;
  AddAll(list, "Zebra|äpfel|birne|Apfel");
  list.Sort();
  const String german = Joined(list);
  list.SetCaseSensitive(true);
  list.SetSorted(true);
  list.Add("apfel");
  const String exact = Joined(list);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(german, "Apfel|äpfel|birne|Zebra");
  EXPECT_EQ(exact, "apfel|Apfel|äpfel|birne|Zebra");
}

TEST(TStringList, EveryChangeNotifiesOutsideUpdateBrackets) {
  TStringList list;
  Notifications n(list);
  TObject object;
  list.Add("b");
  list.Insert(0, "a");
  list.SetStrings(0, "A");
  list.SetObjects(0, &object);
  list.Exchange(0, 1);
  list.Sort();
  list.Delete(0);
  list.Clear();
  list.Clear(); // empty: nothing happens
  list.Sort();
  EXPECT_EQ(n.Log, "<><><><><><><><>");
  EXPECT_EQ(n.Sender, &list);

  n.Log.clear();
  list.BeginUpdate();
  list.Add("a");
  list.BeginUpdate();
  list.Add("b");
  list.EndUpdate();
  list.Delete(0);
  EXPECT_EQ(n.Log, "<");
  list.EndUpdate();
  list.EndUpdate(); // unbalanced: ignored
  list.Add("c");
  EXPECT_EQ(n.Log, "<><>");
}

TEST(TStringList, BulkOperationsNotifyOnceEvenWhenTheyFail) {
  TStringList source;
  AddAll(source, "x|y|z");
  TStringList list;
  Notifications n(list);
  list.Assign(&source);
  list.SetCommaText("a,b,c");
  list.SetText("1\r\n2\r\n");
  list.AddStrings(&source);
  list.Move(0, 2);
  EXPECT_EQ(n.Log, "<><><><><>");
  list.SetSorted(true);
  list.SetDuplicates(dupError);
  n.Log.clear();
  EXPECT_THROW(list.SetCommaText("a,b,a"), EListError);
  list.Add("c");
  EXPECT_EQ(n.Log, "<><>");
}

namespace {

class TLinesHolder : public TComponent {
  LUM_CLASS(TLinesHolder, TComponent)
public:
  explicit TLinesHolder(TComponent* AOwner) : TComponent(AOwner) { SetName("Holder1"); }
  LUM_PUBLISHED(TStrings*, Lines, FLines, Field, NoDefault)

private:
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
};

String WrittenAgainst(TLinesHolder& holder, TLinesHolder& ancestor) {
  TMemoryStream binary;
  TWriter(&binary).WriteDescendent(&holder, &ancestor);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  return text.DataString();
}

} // namespace

TEST(TStringList, AssignCopiesTextsAndObjects) {
  TObject object;
  TLinesHolder holder(nullptr);
  TStringList source;
  source.AddObject("b", &object);
  source.Add("a");
  TStringList target;
  target.Add("old");
  target.Assign(&source);
  EXPECT_EQ(Joined(target), "b|a");
  EXPECT_EQ(target.Objects(0), &object);
  target.Assign(&target);
  EXPECT_EQ(Joined(target), "b|a");
  TStringList sorted;
  sorted.SetSorted(true);
  sorted.Assign(&source);
  EXPECT_EQ(Joined(sorted), "a|b");
  EXPECT_EQ(sorted.Objects(1), &object);
  target.AddStrings(&target);
  target.AddStrings(nullptr);
  EXPECT_EQ(Joined(target), "b|a|b|a");
  ExpectError<EConvertError>([&] { target.Assign(&holder); },
                             "Cannot assign a TLinesHolder to a TStringList");
  EXPECT_EQ(Joined(target), "b|a|b|a");
}

TEST(TStrings, EverythingWorksOverTheAbstractOperations) {
  TVectorStrings list;
  EXPECT_EQ(list.Add("one"), 0);
  list.Append("two");
  EXPECT_EQ(list.AddObject("three", nullptr), 2);
  list.InsertObject(0, "zero", nullptr);
  list.SetStrings(1, "ONE");
  list.Exchange(0, 3);
  EXPECT_EQ(Joined(list), "three|ONE|two|zero");
  list.Move(3, 1);
  EXPECT_EQ(Joined(list), "three|zero|ONE|two");
  list.Move(0, 3);
  EXPECT_EQ(Joined(list), "zero|ONE|two|three");
  EXPECT_EQ(list.IndexOf("one"), 1);
  EXPECT_EQ(list.IndexOf("four"), -1);
  EXPECT_EQ(list.Capacity(), 4);
  EXPECT_EQ(list.IndexOfObject(nullptr), 0);
  ExpectListError([&] { list.SetStrings(4, "x"); }, IndexError(4));
  ExpectListError([&] { list.Move(1, 4); }, IndexError(4));
  EXPECT_EQ(Joined(list), "zero|ONE|two|three");

  TStringList sorted;
  sorted.SetSorted(true);
  sorted.Assign(&list);
  EXPECT_EQ(Joined(sorted), "ONE|three|two|zero");
  list.Assign(&sorted);
  EXPECT_TRUE(list.Equals(&sorted));
  list.SetStrings(0, "one");
  EXPECT_FALSE(list.Equals(&sorted)); // letter case counts
  list.Delete(0);
  EXPECT_FALSE(list.Equals(&sorted));
  EXPECT_FALSE(list.Equals(nullptr));
}

TEST(TStrings, NamesAndValues) {
  TVectorStrings list;
  list.Items = {"Name=Value", "x=1=2", "novalue", "=empty", "name=second"};
  EXPECT_EQ(list.Names(0) + "|" + list.Names(1) + "|" + list.Names(2) + "|" + list.Names(3),
            "Name|x||");
  EXPECT_EQ(list.Values("NAME"), "Value"); // the first line of the name, case ignored
  EXPECT_EQ(list.Values("x"), "1=2");
  EXPECT_EQ(list.Values("novalue"), "");
  EXPECT_EQ(list.Values(""), "empty");
  EXPECT_EQ(list.IndexOfName("X"), 1);
  list.SetValues("X", "3");
  list.SetValues("new", "v");
  list.SetValues("name", "");
  list.SetValues("missing", "");
  EXPECT_EQ(Joined(list), "X=3|novalue|=empty|name=second|new=v");

  TStringList sorted;
  sorted.SetSorted(true);
  sorted.SetValues("b", "2");
  sorted.SetValues("a", "1");
  ExpectListError([&] { sorted.SetValues("a", "9"); }, Sorted);
  EXPECT_EQ(Joined(sorted), "a=1|b=2");
  sorted.SetValues("a", "");
  EXPECT_EQ(Joined(sorted), "b=2");
}

TEST(TStrings, TextWritesCrLfAndReadsEveryLineBreak) {
  TVectorStrings list;
  list.Items = {"a", "", "b c"};
  EXPECT_EQ(list.Text(), "a\r\n\r\nb c\r\n");
  list.SetText("a\r\nb\nc\rd");
  EXPECT_EQ(Joined(list), "a|b|c|d");
  list.SetText("a\r\n\r\n\n\r");
  EXPECT_EQ(Joined(list), "a|||");
  list.SetText(String("nul\0in\r\n", 8));
  EXPECT_EQ(list.Items, std::vector<String>{String("nul\0in", 6)});
  for (std::vector<String> lines : {std::vector<String>{}, {""}, {"", ""}, {"\tä", " x "}}) {
    list.Items = lines;
    TVectorStrings back;
    back.SetText(list.Text());
    EXPECT_EQ(back.Items, lines) << list.Text();
  }
}

TEST(TStrings, CommaTextQuotesWhatWouldSplitAndReadsItBack) {
  TVectorStrings list;
  list.Items = {"a", "b c", "d,e", "f\"g", "", "äöü", "tab\t"};
  EXPECT_EQ(list.CommaText(), "a,\"b c\",\"d,e\",\"f\"\"g\",\"\",äöü,\"tab\t\"");
  list.SetCommaText(" a , b  c,\"x\"\"y\" ,, \"q\"r");
  EXPECT_EQ(Joined(list), "a|b|c|x\"y||q|r");
  list.SetCommaText("\"open");
  EXPECT_EQ(Joined(list), "open");
  list.SetCommaText("a,");
  EXPECT_EQ(Joined(list), "a");
  for (std::vector<String> lines : {std::vector<String>{},
                                    {""},
                                    {"a", ""},
                                    {"", "", ""},
                                    {" x ", "\"", "\"\"", ",", "a b,c"},
                                    {String("n\0l", 3), "\r\n", "ä"}}) {
    list.Items = lines;
    TVectorStrings back;
    back.SetCommaText(list.CommaText());
    EXPECT_EQ(back.Items, lines) << list.CommaText();
  }
}

TEST(TStrings, FilesRoundTripAndFailuresChangeNothing) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("lum_lines_" + std::to_string(getpid()));
  const String name = path.string();
  const auto bytes = [&] {
    std::ifstream in(path, std::ios::binary);
    return String(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  TStringList list;
  AddAll(list, "first|zweite Zeile|");
  list.SaveToFile(name);
  EXPECT_EQ(bytes(), "first\r\nzweite Zeile\r\n\r\n");
  TVectorStrings back;
  back.LoadFromFile(name);
  EXPECT_TRUE(back.Equals(&list));
  std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBFkey=value\nnext";
  back.LoadFromFile(name);
  EXPECT_EQ(back.Values("key"), "value"); // the byte order mark is not part of the text

  EXPECT_THROW(back.LoadFromFile(name + ".missing"), EFOpenError);
  EXPECT_EQ(Joined(back), "key=value|next");
  EXPECT_THROW(back.SaveToFile(name + ".d/none"), EStreamError);
  EXPECT_EQ(bytes(), "\xEF\xBB\xBFkey=value\nnext");
  std::filesystem::remove(path);
}

TEST(TStrings, StreamsReadFromThePositionAndWriteAtIt) {
  TStringStream in("skip\xEF\xBB\xBF"
                   "a\r\nb");
  in.SetPosition(4);
  TVectorStrings list;
  list.LoadFromStream(&in);
  EXPECT_EQ(Joined(list), "a|b");
  TStringStream out("head:");
  out.Seek(0, soFromEnd);
  list.SaveToStream(&out);
  EXPECT_EQ(out.DataString(), "head:a\r\nb\r\n");
}

TEST(TStrings, FormFilesStoreTheLinesAsTheStringsList) {
  TLinesHolder holder(nullptr);
  EXPECT_EQ(WriteFormText(&holder), "object Holder1: TLinesHolder\nend\n");
  AddAll(*holder.Lines(), "first|it's|");
  const String text = WriteFormText(&holder);
  EXPECT_EQ(text, "object Holder1: TLinesHolder\n"
                  "  Lines.Strings = (\n"
                  "    'first'\n"
                  "    'it''s'\n"
                  "    '')\n"
                  "end\n");
  TLinesHolder copy(nullptr);
  copy.Lines()->Add("old");
  ReadFormText(text, &copy);
  EXPECT_TRUE(copy.Lines()->Equals(holder.Lines()));

  EXPECT_THROW(ReadFormText("object Holder1: TLinesHolder\n  Lines.Strings = (\n    'new'\n"
                            "    5)\nend\n",
                            &copy),
               EReadError);
  EXPECT_TRUE(copy.Lines()->Equals(holder.Lines())); // nothing half-read
}

TEST(TStrings, AgainstAnAncestorOnlyDifferentLinesAreStored) {
  TLinesHolder holder(nullptr);
  TLinesHolder ancestor(nullptr);
  const String unchanged = "inherited Holder1: TLinesHolder\nend\n";
  EXPECT_EQ(WrittenAgainst(holder, ancestor), unchanged);
  AddAll(*holder.Lines(), "a|b");
  ancestor.Lines()->Assign(holder.Lines());
  EXPECT_EQ(WrittenAgainst(holder, ancestor), unchanged);
  ancestor.Lines()->SetStrings(1, "B");
  EXPECT_NE(WrittenAgainst(holder, ancestor).find("Lines.Strings = (\n    'a'\n    'b')"),
            String::npos);
  holder.Lines()->Clear();
  EXPECT_NE(WrittenAgainst(holder, ancestor).find("Lines.Strings = ()"), String::npos);
}
