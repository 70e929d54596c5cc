#include <iostream>
#include <string>

#include <QApplication>
#include <QObject>

#include "conversion/console_front_end.h"
#include "runtime/command_line.h"
#include "runtime/display.h"
#include "runtime/exit_status.h"
#include "window/frm_main.h"

namespace {

constexpr char kProgram[] = "quorvane";

}  // namespace

int main(int argc, char** argv) {
  const std::string argument = quorvane::CommandLineText(argc, argv);
  if (quorvane::IsInfoRequest(argument) || !quorvane::DisplayAvailable()) {
    return quorvane::ConsoleMain(kProgram, argument, std::cout, std::cerr);
  }

  // Qt would take options such as -style out of the command line; the
  // argument text is the path alone, as for the console program.
  int qt_argc = 1;
  char* qt_argv[] = {argv[0], nullptr};
  QApplication application(qt_argc, qt_argv);

  quorvane::FrmMain window(argument);
  // Reported as soon as the run fails, while the window still shows "Error".
  QObject::connect(
      &window, &quorvane::FrmMain::RunEnded, [&window](bool succeeded) {
        if (!succeeded) {
          quorvane::ReportFailure(kProgram, window.error(), std::cerr);
        }
      });
  window.show();
  application.exec();

  switch (window.run_state()) {
    case quorvane::FrmMain::RunState::kSucceeded:
      return quorvane::kExitSuccess;
    case quorvane::FrmMain::RunState::kFailed:
      return quorvane::kExitFailure;
    default:
      quorvane::ReportFailure(kProgram, "closed before the map was written",
                              std::cerr);
      return quorvane::kExitFailure;
  }
}
