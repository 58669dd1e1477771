#pragma once

#include <QString>
#include <QtGlobal>

class QMessageLogContext;

// Without a sound server or device Qt's sound back end complains on the console ("PulseAudioService:
// pa_context_connect() failed", "No audio device detected"); the program plays no sound then and must say
// nothing. The filter drops exactly those messages and hands every other one to the handler that was
// installed before it. Install it once, first thing in main(); it may be called from any thread.
void installSoundMessageFilter();

// True for a message of the sound back end about its server, device or streams.
bool isSoundBackendMessage(QtMsgType type, const QMessageLogContext &context, const QString &message);
