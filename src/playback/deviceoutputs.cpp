#include "playback/deviceoutputs.h"

#include "playback/jackoutput.h"
#include "playback/portaudiooutput.h"

namespace DeviceOutputs {

std::unique_ptr<AudioOutput> make(const QString& device, int bufferFrames, int channels) {
    if (JackOutput::isJackDevice(device)) {
        return std::make_unique<JackOutput>(device, bufferFrames, channels);
    }
    return std::make_unique<PortAudioOutput>(device, bufferFrames, channels);
}

}  // namespace DeviceOutputs
