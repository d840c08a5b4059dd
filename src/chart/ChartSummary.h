#pragma once

#include "DrawingSurface.h"
#include "state/RegionalForms.h"

#include <optional>

namespace kelvane {

// What a chart of stored rows holds: the records it shows (those of a zoom when zoomed; on the
// time scale not those whose moment lies outside its range, nor in a zoom those with no moment),
// with their Data as read.
struct ChartSummary {
  // A value with the record it belongs to, counted from 1.
  struct Found {
    double value;
    qint32 record;
  };
  // The longest gap: its length and the moment it starts.
  struct Gap {
    qint64 seconds, from;
  };

  qint64 rows = 0;
  std::optional<qint64> first, last;  // the first and last moment
  std::optional<Found> lowest, highest;  // the first record of each
  std::optional<double> mean, deviation;  // the sample standard deviation, from two rows on
  qint64 gaps = 0, gapSeconds = 0;
  std::optional<Gap> longestGap;
  qint64 leftOut = 0;  // rows whose Date and Time are no moment
  // With the leak test's limits: the rows at or above A, and the time from each of them to the
  // next row, unless a gap lies between.
  std::optional<qint64> rowsAtA, secondsAtA;
};

// The summary of the kept chart's stored series (from 0), in one pass over its rows; none for the
// live chart and for a station that could not be read.
std::optional<ChartSummary> summarize(const KeptChart& chart, const RegionalForms& regional, std::size_t series = 0);

}  // namespace kelvane
