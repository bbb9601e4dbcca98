#pragma once

class QMainWindow;

namespace app {

class LiveLab;

// The window's menu bar: View with "Live while dragging" (checked while live)
// and Help with Guide, Keys and About.
void AddLiveMenus(QMainWindow& window, LiveLab& lab);

}  // namespace app
