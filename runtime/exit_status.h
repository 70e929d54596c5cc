#ifndef QUORVANE_RUNTIME_EXIT_STATUS_H_
#define QUORVANE_RUNTIME_EXIT_STATUS_H_

namespace quorvane {

/// Exit statuses of both programs.
enum ExitStatus : int {
  kExitSuccess = 0,  ///< The map was written (or help or version was shown).
  kExitFailure = 1,  ///< The run failed; the window or stdout shows "Error".
};

}  // namespace quorvane

#endif  // QUORVANE_RUNTIME_EXIT_STATUS_H_
