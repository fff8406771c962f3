#include "framework/controls/FileDialogForm.h"

#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Image.h"
#include "framework/controls/Labels.h"
#include "framework/controls/ListBoxes.h"
#include "framework/controls/Panels.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/FileSystem.h"
#include "framework/rtl/Strings.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace {

constexpr int ListTop = 50, ListHeight = 160, PreviewLeft = 488, PreviewSize = 160;

bool IsFolderEntry(const String& Folder, const dirent* Entry) {
  if (Entry->d_type == DT_DIR) return true;
  if (Entry->d_type != DT_UNKNOWN && Entry->d_type != DT_LNK) return false;
  return DirectoryExists(IncludeTrailingPathDelimiter(Folder) + Entry->d_name);
}

void SortIgnoringCase(std::vector<String>& Names) {
  std::sort(Names.begin(), Names.end(),
            [](const String& a, const String& b) { return CompareText(a, b) < 0; });
}

void FillList(TListBox* List, const std::vector<String>& Names) {
  String text;
  for (const String& name : Names) text += name + "\r\n";
  List->Items()->SetText(text);
}

bool HasWildcard(const String& Name) { return Name.find_first_of("*?") != String::npos; }

// The names of the name field: one name, or several each in double quotes.
std::vector<String> TypedNames(const String& Text) {
  if (Text.find('"') == String::npos) return {Text};
  std::vector<String> names;
  std::size_t start = Text.find('"');
  while (start != String::npos) {
    const std::size_t end = Text.find('"', start + 1);
    const String name = Trim(Text.substr(start + 1, end == String::npos ? end : end - start - 1));
    if (!name.empty()) names.push_back(name);
    start = end == String::npos ? end : Text.find('"', end + 1);
  }
  return names;
}

String QuotedNames(const std::vector<String>& Names) {
  if (Names.size() == 1) return Names[0];
  String text;
  for (const String& name : Names) text += (text.empty() ? "\"" : " \"") + name + "\"";
  return text;
}

} // namespace

TFolderEntries ReadFolderEntries(const String& Folder) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(Folder.c_str()), closedir);
  if (!dir) throw EInOutError("Cannot read folder \"" + Folder + "\". " + std::strerror(errno));
  TFolderEntries entries;
  while (const dirent* entry = readdir(dir.get())) {
    if (entry->d_name[0] == '.') continue;
    (IsFolderEntry(Folder, entry) ? entries.Folders : entries.Files).push_back(entry->d_name);
  }
  SortIgnoringCase(entries.Folders);
  SortIgnoringCase(entries.Files);
  return entries;
}

std::vector<TFilterChoice> ParseFilter(const String& Filter) {
  std::vector<TFilterChoice> choices;
  std::size_t start = 0;
  while (start < Filter.size()) {
    const std::size_t bar = Filter.find('|', start);
    const String description = Filter.substr(start, bar == String::npos ? bar : bar - start);
    if (bar == String::npos) {
      choices.push_back({description, description});
      break;
    }
    const std::size_t next = Filter.find('|', bar + 1);
    choices.push_back(
        {description, Filter.substr(bar + 1, next == String::npos ? next : next - bar - 1)});
    if (next == String::npos) break;
    start = next + 1;
  }
  return choices;
}

bool MatchesMasks(const String& FileName, const String& Masks) {
  std::size_t start = 0;
  while (start <= Masks.size()) {
    std::size_t end = Masks.find(';', start);
    if (end == String::npos) end = Masks.size();
    String mask = Trim(Masks.substr(start, end - start));
    if (mask == "*.*") mask = "*";
    if (!mask.empty() && fnmatch(mask.c_str(), FileName.c_str(), FNM_CASEFOLD) == 0) return true;
    start = end + 1;
  }
  return false;
}

TFileDialogForm::TFileDialogForm(TComponent* AOwner, const TFileDialogRequest& Request)
    : TForm(AOwner), FRequest(Request), FFilterIndex(Request.FilterIndex) {
  const String title = !Request.Title.empty() ? Request.Title
                       : Request.Saving       ? String("Save As")
                                              : String("Open");
  SetUpDialogForm(this, title, Request.Preview ? PreviewLeft + PreviewSize + 8 : 480, 270);
  BuildControls(Request.Preview);
  FillFilters();
  const String named = ExtractFilePath(Request.FileName);
  const String start = !Request.InitialDir.empty() ? Request.InitialDir
                       : !named.empty()            ? named
                                                   : GetCurrentDir();
  ShowFolder(ExpandFileName(start));
  FFileNameEdit->SetText(ExtractFileName(Request.FileName));
}

