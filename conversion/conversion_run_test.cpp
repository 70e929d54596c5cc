#include "conversion/conversion_run.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "conversion/console_front_end.h"
#include "runtime/file_fault.h"
#include "runtime/line_reader.h"
#include "tests/temp_dir.h"

namespace quorvane {
namespace {

constexpr char kListing[] =
    "         .cseg\r\n"
    "000000 c000  reset: rjmp main\r\n"
    "          .dseg\r\n"
    "000060        counter: .byte 2 ; ticks: since reset\r\n"
    "          .eseg\r\n"
    "000000 0a     limit: .db 10\r\n"
    "          .cseg\r\n"
    "000001 cfff  main: rjmp main\r\n";
constexpr char kMap[] =
    ".DSEG\r\n"
    "000060        counter: .byte 2 ; ticks: since reset\r\n"
    "\r\n"
    ".ESEG\r\n"
    "000000 0a     limit: .db 10\r\n"
    "\r\n";

// Records what the run asks of its window, and can fail on request.
class RecordingWindow : public RunWindow {
 public:
  void ClearText() override { Record("clear"); }
  void PrintLine(std::string_view line) override {
    Record("print " + std::string(line));
  }
  void PumpEvents() override { Record("pump"); }
  void Unload() override { Record("unload"); }

  std::vector<std::string> calls;
  std::string fail_on;

 private:
  void Record(std::string call) {
    calls.push_back(call);
    if (call == fail_on) throw std::runtime_error("window failed");
  }
};

// Root writes into any directory whatever its permission bits, through
// CAP_DAC_OVERRIDE. This takes the capability out of the effective set while
// it lives; it stays permitted, so the destructor can raise it again.
class PermissionBitsApply {
 public:
  PermissionBitsApply() {
    if (::syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    lowered_ = ::syscall(SYS_capset, &header_, lowered) == 0;
  }
  ~PermissionBitsApply() {
    if (lowered_) ::syscall(SYS_capset, &header_, saved_);
  }

 private:
  __user_cap_header_struct header_ = {_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2] = {};
  bool lowered_ = false;
};

// Whether a file can be created at `path` (and removes it again).
bool CanCreate(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(path.c_str());
  return true;
}

class ConversionRunTest : public TempDirTest {
 protected:
  // Runs the console program in process, as `quorvane-cli argument`.
  int RunCli(const std::string& argument) {
    std::ostringstream out, err;
    int status = ConsoleMain("quorvane-cli", argument, out, err);
    out_ = out.str();
    err_ = err.str();
    return status;
  }

