#include "framework/controls/RadioGroup.h"

#include <algorithm>

// One line of a radio group: owned by the group and its child, never stored on its own.
class TGroupButton : public TRadioButton {
  LUM_CLASS(TGroupButton, TRadioButton)
public:
  explicit TGroupButton(TCustomRadioGroup* Group) : TRadioButton(Group), FGroup(Group) {
    Group->FButtons.push_back(this);
    FVisible = false;
    FEnabled = Group->Enabled();
    FParentShowHint = false;
    FOnClick = [Group](TObject* Sender) { Group->ButtonClicked(Sender); };
    SetParent(Group);
  }
  ~TGroupButton() override {
    auto& list = FGroup->FButtons;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }

protected:
  void CNCommand(TMessage& Message) override {
    if (FInClick) return;
    const WORD code = Message.WParamHi();
    if ((code != BN_CLICKED && code != BN_DOUBLECLICKED) || !FGroup->CanModify()) return;
    FInClick = true;
    try {
      TRadioButton::CNCommand(Message);
    } catch (...) {
      FInClick = false;
      throw;
    }
    FInClick = false;
  }
  void KeyDown(Word& Key, TShiftState Shift) override {
    TRadioButton::KeyDown(Key, Shift);
    FGroup->KeyDown(Key, Shift);
  }
  void KeyPress(char& Key) override {
    TRadioButton::KeyPress(Key);
    FGroup->KeyPress(Key);
    if ((Key == '\b' || Key == ' ') && !FGroup->CanModify()) Key = 0;
  }
  // Keyboard focus checks the button only where the group allows a change.
  void WMSetFocus(TMessage& Message) override {
    if (FGroup->CanModify()) return TRadioButton::WMSetFocus(Message);
    TButtonControl::WMSetFocus(Message);
  }

private:
  TCustomRadioGroup* FGroup;
  bool FInClick = false;
};

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>()) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FItems->SetOnChange([this](TObject*) { ItemsChanged(); });
}

TCustomRadioGroup::~TCustomRadioGroup() {
  FItems->SetOnChange(nullptr);
  SetButtonCount(0);
}

TRadioButton* TCustomRadioGroup::Buttons(int Index) const {
  if (Index < 0 || Index >= ButtonCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FButtons[static_cast<std::size_t>(Index)];
}

void TCustomRadioGroup::GetChildren(const TGetChildProc&, TComponent*) {}

void TCustomRadioGroup::SetColumns(int Value) {
  Value = std::clamp(Value, 1, 16);
  if (FColumns == Value) return;
  FColumns = Value;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (FReading) {
    FItemIndex = Value;
    return;
  }
  Value = std::clamp(Value, -1, ButtonCount() - 1);
  if (FItemIndex == Value) return;
  if (FItemIndex >= 0) FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(false);
  FItemIndex = Value;
  if (FItemIndex >= 0) FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(true);
}

void TCustomRadioGroup::ButtonClicked(TObject* Sender) {
  if (FUpdating) return;
  const auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
  FItemIndex = it == FButtons.end() ? -1 : static_cast<int>(it - FButtons.begin());
  Changed();
  Click();
}

void TCustomRadioGroup::ItemsChanged() {
  if (FReading) return;
  FItemIndex = std::min(FItemIndex, FItems->Count() - 1);
  UpdateButtons();
}

void TCustomRadioGroup::SetButtonCount(int Value) {
  while (ButtonCount() < Value) new TGroupButton(this);
  while (ButtonCount() > Value) FButtons.back()->Free();
}

void TCustomRadioGroup::UpdateButtons() {
  SetButtonCount(FItems->Count());
  for (int i = 0; i < ButtonCount(); ++i)
    FButtons[static_cast<std::size_t>(i)]->SetText(FItems->Strings(i));
  if (FItemIndex >= 0) {
    FUpdating = true;
    FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(true);
    FUpdating = false;
  }
  ArrangeButtons();
  Invalidate();
}

// Rows share the height below the caption line; columns share the width inside the frame.
void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty() || FReading) return;
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, FFont->Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int count = ButtonCount();
  const int perColumn = (count + FColumns - 1) / FColumns;
  const int buttonWidth = (FWidth - 10) / FColumns;
  const int room = FHeight - metrics.tmHeight - 5;
  const int buttonHeight = room / perColumn;
  const int topMargin = metrics.tmHeight + 1 + (room % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    TGroupButton* button = FButtons[static_cast<std::size_t>(i)];
    button->SetBounds((i / perColumn) * buttonWidth + 8, (i % perColumn) * buttonHeight + topMargin,
                      buttonWidth, buttonHeight);
    button->SetVisible(true);
  }
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  ArrangeButtons();
}

void TCustomRadioGroup::ReadState(TReader* Reader) {
  FReading = true;
  try {
    TCustomGroupBox::ReadState(Reader);
  } catch (...) {
    FReading = false;
    throw;
  }
  FReading = false;
  FItemIndex = std::clamp(FItemIndex, -1, FItems->Count() - 1);
  UpdateButtons();
}

void TCustomRadioGroup::WMSize(TMessage& Message) {
  TCustomGroupBox::WMSize(Message);
  ArrangeButtons();
}

void TCustomRadioGroup::CMEnabledChanged(TMessage& Message) {
  TCustomGroupBox::CMEnabledChanged(Message);
  for (TGroupButton* button : FButtons) button->SetEnabled(FEnabled);
}

void TCustomRadioGroup::CMFontChanged(TMessage& Message) {
  TCustomGroupBox::CMFontChanged(Message);
  ArrangeButtons();
}