void TFileDialogForm::BuildControls(bool Preview) {
  FFileNameEdit = PlaceNamed<TEdit>(this, this, "FileNameEdit", Bounds(8, 24, 200, 21));
  AddDialogLabel(this, this, "File &name:", 8, 8, FFileNameEdit);
  FFileList = PlaceNamed<TListBox>(this, this, "FileList", Bounds(8, ListTop, 200, ListHeight));
  FFileList->SetMultiSelect(FRequest.Options.Contains(ofAllowMultiSelect));
  FFileList->SetOnClick([this](TObject* s) { FileListClick(s); });
  FFileList->SetOnDblClick([this](TObject* s) { FileListDblClick(s); });
  FFolderList =
      PlaceNamed<TListBox>(this, this, "FolderList", Bounds(220, ListTop, 170, ListHeight));
  FFolderList->SetOnDblClick([this](TObject* s) { FolderListDblClick(s); });
  AddDialogLabel(this, this, "&Folders:", 220, 8, FFolderList);
  FFolderLabel = AddDialogLabel(this, this, "", 220, 28);
  FFolderLabel->SetName("FolderLabel");
  FFolderLabel->SetAutoSize(false);
  FFolderLabel->SetBounds(220, 28, 170, 16);
  FFilterCombo = PlaceNamed<TComboBox>(this, this, "FilterCombo", Bounds(8, 236, 200, 21));
  FFilterCombo->SetStyle(csDropDownList);
  FFilterCombo->SetOnChange([this](TObject* s) { FilterChange(s); });
  AddDialogLabel(this, this, "Files of &type:", 8, 219, FFilterCombo);
  FOkButton =
      AddDialogButton(this, "OkButton", FRequest.Saving ? "&Save" : "&Open", mrNone, 400, 24);
  FOkButton->SetDefault(true);
  FOkButton->SetOnClick([this](TObject* s) { OkClick(s); });
  AddDialogButton(this, "CancelButton", "Cancel", mrCancel, 400, 56)->SetCancel(true);
  FReadOnlyCheck = PlaceNamed<TCheckBox>(this, this, "ReadOnlyCheck", Bounds(400, 92, 80, 17));
  FReadOnlyCheck->SetCaption("&Read only");
  FReadOnlyCheck->SetChecked(FRequest.Options.Contains(ofReadOnly));
  FReadOnlyCheck->SetVisible(!FRequest.Options.Contains(ofHideReadOnly));
  SetActiveControl(FFileNameEdit);
  if (!Preview) return;
  auto* frame = PlaceNamed<TPanel>(this, this, "PreviewPanel",
                                   Bounds(PreviewLeft, 24, PreviewSize, PreviewSize));
  frame->SetCaption("");
  frame->SetBevelOuter(bvLowered);
  FPreviewImage = PlaceNamed<TImage>(this, frame, "PreviewImage",
                                     Bounds(2, 2, PreviewSize - 4, PreviewSize - 4));
  FPreviewImage->SetStretch(true);
  FPreviewImage->SetProportional(true);
  FPreviewImage->SetCenter(true);
  AddDialogLabel(this, this, "Preview:", PreviewLeft, 8);
  FPreviewLabel = AddDialogLabel(this, this, "(None)", PreviewLeft, 24 + PreviewSize + 6);
  FPreviewLabel->SetName("PreviewLabel");
}

void TFileDialogForm::FillFilters() {
  FFilters = ParseFilter(FRequest.Filter);
  if (FFilters.empty()) FFilters.push_back({"", "*"});
  for (const TFilterChoice& choice : FFilters) FFilterCombo->Items()->Add(choice.Description);
  const int index = std::clamp(FFilterIndex, 1, static_cast<int>(FFilters.size()));
  FFilterIndex = index;
  FFilterCombo->SetItemIndex(index - 1);
  FMasks = FFilters[index - 1].Masks;
}

bool TFileDialogForm::ShowFolder(const String& Folder) {
  try {
    FEntries = ReadFolderEntries(Folder);
  } catch (const EInOutError& e) {
    if (FFolder.empty()) { // nothing shown yet: show the folder empty, so the user can go up
      FFolder = Folder;
      FEntries = {};
      FillFolderList();
      FillFileList();
    }
    MessageDlg(e.Message(), mtError, TMsgDlgButtons{mbOK}, 0);
    return false;
  }
  FFolder = Folder;
  FillFolderList();
  FillFileList();
  return true;
}

void TFileDialogForm::FillFolderList() {
  FFolderLabel->SetCaption(FFolder);
  std::vector<String> names;
  if (FFolder != "/") names.push_back("..");
  names.insert(names.end(), FEntries.Folders.begin(), FEntries.Folders.end());
  FillList(FFolderList, names);
}

void TFileDialogForm::FillFileList() {
  std::vector<String> names;
  for (const String& name : FEntries.Files)
    if (MatchesMasks(name, FMasks)) names.push_back(name);
  FillList(FFileList, names);
}

