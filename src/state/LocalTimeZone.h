#pragma once

#include <QTimeZone>

#include <limits>
#include <utility>

namespace kelvane {

// The machine's time zone, in which Date and Time texts are read: the local wall clock. Charts
// place rows at instants (seconds since 1970 in UTC), so that the hour the clocks skip in spring is
// no gap and the hour they repeat in autumn is not folded onto itself. Wall seconds count the local
// wall clock from 1970 as if every day were 86 400 seconds long.
class LocalTimeZone {
 public:
  explicit LocalTimeZone(QTimeZone zone = QTimeZone::systemTimeZone());

  // The instants at which the wall clock shows a time: none in the hour skipped in spring, two in
  // the hour repeated in autumn, earlier first.
  struct Instants {
    int count = 0;
    qint64 at[2] = {0, 0};
  };

  // How the wall times of one local day map to instants: by one offset from UTC, or by one before
  // the clocks change within the day and another after. (No zone changes twice in a day.)
  struct Day {
    static constexpr qint64 kSteady = std::numeric_limits<qint64>::max();
    int before = 0, after = 0;
    qint64 changeAt = kSteady;  // the instant of the change
    bool steady() const { return changeAt == kSteady; }
    Instants instantsOf(qint64 wall) const {
      Instants found;
      if (const qint64 early = wall - before; early < changeAt) found.at[found.count++] = early;
      if (const qint64 late = wall - after; !steady() && late >= changeAt && (found.count == 0 || late != found.at[0]))
        found.at[found.count++] = late;
      if (found.count == 2 && found.at[0] > found.at[1]) std::swap(found.at[0], found.at[1]);
      return found;
    }
  };
  // The day that begins at wallDay.
  Day day(qint64 wallDay) const;

  Instants instantsOf(qint64 wall) const { return day(dayStart(wall)).instantsOf(wall); }
  // The wall seconds the day of a wall time starts at.
  static qint64 dayStart(qint64 wall);
  // One instant for any wall time: of two, the later one when asked; in the skipped hour, the
  // instant the time names by the offset before the change (a time just after it).
  qint64 instantOf(qint64 wall, bool later = false) const;
  qint64 wallOf(qint64 instant) const { return instant + offsetAt(instant); }
  // The earliest and the latest wall time the clock shows from one instant to another: in autumn
  // it shows the repeated hour's end before it shows the instant after.
  std::pair<qint64, qint64> wallRange(qint64 from, qint64 to) const;

 private:
  int offsetAt(qint64 instant) const;

  QTimeZone zone_;
  bool changes_;  // whether the zone ever changes its offset
};

}  // namespace kelvane
