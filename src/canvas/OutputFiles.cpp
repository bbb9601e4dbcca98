#include "canvas/OutputFiles.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <cstring>

#include <unistd.h>
#endif

namespace canvas {
namespace {

std::string failed(const QString& path, const QString& why) {
  return "cannot write '" + path.toStdString() + "': " + why.toStdString();
}

// Every byte handed to the system. QSaveFile of Qt 6.4 loses a failed
// buffered write: the flush at commit() fails, yet the truncated temporary is
// renamed over the target and commit() returns true. Unbuffered, each write
// goes straight to the system; a short write gives no reason, so the rest is
// written again until the system refuses with one (ENOSPC, EFBIG, EIO).
QString writeAll(QSaveFile& file, const QByteArray& bytes) {
  for (qint64 done = 0; done < bytes.size();) {
    const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
    if (n <= 0) return file.errorString();
    done += n;
  }
  if (!file.flush() || file.error() != QFileDevice::NoError) return file.errorString();
#ifdef Q_OS_UNIX
  // Some file systems (NFS, quotas) report a full disk only when the data
  // reaches it; QSaveFile syncs too but ignores the result.
  if (file.handle() >= 0 && ::fsync(file.handle()) != 0 && errno != EINVAL)
    return QString::fromLocal8Bit(std::strerror(errno));
#endif
  return {};
}

}  // namespace

QString NotARegularFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() || info.isFile()) return {};
  if (info.isDir()) return QStringLiteral("is a folder");
  return QStringLiteral("not a regular file");
}

OutputFiles::OutputFiles() = default;
OutputFiles::~OutputFiles() = default;

std::string OutputFiles::add(const QString& path, const QByteArray& bytes) {
  if (const QString why = NotARegularFile(path); !why.isEmpty()) return failed(path, why);
  auto file = std::make_unique<QSaveFile>(path);
  if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return failed(path, file->errorString());
  if (const QString why = writeAll(*file, bytes); !why.isEmpty()) {
    file->cancelWriting();  // the temporary goes with the object
    return failed(path, why);
  }
  files_.push_back(std::move(file));
  return {};
}

std::string OutputFiles::commit() {
  QStringList written;
  for (const std::unique_ptr<QSaveFile>& file : files_) {
    if (!file->commit()) {
      std::string error = failed(file->fileName(), file->errorString());
      if (!written.isEmpty())
        error += " (already written: '" + written.join(QStringLiteral("', '")).toStdString() + "')";
      files_.clear();
      return error;
    }
    written << file->fileName();
  }
  files_.clear();
  return {};
}

std::string WriteWholeFile(const QString& path, const QByteArray& bytes) {
  OutputFiles file;
  if (std::string e = file.add(path, bytes); !e.empty()) return e;
  return file.commit();
}

}  // namespace canvas
