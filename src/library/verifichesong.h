#pragma once

#include <QString>
#include <QVariant>

class AnalizzaWav;
class FileProbe;
class VerificheLog;
struct SharedState;

// The fields of one song that the library check reads; null stays null.
struct VerificheSongFields {
    QString Titoli;
    QVariant Groove1, Groove2, BPM, Loop;
};

// The library check of one song: whether its grooves or its MP3 are where
// playback looks for them, whether its WAV grooves are usable (`AnalizzaWav`),
// whether a WAV song has a tempo of at least 60 and is marked as a loop song, and
// whether its file names end as they should. Each problem is added to the log as
// one entry, the entry's text followed by the song's title. GUI thread only.
class VerificheSong {
public:
    // The entries' texts, each followed by the title.
    static inline const QString kGroove1Missing = QStringLiteral("Groove1 inesistente di ");
    static inline const QString kBpmError = QStringLiteral("Errore BPM su ");
    static inline const QString kNoLoop = QStringLiteral("No Loop su ");
    static inline const QString kGroove1Length = QStringLiteral("Errore durata Groove1 su ");
    static inline const QString kMp3Missing = QStringLiteral("File Mp3 inesistente di ");
    static inline const QString kGroove1Name = QStringLiteral("Errore nome Groove1 di ");
    static inline const QString kGroove2Name = QStringLiteral("Errore nome Groove2 di ");
    static inline const QString kGroove2Missing = QStringLiteral("Groove2 inesistente di ");
    static inline const QString kGroove2Length = QStringLiteral("Errore durata Groove2 su ");

    // The lowest tempo a WAV song may have.
    static constexpr double kMinBpm = 60;

    // state gives PathLavoro and CartelleMp3; files answers the lookups.
    VerificheSong(const SharedState& state, const FileProbe& files, AnalizzaWav& analizza,
                  VerificheLog& log);

    void check(const VerificheSongFields& song);

    // The full path of a song's WAV groove named name: in the working folder's
    // subfolder named by the first three characters of groove1.
    QString groovePath(const QString& groove1, const QString& name) const;

private:
    void checkGroove1(const VerificheSongFields& song, const QString& g1);
    void checkWav(const VerificheSongFields& song, const QString& path);
    void checkMp3(const VerificheSongFields& song, const QString& g1);
    void checkGroove2(const VerificheSongFields& song);
    bool lengthIsZero(const QString& path);
    void add(const QString& text, const VerificheSongFields& song);

    const SharedState& state_;
    const FileProbe& files_;
    AnalizzaWav& analizza_;
    VerificheLog& log_;
};
