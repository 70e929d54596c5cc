#ifndef QUORVANE_RUNTIME_FILE_FAULT_H_
#define QUORVANE_RUNTIME_FILE_FAULT_H_

#include <string_view>

namespace quorvane {

/// Test hook: makes the `n`th file operation from now on fail as the system
/// would, with a plausible error; 0 turns the hook off (the default). Counted
/// are open, read, close, creating the temporary map, write, sync and rename;
/// not the directory check before creating nor the clean-up after a failure,
/// whose failure loses nothing. Not thread-safe.
void InjectFileFault(int n);

/// The system call the injected fault hit ("open", "read", ...), or an empty
/// text while it has not been hit.
std::string_view InjectedFileFault();

}  // namespace quorvane

#endif  // QUORVANE_RUNTIME_FILE_FAULT_H_
