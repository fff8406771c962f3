#pragma once

#include "framework/classes/StringList.h"
#include "framework/controls/Control.h"

#include <vector>

class TCustomForm;
class TWinControl;

// The screen as the application sees it: its forms (the most recently active first), the
// active form and control, the mouse cursor over everything, the size and the fonts.
class TScreen : public TComponent {
  LUM_CLASS(TScreen, TComponent)
public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const;
  int CustomFormCount() const { return FormCount(); }
  TCustomForm* CustomForms(int Index) const { return Forms(Index); }
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TCustomForm* ActiveCustomForm() const { return FActiveForm; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  TCursor Cursor() const { return FCursor; }
  // Shows at once; crDefault gives each control its own cursor back.
  void SetCursor(TCursor Value);
  HCURSOR Cursors(TCursor Index) const { return CursorHandle(Index); }
  int Width() const;
  int Height() const;
  // The font families the system has, sorted.
  TStrings* Fonts();

  // Kept by the forms.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void FormActivated(TCustomForm* Form, TWinControl* Control);
  TCustomForm* FocusedForm() const { return FFocusedForm; }
  void SetFocusedForm(TCustomForm* Form) { FFocusedForm = Form; }

private:
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TCustomForm* FFocusedForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  TCursor FCursor = crDefault;
  std::unique_ptr<TStringList> FFonts;
};

// The one screen.
TScreen* Screen();
