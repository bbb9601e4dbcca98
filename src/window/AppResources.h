#pragma once

#include <QIcon>

namespace app {

// The application id the desktop knows the program by (menu entry, icon,
// metadata; Wayland's app id).
[[nodiscard]] QString ApplicationId();

// Adds the built-in DejaVu Sans, the captions' font, to the fonts the
// program may use, so that the Greek captions look the same where the system
// has no such font. Returns the families it added (empty on failure, which
// leaves Qt's substitute font).
QStringList LoadCaptionFont();

// The window's icon: the lens with rays, 256 pixels square.
[[nodiscard]] QIcon WindowIcon();

}  // namespace app
