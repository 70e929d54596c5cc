#include "runtime/display.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(HasDisplay, NeedsDisplayOrChosenPlatform) {
  struct Case {
    const char* name;
    DisplayEnvironment env;
    bool expected;
  };
  const Case cases[] = {
      {"nothing set", {nullptr, nullptr, nullptr}, false},
      {"all empty", {"", "", ""}, false},
      {"x11", {":0", nullptr, nullptr}, true},
      {"wayland only", {nullptr, "wayland-0", nullptr}, true},
      {"empty display, wayland", {"", "wayland-0", nullptr}, true},
      {"platform chosen", {nullptr, nullptr, "offscreen"}, true},
      {"empty platform", {nullptr, nullptr, ""}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HasDisplay(c.env), c.expected);
  }
}

}  // namespace
}  // namespace quorvane
