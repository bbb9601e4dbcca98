#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace headless {
class OutputFiles;
}

namespace canvas {

// Why `path` cannot take an output: it names something that exists and is
// not a regular file ("is a folder", "not a regular file" for a FIFO, a
// device or a socket; links are followed), or a link to a missing file.
// Empty when it names a regular file or nothing. Such a path is refused
// rather than replaced: a FIFO or a copy of /dev/null would otherwise become
// a regular file. The rule is fermat-lab's (headless::WhyNotARegularFile).
[[nodiscard]] QString NotARegularFile(const QString& path);

// Output files written together, each whole or not at all, by the writer
// fermat-lab uses (headless::OutputFiles), so both programs replace files
// alike: add() writes a file in full to a temporary beside its target (a
// link followed) and checks every write and the sync to disk, so a full disk
// shows there with the system's reason; commit() then renames all
// temporaries over their targets, a replaced file keeping its permission
// bits. Whatever is not committed is removed with the object: after any
// failure the targets keep their old contents.
class OutputFiles {
 public:
  OutputFiles();
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;
  ~OutputFiles();

  // Returns an error message ("cannot write 'path': reason"), empty on success.
  [[nodiscard]] std::string add(const QString& path, const QByteArray& bytes);
  // Renames the files over their targets in the order added. A rename that
  // fails after others succeeded names those already written.
  [[nodiscard]] std::string commit();

 private:
  std::unique_ptr<headless::OutputFiles> files_;
};

// One file written whole or not at all, as above.
[[nodiscard]] std::string WriteWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace canvas
