// One whole press of Input against a GraphData of 1 000 000 rows: conversion, chart drawn on the
// main window's picture, lists, log line and the database row committed. Compared with a bare
// SQLite insert-and-commit on the same file, with the same journal and synchronous settings.
#include "BenchDatabase.h"
#include "BenchSupport.h"
#include "chart/ChartFonts.h"
#include "entry/CalculationStep.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <tuple>

#include <sqlite3.h>

using namespace kelvane;

namespace {

constexpr int kRows = 1000000;
// What any program that opens the file for each row does at the least, straight on SQLite:
// open, one insert in a transaction that commits, close.
void bareInsertAndCommit(const QByteArray& path, double number) {
  sqlite3* database = nullptr;
  if (sqlite3_open_v2(path.constData(), &database, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) qFatal("cannot open");
  sqlite3_busy_timeout(database, 5000);
  const QByteArray sql = "BEGIN IMMEDIATE; INSERT INTO GraphData VALUES ('05/12/2026', '14:08:45', " +
                         QByteArray::number(number, 'f', 0) + ", 1.5); COMMIT;";
  if (sqlite3_exec(database, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) qFatal("insert failed");
  sqlite3_close(database);
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  installChartFonts();
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("measurements.db"));
  bench::createGraphData(path, kRows);

  bench::BenchProgram station;
  station.env.logFilePath = folder.filePath(QStringLiteral("Logfile.txt"));
  ProgramState& state = station.state;
  state.LiveChart = true;
  state.DatabasePath = path;
  testing::FakeMainWindow& window = station.window;
  Program& program = station.program;
  int press = 0;

  // Taken in turns, so that both see the same load of a shared machine.
  const auto pressesBesideBareRows = [&](bench::Timings& bare, bench::Timings& step) {
    static double bareNumber = 2e6;
    QElapsedTimer timer;
    for (int run = 0; run < 1000; ++run) {
      timer.start();
      bareInsertAndCommit(path.toUtf8(), ++bareNumber);
      bare.add(timer.nsecsElapsed() / 1e6);
      window.entry = QString::number(1.5 + (++press % 40) / 10.0);
      timer.start();
      btnCalculation_Click(program);
      step.add(timer.nsecsElapsed() / 1e6);
    }
  };
  // Alone, each close is the file's last and copies the write-ahead log back into it.
  bench::Timings bare, step;
  pressesBesideBareRows(bare, step);
  // As in a plant, where the collector keeps the file open and so takes those copies over.
  bench::Timings bareBesideCollector, stepBesideCollector;
  {
    sqlite3* collector = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &collector, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(collector, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    pressesBesideBareRows(bareBesideCollector, stepBesideCollector);
    sqlite3_close(collector);
  }

  // The same press without a database: chart, lists and log alone.
  state.DatabasePath.clear();
  const bench::Timings withoutDatabase = bench::measure([&] {
    window.entry = QString::number(1.5 + (++press % 40) / 10.0);
    btnCalculation_Click(program);
  }, 500, 2000);

  station.requireNoMessage();
  bench::report(QStringLiteral("press of Input without a database (chart, lists, log), median"), withoutDatabase.median());
  for (const auto& [setting, bareRows, presses] :
       {std::tuple{QStringLiteral("file alone"), &bare, &step},
        std::tuple{QStringLiteral("collector connected"), &bareBesideCollector, &stepBesideCollector}}) {
    bench::report(setting + QStringLiteral(": bare SQLite open, insert, commit, close, median"), bareRows->median());
    bench::report(setting + QStringLiteral(": press of Input on 1 000 000 rows, median"), presses->median(), 2);
    bench::report(setting + QStringLiteral(": press of Input on 1 000 000 rows, p99"), presses->p99(), 10);
    bench::report(setting + QStringLiteral(": press as a multiple of the bare row"),
                  presses->median() / bareRows->median(), 1.5, QStringLiteral("times"));
  }
  return 0;
}
