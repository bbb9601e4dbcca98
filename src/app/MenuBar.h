#pragma once

namespace app {

class Fermat;

// The window's menu bar above the client area: File (Export picture…,
// Print…), Edit (Copy picture) and View (Smooth drawing).
void InstallMenus(Fermat& window);

}  // namespace app
