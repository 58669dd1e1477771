#include "docset/docsrecord.h"

#include "codepage/cp1251.h"
#include "docset/textform.h"

#include <cstring>
#include <new>
#include <optional>

namespace docset {

namespace {

const QString docsClass = QStringLiteral("TDocs");
const QString containerClass = QStringLiteral("TDocsCompCont");

void writeEmptyMacro(PropertyWriter &writer, const char *name, const TCustomMacro &) {
    writer.writeShortString(QLatin1String(name));
    writer.writeTag(ValueTag::Collection);
    writer.writeEndOfList();
}

void writeItem(PropertyWriter &writer, const TDocCollectionItem &item) {
    const auto integer = [&](const char *name, qint32 value, qint32 fallback) {
        if (value != fallback) {
            writer.writeShortString(QLatin1String(name));
            writer.writeInteger(value);
        }
    };
    writer.writeTag(ValueTag::List);
    if (!item.title.isEmpty()) {
        writer.writeShortString(QStringLiteral("Title"));
        writer.writeString(item.title);
    }
    integer("ImageIndex", item.imageIndex, -1);
    integer("Level", item.level, 0);
    writeEmptyMacro(writer, "MacroBack", item.macroBack);
    writeEmptyMacro(writer, "MacroDemo", item.macroDemo);
    writeEmptyMacro(writer, "MacroNext", item.macroNext);
    writeEmptyMacro(writer, "MacroPrev", item.macroPrev);
    if (!item.rtf.isEmpty()) {
        writer.writeShortString(QStringLiteral("RTF"));
        writer.writeAnsiString(item.rtf);
    }
    integer("StateIndex", item.stateIndex, -1);
    integer("Tag", item.tag, 0);
    if (!item.visible) {
        writer.writeShortString(QStringLiteral("Visible"));
        writer.writeBool(false);
    }
    writer.writeEndOfList();
}

TDocCollectionItem itemOf(TDoc *doc) {
    TDocCollectionItem item;
    item.title = doc->Title();
    item.imageIndex = doc->ImageIndex();
    item.level = doc->Level();
    item.macroBack = doc->MacroBack();
    item.macroDemo = doc->MacroDemo();
    item.macroNext = doc->MacroNext();
    item.macroPrev = doc->MacroPrev();
    item.rtf = doc->rtf();
    item.stateIndex = doc->StateIndex();
    item.tag = doc->Tag();
    item.visible = doc->Visible();
    return item;
}

// An empty sequence is all this program can hold; anything else is refused with a clear error.
TCustomMacro readMacro(PropertyReader &reader, QByteArrayView name, int index) {
    const qsizetype at = reader.pos();
    if (reader.readTag() != ValueTag::Collection)
        reader.fail(QStringLiteral("A collection was expected for \"%1\"").arg(QLatin1StringView(name)), at);
    if (!reader.readEndOfList()) {
        throw EDocList(
            QStringLiteral("Document %1 has a demonstration sequence in \"%2\"; this program runs none "
                           "and reads only empty ones.")
                .arg(index)
                .arg(QLatin1StringView(name)));
    }
    return {};
}

void readItemProperty(PropertyReader &reader, TDocCollectionItem &item, QByteArrayView name, int index) {
    // Every property of every item is looked up by name: comparing lengths first spares most comparisons.
    const auto is = [name](QByteArrayView wanted) {
        return name.size() == wanted.size() &&
               std::memcmp(name.data(), wanted.data(), size_t(name.size())) == 0;
    };
    if (is("Title"))
        item.title = reader.readString();
    else if (is("ImageIndex"))
        item.imageIndex = reader.readInteger();
    else if (is("Level"))
        item.level = reader.readInteger();
    else if (is("MacroBack"))
        item.macroBack = readMacro(reader, name, index);
    else if (is("MacroDemo"))
        item.macroDemo = readMacro(reader, name, index);
    else if (is("MacroNext"))
        item.macroNext = readMacro(reader, name, index);
    else if (is("MacroPrev"))
        item.macroPrev = readMacro(reader, name, index);
    else if (is("RTF"))
        item.rtf = reader.readAnsiString();
    else if (is("StateIndex"))
        item.stateIndex = reader.readInteger();
    else if (is("Tag"))
        item.tag = reader.readInteger();
    else if (is("Visible"))
        item.visible = reader.readBool();
    else
        throw EDocList(QStringLiteral("Document %1 has an unknown property \"%2\".")
                           .arg(index)
                           .arg(cp1251::decode(name)));
}

// Reads the items of a collection whose tag has been read. A property that is unknown or has a value of the
// wrong kind is skipped so the rest of the stream stays readable, and its error raised once the collection
// has been read; a stream that cannot be parsed raises at once.
TDocCollection readItems(PropertyReader &reader) {
    TDocCollection items;
    std::optional<QString> firstError;
    while (!reader.readEndOfList()) {
        reader.readItemHead(QStringLiteral("A document item was expected"));
        TDocCollectionItem &item = items.emplace_back();
        while (!reader.readEndOfList()) {
            const QByteArrayView name = reader.readShortStringView();
            const qsizetype valueAt = reader.pos();
            try {
                readItemProperty(reader, item, name, int(items.size() - 1));
            } catch (const std::runtime_error &error) {
                reader.restore(valueAt);
                reader.skipValue();
                if (!firstError)
                    firstError = QString::fromUtf8(error.what());
            }
        }
    }
    if (firstError)
        throw EDocList(*firstError);
    return items;
}

QString identName(PropertyReader &reader) {
    return cp1251::decode(reader.readIdent());
}

template<typename View>
View *resolveView(PropertyReader &reader, const FormNames &names) {
    const qsizetype at = reader.pos();
    const QString name = identName(reader);
    QObject *object = names.component ? names.component(name) : nullptr;
    auto *view = qobject_cast<View *>(object);
    if (!view)
        reader.fail(QStringLiteral("The window has no suitable component named \"%1\"").arg(name), at);
    return view;
}

TDocEvent resolveEvent(PropertyReader &reader, const FormNames &names) {
    TDocEvent event;
    event.method = identName(reader);
    if (names.method)
        event.handler = names.method(event.method);
    return event;
}

void writeRecord(PropertyWriter &writer, const TDocs &docs, const QString &className, const QString &name,
                 bool published) {
    writer.writeShortString(className);
    writer.writeShortString(name);
    const auto property = [&](const char *propertyName) {
        writer.writeShortString(QLatin1String(propertyName));
    };
    if (published) {
        if (docs.Tag != 0) {
            property("Tag");
            writer.writeInteger(docs.Tag);
        }
        if (docs.DocDisplay()) {
            property("DocDisplay");
            writer.writeIdent(docs.DocDisplay()->objectName());
        }
        if (docs.ForceVisible()) {
            property("ForceVisible");
            writer.writeBool(true);
        }
        if (docs.RichEdit()) {
            property("RichEdit");
            writer.writeIdent(docs.RichEdit()->objectName());
        }
        if (docs.UpWhenBack()) {
            property("UpWhenBack");
            writer.writeBool(true);
        }
        const std::pair<const char *, QString> events[] = {
            {"OnChange", docs.OnChange.method},     {"OnGetData", docs.OnGetData.method},
            {"OnDeletion", docs.OnDeletion.method}, {"OnSelection", docs.OnSelection.method},
            {"OnUpdate", docs.OnUpdate.method},
        };
        for (const auto &[eventName, method] : events) {
            if (!method.isEmpty()) {
                property(eventName);
                writer.writeIdent(method);
            }
        }
        property("Left");
        writer.writeInteger(docs.Left);
        property("Top");
        writer.writeInteger(docs.Top);
    }
    property("List");
    writeList(writer, docs.DocList(), docs.errorReporter());
    if (docs.SelIndex() != -1) {
        property("Selected");
        writer.writeInteger(docs.SelIndex());
    }
    writer.writeEndOfList(); // properties
    writer.writeEndOfList(); // child components
}

void readRecord(PropertyReader &reader, TDocs &docs, const QString &className, const FormNames &names) {
    const qsizetype at = reader.pos();
    if (const QByteArray found = reader.readShortString(); found != className.toLatin1())
        reader.fail(
            QStringLiteral("A %1 record was expected, not \"%2\"").arg(className, cp1251::decode(found)), at);
    docs.setObjectName(cp1251::decode(reader.readShortString()));
    const bool published = className == docsClass;
    while (!reader.readEndOfList()) {
        const qsizetype nameAt = reader.pos();
        const QByteArray name = reader.readShortString();
        if (name == "List")
            readList(reader, &docs.DocList(), docs.errorReporter());
        else if (name == "Selected")
            docs.setSelIndex(reader.readInteger());
        else if (published && name == "Tag")
            docs.Tag = reader.readInteger();
        else if (published && name == "DocDisplay")
            docs.setDocDisplay(resolveView<DocTreeView>(reader, names));
        else if (published && name == "ForceVisible")
            docs.setForceVisible(reader.readBool());
        else if (published && name == "RichEdit")
            docs.setRichEdit(resolveView<RichTextView>(reader, names));
        else if (published && name == "UpWhenBack")
            docs.setUpWhenBack(reader.readBool());
        else if (published && name == "OnChange")
            docs.OnChange = resolveEvent(reader, names);
        else if (published && name == "OnGetData")
            docs.OnGetData = resolveEvent(reader, names);
        else if (published && name == "OnDeletion")
            docs.OnDeletion = resolveEvent(reader, names);
        else if (published && name == "OnSelection")
            docs.OnSelection = resolveEvent(reader, names);
        else if (published && name == "OnUpdate")
            docs.OnUpdate.method = identName(reader);
        else if (published && name == "Left")
            docs.Left = reader.readInteger();
        else if (published && name == "Top")
            docs.Top = reader.readInteger();
        else
            reader.fail(QStringLiteral("Unknown property \"%1\"").arg(cp1251::decode(name)), nameAt);
    }
    if (!reader.readEndOfList())
        reader.fail(QStringLiteral("A document set holds no components"));
}

// Keeps the first error a list reading reports, for a reader that must fail as a whole.
class FirstError : public ErrorReporter {
public:
    void showError(const QString &message) override {
        if (m_message.isEmpty())
            m_message = message;
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace

void writeList(PropertyWriter &writer, const TDocList &list, ErrorReporter *reporter) {
    // What came before the list must reach the device first, so that a failure here is the list's own.
    writer.flush();
    try {
        TDocCollection items;
        items.reserve(list.Count());
        for (const TDocList::Entry entry : list.Items())
            items.append(itemOf(entry.doc));
        writer.writeTag(ValueTag::Collection);
        for (const TDocCollectionItem &item : items)
            writeItem(writer, item);
        writer.writeEndOfList();
        writer.flush();
    } catch (const std::runtime_error &) {
        if (reporter)
            reporter->showError(QStringLiteral("Could not write DocList resource."));
    }
}

void readList(PropertyReader &reader, TDocList *list, ErrorReporter *reporter) {
    if (!list)
        throw EDocList(QStringLiteral("No doclist."));
    const ValueTag tag = reader.readTag();
    if (tag != ValueTag::Collection) {
        // The list stays as it is; the value is passed over so that the properties after it still read.
        reader.skipValueAfterTag(tag);
        return;
    }
    list->Clear();
    try {
        const TDocCollection items = readItems(reader);
        for (const TDocCollectionItem &item : items) {
            TDoc *doc = list->AddDoc(item.level);
            doc->setTitle(item.title);
            doc->setTag(item.tag);
            doc->setRtf(item.rtf);
            doc->setVisible(item.visible);
            doc->setImageIndex(item.imageIndex);
            doc->setStateIndex(item.stateIndex);
        }
    } catch (const std::runtime_error &error) {
        if (reporter)
            reporter->showError(QString::fromUtf8(error.what()));
    }
}

void writeDocsRecord(PropertyWriter &writer, const TDocs &docs) {
    writeRecord(writer, docs, docsClass, docs.objectName(), true);
}

void readDocsRecord(PropertyReader &reader, TDocs &docs, const FormNames &names) {
    readRecord(reader, docs, docsClass, names);
}

QByteArray docsRecordBytes(const TDocs &docs) {
    return PropertyWriter::bytesOf([&](PropertyWriter &writer) { writeDocsRecord(writer, docs); });
}

QByteArray containerRecordBytes(const TDocList &list) {
    const TDocs *owner = list.component();
    const QString name = owner ? owner->objectName() + QStringLiteral("_Res") : QStringLiteral("Docs");
    TDocs container;
    container.DocList().Assign(list);
    return PropertyWriter::bytesOf(
        [&](PropertyWriter &writer) { writeRecord(writer, container, containerClass, name, false); });
}

void readContainerRecord(PropertyReader &reader, TDocs &container) {
    readRecord(reader, container, containerClass, {});
}

// ---- The text exchange form of a list ----

QStringList TDocList::Lines() const {
    QByteArray bytes;
    try {
        bytes = containerRecordBytes(*this);
    } catch (const std::bad_alloc &) {
        throw EDocList(QStringLiteral("Could not create an internal TDocs component."));
    }
    return textform::toText(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TDocList::setLines(const QStringList &lines) {
    TDocs container;
    FirstError listError;
    container.setErrorReporter(&listError);
    try {
        const QByteArray bytes = textform::toBinary(lines.join(QLatin1Char('\n')));
        PropertyReader reader(bytes);
        readContainerRecord(reader, container);
        if (!reader.atEnd())
            reader.fail(QStringLiteral("Data follows the record"));
    } catch (const std::runtime_error &error) {
        throw EDocList(QStringLiteral("Could not read internal TDocs component from stream."),
                       QString::fromUtf8(error.what()));
    }
    if (!listError.message().isEmpty())
        throw EDocList(QStringLiteral("Could not read internal TDocs component from stream."),
                       listError.message());
    Assign(container.DocList());
}

} // namespace docset
