#pragma once

#include <string>
#include <vector>

namespace headless {

// Why `path` cannot take an output without being written: it names something
// that is not a regular file, its folder is missing or not writable, or the
// file exists read-only. Empty when it can be created or replaced.
[[nodiscard]] std::string CannotWrite(const std::string& option, const std::string& path);

// Why `path` cannot take an output at all: it names a folder ("is a folder"),
// a FIFO, device or socket ("not a regular file"), or a link to a missing
// file. Empty for a regular file, a link to one, or nothing. Both programs'
// writers hold to this one rule: an output goes through a link to its
// target, and a replaced file keeps its permission bits (a new one gets the
// umask's).
[[nodiscard]] std::string WhyNotARegularFile(const std::string& path);

// The file as the system resolves it (links followed, the folder made
// canonical), to tell two outputs that land on one file.
[[nodiscard]] std::string LandingPath(const std::string& path);

// Output files written together, each whole or not at all: add() writes the
// bytes in full to a temporary beside the target and syncs it, so a full
// disk shows there with the system's reason; commit() renames the temporaries
// over their targets. Whatever is not committed is removed with the object.
class OutputFiles {
 public:
  OutputFiles() = default;
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;
  ~OutputFiles();

  // An error message ("cannot write 'path': reason"), empty on success.
  [[nodiscard]] std::string add(const std::string& path, const std::string& bytes);
  [[nodiscard]] std::string commit();

 private:
  struct Pending {
    std::string target, temporary;
  };
  std::vector<Pending> files_;
};

}  // namespace headless
