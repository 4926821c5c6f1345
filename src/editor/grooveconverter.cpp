#include "editor/grooveconverter.h"

#include <samplerate.h>
#include <sndfile.h>

#include <QDir>
#include <QFile>
#include <vector>

namespace {

constexpr int kRate = 44100;

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

struct SoundFile {
    SNDFILE* file = nullptr;
    ~SoundFile() {
        if (file) {
            sf_close(file);
        }
    }
};

}  // namespace

namespace GrooveConverter {

QString convert(const QString& from, const QString& to) {
    SF_INFO in{};
    SoundFile src;
    src.file = sf_open(QFile::encodeName(from).constData(), SFM_READ, &in);
    if (!src.file || in.channels < 1 || in.samplerate < 1 || in.frames < 0) {
        return QStringLiteral("Impossibile leggere il file audio \"%1\": %2")
            .arg(shown(from), QString::fromUtf8(sf_strerror(src.file)));
    }
    const int channels = std::min(in.channels, 2);
    std::vector<float> all(size_t(in.frames) * size_t(in.channels));
    const sf_count_t read = sf_readf_float(src.file, all.data(), in.frames);
    std::vector<float> kept(size_t(read) * size_t(channels));
    for (sf_count_t f = 0; f < read; ++f) {
        for (int c = 0; c < channels; ++c) {
            kept[size_t(f) * size_t(channels) + size_t(c)] =
                all[size_t(f) * size_t(in.channels) + size_t(c)];
        }
    }
    std::vector<float> out = kept;
    sf_count_t frames = read;
    if (in.samplerate != kRate && read > 0) {
        const double ratio = double(kRate) / in.samplerate;
        frames = sf_count_t(double(read) * ratio + 0.5);
        out.assign(size_t(frames) * size_t(channels) + size_t(channels), 0.0f);
        SRC_DATA data{};
        data.data_in = kept.data();
        data.input_frames = long(read);
        data.data_out = out.data();
        data.output_frames = long(frames);
        data.src_ratio = ratio;
        const int rc = src_simple(&data, SRC_SINC_BEST_QUALITY, channels);
        if (rc != 0) {
            return QStringLiteral("Impossibile convertire il file audio \"%1\": %2")
                .arg(shown(from), QString::fromUtf8(src_strerror(rc)));
        }
        frames = data.output_frames_gen;
    }
    const QString scratch = to + QStringLiteral(".tmp");
    QFile::remove(scratch);
    SF_INFO outInfo{};
    outInfo.samplerate = kRate;
    outInfo.channels = channels;
    outInfo.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    {
        SoundFile dst;
        dst.file = sf_open(QFile::encodeName(scratch).constData(), SFM_WRITE, &outInfo);
        if (!dst.file) {
            return QStringLiteral("Impossibile scrivere il groove \"%1\": %2")
                .arg(shown(to), QString::fromUtf8(sf_strerror(nullptr)));
        }
        sf_command(dst.file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
        if (sf_writef_float(dst.file, out.data(), frames) != frames) {
            const QString why = QString::fromUtf8(sf_strerror(dst.file));
            sf_close(dst.file);
            dst.file = nullptr;
            QFile::remove(scratch);
            return QStringLiteral("Impossibile scrivere il groove \"%1\": %2").arg(shown(to), why);
        }
    }
    QFile::remove(to);
    if (!QFile::rename(scratch, to)) {
        QFile::remove(scratch);
        return QStringLiteral("Impossibile scrivere il groove \"%1\".").arg(shown(to));
    }
    return {};
}

}  // namespace GrooveConverter
