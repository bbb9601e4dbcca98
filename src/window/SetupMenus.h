#pragma once

#include <QString>

class QMenu;

namespace app {

class Fermat;

// File > Save set-up… and Open set-up…, Edit > Copy set-up link, and the
// Lessons menu (the prepared lessons, Challenge mode, Reveal).
void AddSetupFileEntries(Fermat& window, QMenu& file);
void AddSetupEditEntries(Fermat& window, QMenu& edit);
void AddLessonsMenu(Fermat& window);

// The browser edition's address with the window's set-up in its fragment.
[[nodiscard]] QString SetupLink(Fermat& window);

// Writes the window's set-up to the file whole or not at all; the error, empty when written.
[[nodiscard]] QString SaveSetup(Fermat& window, const QString& path);

}  // namespace app
