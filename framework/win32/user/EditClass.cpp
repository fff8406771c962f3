#include "framework/win32/user/EditClass.h"

#include "framework/win32/gdi/GdiFont.h"
#include "framework/win32/user/Clipboard.h"
#include "framework/win32/user/DefaultProc.h"
#include "framework/win32/user/EditBuffer.h"
#include "framework/win32/user/EditDefs.h"
#include "framework/win32/user/EditLayout.h"
#include "framework/win32/user/EditPaint.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/Input.h"
#include "framework/win32/user/MessageQueue.h"
#include "framework/win32/user/Metrics.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/ScrollBars.h"
#include "framework/win32/user/WindowClasses.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>

namespace {

std::uint64_t Beeps = 0;

constexpr int SystemFontIndex = 13;
constexpr std::size_t SingleLineUnlimited = 0x7FFFFFFE, MultiLineUnlimited = 0xFFFFFFFF;
constexpr WORD IdOk = 1;

struct TEdit {
  HWND Handle = nullptr;
  TEditBuffer Buffer;
  TEditLayout Layout;
  std::uint64_t LaidOutVersion = 0;
  THandleId Font = 0;
  int LeftMargin = 0;
  int RightMargin = 0;
  std::optional<TRect> FormatRect;
  int XOffset = 0;
  int TopLine = 0;
  char32_t PasswordChar = 0;
  String PendingBytes; // the leading bytes of a character typed byte by byte
  bool DialogMode = false;
  bool Tracking = false;
  bool Destroyed = false;
  bool CaretHidden = false; // the blink's dark phase
  TEditScrollInfo Vertical;
  TEditScrollInfo Horizontal;
};

using TEdits = std::unordered_map<HWND, std::shared_ptr<TEdit>>;

// Never destroyed, like the window engine's state (edits die with forms at exit).
TEdits& Edits() {
  static auto& edits = *new TEdits;
  return edits;
}

std::shared_ptr<TEdit> EditOf(HWND h) {
  const auto it = Edits().find(h);
  return it == Edits().end() ? nullptr : it->second;
}

DWORD StyleOf(const TEdit& e) {
  const TWindow* w = WindowOf(e.Handle);
  return w ? w->Style : 0;
}

bool IsMultiLine(const TEdit& e) { return StyleOf(e) & ES_MULTILINE; }
bool Wraps(const TEdit& e) {
  const DWORD style = StyleOf(e);
  return (style & ES_MULTILINE) && !(style & (ES_AUTOHSCROLL | WS_HSCROLL));
}
bool IsReadOnly(const TEdit& e) { return StyleOf(e) & ES_READONLY; }
bool IsPassword(const TEdit& e) { return !IsMultiLine(e) && e.PasswordChar != 0; }
bool HasFocus(const TEdit& e) { return User().Focus == e.Handle; }

const TGdiFont& FontOf(const TEdit& e) {
  TGdiHandles& table = TGdiHandles::Instance();
  auto* font = table.FindAs<TGdiFontObject>(e.Font);
  if (!font) font = table.FindAs<TGdiFontObject>(table.Stock(SystemFontIndex));
  return font->Font();
}

TRect ClientRectOf(const TEdit& e) {
  const TWindow* w = WindowOf(e.Handle);
  return w ? Rect(0, 0, w->Client.Width(), w->Client.Height()) : TRect{};
}

TRect FormatRectOf(const TEdit& e) {
  if (e.FormatRect) return *e.FormatRect;
  const TRect c = ClientRectOf(e);
  return Rect(c.Left + 1 + e.LeftMargin, c.Top + 1,
              std::max(c.Left + 1 + e.LeftMargin, c.Right - 1 - e.RightMargin),
              std::max(c.Top + 1, c.Bottom - 1));
}

int VisibleLines(const TEdit& e) {
  return std::max(1, FormatRectOf(e).Height() / e.Layout.LineHeight());
}

void SyncCase(TEdit& e) {
  const DWORD style = StyleOf(e);
  e.Buffer.SetCharCase((style & ES_UPPERCASE)   ? TEditCase::Upper
                       : (style & ES_LOWERCASE) ? TEditCase::Lower
                                                : TEditCase::Normal);
}

TEditLayout::TOptions LayoutOptions(const TEdit& e) {
  TEditLayout::TOptions o;
  o.Font = &FontOf(e);
  o.MultiLine = IsMultiLine(e);
  o.WrapWidth = Wraps(e) ? std::max(1, FormatRectOf(e).Width()) : 0;
  o.PasswordChar = IsPassword(e) ? e.PasswordChar : 0;
  return o;
}

void LayOut(TEdit& e) {
  e.Layout.Build(e.Buffer.Text(), LayoutOptions(e));
  e.LaidOutVersion = e.Buffer.Version();
}

// Follows the text after changes: one change is laid out from where it happened.
void LayOutChange(TEdit& e) {
  if (e.LaidOutVersion + 1 == e.Buffer.Version()) {
    const TEditBuffer::TChange& c = e.Buffer.LastChange();
    e.Layout.Update(c.Pos, c.Removed, c.Inserted);
    e.LaidOutVersion = e.Buffer.Version();
  } else if (e.LaidOutVersion != e.Buffer.Version()) {
    LayOut(e);
  }
}

int AlignOffset(const TEdit& e, int line) {
  const int room = FormatRectOf(e).Width() - e.Layout.Lines()[static_cast<std::size_t>(line)].Width;
  if (room <= 0) return 0;
  const DWORD style = StyleOf(e);
  if (style & ES_RIGHT) return room - 1;
  if (style & ES_CENTER) return room / 2;
  return 0;
}

// The client point of a position's top-left corner.
TPoint PointOf(const TEdit& e, std::size_t pos) {
  const TRect fr = FormatRectOf(e);
  const int line = e.Layout.LineOf(pos);
  return TPoint{fr.Left + AlignOffset(e, line) + e.Layout.XOf(line, pos) - e.XOffset,
                fr.Top + (line - e.TopLine) * e.Layout.LineHeight()};
}

std::size_t PosAtPoint(const TEdit& e, TPoint p) {
  const TRect fr = FormatRectOf(e);
  const int line =
      std::clamp(e.TopLine + (p.Y - fr.Top) / e.Layout.LineHeight() - (p.Y < fr.Top ? 1 : 0), 0,
                 e.Layout.LineCount() - 1);
  return e.Layout.PosAtX(line, p.X - fr.Left - AlignOffset(e, line) + e.XOffset);
}

// Shows a scroll state on the window's own bar, if it has one; an edit's bars stay visible
// and are disabled while everything fits.
void ShowOnBar(const TEdit& e, int bar, const TEditScrollInfo& state) {
  const DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
  if (!(StyleOf(e) & bit)) return;
  SCROLLINFO info;
  info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  info.nMin = state.Min;
  info.nMax = state.Max;
  info.nPage = static_cast<UINT>(state.Page);
  info.nPos = state.Pos;
  SetScrollInfoOn(e.Handle, bar, info, true);
}

// The one place the scroll state is published, to the edit's scroll bars.
void PublishScrollState(TEdit& e) {
  const TRect fr = FormatRectOf(e);
  e.Vertical =
      TEditScrollInfo{0, std::max(0, e.Layout.LineCount() - 1), VisibleLines(e), e.TopLine};
  e.Horizontal = TEditScrollInfo{0, std::max(0, e.Layout.MaxWidth()), fr.Width(), e.XOffset};
  if (!IsMultiLine(e)) return;
  ShowOnBar(e, SB_VERT, e.Vertical);
  ShowOnBar(e, SB_HORZ, e.Horizontal);
}

int ScrolledTowards(int offset, int x, int width, bool autoScroll) {
  if (!autoScroll) return 0;
  if (x < offset) return std::max(0, x - width / 3);
  if (x >= offset + width) return x - width + width / 3;
  return offset;
}

void ScrollCaret(TEdit& e) {
  const int line = e.Layout.LineOf(e.Buffer.Caret());
  if (IsMultiLine(e)) {
    const int visible = VisibleLines(e);
    if (line < e.TopLine) e.TopLine = line;
    if (line >= e.TopLine + visible) e.TopLine = line - visible + 1;
  }
  const int x = AlignOffset(e, line) + e.Layout.XOf(line, e.Buffer.Caret());
  const bool autoScroll = (StyleOf(e) & (ES_AUTOHSCROLL | WS_HSCROLL)) != 0;
  e.XOffset = ScrolledTowards(e.XOffset, x, std::max(1, FormatRectOf(e).Width()), autoScroll);
  PublishScrollState(e);
}

void Redraw(const TEdit& e) {
  if (TWindow* w = WindowOf(e.Handle)) RedrawRegion(*w, nullptr, RDW_INVALIDATE);
}

constexpr UINT_PTR CaretBlinkTimer = 0xCA7E;

bool InActiveWindow(const TEdit& e) {
  TWindow* w = WindowOf(e.Handle);
  TWindow* top = w ? TopLevelOf(w) : nullptr;
  return top && top->Handle == User().Active;
}

// Each tick flips the caret of the focused edit; in an inactive window it stays shown.
void CaretBlinkTick(HWND h, UINT, UINT_PTR, DWORD) {
  const std::shared_ptr<TEdit> edit = EditOf(h);
  if (!edit || !HasFocus(*edit)) {
    RemoveTimer(h, CaretBlinkTimer);
    return;
  }
  const bool hidden = !edit->CaretHidden && InActiveWindow(*edit);
  if (hidden == edit->CaretHidden) return;
  edit->CaretHidden = hidden;
  Redraw(*edit);
}

// The caret shows and its blink starts over, as after every move or key.
void RestartBlink(TEdit& e) {
  e.CaretHidden = false;
  if (HasFocus(e))
    AddTimer(e.Handle, CaretBlinkTimer, CaretBlinkTime(), CaretBlinkTick);
  else
    RemoveTimer(e.Handle, CaretBlinkTimer);
}

void CaretMoved(TEdit& e) {
  ScrollCaret(e);
  RestartBlink(e);
  Redraw(e);
}

HWND NotifyTarget(const TEdit& e) {
  const TWindow* w = WindowOf(e.Handle);
  if (!w) return nullptr;
  const TWindow* target = w->IsChild() ? w->Parent : w->Owner;
  return target ? target->Handle : nullptr;
}

// WM_COMMAND to the parent; false when the edit went away meanwhile.
bool Notify(const TEdit& e, WORD code) {
  const HWND parent = NotifyTarget(e);
  const TWindow* w = WindowOf(e.Handle);
  if (!parent || !w) return !e.Destroyed;
  SendTo(parent, WM_COMMAND, static_cast<WPARAM>(MAKELPARAM(static_cast<int>(w->Id), code)),
         reinterpret_cast<LPARAM>(e.Handle));
  return !e.Destroyed;
}

void SyncWindowText(const TEdit& e) {
  if (TWindow* w = WindowOf(e.Handle)) w->Text = e.Buffer.Text();
}

bool Fits(const TEdit& e) {
  const DWORD style = StyleOf(e);
  if (!(style & ES_MULTILINE))
    return (style & ES_AUTOHSCROLL) || e.Layout.Lines().front().Width <= FormatRectOf(e).Width();
  return (style & ES_AUTOVSCROLL) || e.Layout.LineCount() <= VisibleLines(e);
}

// Runs a change of the text, then lays out, scrolls and tells the parent. With `checked`
// the limit and the room of an edit that does not scroll apply: what does not fit is
// refused with EN_MAXTEXT.
template <class TChangeFn>
void ChangeText(const std::shared_ptr<TEdit>& edit, bool checked, TChangeFn change) {
  TEdit& e = *edit;
  const std::uint64_t before = e.Buffer.Version();
  std::optional<TEditBuffer> backup;
  if (checked && !(StyleOf(e) & (IsMultiLine(e) ? ES_AUTOVSCROLL : ES_AUTOHSCROLL)))
    backup = e.Buffer;
  bool fitted = change(e.Buffer);
  if (e.Buffer.Version() != before) LayOutChange(e);
  if (backup && !Fits(e)) {
    e.Buffer = *backup;
    LayOut(e);
    fitted = false;
  }
  CaretMoved(e);
  if (e.Buffer.Version() == before) {
    if (checked && !fitted) Notify(e, EN_MAXTEXT);
    return;
  }
  SyncWindowText(e);
  if (checked && !fitted && !Notify(e, EN_MAXTEXT)) return;
  if (Notify(e, EN_UPDATE)) Notify(e, EN_CHANGE);
}

void SetWholeText(const std::shared_ptr<TEdit>& edit, const char* text) {
  TEdit& e = *edit;
  SyncCase(e);
  e.Buffer.SetText(text ? text : "");
  e.XOffset = 0;
  e.TopLine = 0;
  LayOut(e);
  SyncWindowText(e);
  CaretMoved(e);
}

// --- clipboard and undo --------------------------------------------------------------

void Copy(const TEdit& e) {
  if (e.Buffer.HasSelection() && !IsPassword(e))
    CopyTextToClipboard(e.Handle, e.Buffer.SelectedText());
}

String FirstLine(const String& text) { return text.substr(0, text.find_first_of("\r\n")); }

void Paste(const std::shared_ptr<TEdit>& edit) {
  if (IsReadOnly(*edit)) return;
  std::optional<String> text = TextFromClipboard(edit->Handle);
  if (!text) return;
  text->resize(std::strlen(text->c_str()));
  if (!IsMultiLine(*edit)) *text = FirstLine(*text);
  ChangeText(edit, true,
             [&](TEditBuffer& b) { return b.ReplaceSelection(*text, TUndoMode::Record); });
}

void Clear(const std::shared_ptr<TEdit>& edit) {
  if (IsReadOnly(*edit) || !edit->Buffer.HasSelection()) return;
  ChangeText(edit, false, [](TEditBuffer& b) { return b.ReplaceSelection("", TUndoMode::Record); });
}

void Cut(const std::shared_ptr<TEdit>& edit) {
  if (IsPassword(*edit)) return;
  Copy(*edit);
  Clear(edit);
}

bool Undo(const std::shared_ptr<TEdit>& edit) {
  if (IsReadOnly(*edit) || !edit->Buffer.CanUndo()) return false;
  ChangeText(edit, false, [](TEditBuffer& b) { return b.Undo(); });
  return true;
}

// --- keyboard ------------------------------------------------------------------------

bool KeyDown(int vk) { return KeyStateOf(vk) < 0; }

std::size_t LineStep(const TEdit& e, int lines) {
  const std::size_t caret = e.Buffer.Caret();
  const int line = e.Layout.LineOf(caret);
  const int target = std::clamp(line + lines, 0, e.Layout.LineCount() - 1);
  if (target == line)
    return lines < 0 ? e.Layout.Lines()[static_cast<std::size_t>(line)].Start
                     : e.Layout.Lines()[static_cast<std::size_t>(line)].End;
  const int x = AlignOffset(e, line) + e.Layout.XOf(line, caret);
  return e.Layout.PosAtX(target, x - AlignOffset(e, target));
}

std::optional<std::size_t> ArrowTarget(const TEdit& e, int vk, bool control) {
  const TEditBuffer& b = e.Buffer;
  const std::size_t caret = b.Caret();
  const bool multi = IsMultiLine(e);
  const TEditLine& line = e.Layout.Lines()[static_cast<std::size_t>(e.Layout.LineOf(caret))];
  switch (vk) {
  case VK_LEFT:
    return control ? b.PreviousWordStart(caret) : b.PreviousBoundary(caret);
  case VK_RIGHT:
    return control ? b.NextWordStart(caret) : b.NextBoundary(caret);
  case VK_UP:
    return multi ? LineStep(e, -1) : b.PreviousBoundary(caret);
  case VK_DOWN:
    return multi ? LineStep(e, 1) : b.NextBoundary(caret);
  case VK_PRIOR:
    return multi ? std::optional(LineStep(e, -VisibleLines(e))) : std::nullopt;
  case VK_NEXT:
    return multi ? std::optional(LineStep(e, VisibleLines(e))) : std::nullopt;
  case VK_HOME:
    return control || !multi ? 0 : line.Start;
  case VK_END:
    return control || !multi ? b.Length() : line.End;
  default:
    return std::nullopt;
  }
}

HWND ChildWithId(HWND parent, WORD id) {
  for (HWND child : ChildHandles(WindowOf(parent)))
    if (const TWindow* c = WindowOf(child); c && c->Id == id) return child;
  return nullptr;
}

// Enter in a dialog goes to its default button.
void PressDefaultButton(const TEdit& e) {
  const HWND parent = NotifyTarget(e);
  if (!parent) return;
  const auto answer = static_cast<DWORD>(SendTo(parent, DM_GETDEFID, 0, 0));
  const WORD id = HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : IdOk;
  SendTo(parent, WM_COMMAND, id, reinterpret_cast<LPARAM>(ChildWithId(parent, id)));
}

void OnKeyDown(const std::shared_ptr<TEdit>& edit, int vk) {
  TEdit& e = *edit;
  const bool shift = KeyDown(VK_SHIFT), control = KeyDown(VK_CONTROL);
  if (const std::optional<std::size_t> to = ArrowTarget(e, vk, control)) {
    if (vk == VK_PRIOR || vk == VK_NEXT)
      e.TopLine = std::clamp(e.TopLine + (vk == VK_PRIOR ? -1 : 1) * VisibleLines(e), 0,
                             std::max(0, e.Layout.LineCount() - VisibleLines(e)));
    e.Buffer.MoveCaret(*to, shift);
    CaretMoved(e);
    return;
  }
  switch (vk) {
  case VK_DELETE:
    if (shift) return Cut(edit);
    if (!IsReadOnly(e)) ChangeText(edit, false, [](TEditBuffer& b) { return b.DeleteForward(); });
    return;
  case VK_INSERT:
    if (shift) return Paste(edit);
    if (control) return Copy(e);
    e.Buffer.SetOverwrite(!e.Buffer.Overwrite());
    return;
  case VK_RETURN:
    if (e.DialogMode && !control && (!IsMultiLine(e) || !(StyleOf(e) & ES_WANTRETURN)))
      PressDefaultButton(e);
    return;
  case VK_TAB:
    if (IsMultiLine(e) && e.DialogMode)
      if (const HWND parent = NotifyTarget(e)) SendTo(parent, WM_NEXTDLGCTL, shift ? 1 : 0, 0);
    return;
  default:
    return;
  }
}

void TypeText(const std::shared_ptr<TEdit>& edit, const String& text) {
  if (IsReadOnly(*edit)) return;
  ChangeText(edit, true, [&](TEditBuffer& b) { return b.TypeCharacter(text); });
}

// Bytes of UTF-8 arrive one WM_CHAR each: a character is typed once it is whole.
void TypeByte(const std::shared_ptr<TEdit>& edit, unsigned char byte) {
  TEdit& e = *edit;
  const bool continuation = (byte & 0xC0) == 0x80;
  if (!continuation) e.PendingBytes.clear();
  if (continuation && e.PendingBytes.empty()) return;
  e.PendingBytes += static_cast<char>(byte);
  const auto lead = static_cast<unsigned char>(e.PendingBytes[0]);
  const std::size_t wanted = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (e.PendingBytes.size() < wanted) return;
  const String character = e.PendingBytes;
  e.PendingBytes.clear();
  if ((StyleOf(e) & ES_NUMBER) && !(character[0] >= '0' && character[0] <= '9')) {
    MessageBeep(0);
    return;
  }
  TypeText(edit, character);
}

bool EnterInsertsBreak(const TEdit& e) {
  return IsMultiLine(e) && ((StyleOf(e) & ES_WANTRETURN) || !e.DialogMode);
}

void OnChar(const std::shared_ptr<TEdit>& edit, WPARAM code) {
  TEdit& e = *edit;
  switch (code) {
  case 0x01: // Ctrl+A
    e.Buffer.Select(0, e.Buffer.Length());
    return CaretMoved(e);
  case 0x03: // Ctrl+C
    return Copy(e);
  case 0x16: // Ctrl+V
    return Paste(edit);
  case 0x18: // Ctrl+X
    return Cut(edit);
  case 0x1A: // Ctrl+Z
    Undo(edit);
    return;
  case '\b':
    if (!IsReadOnly(e)) ChangeText(edit, false, [](TEditBuffer& b) { return b.DeleteBackward(); });
    return;
  case '\r':
    if (EnterInsertsBreak(e)) TypeText(edit, "\r\n");
    return;
  case '\n':
    if (IsMultiLine(e)) TypeText(edit, "\r\n");
    return;
  case '\t':
    if (IsMultiLine(e) && !e.DialogMode) TypeText(edit, "\t");
    return;
  default:
    if (code >= 0x20 && code != 0x7F && code <= 0xFF)
      TypeByte(edit, static_cast<unsigned char>(code));
    return;
  }
}

// --- mouse ---------------------------------------------------------------------------

TPoint ClientPoint(LPARAM l) { return TPoint{GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }

void OnButtonDown(const std::shared_ptr<TEdit>& edit, WPARAM keys, LPARAM l) {
  if (!HasFocus(*edit)) {
    SetFocusTo(edit->Handle);
    // The focus may have been taken away again on the way (a refused exit).
    if (edit->Destroyed || !HasFocus(*edit)) return;
  }
  TEdit& e = *edit;
  e.Buffer.MoveCaret(PosAtPoint(e, ClientPoint(l)), (keys & MK_SHIFT) != 0);
  e.Tracking = true;
  SetCaptureTo(e.Handle);
  CaretMoved(e);
}

void OnMouseMove(TEdit& e, LPARAM l) {
  if (!e.Tracking || User().Capture != e.Handle) return;
  const std::size_t pos = PosAtPoint(e, ClientPoint(l));
  if (pos == e.Buffer.Caret()) return;
  e.Buffer.MoveCaret(pos, true);
  CaretMoved(e);
}

void OnButtonUp(TEdit& e) {
  if (!e.Tracking) return;
  e.Tracking = false;
  if (User().Capture == e.Handle) ReleaseCaptureNow();
}

void OnDoubleClick(TEdit& e, LPARAM l) {
  const auto [first, last] = e.Buffer.WordAt(PosAtPoint(e, ClientPoint(l)));
  e.Buffer.Select(first, last);
  CaretMoved(e);
}

// --- scrolling -----------------------------------------------------------------------

void ScrollLines(TEdit& e, int lines) {
  const int most = std::max(0, e.Layout.LineCount() - VisibleLines(e));
  const int top = std::clamp(e.TopLine + lines, 0, most);
  if (top == e.TopLine) return;
  e.TopLine = top;
  PublishScrollState(e);
  Redraw(e);
}

void ScrollPixels(TEdit& e, int dx) {
  const int most = std::max(0, e.Layout.MaxWidth() + 1 - FormatRectOf(e).Width());
  const int offset = std::clamp(e.XOffset + dx, 0, std::max(most, e.XOffset));
  if (offset == e.XOffset) return;
  e.XOffset = offset;
  PublishScrollState(e);
  Redraw(e);
}

int ScrollAmount(const TEdit& e, int code, int thumb, bool vertical) {
  const int page = vertical ? VisibleLines(e) : FormatRectOf(e).Width();
  const int line = vertical ? 1 : std::max(1, static_cast<int>(FontOf(e).Metrics().tmAveCharWidth));
  const int pos = vertical ? e.TopLine : e.XOffset;
  switch (code) {
  case SB_LINEUP:
    return -line;
  case SB_LINEDOWN:
    return line;
  case SB_PAGEUP:
    return -page;
  case SB_PAGEDOWN:
    return page;
  case SB_THUMBPOSITION:
  case SB_THUMBTRACK:
    return thumb - pos;
  case SB_TOP:
    return -pos;
  case SB_BOTTOM:
    return vertical ? e.Layout.LineCount() - page - pos : e.Layout.MaxWidth() - page - pos;
  default:
    return 0;
  }
}

void OnScroll(TEdit& e, WPARAM wParam, bool vertical) {
  const int amount = ScrollAmount(e, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)), vertical);
  if (vertical) {
    ScrollLines(e, amount);
  } else {
    ScrollPixels(e, amount);
  }
  Notify(e, vertical ? EN_VSCROLL : EN_HSCROLL);
}

