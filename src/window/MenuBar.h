#pragma once

#include "canvas/PictureBackground.h"

#include <QString>

class QMainWindow;
class QMenu;

namespace app {

class Fermat;

// The one View menu of the window's menu bar; made on first use. Every part
// of the program that offers a view entry adds it here.
QMenu* ViewMenuOf(QMainWindow& window);

// The window's menu bar above the client area: File (Export picture…,
// Print…, Picture background, Reset, Quit), Edit (Copy picture) and View
// (Smooth drawing).
void InstallMenus(Fermat& window);

// The background chosen under File > Picture background (white at first),
// which export, copy and print use.
[[nodiscard]] canvas::PictureBackground ChosenBackground(const QMainWindow& window);
// The caption File > "Caption with the lens and lesson" asks for, empty when off.
[[nodiscard]] QString ChosenCaption(Fermat& window);

}  // namespace app
