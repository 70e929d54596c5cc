#include "conversion/derive_names.h"

namespace quorvane {

DerivedNames DeriveNames(std::string_view argument) {
  std::string_view base = argument.empty() ? kDefaultBaseName : argument;
  // A dot in a directory name ("../src", "c:\src.old") is not an extension;
  // cutting there would read some other file.
  std::size_t name_start = base.find_last_of("/\\");
  name_start = name_start == std::string_view::npos ? 0 : name_start + 1;
  std::size_t dot = base.find('.', name_start);
  if (dot != std::string_view::npos) base = base.substr(0, dot);

  DerivedNames names;
  names.BaseName = std::string(base);
  names.ListPath = names.BaseName + ".lst";
  names.MapPath = names.BaseName + ".map";
  return names;
}

}  // namespace quorvane
