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

const QHash<int, QString>& table() {
  static const QHash<int, QString> texts{
      {11, QStringLiteral("Program description")},
      {12, QStringLiteral("This is a Kelvane program to build a graph of input values or construct a graph based on "
                          "the values of the certain time period queried from Access database.")},
      {13, QStringLiteral("Data input")},
      {20, QStringLiteral("Input")},
      {21, QStringLiteral("Reset")},
      {22, QStringLiteral("Data entered with time stamp")},
      {23, QStringLiteral("n")},
      {24, QStringLiteral("data")},
      {27, QStringLiteral("time stamp")},
      {28, QStringLiteral("Chart")},
      {29, QStringLiteral("Field to draw current graph or graph of selected time period queried from database:")},
      {30, QStringLiteral("Database")},
      {31, QStringLiteral("Full screen")},
      {32, QStringLiteral("Close")},
      {34, QStringLiteral("Written by the Kelvane program developers, December 2026, https://kelvane.example.org")},
      {35, QStringLiteral("Close")},
      {41, QStringLiteral("Query database for data of certain time period")},
      {42, queryInstructions()},
      {43, QStringLiteral("SQL Query")},
      {44, QStringLiteral("SELECT query")},
      {45, QStringLiteral("Cancel")},
      {47, QStringLiteral("Type mismatch or input error: only numeric data can be entered")},
      {49, QStringLiteral("Error of SQL query to database: first, select the Access database file. ")},
      {50, QStringLiteral("Type mismatch or input error. Probable cause: 1. no data entered by the user, 2. only "
                          "numeric data can be entered, 3. the point can not be used as a separator of integer and "
                          "fractional parts.")},
      {58, QStringLiteral("Error of SQL query: check the query syntax and input data.")},
      {59, QStringLiteral("File")},
      {60, QStringLiteral("Exit")},
      {61, QStringLiteral("Database")},
      {63, QStringLiteral("SQL Query")},
      {64, QStringLiteral("Help")},
      {65, QStringLiteral("About Kelvane program")},
      {66, QStringLiteral("Select Database file...")},
      {67, QStringLiteral("Number on X")},
      {68, QStringLiteral("Time on X")},
      // Added for the values the program refuses or cannot record; %1 is the entry number,
      // %2 the typed text, %3 what went wrong.
      {69, QStringLiteral("Overflow or input error: only numbers between -3.4E+34 and 3.4E+34 can be entered")},
      {70, QStringLiteral("Entry %1 (%2) was listed but not recorded completely.")},
      {71, QStringLiteral("Not written to the log file: %1")},
      {72, QStringLiteral("Not stored in the database: %1")},
  };
  return texts;
}

}  // namespace

QString LoadResString(int id) {
  const auto found = table().constFind(id);
  if (found == table().constEnd()) {
    qCritical("Text resource %d is missing from the build", id);
    std::abort();
  }
  return *found;
}

}  // namespace kelvane
