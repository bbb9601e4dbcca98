// Feeds arbitrary bytes to the set-up reader, as a file's text and as a
// share link's fragment, and traps on any reading that breaks its contract:
// a set-up read that does not read back the same through the file and the
// link, or whose file, written again, is not the same text (a zero that lost
// its sign, say); a refusal without a reason, or with one that is not a
// single line of text. Address and undefined-behaviour sanitizers watch
// everything else: the reader must not crash, recurse without bound or read
// past its input, whatever it is given.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lab/Setup.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

void CheckRead(const lab::SetupRead& read) {
  if (!read.setup) {
    Check(!read.error.empty());
    Check(std::none_of(read.error.begin(), read.error.end(), [](char c) { return c >= 0 && c < 0x20; }));
    return;
  }
  Check(read.error.empty());
  const std::string text = lab::SetupJson(*read.setup);
  const lab::SetupRead file = lab::ParseSetup(text);
  Check(file.setup && *file.setup == *read.setup);
  Check(lab::SetupJson(*file.setup) == text);
  const lab::SetupRead link = lab::ParseSetupFragment(lab::SetupFragment(*read.setup));
  Check(link.setup && *link.setup == *read.setup);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckRead(lab::ParseSetup(bytes));
  CheckRead(lab::ParseSetupFragment(bytes));
  return 0;
}
