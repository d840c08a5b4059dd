#pragma once

#include "FakeWindows.h"
#include "TestEnvironment.h"
#include "entry/CalculationStep.h"
#include "state/Program.h"

#include <QFile>
#include <QTemporaryDir>

namespace kelvane::testing {

// One running program with fake windows, its log file and database in a fresh folder.
struct EntryFixture {
  explicit EntryFixture(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedKingdom))
      : test(locale), program{state, test.env, window} {
    test.env.logFilePath = folder.filePath(QStringLiteral("Logfile.txt"));
    state.LiveChart = true;  // as the main window leaves it after loading
  }

  // Types the text and presses Input.
  void press(const QString& text) {
    window.entry = text;
    btnCalculation_Click(program);
  }
  QString path(const QString& name) const { return folder.filePath(name); }
  QByteArray log() const {
    QFile file(test.env.logFilePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir folder;
  TestEnvironment test;
  ProgramState state;
  FakeMainWindow window;
  Program program;
};

}  // namespace kelvane::testing
