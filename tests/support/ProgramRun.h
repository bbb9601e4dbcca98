#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace testing_support {

// What one run of a program left: its exit code (-1 when it crashed or was
// killed), its standard output and its standard error.
struct ProgramRun {
  int code = -1;
  QByteArray out, err;
};

// Runs a program to its end in a working folder. A session's Play and live
// thumbs take a few seconds at most; after a minute the run is killed.
inline ProgramRun RunProgram(const char* binary, const QStringList& args, const QString& folder) {
  QProcess p;
  p.setWorkingDirectory(folder);
  p.start(QString::fromUtf8(binary), args);
  if (!p.waitForFinished(60000)) {
    p.kill();
    p.waitForFinished();
  }
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
          p.readAllStandardError()};
}

}  // namespace testing_support
