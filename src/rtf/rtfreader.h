#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

class QTextDocument;

// Reads an RTF text into a QTextDocument: the small layer that stands in for the platform's RTF-loading
// rich-text box. It understands groups, control words and symbols, \'hh in code page 1251 (the code page of
// every document the program carries), \uN with \ucN, the font and colour tables, bold, italic, underline,
// font family and size, colour, paragraph indents and spacing, alignment, \par \pard \plain \line \tab and a
// few special characters; ignorable destinations ({\*…}), the destinations it has no use for (pictures, style
// sheets, document information) and unknown control words are skipped. Sizes in twips become pixels at 96
// dots per inch. Malformed input never throws or stops the program: the document keeps the text recovered up
// to the fault, and the result says what was wrong.
namespace rtf {

struct ReadOptions {
    // The family to draw a font of the font table in, given its name there; unset keeps the name.
    std::function<QString(const QString &name)> fontFamily;
};

struct ReadResult {
    bool ok = true;
    QString error;         // empty when ok
    qsizetype offset = -1; // byte where the fault was found
};

// Replaces the content of document with the RTF text.
ReadResult read(QByteArrayView rtf, QTextDocument *document, const ReadOptions &options = {});

} // namespace rtf
