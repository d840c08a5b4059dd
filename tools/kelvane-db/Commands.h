#pragma once

#include "CommandLine.h"
#include "Target.h"

namespace kelvane::db {

// Each returns its exit code or raises a Failure; messages go to stdout, problems to stderr.
int create(const Target& target);
// What create makes, without a word on stdout: a new SQLite file in WAL mode, or the table on the
// server, with table GraphData and its indexes on number and on (Date, Time). Raises a Failure.
void createMeasurementDatabase(const Target& target);
int collect(const Target& target, const CollectOptions& options);
// collect with --modbus: the values read from the device.
int collectFromModbus(const Target& target, const CollectOptions& options, const ModbusSource& source);
int check(const Target& target);
int addIndex(const Target& target);

// The index that the period dialog's query is served from; index adds it to an older table.
extern const QString kPeriodIndex;

}  // namespace kelvane::db
