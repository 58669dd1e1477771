#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows code page 1251 (Cyrillic), which Qt 6 has no codec for: the program's stored texts and its RTF
// documents are written in it. Decoding is total and reversible: the one byte the code page leaves undefined
// (0x98) stands for U+0098, so every byte string survives a decode and encode unchanged.
namespace cp1251 {

QString decode(QByteArrayView bytes);
// The character for one byte.
char16_t decodeByte(uchar byte);

// Whether every character of text has a byte in the code page.
bool canEncode(QStringView text);
// Characters without a byte become '?'.
QByteArray encode(QStringView text);

} // namespace cp1251
