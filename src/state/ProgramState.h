#pragma once

#include "LeakAlarms.h"
#include "LeakLimits.h"
#include "Period.h"
#include "PointTexts.h"
#include "RegionalForms.h"
#include "Stations.h"
#include "Tables.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>
#include <QVariant>

#include <optional>
#include <vector>

namespace kelvane {

// A chart of stored rows that new rows can be added to while they are followed: the recent rows
// the Database button charted, or a period that ends now (PeriodCharted) charted from the period
// dialog.
struct FollowableChart {
  QString database;
  // The largest number among its rows, or of the table when it holds none; none of an empty table.
  std::optional<double> newest;
  bool period = false;
  // How long a sliding period is (Last hour...); 0 for one that grows (Today).
  qint64 slidingSeconds = 0;
  // What a pass over the rows a sliding period's chart holds learnt of their order: the wall
  // seconds (of their Date and Time) of the latest, and of the earliest that came after a later
  // one (delivered late, a clock set back). The period drops rows at its front while none of
  // those lies before its start.
  struct HeldOrder {
    std::optional<qint64> latest, earliestLate;
  };
  std::optional<HeldOrder> heldOrder;
  // A row of a period stamped after its end (a collector's clock ahead of this one): asked for
  // again, by its number, once the period reaches its Date and Time.
  struct RowAhead {
    double number;
    std::optional<QByteArray> date, time;
  };
  // The stations charted beside the chosen database, in the order of their series, each followed
  // on its own: its database, and as above its newest number, the order of its rows and its rows
  // ahead. One that could not be read is not followed.
  struct FollowedStation {
    QString database;
    std::optional<double> newest;
    std::optional<HeldOrder> heldOrder;
    bool followed = true;
    std::vector<RowAhead> ahead;
  };
  std::vector<FollowedStation> stations;
  std::vector<RowAhead> ahead;  // of the chosen database
};

// What the chart currently shows. No other text is ever stored in OperatingMode.
namespace Mode {
inline const QString Calculation = QStringLiteral("calculation");
inline const QString Database = QStringLiteral("database");
inline const QString SQLquery = QStringLiteral("SQLquery");
inline const QString Reset = QStringLiteral("reset");
}  // namespace Mode

// Rows and columns of the staging table of the live chart's values.
constexpr int kPointTableLastRow = 22;
constexpr int kPointTableLastColumn = 10;
constexpr int kMainSeriesColumn = 1;
constexpr int kFullScreenSeriesColumn = 4;

// The variables every handler shares, with their start values. They live as long as the program
// and are touched only on the user-interface thread, one handler at a time, so nothing is locked.
struct ProgramState {
  ProgramState();

  // Sets the five values of the last entry's moment from one reading of the clock, so that date
  // and time always belong to the same moment, also across midnight.
  void takeEntryMoment(const QDateTime& now, const RegionalForms& regional);

  // Mode, file and texts
  QString OperatingMode;
  QString DatabasePath;
  QString QueryText;
  // The databases charted beside the chosen one (Database > Stations...), in order.
  QList<ComparedStation> Stations;
  // The period whose rows QueryText reads, when the period dialog charted it.
  std::optional<Period> PeriodCharted;

  // Calculation run
  QList<double> MainWindowValues;        // values times 10000, oldest first
  QList<double> FullScreenWindowValues;  // the same, one more kept for the full-screen chart
  // The EntryNumber of each of the newest values that entered the windows, oldest first: a refused
  // text takes a number but enters no value, so the numbers of a window cannot be counted back.
  QList<qint64> WindowEntryNumbers;
  Table2D<QVariant> PointTable;          // rows 0..22, columns 0..10
  QVariant LastValueScaled;              // a Double: the newest value times 10000
  qint32 PointCounter = 0;
  float WindowStart = 0;
  qint32 ScrollCount = 0;
  QDateTime LastEntryMoment;
  QTime LastEntryTime;
  QDate LastEntryDate;
  QString LastEntryDateText;
  QString LastEntryTimeText;

  // Chart flags and working values
  bool LiveChart = false;
  bool ExactXRange = false;
  bool MaximizedChart = false;
  bool NumberOnX = false;
  // Stored charts place each row at its moment (Database > Time scale), not one record apart.
  bool TimeScale = false;
  float YLabelStep = 0;

  // Charts of stored records
  qint32 ChartRecordCount = 0;
  PointTexts PointLabels;  // 1..ChartRecordCount: number or Time of each record
  PointTexts PointDates;   // 1..ChartRecordCount: Date of each record

  // Following new rows: whether the Database menu's item is checked, the main window's chart that
  // can follow (none while it stands on no such chart), and the mode of the full-screen window's
  // last chart.
  bool FollowNewRows = false;
  std::optional<FollowableChart> Followable;
  QString MaximizedMode;

  // The leak test's limits, drawn on every chart while they are set, and the newest value entered
  // with its time, which the decision beside the entry is about (none after Reset).
  std::optional<LeakLimits> Limits;
  struct DecidedValue {
    float value;
    QString timeText;
  };
  std::optional<DecidedValue> Decided;
  // The leak alarm of each database, and whether its tone may sound (the settings file's
  // Alarm/Sound).
  LeakAlarms Alarms;
  bool AlarmSound = true;

  // Variables of the main window. scaleStored is 32 bits wide: as a 16-bit integer it would
  // overflow after 32767 moves of the window and stop every later value from being recorded.
  qint32 scaleStored = 0;
  qint32 scaleLimit = 0;

  // Kept by the Input handler between presses. EntryNumber is 64 bits wide, so no number of
  // presses stops the program from taking values.
  qint64 EntryNumber = 0;
};

}  // namespace kelvane
