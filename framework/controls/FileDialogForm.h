#pragma once

#include "framework/controls/CommonDialogs.h"

#include <vector>

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TImage;
class TLabel;
class TListBox;

// A folder's entries that a file dialog lists: subfolders and files apart, each sorted
// ignoring letter case, hidden entries (a leading '.') left out. A folder that cannot be
// read raises EInOutError "Cannot read folder "…". <reason>".
struct TFolderEntries {
  std::vector<String> Folders;
  std::vector<String> Files;
};
TFolderEntries ReadFolderEntries(const String& Folder);

// One choice of a filter text "Text files|*.txt;*.log|All|*.*".
struct TFilterChoice {
  String Description;
  String Masks;
};
std::vector<TFilterChoice> ParseFilter(const String& Filter);
// Whether a file name matches one of the masks ("*.txt;*.log"), letter case ignored; "*.*"
// matches every name, with or without a point.
bool MatchesMasks(const String& FileName, const String& Masks);

// The form of the open, save and picture dialogs. Its controls are named for the user who
// drives it: FileNameEdit, FileList, FolderList, FolderLabel, FilterCombo, OkButton,
// CancelButton, ReadOnlyCheck, and with a preview PreviewImage and PreviewLabel.
class TFileDialogForm : public TForm {
  LUM_CLASS(TFileDialogForm, TForm)
public:
  TFileDialogForm(TComponent* AOwner, const TFileDialogRequest& Request);

  // The folder shown; ShowFolder lists another one, or reports why it cannot and stays.
  const String& Folder() const { return FFolder; }
  bool ShowFolder(const String& Folder);
  // What was chosen, after the form closed with OK.
  const std::vector<String>& ChosenFiles() const { return FChosen; }
  Integer FilterIndex() const { return FFilterIndex; }
  bool ReadOnlyChecked() const;

private:
  void BuildControls(bool Preview);
  void FillFilters();
  void FillFileList();
  void FillFolderList();
  void FileListClick(TObject* Sender);
  void FileListDblClick(TObject* Sender);
  void FolderListDblClick(TObject* Sender);
  void FilterChange(TObject* Sender);
  void OkClick(TObject* Sender);
  void OpenFolderItem();
  // Handles the name field's text: a folder opens, a mask filters, a file is checked.
  void AcceptTypedText(const String& Text);
  bool AcceptFiles(const std::vector<String>& Names);
  bool AcceptFile(String& Path);
  void ShowPreview(const String& Path);
  void Warn(const String& Text);

  TFileDialogRequest FRequest;
  String FFolder;
  String FMasks;
  TFolderEntries FEntries;
  std::vector<String> FChosen;
  Integer FFilterIndex = 1;
  std::vector<TFilterChoice> FFilters;

  TEdit* FFileNameEdit = nullptr;
  TListBox* FFileList = nullptr;
  TListBox* FFolderList = nullptr;
  TLabel* FFolderLabel = nullptr;
  TComboBox* FFilterCombo = nullptr;
  TButton* FOkButton = nullptr;
  TCheckBox* FReadOnlyCheck = nullptr;
  TImage* FPreviewImage = nullptr;
  TLabel* FPreviewLabel = nullptr;
};
