#pragma once

#include "framework/classes/StringList.h"
#include "framework/controls/Forms.h"

#include <memory>

// The common dialogs: components that, on each Execute, build a modal form of the
// framework's own controls, show it, keep what the user chose and free the form. Execute
// answers true when the form closed with OK.
class TCommonDialog : public TComponent {
  LUM_CLASS(TCommonDialog, TComponent)
public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

  LUM_PUBLISHED(bool, Ctl3D, FCtl3D, Field, Default(true))
  LUM_PUBLISHED(Integer, HelpContext, FHelpContext, Field, Default(0))
  LUM_PUBLISHED(TNotifyEvent, OnClose, FOnClose, Field, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnShow, FOnShow, Field, NoDefault)

  virtual bool Execute() = 0;

protected:
  // Completes the form, shows it modally between OnShow and OnClose, lets Collect read the
  // choice when it closed with OK, and frees it; true for OK.
  bool RunForm(TForm* Form, const std::function<void()>& Collect);

private:
  bool FCtl3D = true;
  Integer FHelpContext = 0;
  TNotifyEvent FOnClose;
  TNotifyEvent FOnShow;
};

LUM_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp,
         ofNoValidate, ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist,
         ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton,
         ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify,
         ofEnableSizing);
using TOpenOptions = TSet<TOpenOption>;

// What the file form asks of its dialog, and what it hands back.
struct TFileDialogRequest {
  bool Saving = false;
  bool Preview = false; // a picture preview beside the lists
  String Title;
  String FileName;
  String InitialDir;
  String Filter;
  Integer FilterIndex = 1;
  String DefaultExt;
  TOpenOptions Options;
};

// Asks for a file to open: a folder list, a file list filtered by the chosen pattern of
// Filter ("Text|*.txt|All|*.*"), a name field for names and typed paths.
class TOpenDialog : public TCommonDialog {
  LUM_CLASS(TOpenDialog, TCommonDialog)
public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  LUM_PUBLISHED(String, DefaultExt, FDefaultExt, Field, NoDefault)
  LUM_PUBLISHED(String, FileName, FFileName, Field, NoDefault)
  LUM_PUBLISHED(String, Filter, FFilter, Field, NoDefault)
  LUM_PUBLISHED(Integer, FilterIndex, FFilterIndex, Field, Default(1))
  LUM_PUBLISHED(String, InitialDir, FInitialDir, Field, NoDefault)
  LUM_PUBLISHED(TOpenOptions, Options, FOptions, Field, Default(TOpenOptions{ofHideReadOnly}))
  LUM_PUBLISHED(String, Title, FTitle, Field, NoDefault)

  // Every chosen file with its full path (several with ofAllowMultiSelect).
  TStrings* Files() const { return FFiles.get(); }
  bool Execute() override;

protected:
  virtual bool Saving() const { return false; }
  virtual bool Preview() const { return false; }

private:
  TFileDialogRequest Request() const;

  String FDefaultExt;
  String FFileName;
  String FFilter;
  Integer FFilterIndex = 1;
  String FInitialDir;
  TOpenOptions FOptions{ofHideReadOnly};
  String FTitle;
  std::unique_ptr<TStringList> FFiles;
};

// Asks for a file name to save under; with ofOverwritePrompt an existing file is only
// taken after the user confirms replacing it.
class TSaveDialog : public TOpenDialog {
  LUM_CLASS(TSaveDialog, TOpenDialog)
public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
  bool Saving() const override { return true; }
};

// The open dialog with a preview of the chosen picture and its size.
class TOpenPictureDialog : public TOpenDialog {
  LUM_CLASS(TOpenPictureDialog, TOpenDialog)
public:
  explicit TOpenPictureDialog(TComponent* AOwner);

protected:
  bool Preview() const override { return true; }
};

LUM_ENUM(TFontDialogDevice, fdScreen, fdPrinter, fdBoth);
LUM_ENUM(TFontDialogOption, fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly,
         fdForceFontExist, fdNoFaceSel, fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel,
         fdNoVectorFonts, fdShowHelp, fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton);
using TFontDialogOptions = TSet<TFontDialogOption>;
using TFDApplyEvent = std::function<void(TObject* Sender, HWND Wnd)>;

// Asks for a font: face, style, size, and with fdEffects colour, underline and strike-out,
// with a sample of the choice. With fdLimitSize the size must lie in MinFontSize to
// MaxFontSize; with fdApplyButton an Apply button hands the current choice to OnApply.
class TFontDialog : public TCommonDialog {
  LUM_CLASS(TFontDialog, TCommonDialog)
public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;

  LUM_PUBLISHED(TFontDialogDevice, Device, FDevice, Field, Default(fdScreen))
  LUM_PUBLISHED(TFont*, Font, FFont, Field, NoDefault)
  LUM_PUBLISHED(Integer, MaxFontSize, FMaxFontSize, Field, Default(0))
  LUM_PUBLISHED(Integer, MinFontSize, FMinFontSize, Field, Default(0))
  LUM_PUBLISHED(TFontDialogOptions, Options, FOptions, Field,
                Default(TFontDialogOptions{fdEffects}))
  LUM_PUBLISHED(TFDApplyEvent, OnApply, FOnApply, Field, NoDefault)

  bool Execute() override;

private:
  TFontDialogDevice FDevice = fdScreen;
  std::unique_ptr<TFont> FFont;
  Integer FMaxFontSize = 0;
  Integer FMinFontSize = 0;
  TFontDialogOptions FOptions{fdEffects};
  TFDApplyEvent FOnApply;
};

LUM_ENUM(TColorDialogOption, cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor);
using TColorDialogOptions = TSet<TColorDialogOption>;

// Asks for a colour: the 48 basic colours, 16 custom colours kept in CustomColors as
// "ColorA=BBGGRR" … "ColorP=…" (hexadecimal TColor values), and a field to pick any colour
// by hue and saturation with a luminance bar, opened by "Define Custom Colors >>".
class TColorDialog : public TCommonDialog {
  LUM_CLASS(TColorDialog, TCommonDialog)
public:
  explicit TColorDialog(TComponent* AOwner);
  ~TColorDialog() override;

  LUM_PUBLISHED(TColor, Color, FColor, Field, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(TStrings*, CustomColors, FCustomColors, Field, NoDefault)
  LUM_PUBLISHED(TColorDialogOptions, Options, FOptions, Field, Default(TColorDialogOptions{}))

  bool Execute() override;

private:
  TColor FColor = clBlack;
  std::unique_ptr<TStringList> FCustomColors;
  TColorDialogOptions FOptions;
};
