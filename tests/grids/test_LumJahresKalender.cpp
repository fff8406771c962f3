#include "tests/displays/DisplayTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/FormatSettings.h"
#include "grids/LumJahresKalender.h"

using namespace displaytest;

namespace {

// 0 = Sunday, by Sakamoto's rule, as a check independent of the date routines.
int Weekday(int Y, int M, int D) {
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (M < 3) --Y;
  return (Y + Y / 4 - Y / 100 + Y / 400 + t[M - 1] + D) % 7;
}

TDateTime Day(int Y, int M, int D) {
  return EncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D));
}

TEST(CalendarSizes, DayColumnsAndMonthRowsShareTheRestWithTheHeaders) {
  const TCalendarSizes s = CalendarSizes(400, 200, 1, 30);
  EXPECT_EQ(s.DayWidth, 9);
  EXPECT_EQ(s.MonthHeight, 14);
  EXPECT_EQ(s.HeaderWidth, 30);
  EXPECT_EQ(s.HeaderHeight, 20);
  const TCalendarSizes wide = CalendarSizes(641, 263, 2, 41);
  EXPECT_EQ(wide.HeaderWidth + (wide.DayWidth + 2) * 37, 641);
  EXPECT_EQ(wide.HeaderHeight + (wide.MonthHeight + 2) * 12, 263);
}