// --- queries -------------------------------------------------------------------------

int SignedParam(WPARAM w) { return static_cast<int>(static_cast<std::int32_t>(w)); }

LRESULT PackedSelection(const TEdit& e, WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<DWORD>(e.Buffer.SelStart());
  const auto end = static_cast<DWORD>(e.Buffer.SelEnd());
  if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
  if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
  if (start > 0xFFFF || end > 0xFFFF) return -1;
  return MAKELPARAM(static_cast<int>(start), static_cast<int>(end));
}

void SetSelection(TEdit& e, WPARAM wParam, LPARAM lParam) {
  const int start = SignedParam(wParam), end = SignedParam(static_cast<WPARAM>(lParam));
  if (start < 0) {
    e.Buffer.Select(e.Buffer.Caret(), e.Buffer.Caret());
  } else {
    e.Buffer.Select(static_cast<std::size_t>(start),
                    end < 0 ? e.Buffer.Length() : static_cast<std::size_t>(end));
  }
  CaretMoved(e);
}

const TEditLine& LineAt(const TEdit& e, int line) {
  return e.Layout.Lines()[static_cast<std::size_t>(line)];
}

LRESULT LineIndex(const TEdit& e, WPARAM wParam) {
  if (!IsMultiLine(e)) return 0;
  const int line =
      SignedParam(wParam) < 0 ? e.Layout.LineOf(e.Buffer.Caret()) : SignedParam(wParam);
  if (line >= e.Layout.LineCount()) return -1;
  return static_cast<LRESULT>(LineAt(e, line).Start);
}

