#include "window/frm_main.h"

#include <stdexcept>
#include <utility>

#include <QByteArrayView>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>
#include <QShowEvent>
#include <QString>

namespace quorvane {

namespace {

// The client area at 96 dots per inch (15 twips to a pixel).
constexpr int kLeft = 110;
constexpr int kTop = 103;
constexpr int kWidth = 439;
constexpr int kHeight = 549;

}  // namespace

FrmMain::FrmMain(std::string argument, QWidget* parent)
    : QWidget(parent), argument_(std::move(argument)) {
  setWindowTitle(QStringLiteral("Quorvane converter"));
  setGeometry(kLeft, kTop, kWidth, kHeight);
}

void FrmMain::ClearText() {
  lines_.clear();
  repaint();
}

void FrmMain::PrintLine(std::string_view line) {
  lines_.emplace_back(line);
  // No events are pumped during the scan, so an update() would only show
  // " Loading ..." once the listing has been read.
  repaint();
}

void FrmMain::PumpEvents() { QCoreApplication::processEvents(); }

void FrmMain::Unload() {
  unloading_ = true;
  if (!close()) throw std::runtime_error("cannot close the window");
}

void FrmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (activation_queued_) return;
  activation_queued_ = true;
  // Queued, so that the window is on the screen before the run holds the
  // thread; later shows (after a minimise, say) start nothing.
  QMetaObject::invokeMethod(this, &FrmMain::Activate, Qt::QueuedConnection);
}

void FrmMain::closeEvent(QCloseEvent* event) {
  bool run_over =
      run_state_ == RunState::kSucceeded || run_state_ == RunState::kFailed;
  if (unloading_ || run_over) {
    event->accept();
    return;
  }
  // A close before or during the run waits for its end: the run cannot stop
  // half-way, and its outcome still decides the exit status.
  close_requested_ = true;
  event->ignore();
}

void FrmMain::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  int top = 0;
  for (const std::string& line : lines_) {
    if (top >= height()) break;
    painter.drawText(0, top + metrics.ascent(),
                     QString::fromLocal8Bit(QByteArrayView(line)));
    top += metrics.lineSpacing();
  }
}

void FrmMain::Activate() {
  if (run_state_ != RunState::kWaiting) return;
  run_state_ = RunState::kRunning;
  bool succeeded = ConversionRun(argument_, &fields_, this, &error_);
  run_state_ = succeeded ? RunState::kSucceeded : RunState::kFailed;
  emit RunEnded(succeeded);
  if (close_requested_) close();
}

}  // namespace quorvane
