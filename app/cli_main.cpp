#include <iostream>

#include "conversion/console_front_end.h"
#include "runtime/command_line.h"

int main(int argc, char** argv) {
  return quorvane::ConsoleMain("quorvane-cli",
                               quorvane::CommandLineText(argc, argv),
                               std::cout, std::cerr);
}