LRESULT LineLength(const TEdit& e, WPARAM wParam) {
  if (!IsMultiLine(e)) return static_cast<LRESULT>(e.Buffer.Length());
  const int index = SignedParam(wParam);
  if (index < 0) {
    const TEditLine& first = LineAt(e, e.Layout.LineOf(e.Buffer.SelStart()));
    const TEditLine& last = LineAt(e, e.Layout.LineOf(e.Buffer.SelEnd()));
    return static_cast<LRESULT>(e.Buffer.SelStart() - first.Start + last.End -
                                std::min(last.End, e.Buffer.SelEnd()));
  }
  const TEditLine& line = LineAt(e, e.Layout.LineOf(std::min<std::size_t>(
                                        static_cast<std::size_t>(index), e.Buffer.Length())));
  return static_cast<LRESULT>(line.End - line.Start);
}

LRESULT LineFromChar(const TEdit& e, WPARAM wParam) {
  if (!IsMultiLine(e)) return 0;
  const int index = SignedParam(wParam);
  const std::size_t pos =
      index < 0 ? e.Buffer.SelStart()
                : std::min<std::size_t>(static_cast<std::size_t>(index), e.Buffer.Length());
  return e.Layout.LineOf(pos);
}

LRESULT CopyLine(const TEdit& e, WPARAM wParam, LPARAM lParam) {
  if (!lParam) return 0;
  auto* out = reinterpret_cast<char*>(lParam);
  WORD room = 0;
  std::memcpy(&room, out, sizeof room);
  String line = e.Buffer.Text();
  if (IsMultiLine(e)) {
    const int index = SignedParam(wParam);
    if (index < 0 || index >= e.Layout.LineCount()) return 0;
    const TEditLine& l = LineAt(e, index);
    line = line.substr(l.Start, l.End - l.Start);
  }
  const std::size_t n = std::min<std::size_t>(room, line.size());
  std::memcpy(out, line.data(), n);
  return static_cast<LRESULT>(n);
}

