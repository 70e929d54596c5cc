#include "runtime/display.h"

namespace quorvane {

namespace {

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

}  // namespace

bool HasDisplay(const DisplayEnvironment& env) {
  // A chosen platform (offscreen, vnc, ...) needs no display of its own; if
  // it cannot start, that is the user's choice to see fail.
  return IsSet(env.qpa_platform) || IsSet(env.display) ||
         IsSet(env.wayland_display);
}

}  // namespace quorvane
