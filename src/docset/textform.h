#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The readable notation of a stored record (the document set's text exchange form). Every record, property
// and value of the binary property stream has one spelling, so binary → text → binary gives the same bytes:
//
//   object Docs1_Res: TDocsCompCont
//     List = <
//       item
//         Title = "\u{0421}\u{043F}\u{0440}\u{0430}\u{0432}\u{043A}\u{0430}"
//         MacroBack = <>
//         RTF = "{\\rtf1\\ansi ...\n"
//           + "..."
//       end
//     >
//     Selected = 0
//   end
//
// Integers are decimal, in the smallest width that holds them unless marked int8(…), int16(…) or int32(…).
// Strings are in double quotes with \\ \" \n \r \t and \u{hex} for every other character outside printable
// ASCII; long ones are split into pieces joined by "+". A plain string is stored in code page 1251 (a short
// or a long string by its length) when all its characters have a byte there, else as UTF-8; long(…), utf8(…)
// and utf16(…) name the other forms. True and False are the booleans, a bare word is an identifier (ident(…)
// for any other), ( … ) a list, < … > a collection of items, each "item", an optional number, its properties
// and "end". Names that are not plain words are written as strings.
namespace docset::textform {

// Both raise EStreamError: for binary data that is not one complete record, or for text that does not follow
// the notation (with its line number).
QString toText(QByteArrayView record);
QByteArray toBinary(QStringView text);

} // namespace docset::textform
