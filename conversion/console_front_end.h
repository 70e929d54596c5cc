#ifndef QUORVANE_CONVERSION_CONSOLE_FRONT_END_H_
#define QUORVANE_CONVERSION_CONSOLE_FRONT_END_H_

#include <iosfwd>
#include <string_view>

#include "conversion/conversion_run.h"

namespace quorvane {

/// Shows the run on a console: each line the window would show goes to `out`.
/// Printing throws if `out` fails, so a lost progress line is a failed run.
class ConsoleWindow : public RunWindow {
 public:
  explicit ConsoleWindow(std::ostream& out) : out_(out) {}

  void ClearText() override {}
  void PrintLine(std::string_view line) override;
  void PumpEvents() override {}
  void Unload() override {}

 private:
  std::ostream& out_;
};

/// Prints "<program>: <message>" on `err`: the one diagnostic of a failed run.
void ReportFailure(std::string_view program, std::string_view message,
                   std::ostream& err);

/// What the console program does with its argument text: `--help` or
/// `--version` alone prints usage or the version; anything else runs the
/// conversion with its lines on `out` and a diagnostic on `err` on failure.
/// Returns the exit status.
int ConsoleMain(std::string_view program, std::string_view argument,
                std::ostream& out, std::ostream& err);

/// Whether `argument` asks for usage or the version rather than a run.
bool IsInfoRequest(std::string_view argument);

}  // namespace quorvane

#endif  // QUORVANE_CONVERSION_CONSOLE_FRONT_END_H_
