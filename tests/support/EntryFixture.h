#pragma once

#include "FakeWindows.h"
#include "TestEnvironment.h"
#include "entry/CalculationStep.h"
#include "handlers/FollowNewRows.h"
#include "handlers/StoreAndForward.h"
#include "entry/Program.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

namespace kelvane::testing {

// One running program with fake windows, its log file and database in a fresh folder.
struct EntryFixture {
  explicit EntryFixture(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedKingdom))
      : test(locale), store(test.env, window), program{state, test.env, window, entered, store, reader} {
    window.showEnteredValues(entered);
    test.env.logFilePath = folder.filePath(QStringLiteral("Logfile.txt"));
    test.env.pendingRowsPath = folder.filePath(QStringLiteral("Pending rows.txt"));
    store.load();
    state.LiveChart = true;  // as the main window leaves it after loading
  }

  // Types the text and presses Input, then lets the window's thread hear what became of its row.
  void press(const QString& text) {
    window.entry = text;
    btnCalculation_Click(program);
    hearRows();
  }
  // Until every row set on its way has been told: stored, refused, or kept after half a second.
  void hearRows() {
    QElapsedTimer waited;
    waited.start();
    while (store.untoldRows() > 0 && waited.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  // A delivery of the kept rows as the clock's ticks make one: started five seconds on, then told.
  void deliver() {
    store.waitForWrites(std::chrono::seconds(30));
    QCoreApplication::processEvents();
    test.clock.set(test.clock.now().addSecs(5));
    store.deliver();
    store.waitForWrites(std::chrono::seconds(30));
    QCoreApplication::processEvents();
  }
  // A tick of following new rows, and its answer heard.
  void follow(NewRowsWatch& watch) {
    followNewRows(program, watch);
    QElapsedTimer waited;
    waited.start();
    while (watch.busy() && waited.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
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
  EnteredValues entered;
  StoreAndForward store;
  Worker reader;
  Program program;
};

}  // namespace kelvane::testing
