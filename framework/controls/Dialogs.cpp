#include "framework/controls/Dialogs.h"

#include "framework/controls/Application.h"
#include "framework/controls/Screen.h"
#include "framework/controls/StdCtrls.h"

#include <algorithm>

namespace {

constexpr int Margin = 12, IconSize = 32, Spacing = 10, ButtonWidth = 75, ButtonHeight = 25,
              ButtonGap = 6;

const char* const TypeCaptions[] = {"Warning", "Error", "Information", "Confirm", ""};
const char* const ButtonCaptions[] = {"&Yes",       "&No",         "OK",      "Cancel",
                                      "&Abort",     "&Retry",      "&Ignore", "&All",
                                      "N&o to All", "Yes to &All", "&Help"};
constexpr TModalResult ButtonResults[] = {mrYes,    mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                                          mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone};
const char* const ButtonNames[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                   "Ignore", "All", "NoToAll", "YesToAll", "Help"};

String WithoutAccelerator(const String& Caption) {
  String s;
  for (std::size_t i = 0; i < Caption.size(); ++i)
    if (Caption[i] != '&' || (i + 1 < Caption.size() && Caption[i + 1] == '&')) s += Caption[i];
  return s;
}

// Draws the classic message icons: a red stop disc, a yellow warning triangle, a blue
// information or question bubble.
void DrawMessageIcon(TCanvas* C, TMsgDlgType Type, int X, int Y) {
  if (Type == mtCustom) return;
  C->Pen()->SetColor(clBlack);
  C->Font()->SetStyle(TFontStyles{fsBold});
  C->Font()->SetHeight(-20);
  String glyph;
  if (Type == mtWarning) {
    C->Brush()->SetColor(clYellow);
    const TPoint triangle[] = {{X + 16, Y + 1}, {X + 31, Y + 30}, {X + 1, Y + 30}};
    C->Polygon(triangle);
    glyph = "!";
    C->Font()->SetColor(clBlack);
  } else {
    C->Brush()->SetColor(Type == mtError ? clRed : clBlue);
    C->Ellipse(X + 1, Y + 1, X + 31, Y + 31);
    glyph = Type == mtError ? "X" : Type == mtInformation ? "i" : "?";
    C->Font()->SetColor(clWhite);
  }
  C->Brush()->SetStyle(bsClear);
  const TSize size = C->TextExtent(glyph);
  C->TextOut(X + (IconSize - size.cx) / 2, Y + (IconSize - size.cy) / 2 + 2, glyph);
}

class TMessageForm : public TForm {
  LUM_CLASS(TMessageForm, TForm)
public:
  TMessageForm(TComponent* AOwner, TMsgDlgType AType, const String& AText)
      : TForm(AOwner), FType(AType), FMessage(AText) {}

