#pragma once

#include <QString>
#include <QStringList>

namespace engine {

// A value as one drop-down list holds it. The code is the list's item index, so a change of notation
// never changes a value: only the text looked up for it.
enum TLogicValue : int { lvUnknown = 0, lvFalse = 1, lvTrue = 2 };

// The kind of one operation; an operation frame keeps it in Tag mod 10.
enum TOperationKind : int { okNot = 0, okOr = 1, okAnd = 2, okXor = 3 };

inline constexpr int NotationCount = 5; // items of "Логические значения"
inline constexpr int LanguageCount = 2; // items of "Логические операции": 0 Russian, 1 English
inline constexpr int ValueCount = 3;
inline constexpr int KindCount = 4;

extern const char *const ValueTexts[NotationCount][ValueCount];
extern const char *const OperationNames[LanguageCount][KindCount];

// Display texts. Indices outside the tables give an empty text rather than reading past them.
QString ValueText(int notation, int value);
QString OperationName(int language, int kind);

// The three items every value list holds, in code order: "?", false, true.
QStringList valueListTexts(int notation);

// The truth functions by code arithmetic; b is ignored for okNot. Never called with lvUnknown: an
// operation with an open input is not evaluated.
TLogicValue operationResult(TOperationKind kind, TLogicValue a, TLogicValue b = lvUnknown);

} // namespace engine
