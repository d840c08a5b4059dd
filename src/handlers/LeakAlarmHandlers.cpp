#include "LeakAlarmHandlers.h"

#include "entry/AlarmJournal.h"
#include "entry/LeakAlarm.h"
#include "state/RuntimeError.h"
#include "state/TextResources.h"

namespace kelvane {

namespace {

QDateTime now(const Program& program) { return program.env.clock.now(); }

QString shelvedDatabase(const Program& program) {
  return program.state.Alarms.shown().value_or(program.state.DatabasePath);
}

// The event in the language shown; a shelf's with the moment it ends.
QString eventText(AlarmEvent event, const QString& until) {
  static constexpr TextId kTexts[] = {TextId::AlarmRaisedEvent,   TextId::AlarmAcknowledgedEvent, TextId::AlarmReturnedEvent,
                                      TextId::AlarmNormalEvent,   TextId::AlarmSilencedEvent,     TextId::AlarmShelvedEvent,
                                      TextId::AlarmUnshelvedEvent};
  const QString text = LoadResString(kTexts[int(event)]);
  return event == AlarmEvent::Shelved ? text.arg(until) : text;
}

}  // namespace

void restoreLeakAlarms(Program& program) {
  try {
    for (const JournalLine& line : readJournal(alarmJournalPath(program.env), program.env.regional))
      if (line.change) program.state.Alarms.takeUp(*line.change);
  } catch (const RuntimeError& error) {
    program.env.alert(LoadResString(TextId::AlarmJournalUnreadable).arg(error.sourceAndDescription()));
  }
  takeAlarmChanges(program, {});
}

void leakAlarmTick(Program& program) {
  const std::optional<LeakLimits>& limits = program.state.Limits;
  const LeakAlarms::Changes changes =
      program.state.Alarms.tick(now(program), limits ? std::optional(limits->upper) : std::nullopt);
  if (!changes.lines.isEmpty()) takeAlarmChanges(program, changes);
}

void observeNewRows(Program& program, const QString& database, const CompactRows& rows) {
  if (!program.state.Limits) return;
  const double upper = program.state.Limits->upper;
  const RowColumns& columns = *rows.columns;
  const RegionalForms& regional = program.env.regional;
  const auto textAt = [](const StoredColumn& column, qsizetype row) {
    return row < column.size() ? column.textAt(row) : std::nullopt;
  };
  for (qint32 i = 0; i < rows.loaded; ++i) {
    const qsizetype row = rows.first + i;
    const std::optional<double> data = row < columns.data->size() ? columns.data->numberAt(row) : std::nullopt;
    const double value = data ? *data : rows.values[i] / 10000.0;  // a Data text read as a typed value
    // Most rows change nothing: their moment is only read for one that does.
    if (!program.state.Alarms.eventOf(database, value, upper)) continue;
    const auto date = textAt(*columns.date, row), time = textAt(*columns.time, row);
    const std::optional<qint64> day = date ? regional.wallDaySeconds(*date) : std::nullopt;
    const std::optional<int> second = day && time ? regional.wallSecondsOfDay(*time) : std::nullopt;
    const QDateTime moment = second ? QDateTime(RegionalForms::wallDate(*day + *second), RegionalForms::wallTime(*day + *second))
                                    : now(program);
    observeLeakAlarm(program, database, value, moment);
  }
}

void btnAlarmAck_Click(Program& program) {
  if (const std::optional<QString> shown = program.state.Alarms.shown())
    takeAlarmChanges(program, program.state.Alarms.acknowledge(*shown, now(program)));
}

void btnAlarmSilence_Click(Program& program) {
  const LeakAlarms::Changes changes = program.state.Alarms.silence(now(program));
  if (!changes.lines.isEmpty()) takeAlarmChanges(program, changes);
}

QString shelfCaption(Program& program) {
  return LoadResString(TextId::ShelveAlarmOf).arg(alarmDatabaseName(shelvedDatabase(program)));
}

void btnShelve_Click(Program& program, ShelveDialogView& dialog) {
  // One line of the journal: a line break of a pasted comment becomes a blank.
  const QString comment = dialog.comment().simplified();
  if (comment.isEmpty()) {
    program.env.alert(LoadResString(TextId::ShelveCommentMissing));
    dialog.focusComment();
    return;
  }
  dialog.unload();
  const QDateTime from = now(program);
  takeAlarmChanges(program, program.state.Alarms.shelve(shelvedDatabase(program), from,
                                                         from.addSecs(dialog.shelfSeconds()), comment));
}

bool unshelveAvailable(Program& program) { return program.state.Alarms.anyShelved(); }

void mnuAlarmUnshelve_Click(Program& program) {
  const LeakAlarms::Changes changes = program.state.Alarms.unshelve(now(program));
  if (!changes.lines.isEmpty()) takeAlarmChanges(program, changes);
}

QList<QStringList> alarmJournalRows(Program& program, const QDate& from, const QDate& to) {
  const RegionalForms& regional = program.env.regional;
  QList<JournalLine> lines;
  try {
    lines = readJournal(alarmJournalPath(program.env), regional);
  } catch (const RuntimeError& error) {
    program.env.alert(LoadResString(TextId::AlarmJournalUnreadable).arg(error.sourceAndDescription()));
  }
  QList<QStringList> rows;
  for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
    QStringList fields = line->fields;
    const std::optional<QDateTime> moment = alarmMomentOf(fields[0], regional);
    if (moment && (moment->date() < from || moment->date() > to)) continue;
    if (fields.size() == 7) {
      if (const std::optional<AlarmEvent> event = eventNamed(fields[1])) {
        fields[1] = eventText(*event, fields[2]);
        if (event == AlarmEvent::Shelved) fields[2].clear();  // the shelf's end is told with its event
      }
      fields[4] = alarmDatabaseName(fields[4]);
    }
    rows.append(fields);
  }
  return rows;
}

QStringList alarmJournalHeadings() {
  return {LoadResString(TextId::JournalMomentHeading), LoadResString(TextId::JournalEventHeading),
          LoadResString(TextId::JournalValueHeading),  QStringLiteral("A"),
          LoadResString(TextId::DatabaseButton),       LoadResString(TextId::JournalLoginHeading),
          LoadResString(TextId::JournalCommentHeading)};
}

QString alarmJournalText(const QList<QStringList>& rows) {
  QString text = alarmJournalHeadings().join(QLatin1Char('\t')) + QStringLiteral("\r\n");
  for (const QStringList& row : rows) text += row.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
  return text;
}

}  // namespace kelvane
