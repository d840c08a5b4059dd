#pragma once

#include <QByteArrayView>
#include <QString>

namespace kelvane {

// Texts from outside the program (a row's Date or Time, a kept line) shown where they must stay
// short: a text of millions of characters takes seconds to lay out, and no label has room for it.

// How many characters a label of a stored row keeps: a few dozen, where dates and times take ten.
inline constexpr qsizetype kLabelCharacters = 40;

// The text, or its first characters - 1 and an ellipsis where it is longer.
QString cutShort(const QString& text, qsizetype characters);
// The same of a UTF-8 text, which is decoded only as far as it is kept.
QString cutShort(QByteArrayView utf8, qsizetype characters);

}  // namespace kelvane
