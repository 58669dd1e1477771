#include "engine/hinttable.h"

#include "engine/logic.h"

#include <algorithm>

namespace engine {

QList<QStringList> hintTableRows(int notation, int language) {
    const auto O = [language](TOperationKind kind) { return OperationName(language, kind); };
    const QString A = QStringLiteral("A");
    const QString B = QStringLiteral("B");
    const QString blank = QStringLiteral(" ");
    QList<QStringList> rows;
    rows << QStringList{A,
                        B,
                        O(okNot) + blank + A,
                        A + blank + O(okOr) + blank + B,
                        A + blank + O(okAnd) + blank + B,
                        A + blank + O(okXor) + blank + B};
    for (const TLogicValue a : {lvFalse, lvTrue}) {
        for (const TLogicValue b : {lvFalse, lvTrue}) {
            QStringList row{ValueText(notation, a), ValueText(notation, b)};
            row << ValueText(notation, operationResult(okNot, a));
            for (const TOperationKind kind : {okOr, okAnd, okXor})
                row << ValueText(notation, operationResult(kind, a, b));
            rows << row;
        }
    }
    return rows;
}

QList<int> hintColumnWidths(const QStringList &header, int notation,
                            const std::function<int(const QString &)> &textWidth) {
    int valueWidth = textWidth(ValueText(notation, lvTrue));
    valueWidth = std::max(valueWidth, textWidth(ValueText(notation, lvFalse)));
    QList<int> widths;
    for (const QString &title : header)
        widths << std::max(valueWidth, textWidth(title)) + 5;
    return widths;
}

} // namespace engine
