#include "conversion/console_front_end.h"

#include <ostream>
#include <stdexcept>
#include <string>

#include "runtime/exit_status.h"

#ifndef QUORVANE_VERSION
#define QUORVANE_VERSION "unknown"
#endif

namespace quorvane {

namespace {

void PrintUsage(std::string_view program, std::ostream& out) {
  out << "Usage: " << program << " [PATH]\n"
      << "Writes the label lines of the data (.DSEG) and EEPROM (.ESEG)\n"
      << "segments of an AVR assembler listing to a map file.\n"
      << "\n"
      << "PATH is cut before the first '.' of its file name; the listing\n"
      << "read is PATH.lst and the map written is PATH.map, replacing any\n"
      << "earlier map only once the new one is complete. Without PATH the\n"
      << "base path is c:\\temp\\Main.\n"
      << "\n"
      << "Exit status: 0 when the map was written, 1 on any failure.\n";
}

}  // namespace

void ConsoleWindow::PrintLine(std::string_view line) {
  out_ << line << '\n';
  out_.flush();
  if (!out_) throw std::runtime_error("cannot write to standard output");
}

void ReportFailure(std::string_view program, std::string_view message,
                   std::ostream& err) {
  err << program << ": " << message << '\n';
  err.flush();
}

bool IsInfoRequest(std::string_view argument) {
  return argument == "--help" || argument == "--version";
}

int ConsoleMain(std::string_view program, std::string_view argument,
                std::ostream& out, std::ostream& err) {
  if (argument == "--help") {
    PrintUsage(program, out);
    return kExitSuccess;
  }
  if (argument == "--version") {
    out << program << ' ' << QUORVANE_VERSION << '\n';
    return kExitSuccess;
  }
  RunFields fields;
  ConsoleWindow window(out);
  std::string error;
  if (ConversionRun(argument, &fields, &window, &error)) return kExitSuccess;
  ReportFailure(program, error, err);
  return kExitFailure;
}

}  // namespace quorvane
