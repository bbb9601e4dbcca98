#pragma once

class QMainWindow;
class QMenu;

namespace app {

class Fermat;

// The one View menu of the window's menu bar; made on first use. Every part
// of the program that offers a view entry adds it here.
QMenu* ViewMenuOf(QMainWindow& window);

// The window's menu bar above the client area: File (Export picture…,
// Print…), Edit (Copy picture) and View (Smooth drawing).
void InstallMenus(Fermat& window);

}  // namespace app
