#include "grids/LumJahresKalender.h"

#include "framework/classes/Registry.h"
#include "framework/rtl/Checked.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/Strings.h"

#include <algorithm>

namespace {

const bool CalendarRegistered = (RegisterClass<TLumYearCalendar>(), true);

constexpr int DayColumns = 37;
constexpr int Months = 12;
constexpr const char* DateEncodeError = "Invalid argument to date encode";

// The first character of a UTF-8 text.
String FirstCharacter(const String& Text) {
  if (Text.empty()) return Text;
  const auto lead = static_cast<unsigned char>(Text[0]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return Text.substr(0, length);
}

// Sets a flag for as long as it lives.
class TFlagScope {
public:
  explicit TFlagScope(bool& AFlag) : FFlag(AFlag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
};

} // namespace

Integer CalendarDayKey(Integer Day, Integer Month, Integer Year) {
  return CheckedAdd(
      CheckedAdd(CheckedMul(Day, Integer{1} << 24), CheckedMul(Month, Integer{1} << 16)), Year);
}

TCalendarSizes CalendarSizes(int Width, int Height, int LineWidth, int WidestHeader) {
  TCalendarSizes sizes;
  sizes.DayWidth = (Width - WidestHeader - LineWidth * DayColumns) / DayColumns;
  sizes.MonthHeight = (Height - LineWidth * Months) / (Months + 1);
  sizes.HeaderWidth = Width - (sizes.DayWidth + LineWidth) * DayColumns;
  sizes.HeaderHeight = Height - (sizes.MonthHeight + LineWidth) * Months;
  return sizes;
}

TLumYearCalendar::TLumYearCalendar(TComponent* AOwner) : TCustomGrid(AOwner) {
  SetColCount(DayColumns + 1);
  SetRowCount(Months + 1);
  SetScrollBars(ssNone);
  TGridOptions options = DefaultGridOptions;
  options.Exclude(goRangeSelect);
  options.Include(goDrawFocusSelected);
  SetOptions(options);
  FWidth = 640;
  FHeight = 240;
  FDate = Date();
  UpdateCalendar();
}

TLumYearCalendar::~TLumYearCalendar() = default;

// The date.

Integer TLumYearCalendar::GetDateElement(int Index) const {
  Word year = 0, month = 0, day = 0;
  DecodeDate(FDate, year, month, day);
  return Index == 1 ? year : Index == 2 ? month : day;
}

TDateTime TLumYearCalendar::ClampedDate(Integer AYear, Integer AMonth, Integer ADay) {
  TDateTime date = 0;
  if (AYear < 1 || AYear > 9999 || AMonth < 1 || AMonth > Months)
    throw EConvertError(DateEncodeError);
  const Integer day = std::min(ADay, DaysPerMonth(AYear, AMonth));
  if (!TryEncodeDate(static_cast<Word>(AYear), static_cast<Word>(AMonth), static_cast<Word>(day),
                     date))
    throw EConvertError(DateEncodeError);
  return date;
}

void TLumYearCalendar::SetDateElement(int Index, Integer Value) {
  if (Value < 1) return;
  if (ComponentState().Contains(csLoading)) {
    FLoadedParts[Index - 1] = Value;
    FUseCurrentDate = false;
    return;
  }
  Integer parts[3] = {Year(), Month(), Day()};
  if (Value == parts[Index - 1]) return;
  if (Index == 2 && Value > Months) return;
  if (Index == 3 && Value > DaysPerMonth(parts[0], parts[1])) return;
  parts[Index - 1] = Value;
  FDate = ClampedDate(parts[0], parts[1], parts[2]);
  FUseCurrentDate = false;
  if (Index == 1) Invalidate();
  UpdateCalendar();
  Change();
}

void TLumYearCalendar::SetCalendarDate(TDateTime Value) {
  if (Value == FDate) return;
  Word year = 0, month = 0, day = 0;
  DecodeDate(Value, year, month, day);
  const bool newYear = year != Year();
  FDate = Value;
  if (newYear) Invalidate();
  UpdateCalendar();
  Change();
}

void TLumYearCalendar::Loaded() {
  TCustomGrid::Loaded();
  if (std::all_of(std::begin(FLoadedParts), std::end(FLoadedParts),
                  [](Integer P) { return P == 0; }))
    return;
  const Integer month = FLoadedParts[1] && FLoadedParts[1] <= Months ? FLoadedParts[1] : Month();
  const TDateTime date = ClampedDate(FLoadedParts[0] ? FLoadedParts[0] : Year(), month,
                                     FLoadedParts[2] ? FLoadedParts[2] : Day());
  std::fill(std::begin(FLoadedParts), std::end(FLoadedParts), 0);
  FDate = date;
  Invalidate();
  UpdateCalendar();
}

void TLumYearCalendar::SetStartOfWeek(TDayOfWeek Value) {
  if (Value > 6) throw ERangeError(RtlMessages::RangeError);
  if (Value == FStartOfWeek) return;
  FStartOfWeek = Value;
  Invalidate();
  UpdateCalendar();
}

void TLumYearCalendar::NextYear() {
  const Integer target = Year() + 1;
  if (Month() == 2 && Day() == 29 && !IsLeapYear(target)) SetDay(28);
  SetYear(target);
}

void TLumYearCalendar::PrevYear() {
  const Integer target = Year() - 1;
  if (Month() == 2 && Day() == 29 && !IsLeapYear(target)) SetDay(28);
  SetYear(target);
}

void TLumYearCalendar::Change() {
  if (FOnChange) FOnChange(this);
}

// Calendar arithmetic.

bool TLumYearCalendar::IsLeapYear(Integer AYear) {
  return AYear % 4 == 0 && (AYear % 100 != 0 || AYear % 400 == 0);
}

Integer TLumYearCalendar::DaysPerMonth(Integer AYear, Integer AMonth) {
  static constexpr Integer Days[Months] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  RangeChecked<Integer>(AMonth, 1, Months);
  return AMonth == 2 && IsLeapYear(AYear) ? 29 : Days[AMonth - 1];
}

Integer TLumYearCalendar::GetMonthOffset(Integer AMonth) {
  const TDateTime first = ClampedDate(Year(), AMonth, 1);
  const Integer offset = DayOfWeek(first) - (FStartOfWeek + 1);
  return offset < 0 ? offset + 7 : offset;
}

const TLumYearCalendar::TMonthLayout& TLumYearCalendar::LayoutOf(int AMonth) {
  RangeChecked(AMonth, 1, Months);
  if (FLayoutDate != FDate || FLayoutStart != FStartOfWeek) {
    const Integer year = Year();
    for (int m = 1; m <= Months; ++m)
      FLayout[m - 1] = TMonthLayout{GetMonthOffset(m), DaysPerMonth(year, m)};
    FLayoutDate = FDate;
    FLayoutStart = FStartOfWeek;
  }
  return FLayout[AMonth - 1];
}

int TLumYearCalendar::DayAt(int ACol, int ARow) {
  const TMonthLayout& month = LayoutOf(ARow);
  const int day = ACol - month.Offset;
  return day >= 1 && day <= month.Days ? day : 0;
}

String TLumYearCalendar::GetCellText(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
    throw EInvalidGridOperation(SGridIndexOutOfRange);
  const TFormatSettings& names = FormatSettings();
  if (ACol >= 1 && ARow >= 1) {
    const int day = DayAt(ACol, ARow);
    return day ? IntToStr(day) : String();
  }
  if (ACol >= 1) return FirstCharacter(names.ShortDayNames[(FStartOfWeek + ACol - 1) % 7]);
  if (ARow >= 1) return names.ShortMonthNames[static_cast<std::size_t>(ARow - 1)];
  return IntToStr(Year());
}

// Marked days.

void TLumYearCalendar::Tag_hinzu(Integer ADay, Integer AMonth, Integer AYear) {
  FDayList.push_back(CalendarDayKey(ADay, AMonth, AYear));
  Invalidate();
}

void TLumYearCalendar::Tagesliste_loeschen() {
  FDayList.clear();
  Invalidate();
}

bool TLumYearCalendar::IsMarked(Integer ADay, Integer AMonth, Integer AYear) const {
  return std::find(FDayList.begin(), FDayList.end(), CalendarDayKey(ADay, AMonth, AYear)) !=
         FDayList.end();
}

// Selection.

void TLumYearCalendar::UpdateCalendar() {
  const TFlagScope updating(FUpdating);
  MoveColRow(Day() + GetMonthOffset(Month()), Month(), false, false);
}

bool TLumYearCalendar::SelectCell(int ACol, int ARow) {
  if (FReadOnly && !FUpdating) return false;
  if (ACol < 1 || ARow < 1 || DayAt(ACol, ARow) == 0) return false;
  return TCustomGrid::SelectCell(ACol, ARow);
}

void TLumYearCalendar::Click() {
  TCustomGrid::Click();
  if (Col() < 1 || Row() < 1) return;
  const int day = DayAt(Col(), Row());
  if (day) SetCalendarDate(ClampedDate(Year(), Row(), day));
}

// Drawing and sizing.

void TLumYearCalendar::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState) {
  TCanvas* canvas = Canvas();
  const String text = GetCellText(ACol, ARow);
  if (!FDayList.empty() && ACol >= 1 && ARow >= 1 && !text.empty() &&
      IsMarked(DayAt(ACol, ARow), ARow, Year())) {
    canvas->Brush()->SetColor(clLime);
    canvas->FillRect(ARect);
  }
  const int x = ARect.Left + (ARect.Width() - canvas->TextWidth(text)) / 2;
  const int y = ARect.Top + (ARect.Height() - canvas->TextHeight(text)) / 2;
  canvas->TextRect(ARect, x, y, text);
}

int TLumYearCalendar::WidestHeader() {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  int widest = canvas->TextWidth(IntToStr(Year()));
  for (const String& name : FormatSettings().ShortMonthNames)
    widest = std::max(widest, canvas->TextWidth(name));
  return widest;
}

void TLumYearCalendar::FitCells() {
  const TCalendarSizes sizes =
      CalendarSizes(ClientWidth(), ClientHeight(), GridLineWidth(), WidestHeader());
  SetDefaultColWidth(sizes.DayWidth);
  SetDefaultRowHeight(sizes.MonthHeight);
  SetColWidths(0, sizes.HeaderWidth);
  SetRowHeights(0, sizes.HeaderHeight);
}

void TLumYearCalendar::WMSize(TMessage& Message) {
  TCustomGrid::WMSize(Message);
  FitCells();
}

void TLumYearCalendar::DefineProperties(TFiler* Filer) { TCustomControl::DefineProperties(Filer); }
