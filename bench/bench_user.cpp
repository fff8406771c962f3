#include "framework/platform/headless/HeadlessDisplay.h"
#include "framework/win32/WinUser.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// Painting a form of 500 child windows, each erased with its class brush.

namespace {

constexpr int Columns = 25, Rows = 20, CellWidth = 40, CellHeight = 30;

struct TForm {
  THeadlessDisplay Display;
  HWND Top = nullptr;
  std::vector<HWND> Children;

  TForm() {
    WNDCLASSA wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "BenchForm";
    RegisterClassA(&wc);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "BenchControl";
    RegisterClassA(&wc);
    Top = CreateWindowExA(
        0, "BenchForm", "Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
        Columns * CellWidth + 20, Rows * CellHeight + 40, nullptr, nullptr, nullptr, nullptr);
    for (int row = 0; row < Rows; ++row)
      for (int column = 0; column < Columns; ++column)
        Children.push_back(CreateWindowExA(
            0, "BenchControl", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPSIBLINGS,
            column * CellWidth + 2, row * CellHeight + 2, CellWidth - 4, CellHeight - 4, Top,
            nullptr, nullptr, nullptr));
    Display.ProcessMessages();
  }
};

void BM_RepaintWholeFormOf500Children(benchmark::State& state) {
  TForm form;
  for (auto _ : state) {
    RedrawWindow(form.Top, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    benchmark::DoNotOptimize(form.Top);
  }
}
BENCHMARK(BM_RepaintWholeFormOf500Children)->Unit(benchmark::kMillisecond);

void BM_RepaintOneSmallChildAmong500(benchmark::State& state) {
  TForm form;
  const HWND child = form.Children[Columns * Rows / 2];
  for (auto _ : state) {
    InvalidateRect(child, nullptr, TRUE);
    UpdateWindow(child);
  }
}
BENCHMARK(BM_RepaintOneSmallChildAmong500)->Unit(benchmark::kMicrosecond);

// Two rectangles of a child invalidated (the second beside the first) and validated again.
void BM_InvalidateTwoRectsOfAChildAmong500(benchmark::State& state) {
  TForm form;
  const HWND child = form.Children[Columns * Rows / 2];
  const RECT first{2, 2, 10, 10}, second{10, 2, 20, 10};
  for (auto _ : state) {
    InvalidateRect(child, &first, TRUE);
    InvalidateRect(child, &second, TRUE);
    ValidateRect(child, nullptr);
  }
}
BENCHMARK(BM_InvalidateTwoRectsOfAChildAmong500)->Unit(benchmark::kMicrosecond);

// The frame of a 600-pixel-high window with a vertical scroll bar, its track checkered.
void BM_PaintFrameWithVerticalScrollBar(benchmark::State& state) {
  THeadlessDisplay display;
  WNDCLASSA wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "BenchScrolled";
  RegisterClassA(&wc);
  const HWND window =
      CreateWindowExA(0, "BenchScrolled", "Scrolled", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE,
                      0, 0, 300, 600, nullptr, nullptr, nullptr, nullptr);
  SetScrollRange(window, SB_VERT, 0, 1000, TRUE);
  display.ProcessMessages();
  for (auto _ : state) SendMessageA(window, WM_NCPAINT, 1, 0);
  DestroyWindow(window);
}
BENCHMARK(BM_PaintFrameWithVerticalScrollBar)->Unit(benchmark::kMicrosecond);

} // namespace

namespace {

// A list box of 10 000 or 100 000 items: adding them all, and a full repaint.

struct TListForm {
  THeadlessDisplay Display;
  HWND Top = nullptr;
  HWND List = nullptr;

  explicit TListForm(DWORD style) {
    WNDCLASSA wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "BenchListForm";
    RegisterClassA(&wc);
    Top = CreateWindowExA(0, "BenchListForm", "Form", WS_POPUP | WS_VISIBLE, 0, 0, 400, 600,
                          nullptr, nullptr, nullptr, nullptr);
    List = CreateWindowExA(0, "ListBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 10, 10,
                           380, 580, Top, nullptr, nullptr, nullptr);
  }
  // Texts in a scrambled order (7919 is prime to both counts).
  void Fill(int count) {
    for (int i = 0; i < count; ++i) {
      const String text = "Item " + std::to_string((i * 7919) % count);
      SendMessageA(List, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
  }
};

// Every add in its own message, without a WM_SETREDRAW bracket; the list paints once after.
void AddStrings(benchmark::State& state, DWORD style, int count) {
  for (auto _ : state) {
    TListForm form(style);
    form.Fill(count);
    form.Display.ProcessMessages();
    benchmark::DoNotOptimize(SendMessageA(form.List, LB_GETCOUNT, 0, 0));
  }
}

void BM_ListBoxAddTenThousandSortedStrings(benchmark::State& state) {
  AddStrings(state, LBS_SORT, 10000);
}
BENCHMARK(BM_ListBoxAddTenThousandSortedStrings)->Unit(benchmark::kMillisecond);

void BM_ListBoxAddHundredThousandSortedStrings(benchmark::State& state) {
  AddStrings(state, LBS_SORT, 100000);
}
BENCHMARK(BM_ListBoxAddHundredThousandSortedStrings)->Unit(benchmark::kMillisecond);

void BM_ListBoxAddHundredThousandStringsNoBracket(benchmark::State& state) {
  AddStrings(state, 0, 100000);
}
BENCHMARK(BM_ListBoxAddHundredThousandStringsNoBracket)->Unit(benchmark::kMillisecond);

void Repaint(benchmark::State& state, int count) {
  TListForm form(0);
  form.Fill(count);
  SendMessageA(form.List, LB_SETCURSEL, static_cast<WPARAM>(count / 2), 0);
  form.Display.ProcessMessages();
  for (auto _ : state) {
    RedrawWindow(form.List, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    benchmark::DoNotOptimize(form.List);
  }
}

void BM_ListBoxRepaintWithTenThousandItems(benchmark::State& state) { Repaint(state, 10000); }
BENCHMARK(BM_ListBoxRepaintWithTenThousandItems)->Unit(benchmark::kMicrosecond);

void BM_ListBoxRepaintWithHundredThousandItems(benchmark::State& state) { Repaint(state, 100000); }
BENCHMARK(BM_ListBoxRepaintWithHundredThousandItems)->Unit(benchmark::kMicrosecond);

} // namespace
