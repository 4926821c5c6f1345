#pragma once

#include <QByteArray>
#include <QString>

class Prompter;

// `AnalizzaWav`: checks that a WAV groove has the format every groove needs (a
// 16-byte format chunk, 16 bits per sample, 44100 samples per second, mono or
// stereo) and measures the length of its audio data. The caller sets `FileWav`,
// runs it and reads `DurataWav`: the duration in milliseconds when the file is
// accepted, the data length in bytes when a format test failed (the failure is
// then shown in a message box), 0 for empty audio and for a file that cannot be
// read or ends too soon. Reads at most the first kBytesRead bytes of the file.
// No widget code. GUI thread only (the message box).
class AnalizzaWav {
public:
    // The header fields, the search for "data" from offset 36 over 1000 positions
    // and the four length bytes after it: at most this many bytes are read.
    static constexpr int kBytesRead = 1044;

    // What the first bytes of a file say: the value for `DurataWav` and, when a
    // format test failed, the message that follows the file's path (else empty).
    struct Verdict {
        double durata = 0;
        QString problem;
    };

    explicit AnalizzaWav(Prompter& prompter) : prompter_(prompter) {}

    // Analyses `FileWav` into `DurataWav`, showing a format failure as `FileWav`
    // followed by its message, with the application's title.
    void run();

    // The verdict on the first bytes of a file (no message shown).
    static Verdict examine(const QByteArray& head);

    // The four format messages, in the order the tests are applied.
    static QString notStandardText();
    static QString not16BitsText();
    static QString not44100Text();
    static QString notMonoStereoText();

    QString FileWav;
    double DurataWav = 0;

private:
    Prompter& prompter_;
};