LRESULT PosFromChar(const TEdit& e, WPARAM wParam) {
  if (wParam >= e.Buffer.Length()) return -1;
  const TPoint p = PointOf(e, e.Buffer.SnapToBoundary(wParam));
  return MAKELPARAM(p.X, p.Y);
}

LRESULT CharFromPos(const TEdit& e, LPARAM lParam) {
  const std::size_t pos = PosAtPoint(e, ClientPoint(lParam));
  const int line = IsMultiLine(e) ? e.Layout.LineOf(pos) : 0;
  return MAKELPARAM(static_cast<int>(std::min<std::size_t>(pos, 0xFFFF)), line);
}

LRESULT FirstVisible(const TEdit& e) {
  if (IsMultiLine(e)) return e.TopLine;
  return static_cast<LRESULT>(e.Layout.PosAtX(0, e.XOffset));
}

LRESULT LineScroll(TEdit& e, WPARAM wParam, LPARAM lParam) {
  if (!IsMultiLine(e)) return 0;
  const int chars = SignedParam(wParam);
  if (chars && !Wraps(e))
    ScrollPixels(e, chars * std::max(1, static_cast<int>(FontOf(e).Metrics().tmAveCharWidth)));
  ScrollLines(e, SignedParam(static_cast<WPARAM>(lParam)));
  return 1;
}