bool TFileDialogForm::ReadOnlyChecked() const { return FReadOnlyCheck->Checked(); }

void TFileDialogForm::FileListClick(TObject*) {
  std::vector<String> names;
  if (!FFileList->MultiSelect() && FFileList->ItemIndex() >= 0)
    names.push_back(FFileList->Items()->Strings(FFileList->ItemIndex()));
  for (int i = 0; FFileList->MultiSelect() && i < FFileList->Items()->Count(); ++i)
    if (FFileList->Selected(i)) names.push_back(FFileList->Items()->Strings(i));
  if (names.empty()) return;
  FFileNameEdit->SetText(QuotedNames(names));
  if (FPreviewImage) ShowPreview(IncludeTrailingPathDelimiter(FFolder) + names.front());
}

void TFileDialogForm::FileListDblClick(TObject* Sender) {
  FileListClick(Sender);
  OkClick(Sender);
}

void TFileDialogForm::FolderListDblClick(TObject*) { OpenFolderItem(); }

void TFileDialogForm::OpenFolderItem() {
  const int index = FFolderList->ItemIndex();
  if (index < 0) return;
  const String name = FFolderList->Items()->Strings(index);
  ShowFolder(name == ".." ? ExtractFileDir(FFolder) : IncludeTrailingPathDelimiter(FFolder) + name);
}

void TFileDialogForm::FilterChange(TObject*) {
  const int index = FFilterCombo->ItemIndex();
  if (index < 0) return;
  FFilterIndex = index + 1;
  FMasks = FFilters[index].Masks;
  FillFileList();
}

void TFileDialogForm::OkClick(TObject*) {
  if (ActiveControl() == FFolderList && FFolderList->Focused()) {
    OpenFolderItem();
    return;
  }
  const String text = Trim(FFileNameEdit->Text());
  if (!text.empty()) AcceptTypedText(text);
}

void TFileDialogForm::AcceptTypedText(const String& Text) {
  const std::vector<String> names = TypedNames(Text);
  if (names.size() == 1) {
    const String path = ExpandFileName(
        names[0][0] == PathDelim ? names[0] : IncludeTrailingPathDelimiter(FFolder) + names[0]);
    if (DirectoryExists(path)) {
      if (ShowFolder(path)) FFileNameEdit->SetText("");
      return;
    }
    if (HasWildcard(ExtractFileName(path))) {
      FMasks = ExtractFileName(path);
      if (ExtractFileDir(path) == FFolder || ShowFolder(ExtractFileDir(path))) FillFileList();
      return;
    }
  }
  if (AcceptFiles(names)) SetModalResult(mrOk);
}

bool TFileDialogForm::AcceptFiles(const std::vector<String>& Names) {
  std::vector<String> chosen;
  for (const String& name : Names) {
    String path =
        ExpandFileName(name[0] == PathDelim ? name : IncludeTrailingPathDelimiter(FFolder) + name);
    if (!AcceptFile(path)) return false;
    chosen.push_back(path);
  }
  FChosen = std::move(chosen);
  return !FChosen.empty();
}

bool TFileDialogForm::AcceptFile(String& Path) {
  const TOpenOptions options = FRequest.Options;
  if (ExtractFileExt(Path).empty() && !FRequest.DefaultExt.empty())
    Path += "." + FRequest.DefaultExt;
  if ((options.Contains(ofPathMustExist) || options.Contains(ofFileMustExist)) &&
      !DirectoryExists(ExtractFileDir(Path))) {
    Warn(ExtractFileDir(Path) +
         "\nPath does not exist.\nPlease verify the correct path was given.");
    return false;
  }
  if (options.Contains(ofFileMustExist) && !FileExists(Path)) {
    Warn(ExtractFileName(Path) +
         "\nFile not found.\nPlease verify the correct file name was given.");
    return false;
  }
  if (FRequest.Saving && options.Contains(ofOverwritePrompt) && FileExists(Path))
    return MessageDlg(Path + " already exists.\nDo you want to replace it?", mtWarning,
                      TMsgDlgButtons{mbYes, mbNo}, 0) == mrYes;
  return true;
}

void TFileDialogForm::Warn(const String& Text) {
  MessageDlg(Text, mtWarning, TMsgDlgButtons{mbOK}, 0);
}

void TFileDialogForm::ShowPreview(const String& Path) {
  try {
    FPreviewImage->Picture()->LoadFromFile(Path);
    FPreviewLabel->SetCaption(IntToStr(FPreviewImage->Picture()->Width()) + " x " +
                              IntToStr(FPreviewImage->Picture()->Height()));
  } catch (const Exception&) {
    FPreviewImage->Picture()->Assign(nullptr);
    FPreviewLabel->SetCaption("(None)");
  }
}
