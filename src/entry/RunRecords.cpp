#include "RunRecords.h"

#include "CsvLine.h"

#include "state/TextResources.h"
#include "state/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cmath>
#include <limits>

namespace kelvane {

QString ratioText(float value, const RegionalForms& regional) {
  QLocale locale = regional.locale();
  locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
  const QString rounded = locale.toString(double(value), 'f', 3);
  // The rounded text always reads back; + 0 turns the -0 of a small negative value into 0.
  return regional.singleText(locale.toFloat(rounded) + 0.0f);
}

namespace {

// A in the form of the ratio's text, or 0 while no limits are set.
QString thresholdText(std::optional<double> threshold, const RegionalForms& regional) {
  if (!threshold) return regional.singleText(0);
  // Beyond a Single the rounded text would be none.
  if (!(std::abs(*threshold) <= std::numeric_limits<float>::max())) return regional.doubleText(*threshold);
  return ratioText(float(*threshold), regional);
}

}  // namespace

QByteArray logRecord(const EntryRecord& entry, const RegionalForms& regional) {
  const QStringList fields{
      QStringLiteral("Calculation: %1").arg(entry.number),
      QStringLiteral("Current time: ") + regional.generalDate(entry.moment),
      QStringLiteral("Threshold A: ") + thresholdText(entry.thresholdA, regional),
      QStringLiteral("Probability ratio: ") + ratioText(entry.value, regional),
  };
  return csvLine(fields, Quoting::EveryField);
}

void appendLogRecord(const QString& path, const QByteArray& line) {
  QFile log(path);
  const auto failure = [&] {
    return RuntimeError(ErrorNumber::FileAccess, QFileInfo(path).absoluteFilePath(), log.errorString());
  };
  if (!log.open(QIODevice::WriteOnly | QIODevice::Append)) throw failure();
  if (log.write(line) != line.size() || !log.flush()) throw failure();
  log.close();
  if (log.error() != QFileDevice::NoError) throw failure();
}

namespace {

// One message of what an entry's records could not do, and of a row that waits for its database.
void tellOutcome(const Environment& env, const EntryRecord& entry, const RowOutcome& told) {
  QStringList message;
  if (!told.notRecorded.isEmpty())
    message.append(LoadResString(TextId::EntryNotRecorded).arg(entry.number).arg(entry.typedText) + QStringLiteral("\n\n") +
                   told.notRecorded.join(QLatin1Char('\n')));
  if (!told.notice.isEmpty()) message.append(told.notice);
  if (!message.isEmpty()) env.alert(message.join(QStringLiteral("\n\n")));
}

}  // namespace

void recordEntry(Program& program, const EntryRecord& entry) {
  const Environment& env = program.env;
  const ProgramState& state = program.state;
  program.entered.append({QString::number(entry.number), entry.typedText, env.regional.generalDate(entry.moment)});
  try {
    appendLogRecord(env.logFilePath, logRecord(entry, env.regional));
  } catch (const RuntimeError& error) {
    tellOutcome(env, entry, {std::nullopt, {LoadResString(TextId::NotLogged).arg(error.sourceAndDescription())}, {}});
  }
  if (state.DatabasePath.isEmpty()) return;
  program.store.storeOrKeep(state.DatabasePath, {entry.dateText, entry.timeText, entry.value}, entry.number,
                            entry.typedText, [&env, entry](const RowOutcome& row) { tellOutcome(env, entry, row); });
}

}  // namespace kelvane