// --- set-up --------------------------------------------------------------------------

int FontMargin(const TEdit& e) { return static_cast<int>(FontOf(e).Metrics().tmAveCharWidth) / 2; }

void SetMargins(TEdit& e, WPARAM which, LPARAM lParam) {
  const bool fontInfo = which == EC_USEFONTINFO;
  if (fontInfo || (which & EC_LEFTMARGIN))
    e.LeftMargin = fontInfo || LOWORD(static_cast<std::uintptr_t>(lParam)) == EC_USEFONTINFO
                       ? FontMargin(e)
                       : LOWORD(static_cast<std::uintptr_t>(lParam));
  if (fontInfo || (which & EC_RIGHTMARGIN))
    e.RightMargin = fontInfo || HIWORD(static_cast<std::uintptr_t>(lParam)) == EC_USEFONTINFO
                        ? FontMargin(e)
                        : HIWORD(static_cast<std::uintptr_t>(lParam));
  e.FormatRect.reset();
  LayOut(e);
  CaretMoved(e);
}

void SetFont(TEdit& e, WPARAM font, LPARAM redraw) {
  e.Font = static_cast<THandleId>(font);
  SetMargins(e, EC_USEFONTINFO, 0);
  if (!LOWORD(static_cast<std::uintptr_t>(redraw))) return;
  Redraw(e);
}

