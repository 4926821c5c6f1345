#include "playback/audiodevices.h"

#include <portaudio.h>

#include "playback/decodedaudio.h"

namespace AudioDevices {

QStringList outputNames() {
    QStringList names;
    // Initialisation is counted: with the engine's stream open this only adds a
    // reference, and the list is the one the engine sees.
    if (Pa_Initialize() != paNoError) {
        return names;
    }
    const int count = Pa_GetDeviceCount();
    for (int device = 0; device < count; ++device) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
        if (info == nullptr || info->maxOutputChannels < kEngineChannels) {
            continue;
        }
        const PaHostApiInfo* host = Pa_GetHostApiInfo(info->hostApi);
        const QString name = QStringLiteral("%1: %2").arg(
            QString::fromUtf8(host != nullptr ? host->name : "?"), QString::fromUtf8(info->name));
        if (!names.contains(name)) {
            names << name;
        }
    }
    Pa_Terminate();
    return names;
}

int outputChannels(const QString& name) {
    if (Pa_Initialize() != paNoError) {
        return 0;
    }
    int channels = 0;
    const QString wanted = name.trimmed();
    if (wanted.isEmpty() || wanted == QLatin1String("default")) {
        const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
        const PaDeviceInfo* info = device == paNoDevice ? nullptr : Pa_GetDeviceInfo(device);
        channels = info != nullptr ? info->maxOutputChannels : 0;
    } else {
        const int count = Pa_GetDeviceCount();
        for (int device = 0; device < count; ++device) {
            const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
            if (info == nullptr) {
                continue;
            }
            const PaHostApiInfo* host = Pa_GetHostApiInfo(info->hostApi);
            const QString full =
                QStringLiteral("%1: %2").arg(QString::fromUtf8(host != nullptr ? host->name : "?"),
                                             QString::fromUtf8(info->name));
            if (full == wanted) {
                channels = info->maxOutputChannels;
                break;
            }
        }
    }
    Pa_Terminate();
    return channels;
}

}  // namespace AudioDevices
