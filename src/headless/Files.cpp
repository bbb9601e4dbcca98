#include "headless/Files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace headless {
namespace {

std::string failed(const std::string& path, const std::string& why) {
  return "cannot write '" + path + "': " + why;
}

std::string quoted(const std::string& s) { return "'" + s + "'"; }

// "is a folder", "not a regular file", "a link to a missing file", or empty
// for a regular file (or a link to one) or nothing. An output is written
// through a link to its target; a link whose target is missing is refused
// rather than replaced by a file or followed to create one somewhere else.
std::string notARegularFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) return "a link to a missing file";
    return {};
  }
  if (S_ISDIR(st.st_mode)) return "is a folder";
  if (!S_ISREG(st.st_mode)) return "not a regular file";
  return {};
}

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string canonical(const std::string& path) {
  char buf[PATH_MAX];
  return ::realpath(path.c_str(), buf) ? std::string(buf) : std::string();
}

}  // namespace

std::string WhyNotARegularFile(const std::string& path) { return notARegularFile(path); }

std::string CannotWrite(const std::string& option, const std::string& path) {
  if (path.empty()) return option + " needs a file name";
  if (const std::string why = notARegularFile(path); !why.empty()) return option + ": " + why + ": " + quoted(path);
  const std::string folder = folderOf(path);
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return option + ": no such folder for " + quoted(path);
  if (::access(folder.c_str(), W_OK) != 0) return option + ": folder not writable for " + quoted(path);
  if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
    return option + ": file not writable: " + quoted(path);
  }
  return {};
}

std::string LandingPath(const std::string& path) {
  if (const std::string whole = canonical(path); !whole.empty()) return whole;
  const std::string folder = canonical(folderOf(path));
  return (folder.empty() ? folderOf(path) : folder) + "/" + nameOf(path);
}

OutputFiles::~OutputFiles() {
  for (const Pending& p : files_) ::unlink(p.temporary.c_str());
}

std::string OutputFiles::add(const std::string& path, const std::string& bytes) {
  if (const std::string why = notARegularFile(path); !why.empty()) return failed(path, why);
  // The temporary lands where the target does (a link is followed), so the
  // rename never crosses a file system.
  const std::string target = LandingPath(path);
  std::string temporary = folderOf(target) + "/." + nameOf(target) + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return failed(path, std::strerror(errno));
  const auto fail = [&](int error) {
    ::close(fd);
    ::unlink(temporary.c_str());
    return failed(path, std::strerror(error));
  };
  // A short write gives no reason: the rest is written again until the
  // system refuses with one (ENOSPC, EFBIG, EIO).
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail(n < 0 ? errno : EIO);
    done += static_cast<std::size_t>(n);
  }
  // Some file systems report a full disk only when the data reaches it.
  if (::fsync(fd) != 0 && errno != EINVAL) return fail(errno);
  // As a new file would be: the user's umask decides.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat st {};
  const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : (0666 & ~mask);
  ::fchmod(fd, mode);
  if (::close(fd) != 0) {
    ::unlink(temporary.c_str());
    return failed(path, std::strerror(errno));
  }
  files_.push_back({target, temporary});
  return {};
}

std::string OutputFiles::commit() {
  std::vector<std::string> written;
  for (std::size_t i = 0; i < files_.size(); ++i) {
    if (::rename(files_[i].temporary.c_str(), files_[i].target.c_str()) != 0) {
      std::string error = failed(files_[i].target, std::strerror(errno));
      if (!written.empty()) {
        error += " (already written: '";
        for (std::size_t k = 0; k < written.size(); ++k) error += (k ? "', '" : "") + written[k];
        error += "')";
      }
      files_.erase(files_.begin(), files_.begin() + static_cast<std::ptrdiff_t>(i));
      return error;
    }
    written.push_back(files_[i].target);
  }
  files_.clear();
  return {};
}

}  // namespace headless
