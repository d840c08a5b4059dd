#pragma once

#include "FakeWindows.h"
#include "TestEnvironment.h"
#include "entry/CalculationStep.h"
#include "handlers/StoreAndForward.h"
#include "state/Program.h"

#include <QFile>
#include <QTemporaryDir>

namespace kelvane::testing {

// One running program with fake windows, its log file and database in a fresh folder.
struct EntryFixture {
  explicit EntryFixture(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedKingdom))
      : test(locale), store(test.env, window), program{state, test.env, window, store, reader} {
    test.env.logFilePath = folder.filePath(QStringLiteral("Logfile.txt"));
    test.env.pendingRowsPath = folder.filePath(QStringLiteral("Pending rows.txt"));
    store.rows().load(test.env.pendingRowsPath);
    state.LiveChart = true;  // as the main window leaves it after loading
  }

  // Types the text and presses Input.
  void press(const QString& text) {
    window.entry = text;
    btnCalculation_Click(program);
  }
  // A delivery of the kept rows as the clock's ticks make one: started five seconds on, then told.
  void deliver() {
    store.rows().waitForDelivery();
    test.clock.set(test.clock.now().addSecs(5));
    store.deliver();
    store.rows().waitForDelivery();
    store.deliver();
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
  StoreAndForward store;
  Worker reader;
  Program program;
};

}  // namespace kelvane::testing