void SetLimit(TEdit& e, WPARAM limit) {
  e.Buffer.SetLimit(limit            ? static_cast<std::size_t>(limit)
                    : IsMultiLine(e) ? MultiLineUnlimited
                                     : SingleLineUnlimited);
}

void SetPasswordChar(TEdit& e, WPARAM code) {
  if (IsMultiLine(e)) return;
  e.PasswordChar = static_cast<char32_t>(code);
  if (TWindow* w = WindowOf(e.Handle)) {
    if (code) {
      w->Style |= ES_PASSWORD;
    } else {
      w->Style &= ~ES_PASSWORD;
    }
  }
  LayOut(e);
  CaretMoved(e);
}

void SetReadOnly(TEdit& e, WPARAM readOnly) {
  if (TWindow* w = WindowOf(e.Handle)) {
    if (readOnly) {
      w->Style |= ES_READONLY;
    } else {
      w->Style &= ~ES_READONLY;
    }
  }
  Redraw(e);
}

void SetFormatRect(TEdit& e, LPARAM rect, bool redraw) {
  if (rect) {
    e.FormatRect = *reinterpret_cast<const TRect*>(rect);
  } else {
    e.FormatRect.reset();
  }
  LayOut(e);
  ScrollCaret(e);
  if (redraw) Redraw(e);
}

