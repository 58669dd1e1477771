#pragma once

#include <QList>
#include <QStringList>

#include <functional>

namespace engine {

inline constexpr int HintColumns = 6; // A, B, NOT A, A OR B, A AND B, A XOR B
inline constexpr int HintRows = 5;    // the header row and the four value rows

// The truth table of the four operations as the hint window shows it: the header row ("A", "B", then each
// operation written with its current name, one blank between operand and name) and four rows of value
// texts in `notation`, A and B running through false/false, false/true, true/false, true/true.
QList<QStringList> hintTableRows(int notation, int language);

// The width of each column: the wider of the header and the widest value text (the false or the true
// text of `notation`), plus 5, as `textWidth` measures them.
QList<int> hintColumnWidths(const QStringList &header, int notation,
                            const std::function<int(const QString &)> &textWidth);

} // namespace engine
