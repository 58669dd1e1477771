#include "ui/main/sounddevice_windows.h"

#include <QFile>
#include <QResource>

// windows.h first: mmsystem.h builds on its types.
#include <windows.h>

#include <mmsystem.h>

const unsigned WinmmSoundDevice::startFlags = SND_MEMORY | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT;

WinmmSoundDevice::WinmmSoundDevice(PlayCall play)
    : m_play(play ? std::move(play) : [](const void *clip, unsigned flags) {
        PlaySoundW(static_cast<LPCWSTR>(clip), nullptr, flags);
    }) {}

WinmmSoundDevice::~WinmmSoundDevice() {
    stop();
}

void WinmmSoundDevice::prepare(const QStringList &clipPaths) {
    for (const QString &path : clipPaths)
        clip(path);
}

void WinmmSoundDevice::start(const QString &clipPath) {
    // A start cuts off the clip that plays: PlaySound plays one sound at a time.
    if (const QByteArray &bytes = clip(clipPath); !bytes.isEmpty())
        m_play(bytes.constData(), startFlags);
}

void WinmmSoundDevice::stop() {
    m_play(nullptr, 0);
}

const QByteArray &WinmmSoundDevice::clip(const QString &clipPath) {
    auto [at, added] = m_clips.try_emplace(clipPath);
    if (added) {
        // A clip stored uncompressed is played where it lies in the program's image; any other is read once.
        const QResource resource(clipPath);
        if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
            at->second = QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                                 qsizetype(resource.size()));
        } else if (QFile file(clipPath); file.open(QIODevice::ReadOnly)) {
            at->second = file.readAll();
        }
    }
    return at->second;
}

std::unique_ptr<SoundDevice> SoundDevice::create() {
    return std::make_unique<WinmmSoundDevice>();
}