void OnCreate(const std::shared_ptr<TEdit>& edit, LPARAM lParam) {
  TEdit& e = *edit;
  if (StyleOf(e) & ES_PASSWORD) e.PasswordChar = '*';
  e.Buffer.SetLimit(TEditBuffer::DefaultLimit);
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  SetWholeText(edit, cs ? cs->lpszName : nullptr);
}

void OnFocus(const std::shared_ptr<TEdit>& edit, bool gained) {
  if (!gained) OnButtonUp(*edit);
  edit->PendingBytes.clear();
  RestartBlink(*edit);
  Redraw(*edit);
  Notify(*edit, gained ? EN_SETFOCUS : EN_KILLFOCUS);
}

void OnSize(TEdit& e) {
  e.FormatRect.reset();
  LayOut(e);
  ScrollCaret(e);
  Redraw(e);
}

LRESULT DialogCode(TEdit& e, LPARAM lParam) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (IsMultiLine(e)) code |= DLGC_WANTALLKEYS;
  if (lParam) e.DialogMode = true;
  return code;
}

LRESULT CopyText(const TEdit& e, WPARAM size, LPARAM lParam) {
  if (!lParam || size == 0) return 0;
  auto* out = reinterpret_cast<char*>(lParam);
  const std::size_t n = std::min<std::size_t>(e.Buffer.Length(), size - 1);
  std::memcpy(out, e.Buffer.Text().data(), n);
  out[n] = '\0';
  return static_cast<LRESULT>(n);
}

TEditView ViewOf(const TEdit& e) {
  TEditView v;
  v.Buffer = &e.Buffer;
  v.Layout = &e.Layout;
  v.Font = &FontOf(e);
  v.FormatRect = FormatRectOf(e);
  v.XOffset = e.XOffset;
  v.TopLine = e.TopLine;
  v.Focused = HasFocus(e);
  v.CaretShown = v.Focused && !e.CaretHidden;
  const DWORD style = StyleOf(e);
  v.ShowSelection = v.Focused || (style & ES_NOHIDESEL);
  v.Grey = (style & ES_READONLY) || (style & WS_DISABLED);
  v.Disabled = (style & WS_DISABLED) != 0;
  v.Password = IsPassword(e) ? e.PasswordChar : 0;
  for (int line = 0; line < e.Layout.LineCount(); ++line)
    if (line >= e.TopLine && line < e.TopLine + VisibleLines(e) + 1)
      v.AlignOffsets.push_back(AlignOffset(e, line));
  return v;
}

LRESULT HandleTextMessage(const std::shared_ptr<TEdit>& edit, UINT message, WPARAM wParam,
                          LPARAM lParam, bool& handled) {
  TEdit& e = *edit;
  handled = true;
  switch (message) {
  case WM_SETTEXT:
    SetWholeText(edit, reinterpret_cast<const char*>(lParam));
    if (!IsMultiLine(e) && Notify(e, EN_UPDATE)) Notify(e, EN_CHANGE);
    return 1;
  case WM_GETTEXT:
    return CopyText(e, wParam, lParam);
  case WM_GETTEXTLENGTH:
    return static_cast<LRESULT>(e.Buffer.Length());
  case EM_REPLACESEL: {
    const String text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    ChangeText(edit, true, [&](TEditBuffer& b) {
      return b.ReplaceSelection(text, wParam ? TUndoMode::Record : TUndoMode::None);
    });
    return 0;
  }
  case WM_CUT:
    Cut(edit);
    return 0;
  case WM_COPY:
    Copy(e);
    return 0;
  case WM_PASTE:
    Paste(edit);
    return 0;
  case WM_CLEAR:
    Clear(edit);
    return 0;
  case WM_UNDO:
  case EM_UNDO:
    return Undo(edit) ? 1 : 0;
  case EM_CANUNDO:
    return e.Buffer.CanUndo() ? 1 : 0;
  case EM_EMPTYUNDOBUFFER:
    e.Buffer.EmptyUndo();
    return 0;
  case EM_GETMODIFY:
    return e.Buffer.Modified() ? 1 : 0;
  case EM_SETMODIFY:
    e.Buffer.SetModified(wParam != 0);
    return 0;
  case EM_LIMITTEXT:
    SetLimit(e, wParam);
    return 0;
  case EM_GETLIMITTEXT:
    return static_cast<LRESULT>(e.Buffer.Limit());
  default:
    handled = false;
    return 0;
  }
}

