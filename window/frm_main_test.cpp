#include "window/frm_main.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QRect>
#include <QWindow>

#include "tests/temp_dir.h"

namespace quorvane {
namespace {

constexpr char kListing[] =
    "          .dseg\r\n"
    "000060        counter: .byte 2\r\n"
    "          .eseg\r\n"
    "000000 0a     limit: .db 10\r\n";

class FrmMainTest : public TempDirTest {
 protected:
  // Lets the window's queued start and its run happen; gives up after a few
  // seconds so that a run that never ends fails the test instead of hanging.
  static void WaitForRunEnd(const FrmMain& window) {
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() &&
           (window.run_state() == FrmMain::RunState::kWaiting ||
            window.run_state() == FrmMain::RunState::kRunning)) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
  }

  std::vector<std::string> FailedLines(const std::string& base) const {
    return {"PASS 1 >>>>>>>>>>>>>", " Loading " + Path(base + ".lst"), "Error"};
  }
};

TEST_F(FrmMainTest, CaptionAndClientArea) {
  FrmMain window(Path("missing"));
  window.show();
  EXPECT_EQ(window.windowTitle().toStdString(), "Quorvane converter");
  EXPECT_EQ(window.geometry(), QRect(110, 103, 439, 549));
  EXPECT_TRUE(window.findChildren<QWidget*>().isEmpty());
}

TEST_F(FrmMainTest, SuccessfulRunShowsProgressAndCloses) {
  WriteFile(Path("main.lst"), kListing);
  FrmMain window(Path("main.asm"));
  window.show();
  WaitForRunEnd(window);
  ASSERT_EQ(window.run_state(), FrmMain::RunState::kSucceeded)
      << window.error();
  std::vector<std::string> expected = {"PASS 1 >>>>>>>>>>>>>",
                                       " Loading " + Path("main.lst"),
                                       " Output: " + Path("main.map")};
  EXPECT_EQ(window.lines(), expected);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.fields().MapPath, Path("main.map"));
  EXPECT_EQ(window.fields().DsegLines, "000060        counter: .byte 2\r\n");
  EXPECT_EQ(window.fields().EsegLines, "000000 0a     limit: .db 10\r\n");
  EXPECT_EQ(Listing(), "main.lst main.map ");
}

TEST_F(FrmMainTest, FailedRunShowsErrorAndStaysUntilClosed) {
  FrmMain window(Path("missing.asm"));
  window.show();
  WaitForRunEnd(window);
  ASSERT_EQ(window.run_state(), FrmMain::RunState::kFailed);
  EXPECT_EQ(window.lines(), FailedLines("missing"));
  EXPECT_EQ(window.error(), "cannot open '" + Path("missing.lst") +
                                "': No such file or directory");
  QCoreApplication::processEvents();
  EXPECT_TRUE(window.isVisible());

  // Drawn afresh from the held lines: one under another from the top-left
  // corner, and nothing below the third.
  const QImage image = window.grab().toImage();
  const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
  int leftmost_ink = image.width();
  int lowest_ink = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == background) continue;
      leftmost_ink = std::min(leftmost_ink, x);
      lowest_ink = y;
    }
  }
  const int line_spacing = window.fontMetrics().lineSpacing();
  EXPECT_LE(leftmost_ink, 3);
  EXPECT_GT(lowest_ink, 2 * line_spacing);
  EXPECT_LT(lowest_ink, 3 * line_spacing);

  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(FrmMainTest, RunsOnceWhateverActivations) {
  FrmMain window(Path("missing"));
  int runs = 0;
  QObject::connect(&window, &FrmMain::RunEnded, [&runs] { ++runs; });
  window.show();
  window.hide();
  window.show();
  WaitForRunEnd(window);
  window.hide();
  window.showMinimized();
  window.showNormal();
  window.activateWindow();
  window.repaint();
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(window.lines(), FailedLines("missing"));
}

TEST_F(FrmMainTest, CloseDuringRunTakesEffectAtItsEnd) {
  // Asked to close at the run's first event pump, the way the window system
  // delivers a click on the close button.
  class ClosedDuringRun : public FrmMain {
   public:
    using FrmMain::FrmMain;
    void PumpEvents() override {
      if (!asked_) {
        asked_ = true;
        QCloseEvent close;
        QCoreApplication::sendEvent(windowHandle(), &close);
        shown_after_close = isVisible();
      }
      FrmMain::PumpEvents();
    }
    bool shown_after_close = false;

   private:
    bool asked_ = false;
  };
  ClosedDuringRun window(Path("missing"));
  window.show();
  WaitForRunEnd(window);
  EXPECT_TRUE(window.shown_after_close);
  EXPECT_EQ(window.lines(), FailedLines("missing"));
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace quorvane
