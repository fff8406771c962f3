#include "bench/ChildProcess.h"

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QListWidget>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

// Qt 6 Widgets doing the work of LumTools' benchmarks (the sizes, strings and counts of
// bench/bench_gdi.cpp, bench_text.cpp, bench_controls.cpp, bench_user.cpp and
// bench_startup.cpp), on the offscreen platform: painting goes to images in memory.

namespace {

void BM_QtFillRect1024x768(benchmark::State& state) {
  QImage image(1024, 768, QImage::Format_RGB32);
  QPainter painter(&image);
  const QColor colour(10, 20, 30);
  for (auto _ : state) {
    painter.fillRect(QRect(0, 0, 1024, 768), colour);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 1024 * 768 * 4);
}
BENCHMARK(BM_QtFillRect1024x768);

void BM_QtRandomLines(benchmark::State& state) {
  QImage image(1024, 768, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setPen(QPen(Qt::black, 1));
  std::mt19937 rng(1);
  std::uniform_int_distribution<int> x(0, 1023), y(0, 767);
  for (auto _ : state) {
    const int x1 = x(rng), y1 = y(rng), x2 = x(rng), y2 = y(rng);
    painter.drawLine(x1, y1, x2, y2);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QtRandomLines);

// The face LumTools draws "MS Sans Serif" at 11 pixels with.
QFont EightPointFont() {
  const int id = QFontDatabase::addApplicationFont(
      "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf");
  QFont font(id >= 0 ? QFontDatabase::applicationFontFamilies(id).value(0)
                     : QString("Liberation Sans"));
  font.setPixelSize(11);
  return font;
}

void BM_QtText40Characters(benchmark::State& state) {
  QImage image(400, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(EightPointFont());
  painter.setPen(Qt::black);
  const QString forty = QStringLiteral("The quick brown fox jumps over a lazy do");
  const int baseline = 4 + painter.fontMetrics().ascent();
  painter.drawText(4, baseline, forty);
  for (auto _ : state) {
    painter.drawText(4, baseline, forty);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_QtText40Characters);

// A form of 500 cells, every other one a widget of its own; the others the form paints
// itself, as a graphic control's parent does. Each cell is a frame around a fill.

constexpr int Columns = 25, Rows = 20, CellWidth = 40, CellHeight = 30;

void PaintCell(QPainter& painter, const QRect& cell) {
  painter.setPen(QColor(160, 160, 160));
  painter.setBrush(Qt::white);
  painter.drawRect(cell.adjusted(0, 0, -1, -1));
}

class TCellWidget : public QWidget {
public:
  using QWidget::QWidget;

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    PaintCell(painter, rect());
  }
};

class TBenchForm : public QWidget {
public:
  TBenchForm() {
    setGeometry(0, 0, Columns * CellWidth + 20, Rows * CellHeight + 40);
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(212, 208, 200));
    setPalette(face);
    for (int row = 0; row < Rows; ++row)
      for (int column = 0; column < Columns; ++column) {
        const QRect cell(column * CellWidth + 2, row * CellHeight + 2, CellWidth - 4,
                         CellHeight - 4);
        QWidget* widget = nullptr;
        if ((row + column) % 2 == 0) {
          widget = new TCellWidget(this);
          widget->setGeometry(cell);
        } else
          windowless_.push_back(cell);
        Cells.push_back(cell);
        Widgets.push_back(widget);
      }
    show();
    QCoreApplication::processEvents();
  }

  std::vector<QRect> Cells;
  std::vector<QWidget*> Widgets; // null for the cells the form paints

protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    for (const QRect& cell : windowless_)
      if (event->rect().intersects(cell)) PaintCell(painter, cell);
  }

private:
  std::vector<QRect> windowless_;
};

void BM_QtRepaintFormOf500Controls(benchmark::State& state) {
  TBenchForm form;
  for (auto _ : state) form.repaint();
}
BENCHMARK(BM_QtRepaintFormOf500Controls)->Unit(benchmark::kMillisecond);

void BM_QtRepaintOneWindowedControlAmong500(benchmark::State& state) {
  TBenchForm form;
  QWidget* cell = form.Widgets[Columns * Rows / 2];
  for (auto _ : state) cell->repaint();
}
BENCHMARK(BM_QtRepaintOneWindowedControlAmong500)->Unit(benchmark::kMicrosecond);

void BM_QtRepaintOneWindowlessControlAmong500(benchmark::State& state) {
  TBenchForm form;
  const QRect cell = form.Cells[Columns * Rows / 2 + 1];
  for (auto _ : state) form.repaint(cell);
}
BENCHMARK(BM_QtRepaintOneWindowlessControlAmong500)->Unit(benchmark::kMicrosecond);

// A list of "Item n" strings in a 380 x 580 list on a 400 x 600 window, n running through
// 0 … count - 1 in the order (i * 7919) mod count.

struct TListForm {
  QWidget Top;
  QListWidget* List;

  explicit TListForm(bool sorted) : List(new QListWidget(&Top)) {
    Top.setGeometry(0, 0, 400, 600);
    List->setGeometry(10, 10, 380, 580);
    List->setSortingEnabled(sorted);
    Top.show();
  }
  void Fill(int count) {
    for (int i = 0; i < count; ++i)
      List->addItem(QStringLiteral("Item ") + QString::number((i * 7919) % count));
  }
};

// Every add on its own, without holding the updates back; the list paints once after.
void AddStrings(benchmark::State& state, int count, bool sorted) {
  for (auto _ : state) {
    TListForm form(sorted);
    form.Fill(count);
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(form.List->count());
  }
}

void BM_QtListAddTenThousandSortedStrings(benchmark::State& state) {
  AddStrings(state, 10000, true);
}
BENCHMARK(BM_QtListAddTenThousandSortedStrings)->Unit(benchmark::kMillisecond);

void BM_QtListAddHundredThousandSortedStrings(benchmark::State& state) {
  AddStrings(state, 100000, true);
}
BENCHMARK(BM_QtListAddHundredThousandSortedStrings)->Unit(benchmark::kMillisecond);

void BM_QtListAddHundredThousandStringsNoBracket(benchmark::State& state) {
  AddStrings(state, 100000, false);
}
BENCHMARK(BM_QtListAddHundredThousandStringsNoBracket)->Unit(benchmark::kMillisecond);

void RepaintList(benchmark::State& state, int count) {
  TListForm form(false);
  form.Fill(count);
  form.List->setCurrentRow(count / 2);
  QCoreApplication::processEvents();
  for (auto _ : state) form.List->repaint();
}

void BM_QtListRepaintWithTenThousandItems(benchmark::State& state) { RepaintList(state, 10000); }
BENCHMARK(BM_QtListRepaintWithTenThousandItems)->Unit(benchmark::kMicrosecond);

void BM_QtListRepaintWithHundredThousandItems(benchmark::State& state) {
  RepaintList(state, 100000);
}
BENCHMARK(BM_QtListRepaintWithHundredThousandItems)->Unit(benchmark::kMicrosecond);

void BM_QtStartupHelloWorldToFirstFrame(benchmark::State& state) {
  TimeHelloWorld(state, "lum_peer_hello");
}
BENCHMARK(BM_QtStartupHelloWorldToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
