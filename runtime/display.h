#ifndef QUORVANE_RUNTIME_DISPLAY_H_
#define QUORVANE_RUNTIME_DISPLAY_H_

namespace quorvane {

/// The environment variables that say where a window can be shown; null for
/// a variable that is not set.
struct DisplayEnvironment {
  const char* display = nullptr;          ///< DISPLAY
  const char* wayland_display = nullptr;  ///< WAYLAND_DISPLAY
  const char* qpa_platform = nullptr;     ///< QT_QPA_PLATFORM
};

/// Whether a Unix desktop described by `env` can show a window: an X11 or
/// Wayland display is named, or a window platform was chosen explicitly.
/// An empty value counts as not set.
bool HasDisplay(const DisplayEnvironment& env);

/// Whether this process can show a window. Decided before the window toolkit
/// starts, since the toolkit aborts the program when there is none.
bool DisplayAvailable();

}  // namespace quorvane

#endif  // QUORVANE_RUNTIME_DISPLAY_H_