  std::string out_;
  std::string err_;
};

TEST_F(ConversionRunTest, WritesMapAndShowsProgress) {
  WriteFile(Path("main.lst"), kListing);
  WriteFile(Path("main.map"), std::string(500, 'o'));
  ASSERT_EQ(RunCli(Path("main.asm")), 0);
  EXPECT_EQ(out_, "PASS 1 >>>>>>>>>>>>>\n Loading " + Path("main.lst") +
                      "\n Output: " + Path("main.map") + "\n");
  EXPECT_EQ(err_, "");
  EXPECT_EQ(ReadFile(Path("main.map")), kMap);
  EXPECT_EQ(Listing(), "main.lst main.map ");
}

TEST_F(ConversionRunTest, CallsWindowInOrderAndKeepsFields) {
  WriteFile(Path("main.lst"), kListing);
  RunFields fields;
  fields.DsegLines = "stale";
  RecordingWindow window;
  std::string error;
  ASSERT_TRUE(ConversionRun(Path("main"), &fields, &window, &error));
  std::vector<std::string> expected = {
      "clear", "pump", "print PASS 1 >>>>>>>>>>>>>",
      "print  Loading " + Path("main.lst"),
      "print  Output: " + Path("main.map"), "pump", "unload"};
  EXPECT_EQ(window.calls, expected);
  EXPECT_EQ(fields.BaseName, Path("main"));
  EXPECT_EQ(fields.DsegLines,
            "000060        counter: .byte 2 ; ticks: since reset\r\n");
  EXPECT_EQ(fields.EsegLines, "000000 0a     limit: .db 10\r\n");
}

TEST_F(ConversionRunTest, FailuresShowErrorAndLoseNothing) {
  std::filesystem::create_directory(Path("dirlist.lst"));
  WriteFile(Path("missing.map"), "earlier");
  WriteFile(Path("dirmap.lst"), kListing);
  std::filesystem::create_directory(Path("dirmap.map"));
  std::filesystem::create_directory(Path("readonly"));
  WriteFile(Path("readonly/main.lst"), kListing);
  WriteFile(Path("readonly/main.map"), "earlier");
  std::filesystem::permissions(Path("readonly"),
                               std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  PermissionBitsApply permission_bits_apply;
  const bool readonly_holds = !CanCreate(Path("readonly/probe"));
  struct Case {
    std::string base;
    std::string message;
  };
  std::vector<Case> cases = {
      {Path("missing"),
       "cannot open '" + Path("missing.lst") + "': No such file or directory"},
      {Path("dirlist"),
       "cannot open '" + Path("dirlist.lst") + "': Is a directory"},
      {Path("dirmap"),
       "cannot create '" + Path("dirmap.map") + "': Is a directory"},
      {Path("nodir/main"),
       "cannot open '" + Path("nodir/main.lst") +
           "': No such file or directory"},
  };
  if (readonly_holds) {
    cases.push_back({Path("readonly/main"), "cannot create '" +
                                                Path("readonly/main.map") +
                                                "': Permission denied"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.base);
    const std::string before = Listing();
    EXPECT_EQ(RunCli(c.base + ".asm"), 1);
    EXPECT_EQ(out_, "PASS 1 >>>>>>>>>>>>>\n Loading " + c.base +
                        ".lst\nError\n");
    EXPECT_EQ(err_, "quorvane-cli: " + c.message + "\n");
    EXPECT_EQ(Listing(), before);
  }
  EXPECT_EQ(ReadFile(Path("missing.map")), "earlier");
  EXPECT_EQ(ReadFile(Path("readonly/main.map")), "earlier");
  if (!readonly_holds) {
    GTEST_SKIP() << "permission bits do not stop this process writing (root "
                    "that cannot drop CAP_DAC_OVERRIDE), so the row with a "
                    "map directory that cannot be written was left out";
  }
}

TEST_F(ConversionRunTest, UnusualInputsGiveExactMap) {
  using namespace std::string_literals;
  // One line of 50 MB that switches to the data segment itself and is then
  // collected whole.
  const std::string huge_line = ".DSEG" + std::string(50 << 20, 'x') + ":";
  struct Case {
    const char* name;
    std::string base;
    std::string listing;
    std::string map;
  };
  const Case cases[] = {
      {"NUL bytes", "nul", ".ds\0eg\nx:\n.dseg\0\n\0v\0:\0\n"s,
       ".DSEG\r\n\0v\0:\0\r\n\r\n.ESEG\r\n\r\n"s},
      {"blanks in the path", "my files/main", kListing, kMap},
      {"quotes in the path", "it's \"quoted\"/main", kListing, kMap},
      {"non-UTF-8 bytes in the path", "\xff\xfe/m\xe9in", kListing, kMap},
      {"a 50 MB single line", "huge", huge_line,
       ".DSEG\r\n" + huge_line + "\r\n\r\n.ESEG\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string base = Path(c.base);
    std::filesystem::create_directories(
        std::filesystem::path(base).parent_path());
    WriteFile(base + ".lst", c.listing);
    ASSERT_EQ(RunCli(base + ".asm"), 0) << err_;
    EXPECT_EQ(out_, "PASS 1 >>>>>>>>>>>>>\n Loading " + base +
                        ".lst\n Output: " + base + ".map\n");
    // Not EXPECT_EQ: a 50 MB difference is no use printed.
    const std::string map = ReadFile(base + ".map");
    EXPECT_TRUE(map == c.map) << map.size() << " bytes differ from the "
                              << c.map.size() << " expected";
  }
}

TEST_F(ConversionRunTest, WindowFailureEndsInError) {
  WriteFile(Path("main.lst"), kListing);
  WriteFile(Path("main.map"), "earlier");
  RunFields fields;
  RecordingWindow window;
  window.fail_on = "print  Output: " + Path("main.map");
  std::string error;
  EXPECT_FALSE(ConversionRun(Path("main"), &fields, &window, &error));
  EXPECT_EQ(error, "window failed");
  EXPECT_EQ(window.calls.back(), "pump");
  EXPECT_EQ(window.calls[window.calls.size() - 2], "print Error");
  EXPECT_EQ(ReadFile(Path("main.map")), "earlier");
  EXPECT_EQ(Listing(), "main.lst main.map ");
}

TEST_F(ConversionRunTest, WriteFailingPartWayKeepsEarlierMap) {
  // A file size limit makes the system refuse the write half-way through the
  // map, as a full disk would.
  std::string listing = ".dseg\n";
  for (int i = 0; i < 200; ++i) listing += "label" + std::to_string(i) + ":\n";
  WriteFile(Path("big.lst"), listing);
  WriteFile(Path("big.map"), "earlier map");
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = {1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    int status = RunCli(Path("big"));
    std::string report = out_ + "|" + err_;
    ssize_t ignored = ::write(pipe_fds[1], report.data(), report.size());
    (void)ignored;
    ::_exit(status);
  }
  ::close(pipe_fds[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;) {
    report.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipe_fds[0]);
  int wait_status = 0;
  ASSERT_EQ(::waitpid(child, &wait_status, 0), child);
  ASSERT_TRUE(WIFEXITED(wait_status));
  EXPECT_EQ(WEXITSTATUS(wait_status), 1);
  EXPECT_EQ(report, "PASS 1 >>>>>>>>>>>>>\n Loading " + Path("big.lst") +
                        "\n Output: " + Path("big.map") +
                        "\nError\n|quorvane-cli: cannot write '" +
                        Path("big.map") + "': File too large\n");
  EXPECT_EQ(ReadFile(Path("big.map")), "earlier map");
  EXPECT_EQ(Listing(), "big.lst big.map ");
}

TEST_F(ConversionRunTest, EveryFailingFileOperationLosesNothing) {
  // Larger than the reader's buffer, so that a later read fails too.
  const std::string line = "var: .byte 1 ; padded to make the listing long";
  std::string listing = ".dseg\n";
  std::string map = ".DSEG\r\n";
  while (listing.size() < 2 * LineReader::kDefaultBufferSize) {
    listing += line + "\n";
    map += line + "\r\n";
  }
  map += "\r\n.ESEG\r\n\r\n";
  WriteFile(Path("main.lst"), listing);
  WriteFile(Path("main.map"), "earlier map");

  // What the diagnostic says for a failed call, while reading the listing
  // and then while writing the map.
  const std::map<std::string, std::string> listing_verbs = {
      {"open", "open"},
      {"fstat", "open"},
      {"read", "read"},
      {"close", "close"},
  };
  const std::map<std::string, std::string> map_verbs = {
      {"mkostemp", "create"}, {"fchmod", "create"}, {"writev", "write"},
      {"fsync", "write"},     {"close", "write"},   {"rename", "replace"}};
  std::set<std::string> failed_calls;
  bool writing = false;
  for (int n = 1;; ++n) {
    InjectFileFault(n);
    int status = RunCli(Path("main"));
    const std::string call(InjectedFileFault());
    InjectFileFault(0);
    if (call.empty()) {
      EXPECT_EQ(status, 0) << err_;
      break;
    }
    SCOPED_TRACE("operation " + std::to_string(n) + ", " + call);
    failed_calls.insert(call);
    writing = writing || call == "mkostemp";
    const auto& verbs = writing ? map_verbs : listing_verbs;
    ASSERT_EQ(verbs.count(call), 1u);
    EXPECT_EQ(status, 1);
    ASSERT_GE(out_.size(), 7u);
    EXPECT_EQ(out_.substr(out_.size() - 7), "\nError\n");
    EXPECT_EQ(err_.rfind("quorvane-cli: cannot " + verbs.at(call) + " '" +
                             Path(writing ? "main.map" : "main.lst") + "': ",
                         0),
              0u)
        << err_;
    EXPECT_EQ(ReadFile(Path("main.map")), "earlier map");
    EXPECT_EQ(ReadFile(Path("main.lst")), listing);
    EXPECT_EQ(Listing(), "main.lst main.map ");
  }
  const std::set<std::string> every_call = {"open",   "fstat",    "read",
                                            "close",  "mkostemp", "fchmod",
                                            "writev", "fsync",    "rename"};
  EXPECT_EQ(failed_calls, every_call);
  EXPECT_EQ(ReadFile(Path("main.map")), map);
}

TEST(ConsoleMain, HelpAndVersion) {
  for (const char* argument : {"--help", "--version"}) {
    std::ostringstream out, err;
    EXPECT_EQ(ConsoleMain("quorvane-cli", argument, out, err), 0);
    EXPECT_NE(out.str().find("quorvane-cli"), std::string::npos);
    EXPECT_EQ(err.str(), "");
  }
}

}  // namespace
}  // namespace quorvane
