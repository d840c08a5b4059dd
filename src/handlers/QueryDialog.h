#pragma once

#include "entry/Program.h"

namespace kelvane {

// The SQL Query menu item: opens the query dialog (not modal) and switches to the query mode.
QueryDialogView& mnuSQLquery_Click(Program& program);

// Runs the operator's text, unchanged, on a connection that cannot write, and charts every
// row it returns; the dialog then closes. A failing or empty query is reported with message 58
// and leaves the dialog open with the text, to be corrected.
void btnSelect_Click(Program& program, QueryDialogView& dialog);
// What "SELECT query" does with a text, for the period dialog too, which names the period the
// text reads: true when its rows were charted. A period that ends now can follow new rows.
bool chartQuery(Program& program, const QString& sql, const std::optional<Period>& period = std::nullopt);

// Closes the dialog; the next opening shows the skeleton again.
void btnCancel_Click(Program& program, QueryDialogView& dialog);

// The text the dialog starts with: the operator fills in the date and the two times.
QString querySkeleton();

}  // namespace kelvane
