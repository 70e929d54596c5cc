#ifndef QUORVANE_CONVERSION_DERIVE_NAMES_H_
#define QUORVANE_CONVERSION_DERIVE_NAMES_H_

#include <string>
#include <string_view>

namespace quorvane {

/// The base path used when the argument text is empty.
inline constexpr std::string_view kDefaultBaseName = "c:\\temp\\Main";

struct DerivedNames {
  std::string BaseName;
  std::string ListPath;
  std::string MapPath;
};

/// Derives the paths of a run from the argument text: the default base path
/// when it is empty, otherwise the text cut before the first "." of its file
/// name part (after the last "/" or "\"), then ".lst" and ".map" appended.
/// Nothing else is changed: blanks, quotes and separators stay as given.
DerivedNames DeriveNames(std::string_view argument);

}  // namespace quorvane

#endif  // QUORVANE_CONVERSION_DERIVE_NAMES_H_
