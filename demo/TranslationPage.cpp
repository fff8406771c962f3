#include "demo/TranslationPage.h"

#include "demo/GridsPage.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/Panels.h"
#include "framework/controls/StdCtrls.h"
#include "framework/db/Table.h"
#include "framework/rtl/FileSystem.h"
#include "translation/LumLingua.h"

#include <filesystem>
#include <memory>

namespace {

struct TSampleWord {
  const char* Word;
  const char* German;
  const char* English;
};

constexpr TSampleWord SampleWords[] = {
    {"Order", "Bestellung", "Order"},
    {"&Name:", "&Name:", "&Name:"},
    {"&Size:", "&Größe:", "&Size:"},
    {"&Gift wrapping", "&Geschenkverpackung", "&Gift wrapping"},
    {"Wrapped in paper with a bow", "In Papier mit Schleife verpackt",
     "Wrapped in paper with a bow"},
    {"&Order", "&Bestellen", "&Order"},
    {"Sends the order", "Schickt die Bestellung ab", "Sends the order"},
    {"&Cancel", "&Abbrechen", "&Cancel"},
    {"Forgets the order", "Verwirft die Bestellung", "Forgets the order"},
    {"Look up a word:", "Ein Wort nachschlagen:", "Look up a word:"},
    {"&Look up", "&Nachschlagen", "&Look up"},
    {"A missing word opens the prompt", "Ein fehlendes Wort öffnet die Abfrage",
     "A missing word opens the prompt"},
};

void Append(TTable& Table, std::initializer_list<std::pair<const char*, String>> Values) {
  Table.Append();
  for (const auto& [field, value] : Values) Table.FieldByName(field)->SetAsString(value);
  Table.Post();
}

TTable* OpenTable(TComponent* Owner, const String& Dir, const char* Name) {
  auto* table = new TTable(Owner);
  table->SetDatabaseName(Dir);
  table->SetTableName(Name);
  table->Open();
  return table;
}

void FillDatabase(const String& Dir) {
  TComponent tables(nullptr);
  TTable* languages = OpenTable(&tables, Dir, "LANGLIST");
  TTable* words = OpenTable(&tables, Dir, "LANGWORD");
  TTable* lang = OpenTable(&tables, Dir, "LANG");
  Append(*languages, {{"Lang_Name", "Deutsch"}});
  Append(*languages, {{"Lang_Name", "English"}});
  for (const TSampleWord& w : SampleWords) {
    Append(*words, {{"Word_Name", w.Word}});
    const String id = words->FieldByName("Word_ID")->AsString();
    Append(*lang, {{"Word_ID", id}, {"Lang_ID", "1"}, {"Word_Trans", w.German}});
    Append(*lang, {{"Word_ID", id}, {"Lang_ID", "2"}, {"Word_Trans", w.English}});
  }
}

template <class C>
C* Add(TWinControl* Parent, const String& Name, int Left, int Top, int Width, int Height) {
  auto* control = new C(Parent);
  control->SetName(Name);
  control->SetBounds(Left, Top, Width, Height);
  control->SetParent(Parent);
  return control;
}

TLabel* AddLabel(TWinControl* Parent, const String& Name, const String& Caption, int Left,
                 int Top) {
  auto* label = Add<TLabel>(Parent, Name, Left, Top, 200, 16);
  label->SetCaption(Caption);
  return label;
}

// The marked order form; its own TLumLingua translates it once the message loop runs.
TPanel* BuildSample(TWinControl* Parent, const String& Language) {
  auto* sample = Add<TPanel>(Parent, "", 16, 44, 520, 200);
  sample->SetCaption("");
  sample->SetShowHint(true);
  auto* title = AddLabel(sample, "Title", "##Order", 16, 8);
  title->Font()->SetStyle(TFontStyles{fsBold});
  auto* name = Add<TEdit>(sample, "NameEdit", 120, 30, 200, 21);
  name->SetText("Ada Lovelace");
  AddLabel(sample, "NameLabel", "##&Name:", 16, 34)->SetFocusControl(name);
  auto* size = Add<TComboBox>(sample, "SizeBox", 120, 58, 120, 21);
  size->SetStyle(csDropDownList);
  size->Items()->SetText("S\nM\nL\nXL");
  size->SetItemIndex(1);
  AddLabel(sample, "SizeLabel", "##&Size:", 16, 62)->SetFocusControl(size);
  auto* wrap = Add<TCheckBox>(sample, "WrapBox", 16, 86, 300, 20);
  wrap->SetCaption("##&Gift wrapping");
  wrap->SetHint("##Wrapped in paper with a bow");
  wrap->SetChecked(true);
  auto* order = Add<TButton>(sample, "OrderButton", 120, 112, 110, 27);
  order->SetCaption("##&Order");
  order->SetHint("##Sends the order");
  auto* cancel = Add<TButton>(sample, "CancelButton", 240, 112, 110, 27);
  cancel->SetCaption("##&Cancel");
  cancel->SetHint("##Forgets the order");
  AddLabel(sample, "LookUpLabel", "##Look up a word:", 16, 150);
  auto* word = Add<TEdit>(sample, "WordEdit", 16, 168, 200, 21);
  word->SetText("Forgets the order");
  auto* lookUp = Add<TButton>(sample, "LookUpButton", 224, 166, 110, 25);
  lookUp->SetCaption("##&Look up");
  lookUp->SetHint("##A missing word opens the prompt");
  auto* answer = AddLabel(sample, "Answer", "", 344, 170);
  answer->SetWidth(150);
  auto* lingua = new TLumLingua(sample);
  lingua->SetName("LumLingua1");
  lingua->SetNewWordPrompt(false);
  lingua->SetDatabaseName(GalleryLinguaDatabase());
  lingua->SetLanguage(Language);
  // The form's own texts never ask; the look-up does.
  lookUp->SetOnClick([lingua, word, answer](TObject*) {
    lingua->SetNewWordPrompt(true);
    answer->SetCaption("= " + lingua->GetWord(word->Text()));
    lingua->SetNewWordPrompt(false);
  });
  return sample;
}

} // namespace

String GalleryLinguaDatabase() {
  const String dir = GalleryDataDir() + "/LumLinguaDB";
  std::filesystem::create_directories(dir);
  TTable probe(nullptr);
  probe.SetDatabaseName(dir);
  probe.SetTableName("LANGLIST");
  if (probe.Exists()) return dir;
  TLumLingua maker(nullptr);
  for (int n = 1; n <= 3; ++n) maker.Erzeuge_Tabelle(dir, n);
  FillDatabase(dir);
  return dir;
}

void FillTranslation(TWinControl* Parent) {
  AddLabel(Parent, "", "Language:", 16, 16);
  auto* languages = Add<TComboBox>(Parent, "", 100, 12, 140, 21);
  languages->SetStyle(csDropDownList);
  languages->Items()->SetText("Deutsch\nEnglish");
  languages->SetItemIndex(0);
  auto sample = std::make_shared<TPanel*>(BuildSample(Parent, "Deutsch"));
  languages->SetOnChange([Parent, languages, sample](TObject*) {
    (*sample)->Free();
    *sample = BuildSample(Parent, languages->Items()->Strings(languages->ItemIndex()));
  });
}
