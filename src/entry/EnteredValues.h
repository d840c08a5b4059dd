#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace kelvane {

// One entered value as List1, List2 and List5 show it and Export rows writes it: its entry
// number, the text typed and its time stamp, in the regional forms of its moment.
struct EnteredValue {
  QString number, typedText, timeStamp;
};

// The values entered since start-up or the last Reset, oldest first. The window's lists show them
// as they change.
class EnteredValues {
 public:
  void append(EnteredValue value);
  void clear();
  const QList<EnteredValue>& values() const { return values_; }

  // What shows the values is told each one appended, and when they are cleared.
  void showWith(std::function<void(const EnteredValue&)> appended, std::function<void()> cleared);

 private:
  QList<EnteredValue> values_;
  std::function<void(const EnteredValue&)> appended_;
  std::function<void()> cleared_;
};

}  // namespace kelvane
