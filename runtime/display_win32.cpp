#include "runtime/display.h"

namespace quorvane {

// A Windows session always has its desktop; a service without one is not a
// place this program is started from.
bool DisplayAvailable() { return true; }

}  // namespace quorvane