  TRect TextRect;

protected:
  void Paint() override {
    TForm::Paint();
    DrawMessageIcon(Canvas(), FType, Margin, Margin);
    Canvas()->Font()->Assign(Font());
    Canvas()->Brush()->SetStyle(bsClear);
    RECT r = TextRect;
    DrawTextA(Canvas()->Handle(), FMessage.c_str(), -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }

private:
  TMsgDlgType FType;
  String FMessage;
};

TRect MeasureText(TFont* Font, const String& Text, int MaxWidth) {
  RECT r = Rect(0, 0, MaxWidth, 0);
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, Font->Handle());
  DrawTextA(dc, Text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r;
}

TMsgDlgBtn DefaultOf(TMsgDlgButtons Buttons) {
  if (Buttons.Contains(mbOK)) return mbOK;
  if (Buttons.Contains(mbYes)) return mbYes;
  return mbRetry;
}

TMsgDlgBtn CancelOf(TMsgDlgButtons Buttons) {
  if (Buttons.Contains(mbCancel)) return mbCancel;
  if (Buttons.Contains(mbNo)) return mbNo;
  return mbOK;
}

} // namespace

std::function<void(const TShownMessage& Message, TForm* Dialog)>& OnMessageShown() {
  static std::function<void(const TShownMessage&, TForm*)> hook;
  return hook;
}

TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  auto* form = new TMessageForm(Application(), DlgType, Msg);
  form->AfterConstruction();
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetText(DlgType == mtCustom ? Application()->Title() : String(TypeCaptions[DlgType]));
  std::vector<TMsgDlgBtn> kinds;
  for (int b = mbYes; b <= mbHelp; ++b)
    if (Buttons.Contains(static_cast<TMsgDlgBtn>(b))) kinds.push_back(static_cast<TMsgDlgBtn>(b));
  const TRect text = MeasureText(form->Font(), Msg, Screen()->Width() / 2);
  const int textLeft = DlgType == mtCustom ? Margin : Margin + IconSize + Spacing;
  const int buttonsWidth =
      static_cast<int>(kinds.size()) * (ButtonWidth + ButtonGap) - (kinds.empty() ? 0 : ButtonGap);
  const int contentHeight = std::max(text.Height(), DlgType == mtCustom ? 0 : IconSize);
  const int clientWidth = std::max(textLeft + text.Width() + Margin, buttonsWidth + 2 * Margin);
  const int clientHeight = Margin + contentHeight + Spacing + ButtonHeight + Margin;
  form->TextRect = Bounds(textLeft, Margin, text.Width(), text.Height());
  form->SetClientWidth(clientWidth);
  form->SetClientHeight(clientHeight);
  const TMsgDlgBtn defaultButton = DefaultOf(Buttons), cancelButton = CancelOf(Buttons);
  int x = (clientWidth - buttonsWidth) / 2;
  for (const TMsgDlgBtn kind : kinds) {
    auto* button = new TButton(form);
    button->SetName(ButtonNames[kind]);
    button->SetText(ButtonCaptions[kind]);
    button->SetModalResult(ButtonResults[kind]);
    button->SetDefault(kind == defaultButton);
    button->SetCancel(kind == cancelButton);
    button->SetBounds(x, clientHeight - Margin - ButtonHeight, ButtonWidth, ButtonHeight);
    button->SetParent(form);
    if (kind == defaultButton) form->SetActiveControl(button);
    x += ButtonWidth + ButtonGap;
  }
  return form;
}

namespace {

TShownMessage Describe(TForm* Dialog, TMsgDlgType Type, const String& Text) {
  TShownMessage shown;
  shown.Type = Type;
  shown.Caption = Dialog->Caption();
  shown.Text = Text;
  for (int i = 0; i < Dialog->ComponentCount(); ++i)
    if (auto* b = dynamic_cast<TButton*>(Dialog->Components(i))) {
      shown.Buttons.push_back(WithoutAccelerator(b->Caption()));
      if (b->Default()) shown.DefaultButton = shown.Buttons.back();
    }
  return shown;
}

int RunDialog(TForm* Dialog, TMsgDlgType Type, const String& Text) {
  try {
    if (OnMessageShown()) OnMessageShown()(Describe(Dialog, Type, Text), Dialog);
    const int result = Dialog->ShowModal();
    Dialog->Free();
    return result;
  } catch (...) {
    Dialog->Free();
    throw;
  }
}

} // namespace

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  TForm* dialog = CreateMessageDialog(Msg, DlgType, Buttons);
  dialog->SetHelpContext(HelpCtx);
  return RunDialog(dialog, DlgType, Msg);
}

void ShowMessage(const String& Msg) {
  TForm* dialog = CreateMessageDialog(Msg, mtCustom, TMsgDlgButtons{mbOK});
  RunDialog(dialog, mtCustom, Msg);
}

int ShowMessageBox(const String& Text, const String& Caption, UINT Flags) {
  TMsgDlgType type = mtCustom;
  switch (Flags & MB_ICONMASK) {
  case MB_ICONSTOP:
    type = mtError;
    break;
  case MB_ICONQUESTION:
    type = mtConfirmation;
    break;
  case MB_ICONEXCLAMATION:
    type = mtWarning;
    break;
  case MB_ICONINFORMATION:
    type = mtInformation;
    break;
  default:
    break;
  }
  static const TMsgDlgButtons sets[] = {
      {mbOK},        {mbOK, mbCancel},   {mbAbort, mbRetry, mbIgnore}, {mbYes, mbNo, mbCancel},
      {mbYes, mbNo}, {mbRetry, mbCancel}};
  const UINT kind = Flags & MB_TYPEMASK;
  TForm* dialog = CreateMessageDialog(Text, type, kind < 6 ? sets[kind] : sets[0]);
  dialog->SetText(Caption.empty() ? String("Error") : Caption);
  return RunDialog(dialog, type, Text);
}
