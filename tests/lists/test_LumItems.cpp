#include "framework/classes/FormFile.h"
#include "tests/lists/ListTestSupport.h"

using namespace liststest;

namespace {

std::vector<String> TextsOf(TStrings* Items) {
  std::vector<String> texts;
  for (Integer i = 0; i < Items->Count(); ++i) texts.push_back(Items->Strings(i));
  return texts;
}

template <class Action> String ListErrorOf(Action&& Run) {
  try {
    Run();
  } catch (const EListError& e) {
    return e.Message();
  }
  return "no error";
}

class LumItemStringsTest : public ListsTest {};

TEST_F(LumItemStringsTest, SortedAddOrdersWithoutCaseAndFollowsDuplicates) {
  TForm* form = NewForm();
  TLumListStrings* items = NewList(form)->Items();
  items->SetSorted(true);
  for (const char* s : {"b", "A", "c"}) items->Add(s);
  EXPECT_EQ(TextsOf(items), (std::vector<String>{"A", "b", "c"}));

  EXPECT_EQ(items->Add("a"), 0) << "dupIgnore answers the equal item";
  EXPECT_EQ(items->Count(), 3);
  items->SetColor(0, clRed);
  items->SetDuplicates(dupAccept);
  EXPECT_EQ(items->Add("a"), 0) << "dupAccept goes before the equal item";
  EXPECT_EQ(TextsOf(items), (std::vector<String>{"a", "A", "b", "c"}));
  EXPECT_EQ(items->GetColor(1), clRed);
  items->SetDuplicates(dupError);
  EXPECT_EQ(ListErrorOf([&] { items->Add("B"); }), SDuplicateString);
  EXPECT_EQ(items->IndexOf("C"), 3);
  EXPECT_EQ(items->IndexOf("d"), -1);
  EXPECT_EQ(ListErrorOf([&] { items->Insert(0, "x"); }), SSortedListError);
  EXPECT_EQ(ListErrorOf([&] { items->SetStrings(0, "x"); }), SSortedListError);
  EXPECT_EQ(items->Count(), 4);
}

TEST_F(LumItemStringsTest, AnIndexOutOfRangeRaisesTheListErrorAndChangesNothing) {
  TForm* form = NewForm();
  TLumListStrings* items = NewList(form)->Items();
  items->Add("one");
  items->Add("two");
  int changes = 0;
  items->SetOnChanging([&](TObject*) { ++changes; });
  EXPECT_EQ(ListErrorOf([&] { items->Strings(2); }), "List index out of bounds (2)");
  EXPECT_EQ(ListErrorOf([&] { items->Delete(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(ListErrorOf([&] { items->Exchange(0, 5); }), "List index out of bounds (5)");
  EXPECT_EQ(ListErrorOf([&] { items->Insert(3, "x"); }), "List index out of bounds (3)");
  EXPECT_EQ(ListErrorOf([&] { items->SetColor(7, clRed); }), "List index out of bounds (7)");
  EXPECT_EQ(ListErrorOf([&] { items->GetBitmap(2); }), "List index out of bounds (2)");
  EXPECT_EQ(ListErrorOf([&] { items->GetLumListEintrag(9); }), "List index out of bounds (9)");
  EXPECT_EQ(ListErrorOf([&] { items->SetHint(2, "h"); }), "List index out of bounds (2)");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(TextsOf(items), (std::vector<String>{"one", "two"}));
}

TEST_F(LumItemStringsTest, RecordsStartFromTheControlAndTravelWithTheirTexts) {
  TForm* form = NewForm();
  TLumList* list = NewList(form);
  list->SetColor(clYellow);
  list->SetHint("list hint");
  list->SetHelpContext(7);
  list->Font()->SetName("Liberation Serif");
  TLumListStrings* items = list->Items();
  items->Add("first");
  items->Add("second");
  EXPECT_EQ(items->GetColor(0), clYellow);
  EXPECT_EQ(items->GetHint(0), "list hint");
  EXPECT_EQ(items->GetHelpContext(0), 7);
  EXPECT_EQ(items->GetFont(0)->Name(), "Liberation Serif");
  EXPECT_NE(items->GetFont(0), list->Font()) << "a record owns its own font";
  EXPECT_TRUE(items->GetBitmap(0)->Empty());

  items->SetColor(0, clRed);
  items->SetHint(0, "mine");
  items->Exchange(0, 1);
  EXPECT_EQ(TextsOf(items), (std::vector<String>{"second", "first"}));
  EXPECT_EQ(items->GetColor(1), clRed);
  EXPECT_EQ(items->GetHint(1), "mine");
  items->SetStrings(1, "renamed");
  EXPECT_EQ(items->GetColor(1), clRed) << "Put keeps the record";
  EXPECT_EQ(items->GetHint(1), "mine");
  items->AddObject("third", list);
  EXPECT_EQ(items->Objects(2), nullptr) << "objects are not kept";
}

TEST_F(LumItemStringsTest, NotificationsFireOnEveryChangeAndTheListBoxHearsThem) {
  TForm* form = NewForm();
  TLumList* list = NewList(form);
  TLumListStrings* items = list->Items();
  std::vector<String> log;
  items->SetOnChanging([&](TObject* Sender) { log.push_back(Sender == items ? "changing" : "?"); });
  items->SetOnChange([&](TObject* Sender) { log.push_back(Sender == items ? "change" : "?"); });
  list->SetOnChange([&](TObject* Sender) { log.push_back(Sender == list ? "list" : "?"); });
  items->Add("a");
  EXPECT_EQ(log, (std::vector<String>{"changing", "change", "list"}));
  log.clear();
  items->BeginUpdate();
  items->SetHint(0, "h");
  items->EndUpdate();
  EXPECT_EQ(log, (std::vector<String>{"changing", "changing", "change", "list", "change", "list"}));

  TLumComboBox* combo = NewCombo(form);
  int comboChanges = 0;
  combo->SetOnChange([&](TObject*) { ++comboChanges; });
  combo->Items()->Add("x");
  EXPECT_EQ(comboChanges, 0) << "the combo box collection tells only its own OnChange";
}

TEST_F(LumItemStringsTest, InsertionSelectsTheFirstListItemButKeepsNoComboSelection) {
  TForm* form = NewForm();
  TLumList* list = NewList(form);
  TLumComboBox* combo = NewCombo(form);
  form->Show();
  list->Items()->Add("a");
  list->Items()->Add("b");
  EXPECT_EQ(list->ItemIndex(), 0);
  combo->Items()->Add("a");
  combo->Items()->Add("b");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(1);
  combo->Items()->Insert(0, "z");
  EXPECT_EQ(combo->ItemIndex(), 1) << "the remembered index is set again";
}

// The host refusing an entry used to leave the item in the collection, every later index
// one off from the host's.
TEST_F(LumItemStringsTest, AHostThatRefusesAnInsertionLeavesTheCollectionAsItWas) {
  TForm* form = NewForm();
  auto* list = new TReachableList(form);
  list->SetParent(form);
  form->Show();
  list->Items()->Add("a");
  list->Items()->Add("b");
  list->Host()->Delete(1); // the host now holds one entry less
  EXPECT_THROW(list->Items()->Add("c"), EOutOfResources);
  EXPECT_EQ(TextsOf(list->Items()), (std::vector<String>{"a", "b"}));
  list->Host()->Insert(1, "b");
  list->Items()->Add("c");
  EXPECT_EQ(TextsOf(list->Items()), TextsOf(list->Host()));
}

TEST_F(LumItemStringsTest, AssignCopiesRecordsIntoObjectsOfItsOwn) {
  TForm* form = NewForm();
  TLumList* from = NewList(form);
  from->Items()->Add("a");
  from->Items()->Add("b");
  auto bitmap = SolidBitmap(4, 3, clBlue);
  from->Items()->SetBitmap(1, bitmap.get());
  from->Items()->SetColor(1, clLime);
  from->Items()->GetFont(1)->SetStyle(TFontStyles{fsItalic});
  auto* to = new TLumList(form);
  to->SetParent(form);
  to->Items()->Add("old");
  to->SetItems(from->Items());
  EXPECT_EQ(TextsOf(to->Items()), (std::vector<String>{"a", "b"}));
  EXPECT_EQ(to->Items()->GetColor(1), clLime);
  EXPECT_EQ(to->Items()->GetBitmap(1)->Height(), 3);
  EXPECT_NE(to->Items()->GetBitmap(1), from->Items()->GetBitmap(1));
  EXPECT_TRUE(to->Items()->GetFont(1)->Style().Contains(fsItalic));
  EXPECT_NE(to->Items()->GetFont(1), from->Items()->GetFont(1));
}

// A collection appended to itself takes its items as they stood: an unsorted one doubles with
// their attributes, a sorted one ignoring duplicates finds each already there.
TEST_F(LumItemStringsTest, ACollectionAddedToItselfAppendsItsItemsOnce) {
  TForm* form = NewForm();
  TLumList* list = NewList(form);
  TLumListStrings* items = list->Items();
  items->Add("a");
  items->Add("b");
  items->SetColor(1, clLime);
  items->AddItems(items);
  EXPECT_EQ(TextsOf(items), (std::vector<String>{"a", "b", "a", "b"}));
  EXPECT_EQ(items->GetColor(3), clLime);
  EXPECT_NE(items->GetLumListEintrag(3), items->GetLumListEintrag(1));
  items->Clear();
  items->SetSorted(true);
  items->Add("b");
  items->Add("a");
  items->SetColor(0, clYellow);
  items->AddItems(items);
  EXPECT_EQ(TextsOf(items), (std::vector<String>{"a", "b"}));
  EXPECT_EQ(items->GetColor(0), clYellow);
}

// Items given one picture, and items made with the list's font, share one copy of it; each
// must still change alone, through the collection or through its record, and keep what it
// was given when the source or the list's font changes later.
TEST_F(LumItemStringsTest, ItemsGivenTheSamePictureOrFontChangeEachAlone) {
  TForm* form = NewForm();
  TLumList* list = NewList(form);
  TLumListStrings* items = list->Items();
  auto source = SolidBitmap(4, 4, clBlue);
  for (const char* s : {"a", "b", "c", "d"}) items->SetBitmap(items->Add(s), source.get());
  source->Canvas()->Brush()->SetColor(clLime);
  source->Canvas()->FillRect(TRect(0, 0, 4, 4));
  items->SetBitmap(3, source.get());
  TBitmap* first = items->GetBitmap(0);
  first->Canvas()->Brush()->SetColor(clRed);
  first->Canvas()->FillRect(TRect(0, 0, 4, 4));
  items->GetLumListEintrag(1)->Bitmap->SetSize(8, 4);
  EXPECT_EQ(items->GetBitmap(0)->Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(items->GetBitmap(1)->Width(), 8);
  EXPECT_EQ(items->GetBitmap(2)->Width(), 4);
  EXPECT_EQ(items->GetBitmap(2)->Canvas()->Pixels(1, 1), clBlue) << "the source changed after";
  EXPECT_EQ(items->GetBitmap(3)->Canvas()->Pixels(1, 1), clLime);
  items->SetBitmap(0, source.get());
  EXPECT_EQ(first, items->GetBitmap(0)) << "an item handed out keeps its bitmap";
  EXPECT_EQ(first->Canvas()->Pixels(1, 1), clLime);

  items->GetFont(0)->SetStyle(TFontStyles{fsBold});
  items->GetLumListEintrag(1)->Font->SetName("Liberation Mono");
  list->Font()->SetHeight(-30);
  items->Add("e");
  EXPECT_FALSE(items->GetFont(1)->Style().Contains(fsBold));
  EXPECT_TRUE(items->GetFont(0)->Style().Contains(fsBold));
  EXPECT_EQ(items->GetFont(1)->Name(), "Liberation Mono");
  EXPECT_NE(items->GetFont(2)->Name(), "Liberation Mono");
  EXPECT_NE(items->GetFont(2)->Height(), -30) << "made before the list's font changed";
  EXPECT_EQ(items->GetFont(4)->Height(), -30);
  EXPECT_NE(items->GetFont(2), items->GetFont(3));
}

TEST_F(LumItemStringsTest, ARecordHandedOverReplacesTheOldOneAndIsMeasured) {
  TForm* form = NewForm();
  TLumList* list = NewList(form);
  list->SetItemHeightStyle(LumList::ihBitmap);
  form->Show();
  list->Items()->Add("a");
  list->Items()->Add("b");
  auto* record = new TLumListEintrag;
  record->Bitmap->Assign(SolidBitmap(8, 30, clRed).get());
  record->Hint = "given";
  list->Items()->PutLumListEintrag(0, record);
  EXPECT_EQ(list->Items()->GetLumListEintrag(0), record);
  EXPECT_EQ(list->Items()->Strings(0), "a");
  EXPECT_EQ(list->ItemRect(0).Height(), 30);
  list->Items()->PutLumListEintrag(0, record);
  EXPECT_EQ(list->Items()->GetHint(0), "given") << "handing back the same record keeps it";
}

// Exchange and Sort used to leave the host rows with the heights of the items that were there.
TEST_F(LumItemStringsTest, ReorderingMeasuresTheRowsForTheirNewItems) {
  TForm* form = NewForm(300, 300);
  TLumList* list = NewList(form, 200, 250);
  list->SetItemHeightStyle(LumList::ihBitmap);
  form->Show();
  for (const char* s : {"c", "a", "b"}) list->Items()->Add(s);
  list->Items()->SetBitmap(0, SolidBitmap(10, 40, clRed).get());
  const int plain = std::max(16, LineHeightOf(list->Font()));
  ASSERT_EQ(list->ItemRect(0).Height(), 40);
  list->Items()->Exchange(0, 1);
  EXPECT_EQ(list->ItemRect(0).Height(), plain);
  EXPECT_EQ(list->ItemRect(1).Height(), 40);
  list->Items()->Sort();
  EXPECT_EQ(TextsOf(list->Items()), (std::vector<String>{"a", "b", "c"}));
  EXPECT_EQ(TextsOf(list->Items()), TextsOf(static_cast<TCustomListBox*>(list)->Items()));
  EXPECT_EQ(list->ItemRect(2).Height(), 40);
  EXPECT_EQ(list->ItemRect(0).Height(), plain);

  TLumComboBox* combo = NewCombo(form);
  combo->SetItemHeightStyle(LumComboBox::ihcBitmap);
  combo->SetTop(200);
  combo->Items()->Add("x");
  combo->Items()->Add("y");
  combo->Items()->SetBitmap(0, SolidBitmap(10, 30, clRed).get());
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), 30);
  combo->Items()->Exchange(0, 1);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 1, 0), 30);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), 16);
}

