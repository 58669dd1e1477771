#pragma once

#include "docset/docs.h"
#include "docset/propertystream.h"

#include <QList>

#include <functional>

namespace docset {

// One document as the stored form carries it, with the stored defaults.
struct TDocCollectionItem {
    QString title;
    qint32 imageIndex = -1;
    qint32 level = 0;
    TCustomMacro macroBack, macroDemo, macroNext, macroPrev;
    QByteArray rtf;
    qint32 stateIndex = -1;
    qint32 tag = 0;
    bool visible = true;
};
using TDocCollection = QList<TDocCollectionItem>;

// What the window that holds a component resolves for the record: its other components by name (the views)
// and its methods by name (the event handlers). A name neither resolves is an error; an unset method
// resolver keeps only the names.
struct FormNames {
    std::function<QObject *(const QString &name)> component;
    std::function<std::function<void(TDocs *, TDoc *)>(const QString &method)> method;
};

// The component's record in its window's layout description: class and instance name, the published
// properties that differ from their defaults, "Left", "Top", the custom properties "List" and "Selected", and
// the end of its properties and of its (empty) list of child components. Writing raises EStreamError when the
// device fails (after showing "Could not write DocList resource." if that happened within "List"). Reading
// raises EStreamError or EDocList for a record it cannot read; an error among the documents of "List" is
// shown through the component's error reporter instead and goes no further (the documents read so far stay).
void writeDocsRecord(PropertyWriter &writer, const TDocs &docs);
void readDocsRecord(PropertyReader &reader, TDocs &docs, const FormNames &names = {});

// The whole record as bytes, for a component whose views need no device.
QByteArray docsRecordBytes(const TDocs &docs);

// The custom properties on their own: the value of "List", after its name.
void writeList(PropertyWriter &writer, const TDocList &list, ErrorReporter *reporter);
void readList(PropertyReader &reader, TDocList *list, ErrorReporter *reporter);

// The container through which the text exchange form passes: a record of class "TDocsCompCont" holding only
// "List" and "Selected", named after the component plus "_Res", or "Docs".
QByteArray containerRecordBytes(const TDocList &list);
void readContainerRecord(PropertyReader &reader, TDocs &container);

} // namespace docset
