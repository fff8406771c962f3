#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

// Hello, world in Qt: a window showing a label, which ends as soon as its first frame is
// shown (the paint that fills its backing store, flushed before the queued quit runs).
namespace {

class THelloWindow : public QWidget {
protected:
  void paintEvent(QPaintEvent* event) override {
    QWidget::paintEvent(event);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  }
};

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  THelloWindow window;
  window.setWindowTitle("Hello");
  window.setGeometry(100, 100, 240, 120);
  auto* label = new QLabel("Hello, world", &window);
  label->setGeometry(16, 16, 200, 20);
  window.show();
  return app.exec();
}
