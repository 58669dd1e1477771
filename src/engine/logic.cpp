#include "engine/logic.h"

#include <algorithm>

namespace engine {

const char *const ValueTexts[NotationCount][ValueCount] = {
    {"?", "0", "1"}, {"?", "Нет", "Да"}, {"?", "Ложь", "Истина"}, {"?", "No", "Yes"}, {"?", "False", "True"},
};

const char *const OperationNames[LanguageCount][KindCount] = {
    {"НЕ", "ИЛИ", "И", "ИСКЛ.ИЛИ"},
    {"NOT", "OR", "AND", "XOR"},
};

namespace {

// The texts converted once: every exercise relabels up to seven lists, and a shared QString costs
// nothing to hand out.
struct TextTables {
    QStringList values[NotationCount];
    QString names[LanguageCount][KindCount];

    TextTables() {
        for (int notation = 0; notation < NotationCount; ++notation)
            for (const char *text : ValueTexts[notation])
                values[notation] << QString::fromUtf8(text);
        for (int language = 0; language < LanguageCount; ++language)
            for (int kind = 0; kind < KindCount; ++kind)
                names[language][kind] = QString::fromUtf8(OperationNames[language][kind]);
    }
};

const TextTables &textTables() {
    static const TextTables tables;
    return tables;
}

} // namespace

QString ValueText(int notation, int value) {
    if (notation < 0 || notation >= NotationCount || value < 0 || value >= ValueCount)
        return {};
    return textTables().values[notation].at(value);
}

QString OperationName(int language, int kind) {
    if (language < 0 || language >= LanguageCount || kind < 0 || kind >= KindCount)
        return {};
    return textTables().names[language][kind];
}

QStringList valueListTexts(int notation) {
    if (notation < 0 || notation >= NotationCount)
        return {};
    return textTables().values[notation];
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
