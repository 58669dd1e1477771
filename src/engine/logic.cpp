#include "logic.h"

#include <algorithm>

namespace engine {

const char *const ValueTexts[NotationCount][ValueCount] = {
    {"?", "0", "1"}, {"?", "Нет", "Да"}, {"?", "Ложь", "Истина"}, {"?", "No", "Yes"}, {"?", "False", "True"},
};

const char *const OperationNames[LanguageCount][KindCount] = {
    {"НЕ", "ИЛИ", "И", "ИСКЛ.ИЛИ"},
    {"NOT", "OR", "AND", "XOR"},
};

QString ValueText(int notation, int value) {
    if (notation < 0 || notation >= NotationCount || value < 0 || value >= ValueCount)
        return {};
    return QString::fromUtf8(ValueTexts[notation][value]);
}

QString OperationName(int language, int kind) {
    if (language < 0 || language >= LanguageCount || kind < 0 || kind >= KindCount)
        return {};
    return QString::fromUtf8(OperationNames[language][kind]);
}

QStringList valueListTexts(int notation) {
    return {ValueText(notation, lvUnknown), ValueText(notation, lvFalse), ValueText(notation, lvTrue)};
}

TLogicValue operationResult(TOperationKind kind, TLogicValue a, TLogicValue b) {
    const int hi = std::max<int>(a, b);
    const int lo = std::min<int>(a, b);
    switch (kind) {
    case okNot:
        return TLogicValue(3 - a);
    case okOr:
        return TLogicValue(hi);
    case okAnd:
        return TLogicValue(lo);
    case okXor:
        return TLogicValue(hi - lo + 1);
    }
    return lvUnknown;
}

} // namespace engine