class YearCalendarTest : public DisplayTest {
protected:
  TLumYearCalendar* NewCalendar(int Width = 560, int Height = 260) {
    auto* calendar = ShowNew<TLumYearCalendar>(Width, Height);
    calendar->SetOnChange([this](TObject*) { ++Changes; });
    User.ProcessMessages();
    return calendar;
  }
  static TDateTime DateOf(TLumYearCalendar* C) { return Day(C->Year(), C->Month(), C->Day()); }
  // The calendar's cell of a day of its year.
  static TGridCoord CellOf(TLumYearCalendar* C, int M, int D) {
    return TGridCoord{D + C->GetMonthOffset(M), M};
  }
  static TPoint Centre(TLumYearCalendar* C, TGridCoord Cell) {
    const TRect r = C->CellRect(Cell.X, Cell.Y);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  int Changes = 0;
};

TEST_F(YearCalendarTest, StartsOnTodayWithItsShapeAndStoresNothingOfTheDate) {
  auto* calendar = NewCalendar();
  Word y = 0, m = 0, d = 0;
  DecodeDate(Date(), y, m, d);
  EXPECT_EQ(calendar->Year(), y);
  EXPECT_EQ(calendar->Month(), m);
  EXPECT_EQ(calendar->Day(), d);
  EXPECT_TRUE(calendar->UseCurrentDate());
  EXPECT_EQ(calendar->ColCount(), 38);
  EXPECT_EQ(calendar->RowCount(), 13);
  EXPECT_FALSE(calendar->Options().Contains(goRangeSelect));
  EXPECT_TRUE(calendar->Options().Contains(goDrawFocusSelected));
  EXPECT_EQ(calendar->Row(), m);
  EXPECT_EQ(calendar->Col(), d + calendar->GetMonthOffset(m));
  calendar->SetName("Calendar1");
  const String text = WriteFormText(Form());
  EXPECT_EQ(text.find("Year ="), String::npos) << text;
  EXPECT_EQ(text.find("ColWidths"), String::npos) << "sizes follow the window";
}

TEST_F(YearCalendarTest, TheGridFillsTheClientAreaExactlyAtEverySize) {
  auto* calendar = NewCalendar();
  calendar->SetBorderStyle(bsNone);
  for (const auto& size : {TPoint{400, 200}, TPoint{640, 300}, TPoint{300, 150}}) {
    calendar->SetBounds(10, 10, size.X, size.Y);
    User.ProcessMessages();
    ASSERT_EQ(calendar->ClientWidth(), size.X);
    EXPECT_EQ(calendar->ColWidths(0) + (calendar->DefaultColWidth() + 1) * 37, size.X);
    EXPECT_EQ(calendar->RowHeights(0) + (calendar->DefaultRowHeight() + 1) * 12, size.Y);
    EXPECT_EQ(calendar->DefaultRowHeight(), (size.Y - 12) / 13);
    EXPECT_EQ(calendar->CellRect(37, 12).Right, size.X) << "the last day column ends at the edge";
    EXPECT_GE(calendar->ColWidths(0), calendar->Canvas()->TextWidth("Sep"));
  }
}

TEST_F(YearCalendarTest, MonthsStartUnderTheirWeekdayInYearsStartingOnEveryWeekday) {
  auto* calendar = NewCalendar();
  // 1 January of these falls on Sunday … Saturday; leap years and centuries among them.
  for (const int year : {2023, 2024, 2019, 2020, 2015, 2016, 2022, 2000, 1900, 2100}) {
    calendar->SetCalendarDate(Day(year, 1, 1));
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    EXPECT_EQ(calendar->IsLeapYear(year), leap) << year;
    EXPECT_EQ(calendar->DaysPerMonth(year, 2), leap ? 29 : 28) << year;
    EXPECT_EQ(calendar->GetCellText(0, 0), std::to_string(year));
    for (int start = 0; start < 7; ++start) {
      calendar->SetStartOfWeek(static_cast<TDayOfWeek>(start));
      for (int month = 1; month <= 12; ++month) {
        const int offset = (Weekday(year, month, 1) - start + 7) % 7;
        ASSERT_EQ(calendar->GetMonthOffset(month), offset) << year << "-" << month << " " << start;
        const int days = calendar->DaysPerMonth(year, month);
        EXPECT_EQ(calendar->GetCellText(offset + 1, month), "1");
        EXPECT_EQ(calendar->GetCellText(offset + days, month), std::to_string(days));
        if (offset > 0) {
          EXPECT_EQ(calendar->GetCellText(offset, month), "");
        }
        if (offset + days < 37) {
          EXPECT_EQ(calendar->GetCellText(offset + days + 1, month), "");
        }
      }
    }
    calendar->SetStartOfWeek(0);
  }
  const TFormatSettings& names = FormatSettings();
  EXPECT_EQ(calendar->GetCellText(0, 3), names.ShortMonthNames[2]);
  calendar->SetStartOfWeek(1);
  EXPECT_EQ(calendar->GetCellText(1, 0), names.ShortDayNames[1].substr(0, 1)) << "Monday first";
  EXPECT_EQ(calendar->GetCellText(8, 0), calendar->GetCellText(1, 0));
  EXPECT_EQ(calendar->GetCellText(7, 0), names.ShortDayNames[0].substr(0, 1));
  EXPECT_THROW(calendar->GetCellText(38, 1), EInvalidGridOperation);
  EXPECT_THROW(calendar->SetStartOfWeek(7), ERangeError);
}

TEST_F(YearCalendarTest, ArrowKeysMoveTheDayAndStopAtCellsWithoutOne) {
  auto* calendar = NewCalendar();
  calendar->SetCalendarDate(Day(2024, 1, 15));
  calendar->SetFocus();
  Changes = 0;
  User.PressKey(VK_RIGHT);
  EXPECT_EQ(DateOf(calendar), Day(2024, 1, 16));
  // Down keeps the column: 16 January 2024 (a Tuesday) lies over 13 February (a Tuesday).
  User.PressKey(VK_DOWN);
  EXPECT_EQ(DateOf(calendar), Day(2024, 2, 13));
  EXPECT_EQ(Changes, 2);
  EXPECT_TRUE(calendar->UseCurrentDate()) << "moving by keys leaves it";
  calendar->SetCalendarDate(Day(2024, 1, 31));
  Changes = 0;
  User.PressKey(VK_RIGHT);
  EXPECT_EQ(DateOf(calendar), Day(2024, 1, 31)) << "no day right of the 31st";
  EXPECT_EQ(Changes, 0);
  User.PressKey(VK_DOWN);
  EXPECT_EQ(DateOf(calendar), Day(2024, 2, 28)) << "Wednesday 31 January over Wednesday 28th";
  User.PressKey(VK_DOWN);
  EXPECT_EQ(DateOf(calendar), Day(2024, 3, 27));
  User.PressKey(VK_UP);
  User.PressKey(VK_UP);
  EXPECT_EQ(DateOf(calendar), Day(2024, 1, 31));
  calendar->SetCalendarDate(Day(2024, 1, 1));
  User.PressKey(VK_LEFT);
  User.PressKey(VK_UP);
  EXPECT_EQ(DateOf(calendar), Day(2024, 1, 1))
      << "nothing left of Monday the 1st, above is the header";
  calendar->SetReadOnly(true);
  User.PressKey(VK_RIGHT);
  EXPECT_EQ(DateOf(calendar), Day(2024, 1, 1)) << "read-only";
  calendar->SetYear(2025);
  EXPECT_EQ(TGridCoord({calendar->Col(), calendar->Row()}), CellOf(calendar, 1, 1))
      << "the calendar still moves itself";
}

TEST_F(YearCalendarTest, AClickSelectsADayButNotAnEmptyCellNorWhileReadOnly) {
  auto* calendar = NewCalendar();
  calendar->SetCalendarDate(Day(2026, 3, 3));
  Changes = 0;
  User.Click(calendar, Centre(calendar, CellOf(calendar, 12, 24)));
  EXPECT_EQ(DateOf(calendar), Day(2026, 12, 24));
  EXPECT_EQ(Changes, 1);
  // December 2026 starts on a Tuesday: columns 1 and 2 are empty.
  ASSERT_EQ(calendar->GetMonthOffset(12), 2);
  User.Click(calendar, Centre(calendar, TGridCoord{1, 12}));
  User.Click(calendar, Centre(calendar, TGridCoord{37, 2}));
  User.Click(calendar, Centre(calendar, TGridCoord{5, 0}));
  EXPECT_EQ(DateOf(calendar), Day(2026, 12, 24));
  EXPECT_EQ(Changes, 1) << "no change, no event";
  calendar->SetReadOnly(true);
  User.Click(calendar, Centre(calendar, CellOf(calendar, 5, 1)));
  EXPECT_EQ(DateOf(calendar), Day(2026, 12, 24));
}

TEST_F(YearCalendarTest, MarkedDaysArePaintedGreenOnlyInTheirYear) {
  auto* calendar = NewCalendar();
  calendar->SetCalendarDate(Day(2000, 6, 10));
  calendar->Tag_hinzu(24, 12, 2000);
  calendar->Tag_hinzu(1, 1, 2001);
  calendar->SetFocus();
  const auto cornerOf = [&](int M, int D) {
    const TRect r = calendar->CellRect(D + calendar->GetMonthOffset(M), M);
    return TPoint{r.Left + 1, r.Top + 1};
  };
  TShot shot = Shoot(calendar);
  Sheet("LumYearCalendar-2000.png");
  TPoint at = cornerOf(12, 24);
  EXPECT_EQ(shot.At(at.X, at.Y), ColorToRGB(clLime));
  at = cornerOf(12, 23);
  EXPECT_EQ(shot.At(at.X, at.Y), ColorToRGB(clWindow));
  at = cornerOf(6, 10);
  EXPECT_EQ(shot.At(at.X, at.Y), ColorToRGB(clHighlight)) << "the focused day is highlighted";
  const TRect header = calendar->CellRect(0, 5);
  EXPECT_EQ(shot.At(header.Left + 4, header.Top + 1), ColorToRGB(clBtnFace));
  EXPECT_GT(shot.CountDark(header), 0) << "the month name";
  const TRect empty = calendar->CellRect(1, 6);
  EXPECT_EQ(calendar->GetCellText(1, 6), "");
  EXPECT_EQ(shot.CountDark(empty), 0);

  calendar->NextYear();
  shot = Shoot(calendar);
  at = cornerOf(12, 24);
  EXPECT_EQ(shot.At(at.X, at.Y), ColorToRGB(clWindow)) << "2001";
  at = cornerOf(1, 1);
  EXPECT_EQ(shot.At(at.X, at.Y), ColorToRGB(clLime));
  calendar->Tagesliste_loeschen();
  shot = Shoot(calendar);
  EXPECT_EQ(shot.At(at.X, at.Y), ColorToRGB(clWindow));
  EXPECT_THROW(calendar->Tag_hinzu(200, 1, 2000), EIntOverflow);
}

TEST_F(YearCalendarTest, LeapDaysAndShortMonthsTakeTheLastDayInstead) {
  auto* calendar = NewCalendar();
  calendar->SetCalendarDate(Day(2000, 2, 29));
  calendar->NextYear();
  EXPECT_EQ(DateOf(calendar), Day(2001, 2, 28));
  calendar->SetCalendarDate(Day(2004, 2, 29));
  calendar->PrevYear();
  EXPECT_EQ(DateOf(calendar), Day(2003, 2, 28));
  calendar->SetCalendarDate(Day(2023, 1, 31));
  Changes = 0;
  calendar->SetMonth(2);
  EXPECT_EQ(DateOf(calendar), Day(2023, 2, 28));
  EXPECT_EQ(Changes, 1);
  EXPECT_FALSE(calendar->UseCurrentDate());
  calendar->SetMonth(4);
  calendar->SetDay(30);
  calendar->SetCalendarDate(Day(2024, 2, 29));
  calendar->SetYear(2023);
  EXPECT_EQ(DateOf(calendar), Day(2023, 2, 28));
  EXPECT_EQ(TGridCoord({calendar->Col(), calendar->Row()}), CellOf(calendar, 2, 28));
  Changes = 0;
  calendar->SetDay(29);
  calendar->SetMonth(13);
  calendar->SetYear(0);
  calendar->SetDay(-3);
  EXPECT_EQ(DateOf(calendar), Day(2023, 2, 28)) << "ignored";
  EXPECT_EQ(Changes, 0);
  EXPECT_THROW(calendar->SetYear(10000), EConvertError);
  EXPECT_EQ(DateOf(calendar), Day(2023, 2, 28)) << "the date stays";
}

TEST_F(YearCalendarTest, AStoredDateIsReadWholeWhateverTheOrderAndToday) {
  auto* calendar = NewCalendar();
  calendar->SetName("Calendar1");
  calendar->SetCalendarDate(Day(2024, 3, 5));
  calendar->SetMonth(2);
  calendar->SetDay(29);
  calendar->SetStartOfWeek(1);
  calendar->Tag_hinzu(1, 1, 2024);
  const String text = WriteFormText(Form());
  for (const char* line :
       {"Year = 2024", "Month = 2", "Day = 29", "StartOfWeek = 1", "UseCurrentDate = False"})
    EXPECT_NE(text.find(line), String::npos) << line << "\n" << text;
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumYearCalendar*>(copy->FindComponent("Calendar1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(DateOf(read), Day(2024, 2, 29));
  EXPECT_EQ(read->StartOfWeek(), 1);
  EXPECT_FALSE(read->UseCurrentDate());
  EXPECT_EQ(TGridCoord({read->Col(), read->Row()}), CellOf(read, 2, 29));
  EXPECT_EQ(WriteFormText(copy), text);

  // Set one after another on top of today, a day before its month would fail to load.
  const String reordered = "object Form2: TForm\n  object Calendar2: TLumYearCalendar\n"
                           "    Day = 29\n    Month = 2\n    Year = 2024\n  end\nend\n";
  TForm* other = NewForm();
  ReadFormText(reordered, other);
  auto* second = dynamic_cast<TLumYearCalendar*>(other->FindComponent("Calendar2"));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(DateOf(second), Day(2024, 2, 29));
}

} // namespace
