#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace app {

class Fermat;

// The graph view of --graph-screenshot, opened at a size of its own, its
// tabs side by side as PNG, SVG or PDF by the file name's extension. Returns
// the error, empty on success.
[[nodiscard]] std::string GraphScreenshot(Fermat& window, const QString& path, QByteArray& bytes);

}  // namespace app
