#include "canvas/OutputFiles.h"

#include "headless/Files.h"

namespace canvas {
namespace {

// Paths reach the system as the local 8-bit encoding spells them.
std::string systemPath(const QString& path) { return path.toLocal8Bit().toStdString(); }

}  // namespace

QString NotARegularFile(const QString& path) {
  return QString::fromStdString(headless::WhyNotARegularFile(systemPath(path)));
}

OutputFiles::OutputFiles() : files_(std::make_unique<headless::OutputFiles>()) {}
OutputFiles::~OutputFiles() = default;

std::string OutputFiles::add(const QString& path, const QByteArray& bytes) {
  return files_->add(systemPath(path), bytes.toStdString());
}

std::string OutputFiles::commit() { return files_->commit(); }

std::string WriteWholeFile(const QString& path, const QByteArray& bytes) {
  OutputFiles file;
  if (std::string e = file.add(path, bytes); !e.empty()) return e;
  return file.commit();
}

}  // namespace canvas
