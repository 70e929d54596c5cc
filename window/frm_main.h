#ifndef QUORVANE_WINDOW_FRM_MAIN_H_
#define QUORVANE_WINDOW_FRM_MAIN_H_

#include <string>
#include <string_view>
#include <vector>

#include <QWidget>

#include "conversion/conversion_run.h"

class QCloseEvent;
class QPaintEvent;
class QShowEvent;

namespace quorvane {

/// The program's one window. Once it has first been shown it runs the
/// conversion of its argument, showing the run's lines; it closes itself after
/// a successful run and stays, with "Error" last, after a failed one.
class FrmMain : public QWidget, public RunWindow {
  Q_OBJECT

 public:
  /// How far the window's one run has got.
  enum class RunState { kWaiting, kRunning, kSucceeded, kFailed };

  /// A window that will convert the listing named by `argument`, the
  /// program's argument text.
  explicit FrmMain(std::string argument, QWidget* parent = nullptr);

  /// Drawing and closing for the run; see RunWindow. Lines are drawn at once,
  /// so a long scan shows where it is reading from.
  void ClearText() override;
  void PrintLine(std::string_view line) override;
  void PumpEvents() override;
  void Unload() override;

  RunState run_state() const { return run_state_; }
  /// What failed and why, after a failed run.
  const std::string& error() const { return error_; }
  /// The run fields, empty until the run fills them.
  const RunFields& fields() const { return fields_; }
  /// The lines shown, top to bottom.
  const std::vector<std::string>& lines() const { return lines_; }

 signals:
  /// Emitted once, when the run has ended.
  void RunEnded(bool succeeded);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Activate();

  std::string argument_;
  RunFields fields_;
  std::vector<std::string> lines_;
  std::string error_;
  RunState run_state_ = RunState::kWaiting;
  bool activation_queued_ = false;
  bool unloading_ = false;
  bool close_requested_ = false;
};

}  // namespace quorvane

#endif  // QUORVANE_WINDOW_FRM_MAIN_H_
