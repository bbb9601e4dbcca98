#pragma once

#include <QByteArray>

#include <string>

namespace app {

// Whether a window system is named where the program would look for one:
// on X11 and Wayland systems Qt connects to $DISPLAY or $WAYLAND_DISPLAY
// unless $QT_QPA_PLATFORM names another platform. Only consulted on those
// systems; Windows and macOS always have their display.
[[nodiscard]] bool DisplayNamed(const QByteArray& platform, const QByteArray& display,
                                const QByteArray& waylandDisplay);

// The one line (without the program's name) for a run that has no display:
// that none was found and how to run without one.
[[nodiscard]] std::string NoDisplayMessage(const std::string& detail);

}  // namespace app