// ---- form files ----

// The bytes of a binary value of a form text, from the hex digits after "Name = {".
std::vector<Byte> BinaryValue(const String& Text, const String& Name) {
  std::vector<Byte> bytes;
  const std::size_t at = Text.find(Name + " = {");
  if (at == String::npos) return bytes;
  const std::size_t end = Text.find('}', at);
  String hex;
  for (std::size_t i = Text.find('{', at) + 1; i < end; ++i)
    if (std::isxdigit(static_cast<unsigned char>(Text[i]))) hex += Text[i];
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<Byte>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

class LumListFormFileTest : public ListsTest {
protected:
  TLumList* ThreeItems(TForm* Form) {
    TLumList* list = NewList(Form);
    TLumListStrings* items = list->Items();
    for (const char* s : {"one", "two", "three"}) items->Add(s);
    items->SetColor(0, clRed);
    items->SetHelpContext(1, 42);
    items->SetHint(2, "third's hint");
    TFont font;
    font.SetName("Liberation Mono");
    font.SetCharset(238);
    font.SetColor(clBlue);
    font.SetHeight(-17);
    font.SetPitch(fpFixed);
    font.SetStyle(TFontStyles{fsBold, fsStrikeOut});
    items->SetFont(1, &font);
    items->SetBitmap(1, SolidBitmap(16, 16, clGreen).get());
    return list;
  }
};

TEST_F(LumListFormFileTest, ItemsWriteTheirValuesInOrderAndReadBackByteForByte) {
  TForm* form = NewForm();
  form->SetName("Form1");
  ThreeItems(form);
  const String text = WriteFormText(form);
  EXPECT_NE(text.find("Items.Duplicates = dupIgnore"), String::npos) << text;
  EXPECT_NE(text.find("Items.Sorted = False"), String::npos) << text;
  const std::size_t strings = text.find("Items.LumListStrings");
  ASSERT_NE(strings, String::npos) << text;
  EXPECT_LT(strings, text.find("Items.LumListBitmaps")) << "texts come before bitmaps";
  EXPECT_EQ(text.find("Items.Strings"), String::npos);
  const std::size_t second = text.find("'two'");
  const String values = text.substr(second, text.find("'three'") - second);
  EXPECT_NE(values.find("42\n"), String::npos) << values;
  EXPECT_NE(
      values.find("'Liberation Mono'\n      238\n      16711680\n      -17\n      2\n      True\n"
                  "      False\n      False\n      True"),
      String::npos)
      << values;

  const std::vector<Byte> bitmaps = BinaryValue(text, "Items.LumListBitmaps");
  TMemoryStream bmp;
  TLumList* original = static_cast<TLumList*>(form->FindComponent("LumList1"));
  original->Items()->GetBitmap(1)->SaveToStream(&bmp);
  ASSERT_EQ(bitmaps.size(), 1 + 1 + bmp.Size() + 1);
  EXPECT_EQ(bitmaps.front(), 'N');
  EXPECT_EQ(bitmaps[1], 'Y');
  EXPECT_EQ(bitmaps[2], 'B');
  EXPECT_EQ(bitmaps.back(), 'N');

  form->SetName("Old");
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumList*>(copy->FindComponent("LumList1"));
  ASSERT_NE(read, nullptr);
  TLumListStrings* items = read->Items();
  ASSERT_EQ(TextsOf(items), (std::vector<String>{"one", "two", "three"}));
  EXPECT_EQ(items->GetColor(0), clRed);
  EXPECT_EQ(items->GetHelpContext(1), 42);
  EXPECT_EQ(items->GetHint(2), "third's hint");
  EXPECT_EQ(items->GetFont(1)->Name(), "Liberation Mono");
  EXPECT_EQ(items->GetFont(1)->Charset(), 238);
  EXPECT_EQ(items->GetFont(1)->Color(), clBlue);
  EXPECT_EQ(items->GetFont(1)->Height(), -17);
  EXPECT_EQ(items->GetFont(1)->Pitch(), fpFixed);
  EXPECT_EQ(items->GetFont(1)->Style(), (TFontStyles{fsBold, fsStrikeOut}));
  EXPECT_TRUE(items->GetBitmap(0)->Empty());
  EXPECT_EQ(items->GetBitmap(1)->Canvas()->Pixels(5, 5), clGreen);
  EXPECT_EQ(WriteFormText(copy), text);
}

// Items read with the same picture bytes share one bitmap until one is handed out.
TEST_F(LumListFormFileTest, ItemsReadWithOnePictureChangeEachAlone) {
  TForm* form = NewForm();
  form->SetName("Form1");
  TLumListStrings* written = NewList(form)->Items();
  auto picture = SolidBitmap(4, 4, clBlue);
  for (const char* s : {"a", "b", "c"}) written->SetBitmap(written->Add(s), picture.get());
  written->SetBitmap(2, SolidBitmap(4, 4, clLime).get());
  const String text = WriteFormText(form);
  form->SetName("Old");
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  TLumListStrings* items = static_cast<TLumList*>(copy->FindComponent("LumList1"))->Items();
  EXPECT_EQ(WriteFormText(copy), text);
  items->GetBitmap(1)->Canvas()->SetPixels(0, 0, clRed);
  EXPECT_EQ(items->GetBitmap(0)->Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(items->GetBitmap(1)->Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(items->GetBitmap(2)->Canvas()->Pixels(0, 0), clLime);
}

TEST_F(LumListFormFileTest, AnEmptyListWritesNeitherDefinedProperty) {
  TForm* form = NewForm();
  form->SetName("Form1");
  NewList(form);
  const String text = WriteFormText(form);
  EXPECT_EQ(text.find("LumListStrings"), String::npos) << text;
  EXPECT_EQ(text.find("LumListBitmaps"), String::npos) << text;
}

// A sorted list with case variants used to merge them on reading, and every later bitmap
// landed on the item before its own.
TEST_F(LumListFormFileTest, ASortedListReadsItsCaseVariantsWithTheirOwnBitmaps) {
  TForm* form = NewForm();
  form->SetName("Form1");
  TLumList* list = NewList(form);
  for (const char* s : {"b", "B", "c"}) list->Items()->Add(s);
  list->Items()->SetBitmap(1, SolidBitmap(4, 4, clRed).get());
  list->Items()->SetBitmap(2, SolidBitmap(4, 4, clBlue).get());
  list->SetSorted(true);
  auto looks = [](TLumList* List) {
    std::vector<std::pair<String, TColor>> pairs;
    for (Integer i = 0; i < List->Items()->Count(); ++i) {
      TBitmap* bitmap = List->Items()->GetBitmap(i);
      pairs.emplace_back(List->Items()->Strings(i),
                         bitmap->Empty() ? clNone : bitmap->Canvas()->Pixels(0, 0));
    }
    return pairs;
  };
  const auto stored = looks(list);
  ASSERT_EQ(stored.size(), 3u);
  const String text = WriteFormText(form);
  form->SetName("Old");
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = static_cast<TLumList*>(copy->FindComponent("LumList1"));
  EXPECT_EQ(looks(read), stored);
  EXPECT_TRUE(read->Sorted());
  EXPECT_EQ(read->Items()->IndexOf("C"), 2);
}

// A form text that reads more values into the list already on the form.
String ListUpdate(const String& Values) {
  return "object Form1: TForm\n  inherited LumList1: TLumList\n    " + Values + "\n  end\nend\n";
}

TEST_F(LumListFormFileTest, BrokenDataRaisesTheReadersErrorAndLeavesTheListAsItWas) {
  TForm* form = NewForm();
  form->SetName("Form1");
  TLumList* list = ThreeItems(form);
  const String before = WriteFormText(form);
  const char* broken[] = {
      "Items.LumListBitmaps = {4E59414D}",         // no BMP signature
      "Items.LumListBitmaps = {4E4E}",             // one item short
      "Items.LumListBitmaps = {4E59}",             // a bitmap promised, none there
      "Items.LumListBitmaps = {4E59424D10000000}", // a cut-off BMP
      "Items.LumListStrings = ('a' 0 0 '' 'Arial' 300 0 -11 0 False False False False)",
      "Items.LumListStrings = ('a' 0 -2147483648 '' 'Arial' 0 0 -11 0 False False False "
      "False)",
      "Items.LumListStrings = ('a' 0 0 '' 'Arial' 0 0 -11 0 False False)",
      "Items.LumListStrings = ('a' 'b' 0 '' 'Arial' 0 0 -11 0 False False False False)",
  };
  for (const char* values : broken) {
    EXPECT_THROW(ReadFormText(ListUpdate(values), form), EReadError) << values;
    EXPECT_EQ(WriteFormText(form), before) << values;
  }
  EXPECT_EQ(list->Items()->Count(), 3);
}

TEST_F(LumListFormFileTest, TheComboBoxStoresItsItemsUnderItsOwnNames) {
  TForm* form = NewForm();
  form->SetName("Form1");
  TLumComboBox* combo = NewCombo(form, csDropDownList);
  combo->Items()->Add("alpha");
  combo->Items()->Add("beta");
  combo->Items()->SetBitmap(0, SolidBitmap(16, 16, clRed).get());
  combo->Items()->SetHint(1, "b");
  const String text = WriteFormText(form);
  EXPECT_NE(text.find("Items.LumComboBoxStrings"), String::npos) << text;
  EXPECT_NE(text.find("Items.LumComboBoxBitmaps"), String::npos) << text;
  EXPECT_NE(text.find("Style = csDropDownList"), String::npos) << text;
  form->SetName("Old");
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumComboBox*>(copy->FindComponent("LumComboBox1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(TextsOf(read->Items()), (std::vector<String>{"alpha", "beta"}));
  EXPECT_EQ(read->Items()->GetBitmap(0)->Width(), 16);
  EXPECT_EQ(read->Items()->GetHint(1), "b");
  EXPECT_EQ(WriteFormText(copy), text);
}

} // namespace
