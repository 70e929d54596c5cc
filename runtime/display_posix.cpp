#include <stdlib.h>

#include "runtime/display.h"

namespace quorvane {

bool DisplayAvailable() {
  DisplayEnvironment env;
  env.display = ::getenv("DISPLAY");
  env.wayland_display = ::getenv("WAYLAND_DISPLAY");
  env.qpa_platform = ::getenv("QT_QPA_PLATFORM");
  return HasDisplay(env);
}

}  // namespace quorvane
