#ifndef QUORVANE_CONVERSION_CONVERSION_RUN_H_
#define QUORVANE_CONVERSION_CONVERSION_RUN_H_

#include <string>
#include <string_view>

namespace quorvane {

/// Fixed texts the run shows.
inline constexpr std::string_view kPassLine = "PASS 1 >>>>>>>>>>>>>";
inline constexpr std::string_view kLoadingPrefix = " Loading ";
inline constexpr std::string_view kOutputPrefix = " Output: ";
inline constexpr std::string_view kErrorLine = "Error";

/// The run's fields, owned by its window for the window's whole life and
/// overwritten by every run.
struct RunFields {
  std::string BaseName;
  std::string ListPath;
  std::string MapPath;
  std::string DsegLines;
  std::string EsegLines;
};

/// What the run needs of the window that shows it. Any method may throw; the
/// run treats that like any other failure.
class RunWindow {
 public:
  virtual ~RunWindow() = default;

  /// Erases the lines shown so far.
  virtual void ClearText() = 0;
  /// Shows `line` below the lines shown so far.
  virtual void PrintLine(std::string_view line) = 0;
  /// Lets the window process its pending events.
  virtual void PumpEvents() = 0;
  /// Closes the window after a successful run.
  virtual void Unload() = 0;
};

/// Converts the listing named by `argument` into its map: derives the paths,
/// shows the progress lines, scans the listing, writes the map and unloads
/// the window. Returns true on success. On any failure, also one of the
/// window's own, the run stops, shows "Error" as its last line, leaves the
/// window open, sets `*error` to what failed and why, and returns false. A map
/// that existed before is then unchanged and every file is closed.
bool ConversionRun(std::string_view argument, RunFields* fields,
                   RunWindow* window, std::string* error);

}  // namespace quorvane

#endif  // QUORVANE_CONVERSION_CONVERSION_RUN_H_
