#pragma once

#include "framework/controls/Grids.h"

#include <vector>

// 0 = Sunday … 6 = Saturday.
using TDayOfWeek = Byte;

// The key a marked day is kept under: Day × 2^24 + Month × 2^16 + Year.
Integer CalendarDayKey(Integer Day, Integer Month, Integer Year);

// Where the calendar's cells go in a client area Width by Height: the day columns and month
// rows all of one size, the header column and row taking what is left.
struct TCalendarSizes {
  int DayWidth = 0;
  int MonthHeight = 0;
  int HeaderWidth = 0;
  int HeaderHeight = 0;
};
TCalendarSizes CalendarSizes(int Width, int Height, int LineWidth, int WidestHeader);

// A whole year on one grid: a row per month, its days under a repeating weekday header, so
// all twelve months show at once. A click selects a day; the application reads and sets the
// date through Year, Month and Day and can mark days, which are painted green.
class TLumYearCalendar : public TCustomGrid {
  LUM_CLASS(TLumYearCalendar, TCustomGrid)
public:
  explicit TLumYearCalendar(TComponent* AOwner);
  ~TLumYearCalendar() override;

  LUM_PUBLISHED(Integer, Year, GetDateElement(1), SetYear, NoDefault, Stored(IsDateStored))
  LUM_PUBLISHED(Integer, Month, GetDateElement(2), SetMonth, NoDefault, Stored(IsDateStored))
  LUM_PUBLISHED(Integer, Day, GetDateElement(3), SetDay, NoDefault, Stored(IsDateStored))
  LUM_PUBLISHED(TDayOfWeek, StartOfWeek, FStartOfWeek, SetStartOfWeek, Default(0))
  LUM_PUBLISHED(bool, UseCurrentDate, FUseCurrentDate, Field, Default(true))
  LUM_PUBLISHED(bool, ReadOnly, FReadOnly, Field, Default(false))
  LUM_PUBLISHED(TNotifyEvent, OnChange, FOnChange, Field, NoDefault)
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomGrid::BorderStyle(), TCustomGrid::SetBorderStyle,
                Default(bsSingle))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clWindow), Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(Integer, GridLineWidth, TCustomGrid::GridLineWidth(), TCustomGrid::SetGridLineWidth,
                Default(1))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(false))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)
  LUM_PUBLISHED(TEndDragEvent, OnEndDrag, FOnEndDrag, TControl::SetOnEndDrag, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
  LUM_PUBLISHED(TKeyEvent, OnKeyDown, TWinControl::OnKeyDown(), TWinControl::SetOnKeyDown,
                NoDefault)
  LUM_PUBLISHED(TKeyPressEvent, OnKeyPress, TWinControl::OnKeyPress(), TWinControl::SetOnKeyPress,
                NoDefault)
  LUM_PUBLISHED(TKeyEvent, OnKeyUp, TWinControl::OnKeyUp(), TWinControl::SetOnKeyUp, NoDefault)

  // Values below 1 are ignored, a month above 12 and a day past the month's end too. A day
  // that the new month or year does not have becomes its last day.
  void SetYear(Integer Value) { SetDateElement(1, Value); }
  void SetMonth(Integer Value) { SetDateElement(2, Value); }
  void SetDay(Integer Value) { SetDateElement(3, Value); }
  // ERangeError above 6.
  void SetStartOfWeek(TDayOfWeek Value);
  bool IsDateStored() const { return !FUseCurrentDate; }

  // The selected date; setting it leaves UseCurrentDate as it is.
  TDateTime CalendarDate() const { return FDate; }
  void SetCalendarDate(TDateTime Value);

  virtual bool IsLeapYear(Integer AYear);
  virtual Integer DaysPerMonth(Integer AYear, Integer AMonth);
  // Empty cells before day 1 of the month in the current year (0 to 6).
  Integer GetMonthOffset(Integer AMonth);
  // A day number, a weekday letter, a short month name or (cell 0, 0) the year.
  String GetCellText(int ACol, int ARow);
  // A year on; 29 February becomes 28 first when the target year has no such day.
  void NextYear();
  void PrevYear();
  // Moves the current cell onto the date.
  virtual void UpdateCalendar();
  // Marks a day (EIntOverflow when its key does not fit 32 bits).
  void Tag_hinzu(Integer ADay, Integer AMonth, Integer AYear);
  void Tagesliste_loeschen();
  // Whether the day is in the day list.
  bool IsMarked(Integer ADay, Integer AMonth, Integer AYear) const;

protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  // Refused while ReadOnly (unless the calendar moves itself) and for cells without a day.
  bool SelectCell(int ACol, int ARow) override;
  // After the inherited click the clicked day becomes the date.
  void Click() override;
  // OnChange, after every change of the date.
  virtual void Change();
  void WMSize(TMessage& Message) override;
  // Sizes follow the client area, so they are not stored.
  void DefineProperties(TFiler* Filer) override;
  // A date read from a form file is applied here, all three parts at once.
  void Loaded() override;

private:
  Integer GetDateElement(int Index) const;
  void SetDateElement(int Index, Integer Value);
  // The date of those parts, its day held to the month's length.
  TDateTime ClampedDate(Integer AYear, Integer AMonth, Integer ADay);
  // The day shown in a cell of columns 1 to 37 and rows 1 to 12; 0 for an empty one.
  int DayAt(int ACol, int ARow);
  // Each month's offset and length, worked out once per date and start of the week.
  struct TMonthLayout {
    int Offset = 0;
    int Days = 0;
  };
  const TMonthLayout& LayoutOf(int AMonth);
  // The sizes of the columns and rows for the client area.
  void FitCells();
  int WidestHeader();

  TDateTime FDate = 0;
  TDayOfWeek FStartOfWeek = 0;
  bool FUseCurrentDate = true;
  bool FReadOnly = false;
  bool FUpdating = false;
  std::vector<Integer> FDayList;
  TNotifyEvent FOnChange;
  TMonthLayout FLayout[12];
  TDateTime FLayoutDate = -1;
  TDayOfWeek FLayoutStart = 0;
  // Parts read from a form file, waiting for Loaded; 0 where none was read.
  Integer FLoadedParts[3] = {0, 0, 0};
};
