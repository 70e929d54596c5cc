#ifndef QUORVANE_RUNTIME_COMMAND_LINE_H_
#define QUORVANE_RUNTIME_COMMAND_LINE_H_

#include <string>

namespace quorvane {

/// The argument text of the command line: the arguments after the program
/// name joined with one blank, or empty when there are none. The shell has
/// already split the line, so this is the closest to the text typed.
std::string CommandLineText(int argc, char** argv);

}  // namespace quorvane

#endif  // QUORVANE_RUNTIME_COMMAND_LINE_H_
