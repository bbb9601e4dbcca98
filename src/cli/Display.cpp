#include "cli/Display.h"

namespace app {

bool DisplayNamed(const QByteArray& platform, const QByteArray& display, const QByteArray& waylandDisplay) {
  // Qt's platform names carry options after a colon ("xcb:...").
  const qsizetype colon = platform.indexOf(':');
  const QByteArray name = (colon < 0 ? platform : platform.left(colon)).trimmed();
  if (name.isEmpty()) return !display.isEmpty() || !waylandDisplay.isEmpty();
  if (name == "xcb") return !display.isEmpty();
  if (name.startsWith("wayland")) return !waylandDisplay.isEmpty();
  return true;  // offscreen, minimal, eglfs, vnc, ...: no window system needed
}

std::string NoDisplayMessage(const std::string& detail) {
  return "no display found (" + detail +
         "); to run without one use --offscreen with --screenshot FILE.png, --export FILE, --print-labels or --trace FILE";
}

}  // namespace app
