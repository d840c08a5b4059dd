#include "TextResources.h"

#include <QHash>

#include <cstdlib>

namespace kelvane {

namespace {

// The query instructions wrap at the label's width; the runs of blanks push each piece onto a
// line of its own.
QString queryInstructions() {
  return QStringLiteral(
             "Input the SQL query to get the data of certain time period. For example, to draw the chart "
             "based on calculation data from 01.12.2005 between 14:08:45 and 14:10:45, you have to enter:") +
         QString(121, QLatin1Char(' ')) + QStringLiteral("SELECT Date,Time, number, Data FROM GraphData") +
         QString(2, QLatin1Char(' ')) +
         QStringLiteral("WHERE Date ='01.12.2005' AND Time between '14:08:45' and '14:10:45'") +
         QString(4, QLatin1Char(' ')) +
         QStringLiteral("To correctly scale the chart, do not select too long period of time. ");
}

const QHash<TextId, QString>& table() {
  static const QHash<TextId, QString> texts{
      {TextId::ProgramDescriptionFrame, QStringLiteral("Program description")},
      {TextId::ProgramDescription, QStringLiteral("This is a Kelvane program to build a graph of input values or construct a graph based on "
                          "the values of the certain time period queried from Access database.")},
      {TextId::DataInputFrame, QStringLiteral("Data input")},
      {TextId::InputButton, QStringLiteral("Input")},
      {TextId::ResetButton, QStringLiteral("Reset")},
      {TextId::ResultsFrame, QStringLiteral("Data entered with time stamp")},
      {TextId::NumberHeading, QStringLiteral("n")},
      {TextId::DataHeading, QStringLiteral("data")},
      {TextId::TimeStampHeading, QStringLiteral("time stamp")},
      {TextId::ChartFrame, QStringLiteral("Chart")},
      {TextId::ChartDescription, QStringLiteral("Field to draw current graph or graph of selected time period queried from database:")},
      {TextId::DatabaseButton, QStringLiteral("Database")},
      {TextId::FullScreenButton, QStringLiteral("Full screen")},
      {TextId::CloseButton, QStringLiteral("Close")},
      {TextId::Attribution, QStringLiteral("Written by the Kelvane program developers, December 2026, https://kelvane.example.org")},
      {TextId::AboutCloseButton, QStringLiteral("Close")},
      {TextId::QueryDescriptionFrame, QStringLiteral("Query database for data of certain time period")},
      {TextId::QueryInstructions, queryInstructions()},
      {TextId::QueryFrame, QStringLiteral("SQL Query")},
      {TextId::SelectQueryButton, QStringLiteral("SELECT query")},
      {TextId::CancelQueryButton, QStringLiteral("Cancel")},
      {TextId::InputTypeMismatch, QStringLiteral("Type mismatch or input error: only numeric data can be entered")},
      {TextId::DatabaseFailed, QStringLiteral("Error of SQL query to database: first, select the Access database file. ")},
      {TextId::FullScreenTypeMismatch, QStringLiteral("Type mismatch or input error. Probable cause: 1. no data entered by the user, 2. only "
                          "numeric data can be entered, 3. the point can not be used as a separator of integer and "
                          "fractional parts.")},
      {TextId::QueryFailed, QStringLiteral("Error of SQL query: check the query syntax and input data.")},
      {TextId::FileMenu, QStringLiteral("File")},
      {TextId::ExitItem, QStringLiteral("Exit")},
      {TextId::DatabaseMenu, QStringLiteral("Database")},
      {TextId::SqlQueryItem, QStringLiteral("SQL Query")},
      {TextId::Help, QStringLiteral("Help")},
      {TextId::AboutItem, QStringLiteral("About Kelvane program")},
      {TextId::SelectDatabaseFileItem, QStringLiteral("Select Database file...")},
      {TextId::NumberOnXButton, QStringLiteral("Number on X")},
      {TextId::TimeOnXButton, QStringLiteral("Time on X")},
      {TextId::InputOverflow, QStringLiteral("Overflow or input error: only numbers between -3.4E+34 and 3.4E+34 can be entered")},
      {TextId::EntryNotRecorded, QStringLiteral("Entry %1 (%2) was listed but not recorded completely.")},
      {TextId::NotLogged, QStringLiteral("Not written to the log file: %1")},
      {TextId::NotStored, QStringLiteral("Not stored in the database: %1")},
      {TextId::ReadingRows, QStringLiteral("Reading rows from the database: %1")},
      {TextId::CancelReadingButton, QStringLiteral("Cancel")},
      {TextId::FollowNewRowsItem, QStringLiteral("Follow new rows")},
      {TextId::PeriodItem, QStringLiteral("Period...")},
      {TextId::ChartPeriodButton, QStringLiteral("Chart")},
      {TextId::PeriodFromLabel, QStringLiteral("From")},
      {TextId::PeriodToLabel, QStringLiteral("To")},
      {TextId::LastHourButton, QStringLiteral("Last hour")},
      {TextId::LastShiftButton, QStringLiteral("Last 8 hours")},
      {TextId::LastDayButton, QStringLiteral("Last 24 hours")},
      {TextId::TodayButton, QStringLiteral("Today")},
      {TextId::EditAsSqlButton, QStringLiteral("Edit as SQL")},
      {TextId::ExportChartItem, QStringLiteral("Export chart...")},
      {TextId::PrintChartItem, QStringLiteral("Print chart...")},
      {TextId::ExportRowsItem, QStringLiteral("Export rows...")},
      {TextId::FileNotWritten, QStringLiteral("%1 could not be written: %2")},
      {TextId::PrintedLiveChart, QStringLiteral("Values entered in this run")},
      {TextId::PrintedRecentRows, QStringLiteral("The most recent rows of %1")},
      {TextId::PrintedQueryChart, QStringLiteral("Rows of the query %1 in %2")},
      {TextId::PrintedAt, QStringLiteral("Printed %1")},
      {TextId::ChartFileFilters,
       QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)")},
      {TextId::RowsFileFilter, QStringLiteral("Comma-separated values (*.csv)")},
      {TextId::RowKept, QStringLiteral("Entry %1 (%2) could not be stored in %3 for now: %4\n\nThe value is kept and "
                                       "will be stored when the database answers again.")},
      {TextId::ValuesWaiting, QStringLiteral("%1 values waiting to be stored in %2")},
      {TextId::ValueWaiting, QStringLiteral("%1 value waiting to be stored in %2")},
      {TextId::KeptRowRefused, QStringLiteral("The value of entry %1 (%2 %3), kept for %4, cannot be stored: %5\n\n"
                                              "It stays in \"Pending rows.txt\" with the values entered after it, and "
                                              "is stored once the database takes it.")},
      {TextId::NotKept, QStringLiteral("Not kept to be stored later: %1")},
      {TextId::PendingFileUnreadable, QStringLiteral("Values kept in \"Pending rows.txt\" cannot be read and are left "
                                                     "out: %1")},
      {TextId::PrintedPeriod, QStringLiteral("Rows from %1 to %2 in %3")},
      {TextId::ChartNotPrinted, QStringLiteral("The chart could not be printed: %1")},
      {TextId::PageTooSmall, QStringLiteral("the page leaves too little room for the chart under its heading.")},
      {TextId::PrinterUnusable, QStringLiteral("the printer cannot be used.")},
      {TextId::NoAnswer, QStringLiteral("no answer within %1 seconds")},
      {TextId::PendingFileLeftAlone, QStringLiteral("Values kept in %1 cannot be read. The file is left as it is, and "
                                                    "values to keep go to %2 beside it.")},
      {TextId::LimitsItem, QStringLiteral("Leak test limits...")},
      {TextId::DecisionsItem, QStringLiteral("Leak decisions...")},
      {TextId::AlphaLabel, QStringLiteral("False alarm probability \u03b1")},
      {TextId::BetaLabel, QStringLiteral("Missed leak probability \u03b2")},
      {TextId::LogRatioOption, QStringLiteral("The values are natural logarithms of the ratio")},
      {TextId::RatioOption, QStringLiteral("The values are the ratio itself")},
      {TextId::LimitALabel, QStringLiteral("Upper limit A (leak)")},
      {TextId::LimitBLabel, QStringLiteral("Lower limit B (no leak)")},
      {TextId::LimitsOkButton, QStringLiteral("OK")},
      {TextId::NoLimitsButton, QStringLiteral("No limits")},
      {TextId::LimitNotNumber, QStringLiteral("%1 is not a number.")},
      {TextId::ProbabilityOutOfRange, QStringLiteral("%1 must lie between 0 and 1, both excluded.")},
      {TextId::ProbabilitiesTooLarge, QStringLiteral("%1 and %2 together must stay below 1.")},
      {TextId::LimitsOutOfOrder, QStringLiteral("%1 must lie above %2.")},
      {TextId::RatioLimitNotPositive, QStringLiteral("%1 must lie above 0 when the values are the ratio itself.")},
      {TextId::DecisionLeak, QStringLiteral("Leak: %1 reached A at %2")},
      {TextId::DecisionNoLeak, QStringLiteral("No leak: %1 reached B at %2")},
      {TextId::DecisionTesting, QStringLiteral("Testing: B < %1 < A")},
      {TextId::DecisionStretch, QStringLiteral("%1 to %2: %3 row(s), highest %4")},
      {TextId::LimitsNotKept, QStringLiteral("The limits hold for this run, but they could not be kept for the next "
                                             "one: %1")},
      {TextId::TimeScaleItem, QStringLiteral("Time scale")},
      {TextId::SummaryItem, QStringLiteral("Summary...")},
      {TextId::CopySummaryButton, QStringLiteral("Copy")},
      {TextId::SummaryRows, QStringLiteral("Rows")},
      {TextId::SummaryFirstMoment, QStringLiteral("First moment")},
      {TextId::SummaryLastMoment, QStringLiteral("Last moment")},
      {TextId::SummaryLowest, QStringLiteral("Lowest value")},
      {TextId::SummaryHighest, QStringLiteral("Highest value")},
      {TextId::SummaryMean, QStringLiteral("Mean")},
      {TextId::SummaryDeviation, QStringLiteral("Standard deviation")},
      {TextId::SummaryGaps, QStringLiteral("Gaps")},
      {TextId::SummaryLongestGap, QStringLiteral("Longest gap")},
      {TextId::SummaryGapTime, QStringLiteral("Time in gaps")},
      {TextId::SummaryLeftOut, QStringLiteral("Rows whose Date and Time are no moment")},
      {TextId::SummaryRowsAtA, QStringLiteral("Rows at or above A")},
      {TextId::SummaryTimeAtA, QStringLiteral("Time at or above A")},
      {TextId::ValueAtMoment, QStringLiteral("%1 at %2")},
      {TextId::DurationFrom, QStringLiteral("%1 from %2")},
      {TextId::DurationDays, QStringLiteral("%1 d %2")},
      {TextId::TimeScaleNotKept, QStringLiteral("The time scale holds for this run, but it could not be kept for the "
                                                "next one: %1")},
      {TextId::NoPeriodIndex, QStringLiteral("This table has no index on Date and Time: a period is found by reading "
                                             "every row. kelvane-db index adds one.")},
  };
  return texts;
}

}  // namespace

QString LoadResString(TextId id) {
  const auto found = table().constFind(id);
  if (found == table().constEnd()) {
    qCritical("Text resource %d is missing from the build", int(id));
    std::abort();
  }
  return *found;
}

}  // namespace kelvane
