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

}  // namespace AudioDevices
