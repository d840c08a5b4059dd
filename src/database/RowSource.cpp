#include "RowSource.h"

namespace kelvane {

const std::atomic<bool> RowSource::kNeverStopped{false};

void RowSource::workFor(JobControl* job) {
  if (job_) job_->setInterrupt(nullptr);
  job_ = job;
  if (job_) job_->setInterrupt([this] { interrupt(); });
}

int RowCursor::columnIndex(const QString& name) const {
  const QStringList names = columns();
  for (int i = 0; i < names.size(); ++i)
    if (names[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

QVariant RowCursor::field(int column) const {
  const Cell value = cell(column);
  switch (value.kind) {
    case Cell::Null: return {};
    case Cell::Integer: return qlonglong(value.integer);
    case Cell::Real: return value.real;
    case Cell::Text: return QString::fromUtf8(value.text);
    case Cell::Other: break;
  }
  return otherValue(column);
}

}  // namespace kelvane
