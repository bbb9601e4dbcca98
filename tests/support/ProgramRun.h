#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

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

// fermat-lab and fermat-lens refused a command line alike: exit 2, nothing
// on standard output, and one line of error that differs only in the
// program's name before it.
inline ::testing::AssertionResult RefusedAlike(const ProgramRun& lab, const ProgramRun& lens) {
  if (lab.code != 2 || lens.code != 2)
    return ::testing::AssertionFailure() << "exit " << lab.code << " and " << lens.code << ", not 2";
  if (!lab.out.isEmpty() || !lens.out.isEmpty())
    return ::testing::AssertionFailure() << "printed " << lab.out.toStdString() << lens.out.toStdString();
  if (!lab.err.startsWith("fermat-lab: ") || !lens.err.startsWith("fermat-lens: "))
    return ::testing::AssertionFailure() << "errors " << lab.err.toStdString() << " and " << lens.err.toStdString();
  if (lab.err.mid(12) != lens.err.mid(13))
    return ::testing::AssertionFailure() << "different lines:\n" << lab.err.toStdString() << lens.err.toStdString();
  if (lab.err.count('\n') != 1) return ::testing::AssertionFailure() << "not one line: " << lab.err.toStdString();
  return ::testing::AssertionSuccess();
}

}  // namespace testing_support
