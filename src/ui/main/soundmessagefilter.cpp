#include "ui/main/soundmessagefilter.h"

#include <QMessageLogContext>

#include <array>

namespace {

QtMessageHandler previousHandler = nullptr;

void filterSoundMessages(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (!isSoundBackendMessage(type, context, message) && previousHandler)
        previousHandler(type, context, message);
}

} // namespace

bool isSoundBackendMessage(QtMsgType, const QMessageLogContext &context, const QString &message) {
    // The PulseAudio back end's own logging categories.
    if (context.category &&
        QLatin1String(context.category).startsWith(QLatin1String("qt.multimedia.pulseaudio")))
        return true;
    // Its warnings in the default category, as Qt 6 words them. A clip that cannot be decoded
    // ("QSoundEffect(qaudio): Error decoding source") is the program's own fault and still goes through.
    if (context.category && qstrcmp(context.category, "default") != 0)
        return false;
    // Many of them are a QString streamed into qWarning(), which arrives in quotes.
    QStringView text(message);
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.sliced(1, text.size() - 2);
    static constexpr std::array<const char *, 7> prefixes{"PulseAudioService:",
                                                          "QAudioSink: pa_",
                                                          "No audio device detected",
                                                          "Stream error:",
                                                          "pa_stream_",
                                                          "Failed to get server information:",
                                                          "Failed to get sink information:"};
    for (const char *prefix : prefixes) {
        if (text.startsWith(QLatin1String(prefix)))
            return true;
    }
    return false;
}

void installSoundMessageFilter() {
    const QtMessageHandler previous = qInstallMessageHandler(filterSoundMessages);
    if (previous != filterSoundMessages)
        previousHandler = previous;
}
