// fermat-lab under node writes real files (NODERAWFS), but emscripten's own
// file-creation mask starts at 0777, so a new output would get mode 0000. The
// program takes the mask of the node process instead, before main runs, as a
// native process inherits its parent's.
#include <emscripten/em_asm.h>
#include <sys/stat.h>

namespace {

[[maybe_unused]] const bool kProcessUmask = [] {
  // process.umask() only reads the mask (no argument, no change).
  ::umask(static_cast<mode_t>(EM_ASM_INT({ return process.umask(); })));
  return true;
}();

}  // namespace
