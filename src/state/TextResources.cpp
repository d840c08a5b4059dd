#include "TextResources.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <cstdlib>

namespace kelvane {

namespace {

// Each English text is marked with its id as the translator's disambiguation: lupdate reads the
// marks into translations/kelvane_de.ts, and a lookup goes through the translator with both. A
// caption's access key is the letter after its '&' (a literal '&' is "&&"), in each language its
// own and distinct within each window and menu.
struct Entry {
  const char* english;
  const char* id;
};

constexpr char kContext[] = "TextResources";

constexpr Entry kTexts[] = {
    QT_TRANSLATE_NOOP3("TextResources", "Program description", "11"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "This is a Kelvane program to build a graph of input values or construct a graph based on the "
                       "values of the certain time period queried from Access database.",
                       "12"),
    QT_TRANSLATE_NOOP3("TextResources", "Data input", "13"),
    QT_TRANSLATE_NOOP3("TextResources", "&Input", "20"),
    QT_TRANSLATE_NOOP3("TextResources", "&Reset", "21"),
    QT_TRANSLATE_NOOP3("TextResources", "Data entered with time stamp", "22"),
    QT_TRANSLATE_NOOP3("TextResources", "n", "23"),
    QT_TRANSLATE_NOOP3("TextResources", "data", "24"),
    QT_TRANSLATE_NOOP3("TextResources", "time stamp", "27"),
    QT_TRANSLATE_NOOP3("TextResources", "Chart", "28"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "Field to draw current graph or graph of selected time period queried from database:",
                       "29"),
    // Neither takes the letter of a menu of the main window.
    QT_TRANSLATE_NOOP3("TextResources", "Data&base", "30"),
    QT_TRANSLATE_NOOP3("TextResources", "Full &screen", "31"),
    QT_TRANSLATE_NOOP3("TextResources", "&Close", "32"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "Written by the Kelvane program developers, December 2026, https://kelvane.example.org",
                       "34"),
    QT_TRANSLATE_NOOP3("TextResources", "Close", "35"),
    QT_TRANSLATE_NOOP3("TextResources", "Query database for data of certain time period", "41"),
    // The runs of 121, 2 and 4 blanks put each piece on a line of its own in the label, which wraps.
    QT_TRANSLATE_NOOP3("TextResources",
                       "Input the SQL query to get the data of certain time period. For example, to draw the chart "
                       "based on calculation data from 01.12.2005 between 14:08:45 and 14:10:45, you have to enter:"
                       "                                                            "
                       "                                                            "
                       " "
                       "SELECT Date,Time, number, Data FROM GraphData"
                       "  "
                       "WHERE Date ='01.12.2005' AND Time between '14:08:45' and '14:10:45'"
                       "    "
                       "To correctly scale the chart, do not select too long period of time. ",
                       "42"),
    QT_TRANSLATE_NOOP3("TextResources", "SQL Query", "43"),
    QT_TRANSLATE_NOOP3("TextResources", "&SELECT query", "44"),
    QT_TRANSLATE_NOOP3("TextResources", "&Cancel", "45"),
    QT_TRANSLATE_NOOP3("TextResources", "Type mismatch or input error: only numeric data can be entered", "47"),
    QT_TRANSLATE_NOOP3("TextResources", "Error of SQL query to database: first, select the Access database file. ", "49"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "Type mismatch or input error. Probable cause: 1. no data entered by the user, 2. only numeric "
                       "data can be entered, 3. the point can not be used as a separator of integer and fractional "
                       "parts.",
                       "50"),
    QT_TRANSLATE_NOOP3("TextResources", "Error of SQL query: check the query syntax and input data.", "58"),
    QT_TRANSLATE_NOOP3("TextResources", "&File", "59"),
    QT_TRANSLATE_NOOP3("TextResources", "E&xit", "60"),
    QT_TRANSLATE_NOOP3("TextResources", "&Database", "61"),
    QT_TRANSLATE_NOOP3("TextResources", "&SQL Query", "63"),
    QT_TRANSLATE_NOOP3("TextResources", "&Help", "64"),
    QT_TRANSLATE_NOOP3("TextResources", "&About Kelvane program", "65"),
    QT_TRANSLATE_NOOP3("TextResources", "&Select Database file...", "66"),
    QT_TRANSLATE_NOOP3("TextResources", "&Number on X", "67"),
    QT_TRANSLATE_NOOP3("TextResources", "&Time on X", "68"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "Overflow or input error: only numbers between -3.4E+34 and 3.4E+34 can be entered",
                       "69"),
    QT_TRANSLATE_NOOP3("TextResources", "Entry %1 (%2) was listed but not recorded completely.", "70"),
    QT_TRANSLATE_NOOP3("TextResources", "Not written to the log file: %1", "71"),
    QT_TRANSLATE_NOOP3("TextResources", "Not stored in the database: %1", "72"),
    QT_TRANSLATE_NOOP3("TextResources", "Reading rows from the database: %1", "73"),
    QT_TRANSLATE_NOOP3("TextResources", "&Cancel", "74"),
    QT_TRANSLATE_NOOP3("TextResources", "&Follow new rows", "80"),
    QT_TRANSLATE_NOOP3("TextResources", "&Period...", "81"),
    QT_TRANSLATE_NOOP3("TextResources", "&Chart", "82"),
    QT_TRANSLATE_NOOP3("TextResources", "&From", "83"),
    QT_TRANSLATE_NOOP3("TextResources", "&To", "84"),
    QT_TRANSLATE_NOOP3("TextResources", "&Last hour", "85"),
    QT_TRANSLATE_NOOP3("TextResources", "Last &8 hours", "86"),
    QT_TRANSLATE_NOOP3("TextResources", "Last 2&4 hours", "87"),
    QT_TRANSLATE_NOOP3("TextResources", "To&day", "88"),
    QT_TRANSLATE_NOOP3("TextResources", "&Edit as SQL", "89"),
    QT_TRANSLATE_NOOP3("TextResources", "&Export chart...", "90"),
    QT_TRANSLATE_NOOP3("TextResources", "&Print chart...", "91"),
    QT_TRANSLATE_NOOP3("TextResources", "Expo&rt rows...", "92"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 could not be written: %2", "93"),
    QT_TRANSLATE_NOOP3("TextResources", "Values entered in this run", "94"),
    QT_TRANSLATE_NOOP3("TextResources", "The most recent rows of %1", "95"),
    QT_TRANSLATE_NOOP3("TextResources", "Rows of the query %1 in %2", "96"),
    QT_TRANSLATE_NOOP3("TextResources", "Printed %1", "97"),
    QT_TRANSLATE_NOOP3("TextResources", "PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)", "98"),
    QT_TRANSLATE_NOOP3("TextResources", "Comma-separated values (*.csv)", "99"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "Entry %1 (%2) could not be stored in %3 for now: %4\n\nThe value is kept and will be stored when "
                       "the database answers again.",
                       "100"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 values waiting to be stored in %2", "101"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 value waiting to be stored in %2", "102"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "The value of entry %1 (%2 %3), kept for %4, cannot be stored: %5\n\nIt stays in \"Pending "
                       "rows.txt\" with the values entered after it, and is stored once the database takes it.",
                       "103"),
    QT_TRANSLATE_NOOP3("TextResources", "Not kept to be stored later: %1", "104"),
    QT_TRANSLATE_NOOP3("TextResources", "Values kept in \"Pending rows.txt\" cannot be read and are left out: %1", "105"),
    QT_TRANSLATE_NOOP3("TextResources", "Rows from %1 to %2 in %3", "106"),
    QT_TRANSLATE_NOOP3("TextResources", "The chart could not be printed: %1", "107"),
    QT_TRANSLATE_NOOP3("TextResources", "the page leaves too little room for the chart under its heading.", "108"),
    QT_TRANSLATE_NOOP3("TextResources", "the printer cannot be used.", "109"),
    QT_TRANSLATE_NOOP3("TextResources", "&Leak test limits...", "110"),
    QT_TRANSLATE_NOOP3("TextResources", "Leak &decisions...", "111"),
    QT_TRANSLATE_NOOP3("TextResources", "&False alarm probability α", "112"),
    QT_TRANSLATE_NOOP3("TextResources", "&Missed leak probability β", "113"),
    QT_TRANSLATE_NOOP3("TextResources", "The values are natural lo&garithms of the ratio", "114"),
    QT_TRANSLATE_NOOP3("TextResources", "The values are the rat&io itself", "115"),
    QT_TRANSLATE_NOOP3("TextResources", "&Upper limit A (leak)", "116"),
    QT_TRANSLATE_NOOP3("TextResources", "&Lower limit B (no leak)", "117"),
    QT_TRANSLATE_NOOP3("TextResources", "&OK", "118"),
    QT_TRANSLATE_NOOP3("TextResources", "&No limits", "119"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 is not a number.", "120"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 must lie between 0 and 1, both excluded.", "121"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 and %2 together must stay below 1.", "122"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 must lie above %2.", "123"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 must lie above 0 when the values are the ratio itself.", "124"),
    QT_TRANSLATE_NOOP3("TextResources", "Leak: %1 reached A at %2", "125"),
    QT_TRANSLATE_NOOP3("TextResources", "No leak: %1 reached B at %2", "126"),
    QT_TRANSLATE_NOOP3("TextResources", "Testing: B < %1 < A", "127"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 to %2: %3 row(s), highest %4", "128"),
    QT_TRANSLATE_NOOP3("TextResources", "The limits hold for this run, but they could not be kept for the next one: %1", "129"),
    QT_TRANSLATE_NOOP3("TextResources", "&Time scale", "130"),
    QT_TRANSLATE_NOOP3("TextResources", "Su&mmary...", "131"),
    QT_TRANSLATE_NOOP3("TextResources", "C&opy", "132"),
    QT_TRANSLATE_NOOP3("TextResources", "Rows", "133"),
    QT_TRANSLATE_NOOP3("TextResources", "First moment", "134"),
    QT_TRANSLATE_NOOP3("TextResources", "Last moment", "135"),
    QT_TRANSLATE_NOOP3("TextResources", "Lowest value", "136"),
    QT_TRANSLATE_NOOP3("TextResources", "Highest value", "137"),
    QT_TRANSLATE_NOOP3("TextResources", "Mean", "138"),
    QT_TRANSLATE_NOOP3("TextResources", "Standard deviation", "139"),
    QT_TRANSLATE_NOOP3("TextResources", "Gaps", "140"),
    QT_TRANSLATE_NOOP3("TextResources", "Longest gap", "141"),
    QT_TRANSLATE_NOOP3("TextResources", "Time in gaps", "142"),
    QT_TRANSLATE_NOOP3("TextResources", "Rows whose Date and Time are no moment", "143"),
    QT_TRANSLATE_NOOP3("TextResources", "Rows at or above A", "144"),
    QT_TRANSLATE_NOOP3("TextResources", "Time at or above A", "145"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 at %2", "146"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 from %2", "147"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 d %2", "148"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "The time scale holds for this run, but it could not be kept for the next one: %1", "149"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "This table has no index on Date and Time: a period is found by reading every row. kelvane-db "
                       "index adds one.",
                       "150"),
    QT_TRANSLATE_NOOP3("TextResources", "Kelvane program", "160"),
    QT_TRANSLATE_NOOP3("TextResources", "About %1", "161"),
    QT_TRANSLATE_NOOP3("TextResources", "Version %1", "162"),
    QT_TRANSLATE_NOOP3("TextResources", "SQL query", "163"),
    QT_TRANSLATE_NOOP3("TextResources", "Chart a period", "164"),
    QT_TRANSLATE_NOOP3("TextResources", "Leak test limits", "165"),
    QT_TRANSLATE_NOOP3("TextResources", "Leak decisions", "166"),
    QT_TRANSLATE_NOOP3("TextResources", "Chart maximized", "167"),
    QT_TRANSLATE_NOOP3("TextResources", "Error", "168"),
    QT_TRANSLATE_NOOP3("TextResources", "Program icon", "169"),
    QT_TRANSLATE_NOOP3("TextResources", "Select Database file", "170"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "Measurement databases (*.db *.sqlite *.sqlite3 *.kvconn);;SQLite databases (*.db *.sqlite "
                       "*.sqlite3);;Connection files (*.kvconn);;All files (*)",
                       "171"),
    QT_TRANSLATE_NOOP3("TextResources", "Recent database &files", "172"),
    QT_TRANSLATE_NOOP3("TextResources", "&Language", "173"),
    QT_TRANSLATE_NOOP3("TextResources", "&As the system", "174"),
    QT_TRANSLATE_NOOP3("TextResources", "&English", "175"),
    QT_TRANSLATE_NOOP3("TextResources", "&Deutsch", "176"),
    QT_TRANSLATE_NOOP3("TextResources", "The program shows the chosen language from its next start.", "177"),
    QT_TRANSLATE_NOOP3("TextResources", "The choice could not be kept for the next run: %1", "178"),
    QT_TRANSLATE_NOOP3("TextResources", "English Help.chm", "179"),
    QT_TRANSLATE_NOOP3("TextResources", "no answer within %1 seconds", "180"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "Values kept in %1 cannot be read. The file is left as it is, and values to keep go to %2 beside "
                       "it.",
                       "181"),
    QT_TRANSLATE_NOOP3("TextResources", "Perhaps stored in the database, as its answer was lost: %1", "182"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "The rows would take more than one read may hold on this machine: %1 rows or %2 MB, an "
                       "eighth of its memory. Nothing is charted: ask for fewer rows, a shorter period.",
                       "183"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "the largest number in GraphData is %1, after which no row can be numbered; kelvane-db check "
                       "names the rows that hold it",
                       "184"),
    QT_TRANSLATE_NOOP3("TextResources",
                       "%1 kept line(s) in %2 cannot be read. They are moved, as they are, to %3 beside it and are not "
                       "stored:%4",
                       "185"),
    QT_TRANSLATE_NOOP3("TextResources", "Leak alarm: %1 reached A at %2, %3", "190"),
    QT_TRANSLATE_NOOP3("TextResources", "Returned below A at %1", "191"),
    QT_TRANSLATE_NOOP3("TextResources", "&Acknowledge", "192"),
    QT_TRANSLATE_NOOP3("TextResources", "Si&lence", "193"),
    QT_TRANSLATE_NOOP3("TextResources", "S&helve the alarm", "194"),
    QT_TRANSLATE_NOOP3("TextResources", "&Unshelve the alarm", "195"),
    QT_TRANSLATE_NOOP3("TextResources", "&Alarm journal...", "196"),
    QT_TRANSLATE_NOOP3("TextResources", "Shelve the leak alarm of %1 for:", "197"),
    QT_TRANSLATE_NOOP3("TextResources", "1&5 minutes", "198"),
    QT_TRANSLATE_NOOP3("TextResources", "1 &hour", "199"),
    QT_TRANSLATE_NOOP3("TextResources", "&8 hours", "200"),
    QT_TRANSLATE_NOOP3("TextResources", "C&omment (required):", "201"),
    QT_TRANSLATE_NOOP3("TextResources", "&Shelve", "202"),
    QT_TRANSLATE_NOOP3("TextResources", "Say why the alarm is shelved: the comment is required.", "203"),
    QT_TRANSLATE_NOOP3("TextResources", "no database", "204"),
    QT_TRANSLATE_NOOP3("TextResources", "Leak alarm", "205"),
    QT_TRANSLATE_NOOP3("TextResources", "The alarm journal could not be written: %1", "206"),
    QT_TRANSLATE_NOOP3("TextResources", "The alarm journal cannot be read: %1", "207"),
    QT_TRANSLATE_NOOP3("TextResources", "raised", "208"),
    QT_TRANSLATE_NOOP3("TextResources", "acknowledged", "209"),
    QT_TRANSLATE_NOOP3("TextResources", "returned below A", "210"),
    QT_TRANSLATE_NOOP3("TextResources", "normal", "211"),
    QT_TRANSLATE_NOOP3("TextResources", "silenced", "212"),
    QT_TRANSLATE_NOOP3("TextResources", "shelved until %1", "213"),
    QT_TRANSLATE_NOOP3("TextResources", "unshelved", "214"),
    QT_TRANSLATE_NOOP3("TextResources", "Date and time", "215"),
    QT_TRANSLATE_NOOP3("TextResources", "Event", "216"),
    QT_TRANSLATE_NOOP3("TextResources", "Value", "217"),
    QT_TRANSLATE_NOOP3("TextResources", "Login name", "218"),
    QT_TRANSLATE_NOOP3("TextResources", "Comment", "219"),
    QT_TRANSLATE_NOOP3("TextResources", "Stati&ons...", "220"),
    QT_TRANSLATE_NOOP3("TextResources", "Stations compared", "221"),
    QT_TRANSLATE_NOOP3("TextResources", "&Databases charted beside the chosen one (at most five):", "222"),
    QT_TRANSLATE_NOOP3("TextResources", "&Add...", "223"),
    QT_TRANSLATE_NOOP3("TextResources", "&Remove", "224"),
    QT_TRANSLATE_NOOP3("TextResources", "&Name shown:", "225"),
    QT_TRANSLATE_NOOP3("TextResources", "Five databases are charted beside the chosen one already: remove one first.", "226"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 is charted already.", "227"),
    QT_TRANSLATE_NOOP3("TextResources", "These stations could not be read; the chart shows the others:\n%1", "228"),
    QT_TRANSLATE_NOOP3("TextResources", "Each station needs a name.", "229"),
    QT_TRANSLATE_NOOP3("TextResources", "Station", "230"),
    QT_TRANSLATE_NOOP3("TextResources", "%1 is the chosen database, which is always the first station.", "231"),
    QT_TRANSLATE_NOOP3("TextResources", "Charts of several stations are always on the time scale.", "232"),
    QT_TRANSLATE_NOOP3("TextResources", "C&lose", "240"),
    QT_TRANSLATE_NOOP3("TextResources", "C&ancel", "241"),
};

const QHash<int, const Entry*>& table() {
  static const QHash<int, const Entry*> byId = [] {
    QHash<int, const Entry*> entries;
    for (const Entry& entry : kTexts) entries.insert(std::atoi(entry.id), &entry);
    return entries;
  }();
  return byId;
}

const Entry& entryOf(TextId id) {
  const auto found = table().constFind(int(id));
  if (found == table().constEnd()) {
    qCritical("Text resource %d is missing from the build", int(id));
    std::abort();
  }
  return **found;
}

// The caption as Qt's controls show it: each "&&" an '&', any other '&' (the access key's mark) left out.
QString withoutAccessKey(const QString& caption) {
  if (!caption.contains(QLatin1Char('&'))) return caption;
  QString text;
  text.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && ++i == caption.size()) break;
    text += caption[i];
  }
  return text;
}

// Built into the program from translations/kelvane_de.ts.
const QString kGermanTexts = QStringLiteral(":/i18n/kelvane_de.qm");

// Installed while German is shown; owned by the application.
QPointer<QTranslator> programGerman, qtGerman;

}  // namespace

QString LoadCaption(TextId id) {
  const Entry& entry = entryOf(id);
  return QCoreApplication::translate(kContext, entry.english, entry.id);
}

QString LoadResString(TextId id) { return withoutAccessKey(LoadCaption(id)); }

QString LoadResString(TextId id, bool german) {
  const Entry& entry = entryOf(id);
  if (german) {
    static QTranslator translator;
    static const bool loaded = translator.load(kGermanTexts);
    const QString text = loaded ? translator.translate(kContext, entry.english, entry.id) : QString();
    if (!text.isEmpty()) return withoutAccessKey(text);
  }
  return withoutAccessKey(QString::fromUtf8(entry.english));
}

QList<TextId> textIds() {
  QList<TextId> ids;
  for (const Entry& entry : kTexts) ids.append(TextId(std::atoi(entry.id)));
  return ids;
}

bool showsGerman(Language choice, const QLocale& regional) {
  if (choice == Language::System) return regional.language() == QLocale::German;
  return choice == Language::German;
}

void showGerman(bool german) {
  if (german == germanShown()) return;
  if (!german) {
    delete programGerman;  // which takes it out of the application
    delete qtGerman;
    return;
  }
  programGerman = new QTranslator(QCoreApplication::instance());
  qtGerman = new QTranslator(QCoreApplication::instance());
  // Qt's own texts come from Debian's qt6-translations-l10n; without it Qt's dialogs stay English.
  if (qtGerman->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(qtGerman);
  if (programGerman->load(kGermanTexts)) QCoreApplication::installTranslator(programGerman);
}

bool germanShown() { return !programGerman.isNull(); }

}  // namespace kelvane
