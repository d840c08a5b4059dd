#pragma once

#include <QList>
#include <QLocale>
#include <QString>

namespace kelvane {

// The ids of the numbered UI strings. The numbers are those the table has always had: a
// translated table keeps them.
enum class TextId : int {
  ProgramDescriptionFrame = 11,
  ProgramDescription = 12,
  DataInputFrame = 13,
  InputButton = 20,
  ResetButton = 21,
  ResultsFrame = 22,
  NumberHeading = 23,
  DataHeading = 24,
  TimeStampHeading = 27,
  ChartFrame = 28,
  ChartDescription = 29,
  DatabaseButton = 30,
  FullScreenButton = 31,
  CloseButton = 32,
  Attribution = 34,
  AboutCloseButton = 35,
  QueryDescriptionFrame = 41,
  QueryInstructions = 42,
  QueryFrame = 43,
  SelectQueryButton = 44,
  CancelQueryButton = 45,
  InputTypeMismatch = 47,
  DatabaseFailed = 49,
  FullScreenTypeMismatch = 50,
  QueryFailed = 58,
  FileMenu = 59,
  ExitItem = 60,
  DatabaseMenu = 61,
  SqlQueryItem = 63,
  Help = 64,
  AboutItem = 65,
  SelectDatabaseFileItem = 66,
  NumberOnXButton = 67,
  TimeOnXButton = 68,
  // Added for values the program refuses or cannot record.
  InputOverflow = 69,
  EntryNotRecorded = 70,  // %1 the entry number, %2 the typed text
  NotLogged = 71,         // %1 what went wrong
  NotStored = 72,         // %1 what went wrong
  // Added for reads of many rows.
  ReadingRows = 73,        // %1 the rows read so far
  CancelReadingButton = 74,
  // Watching the collector. The period dialog's Cancel is 241; its title is fixed, as the other
  // dialogs' titles are.
  FollowNewRowsItem = 80,
  PeriodItem = 81,
  ChartPeriodButton = 82,
  PeriodFromLabel = 83,
  PeriodToLabel = 84,
  LastHourButton = 85,
  LastShiftButton = 86,
  LastDayButton = 87,
  TodayButton = 88,
  EditAsSqlButton = 89,
  // Taking a chart away.
  ExportChartItem = 90,
  PrintChartItem = 91,
  ExportRowsItem = 92,
  FileNotWritten = 93,     // %1 the file, %2 why
  PrintedLiveChart = 94,
  PrintedRecentRows = 95,  // %1 the database
  PrintedQueryChart = 96,  // %1 the query, %2 the database
  PrintedAt = 97,          // %1 the moment
  ChartFileFilters = 98,
  RowsFileFilter = 99,
  // Added for values kept while their database does not answer.
  RowKept = 100,             // %1 the entry number, %2 the typed text, %3 the database, %4 why
  ValuesWaiting = 101,       // %1 how many, %2 the databases
  ValueWaiting = 102,        // the same for one value
  KeptRowRefused = 103,      // %1 the entry number, %2 its date, %3 its time, %4 the database, %5 why
  NotKept = 104,             // %1 what went wrong
  PendingFileUnreadable = 105,  // %1 the lines or why the file cannot be read
  // Added for a printed page that always holds its chart.
  PrintedPeriod = 106,    // %1 From, %2 To, %3 the database
  ChartNotPrinted = 107,  // %1 why
  PageTooSmall = 108,
  PrinterUnusable = 109,
  // The leak test's limits. The dialogs' Cancel is the query dialog's (45).
  LimitsItem = 110,
  DecisionsItem = 111,
  AlphaLabel = 112,
  BetaLabel = 113,
  LogRatioOption = 114,
  RatioOption = 115,
  LimitALabel = 116,
  LimitBLabel = 117,
  LimitsOkButton = 118,
  NoLimitsButton = 119,
  LimitNotNumber = 120,         // %1 the field
  ProbabilityOutOfRange = 121,  // %1 the field
  ProbabilitiesTooLarge = 122,  // %1 and %2 the fields
  LimitsOutOfOrder = 123,       // %1 and %2 the fields
  RatioLimitNotPositive = 124,  // %1 the field
  DecisionLeak = 125,           // %1 the value, %2 the time it was entered
  DecisionNoLeak = 126,         // the same
  DecisionTesting = 127,        // %1 the value
  DecisionStretch = 128,        // %1 from, %2 to, %3 the rows, %4 the highest value
  LimitsNotKept = 129,          // %1 the settings file and why
  // Time as it passed: the time scale and the summary of a chart. The summary's Close is 240; its
  // title is fixed, as the other dialogs' titles are.
  TimeScaleItem = 130,
  SummaryItem = 131,
  CopySummaryButton = 132,
  SummaryRows = 133,
  SummaryFirstMoment = 134,
  SummaryLastMoment = 135,
  SummaryLowest = 136,
  SummaryHighest = 137,
  SummaryMean = 138,
  SummaryDeviation = 139,
  SummaryGaps = 140,
  SummaryLongestGap = 141,
  SummaryGapTime = 142,
  SummaryLeftOut = 143,
  SummaryRowsAtA = 144,
  SummaryTimeAtA = 145,
  ValueAtMoment = 146,     // %1 the value, %2 its Date and Time
  DurationFrom = 147,      // %1 how long, %2 the moment it starts
  DurationDays = 148,      // %1 whole days, %2 the hours, minutes and seconds beyond them
  TimeScaleNotKept = 149,  // %1 the settings file and why
  // Added for periods found through an index.
  NoPeriodIndex = 150,
  // The windows' titles and what else the program shows of its own, the language and the recent
  // files.
  ApplicationTitle = 160,
  AboutTitle = 161,          // %1 the application title
  VersionLine = 162,         // %1 the version
  QueryDialogTitle = 163,
  PeriodDialogTitle = 164,
  LimitsDialogTitle = 165,
  DecisionsDialogTitle = 166,
  FullScreenTitle = 167,
  ErrorTitle = 168,
  ProgramIconName = 169,
  SelectDatabaseFileTitle = 170,
  DatabaseFileFilters = 171,
  RecentFilesMenu = 172,
  LanguageMenu = 173,
  SystemLanguageItem = 174,
  EnglishItem = 175,
  GermanItem = 176,
  LanguageAtNextStart = 177,
  NotKeptForNextRun = 178,   // %1 the settings file and why
  HelpFileName = 179,        // the help file beside the program, in the language shown
  // Added for writes that do not answer, and files of kept values that cannot be read.
  NoAnswer = 180,               // %1 how many seconds
  PendingFileLeftAlone = 181,   // %1 the file and why it cannot be read, %2 the file values go to instead
  // Added for a write whose answer was lost once it could commit.
  PerhapsStored = 182,          // %1 what went wrong
  // Added for inputs that freeze, spoil or leak.
  ReadTooLarge = 183,        // %1 the rows, %2 the megabytes one read may hold
  NoNextNumber = 184,        // %1 the largest number in GraphData
  KeptLinesMoved = 185,      // %1 how many lines, %2 the file of kept rows, %3 the file they go to, %4 the first of them
  // The leak alarm, its shelf and its journal. The journal's Copy and Close are the summary's
  // (132, 240), From and To the period dialog's (83, 84), the Database heading the button's (30);
  // the shelf's Cancel is the query dialog's (45).
  LeakAlarmBanner = 190,       // %1 the value, %2 its date and time, %3 the database's file name
  AlarmReturnedLine = 191,     // %1 the date and time
  AcknowledgeButton = 192,
  SilenceButton = 193,
  ShelveAlarmItem = 194,
  UnshelveAlarmItem = 195,
  AlarmJournalItem = 196,
  ShelveAlarmOf = 197,         // %1 the database's file name
  ShelveQuarterHour = 198,
  ShelveHour = 199,
  ShelveShift = 200,
  ShelveCommentLabel = 201,
  ShelveButton = 202,
  ShelveCommentMissing = 203,
  NoDatabaseChosen = 204,
  LeakAlarmTitle = 205,
  AlarmJournalNotWritten = 206,  // %1 the file and why
  AlarmJournalUnreadable = 207,  // %1 the file and why
  AlarmRaisedEvent = 208,
  AlarmAcknowledgedEvent = 209,
  AlarmReturnedEvent = 210,
  AlarmNormalEvent = 211,
  AlarmSilencedEvent = 212,
  AlarmShelvedEvent = 213,     // %1 the date and time the shelf ends
  AlarmUnshelvedEvent = 214,
  JournalMomentHeading = 215,
  JournalEventHeading = 216,
  JournalValueHeading = 217,
  JournalLoginHeading = 218,
  JournalCommentHeading = 219,
  // Several stations on one chart (Database > Stations...); its OK is the limits dialog's (118), its
  // Cancel the query dialog's (45).
  StationsItem = 220,
  StationsTitle = 221,
  StationsListLabel = 222,
  StationAddButton = 223,
  StationRemoveButton = 224,
  StationNameLabel = 225,
  StationsFull = 226,
  StationListedAlready = 227,  // %1 the file
  StationsUnreadable = 228,  // %1 one line a station: its name and why
  StationNameMissing = 229,
  StationHeading = 230,
  StationIsChosen = 231,  // %1 the file
  StationsOnTimeScale = 232,
  // Close and Cancel whose access key is not the C: the summary's and the journal's Close, beside
  // Copy; the period dialog's Cancel, beside Chart.
  CloseBesideCopyButton = 240,
  CancelBesideChartButton = 241,
};

// The UI string with this id, in the language shown, as a title, message or heading shows it:
// without the access key's mark. Every id is in the table; one that is not is a fault of the build
// and stops the program.
QString LoadResString(TextId id);
// The same in German or in English, whichever language is shown.
QString LoadResString(TextId id, bool german);
// The caption of a button, menu or labelled field: the access key of the language shown marked by
// the '&' before it, a literal '&' written "&&", as Qt's controls take them.
QString LoadCaption(TextId id);
// Every id of the table.
QList<TextId> textIds();

// Help > Language: the regional settings' language, or one chosen.
enum class Language { System, English, German };
// German as chosen, or as the system when its regional settings are German (de_*).
bool showsGerman(Language choice, const QLocale& regional);
// From now on every lookup gives the German texts, and Qt's own dialogs and message box buttons
// are German too; or English again. A window keeps the captions it was given.
void showGerman(bool german);
bool germanShown();

}  // namespace kelvane