LRESULT HandleQueryMessage(const std::shared_ptr<TEdit>& edit, UINT message, WPARAM wParam,
                           LPARAM lParam, bool& handled) {
  TEdit& e = *edit;
  handled = true;
  switch (message) {
  case EM_GETSEL:
    return PackedSelection(e, wParam, lParam);
  case EM_SETSEL:
    SetSelection(e, wParam, lParam);
    return 0;
  case EM_GETLINECOUNT:
    return IsMultiLine(e) ? e.Layout.LineCount() : 1;
  case EM_LINEINDEX:
    return LineIndex(e, wParam);
  case EM_LINELENGTH:
    return LineLength(e, wParam);
  case EM_LINEFROMCHAR:
    return LineFromChar(e, wParam);
  case EM_GETLINE:
    return CopyLine(e, wParam, lParam);
  case EM_SCROLLCARET:
    CaretMoved(e);
    return 1;
  case EM_GETFIRSTVISIBLELINE:
    return FirstVisible(e);
  case EM_LINESCROLL:
    return LineScroll(e, wParam, lParam);
  case EM_SCROLL:
    if (!IsMultiLine(e)) return 0;
    {
      const int before = e.TopLine;
      ScrollLines(e, ScrollAmount(e, static_cast<int>(wParam), 0, true));
      return MAKELPARAM(e.TopLine - before, 1);
    }
  case EM_POSFROMCHAR:
    return PosFromChar(e, wParam);
  case EM_CHARFROMPOS:
    return CharFromPos(e, lParam);
  case EM_GETRECT:
    if (lParam) *reinterpret_cast<TRect*>(lParam) = FormatRectOf(e);
    return 0;
  case EM_SETRECT:
  case EM_SETRECTNP:
    SetFormatRect(e, lParam, message == EM_SETRECT);
    return 0;
  case EM_SETMARGINS:
    SetMargins(e, wParam, lParam);
    return 0;
  case EM_GETMARGINS:
    return MAKELPARAM(e.LeftMargin, e.RightMargin);
  case EM_SETPASSWORDCHAR:
    SetPasswordChar(e, wParam);
    return 0;
  case EM_GETPASSWORDCHAR:
    return IsMultiLine(e) ? 0 : static_cast<LRESULT>(e.PasswordChar);
  case EM_SETREADONLY:
    SetReadOnly(e, wParam);
    return 1;
  default:
    handled = false;
    return 0;
  }
}

LRESULT HandleWindowMessage(const std::shared_ptr<TEdit>& edit, UINT message, WPARAM wParam,
                            LPARAM lParam, bool& handled) {
  TEdit& e = *edit;
  handled = true;
  switch (message) {
  case WM_CREATE:
    OnCreate(edit, lParam);
    return 0;
  case WM_PAINT:
    PaintEdit(e.Handle, ViewOf(e));
    return 0;
  case WM_ERASEBKGND:
    return 1;
  case WM_SETFONT:
    SetFont(e, wParam, lParam);
    return 0;
  case WM_GETFONT:
    return static_cast<LRESULT>(e.Font);
  case WM_SIZE:
    OnSize(e);
    return 0;
  case WM_STYLECHANGED:
  case WM_ENABLE:
    LayOut(e);
    CaretMoved(e);
    return 0;
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
    OnFocus(edit, message == WM_SETFOCUS);
    return 0;
  case WM_GETDLGCODE:
    return DialogCode(e, lParam);
  case WM_CHAR:
    OnChar(edit, wParam);
    return 0;
  case WM_KEYDOWN:
    OnKeyDown(edit, static_cast<int>(wParam));
    return 0;
  case WM_LBUTTONDOWN:
    OnButtonDown(edit, wParam, lParam);
    return 0;
  case WM_LBUTTONDBLCLK:
    OnDoubleClick(e, lParam);
    return 0;
  case WM_MOUSEMOVE:
    OnMouseMove(e, lParam);
    return 0;
  case WM_LBUTTONUP:
    OnButtonUp(e);
    return 0;
  case WM_CAPTURECHANGED:
    e.Tracking = false;
    return 0;
  case WM_VSCROLL:
  case WM_HSCROLL:
    OnScroll(e, wParam, message == WM_VSCROLL);
    return 0;
  default:
    handled = false;
    return 0;
  }
}

LRESULT EditProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto edit = std::make_shared<TEdit>();
    edit->Handle = h;
    Edits()[h] = edit;
    return DefaultWindowProc(h, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    if (const auto edit = EditOf(h)) edit->Destroyed = true;
    Edits().erase(h);
    return DefaultWindowProc(h, message, wParam, lParam);
  }
  const std::shared_ptr<TEdit> edit = EditOf(h);
  if (!edit) return DefaultWindowProc(h, message, wParam, lParam);
  SyncCase(*edit);
  bool handled = false;
  LRESULT result = HandleTextMessage(edit, message, wParam, lParam, handled);
  if (handled) return result;
  result = HandleQueryMessage(edit, message, wParam, lParam, handled);
  if (handled) return result;
  result = HandleWindowMessage(edit, message, wParam, lParam, handled);
  if (handled) return result;
  return DefaultWindowProc(h, message, wParam, lParam);
}

} // namespace

void RegisterEditClass() {
  WNDCLASSEXA wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = EditProc;
  wc.hCursor = reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(IDC_IBEAM));
  wc.lpszClassName = "Edit";
  RegisterWindowClass(wc);
}

bool EditScrollInfo(HWND h, bool vertical, TEditScrollInfo& info) {
  const std::shared_ptr<TEdit> edit = EditOf(h);
  if (!edit) return false;
  info = vertical ? edit->Vertical : edit->Horizontal;
  return true;
}

bool MessageBeep(UINT) {
  ++Beeps;
  return true;
}

std::uint64_t MessageBeepCount() { return Beeps; }
