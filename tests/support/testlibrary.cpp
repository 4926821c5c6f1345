#include "support/testlibrary.h"

#include <QDir>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "library/songdatabase.h"
#include "library/songgrid.h"
#include "support/harness.h"
#include "support/testaudio.h"

namespace TestLibrary {

namespace {

SongRecord song(const char* title, double bpm, QVariant groove1, QVariant groove2, bool loop) {
    SongRecord r;
    r.Titoli = QString::fromUtf8(title);
    r.Autore = QStringLiteral("Autore di %1").arg(r.Titoli);
    r.BPM = bpm < 0 ? QVariant() : QVariant(bpm);
    r.Groove1 = groove1;
    r.Groove2 = groove2;
    r.Loop = loop;
    return r;
}

}  // namespace

void install(Harness& h) {
    h.writeStandardConfig();
    std::vector<SongRecord> songs;
    songs.push_back(song("Alba", 120, "ROK001.wav", "ROK001B.wav", true));
    songs.push_back(song("Brezza", 90, "FNK002.wav", QVariant(), true));
    songs.push_back(song("Cielo", 100, "cielo.mp3", QVariant(), false));
    songs.push_back(song("Duna", 0, "duna.mp3", QVariant(), false));
    songs.push_back(song("Eco", -1, QVariant(), QVariant(), false));
    songs.push_back(song("Fiume", 80, "fiume.mp3", QVariant(), false));
    songs.push_back(song("Gong", 800, "ROK001.wav", QVariant(), true));
    songs[2].Sca[1] = 1;
    songs[3].Sca[1] = 2;
    songs[5].Sca[1] = 3;
    songs[2].Sca[2] = 1;
    songs[3].Sca[2] = 2;
    h.writeLibrary(songs);
    const QString w = h.workDir();
    for (const char* folder : {"ROK", "FNK", "MP3A", "MP3B"}) {
        QDir().mkpath(w + QString::fromLatin1(folder));
    }
    testaudio::writeWav(w + "ROK/ROK001.wav", 22050, testaudio::sine(440, 0.5f));
    testaudio::writeWav(w + "ROK/ROK001B.wav", 22050, testaudio::sine(660, 0.5f));
    testaudio::writeWav(w + "FNK/FNK002.wav", 22050, testaudio::sine(550, 0.5f), 44100, 1);
    testaudio::writeMp3(w + "MP3A/cielo.mp3", 44100, testaudio::sine(330, 0.5f));
    testaudio::writeMp3(w + "MP3B/duna.mp3", 44100, testaudio::sine(220, 0.5f));
}

void key(Harness& h, int qtKey, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(h.window().controls().DBGrid1, Qt::Key(qtKey), modifiers);
}

void prepare(Harness& h, const QString& title) {
    h.advance(2100);  // a fresh incremental search
    key(h, Qt::Key_F8);
    for (QChar c : title.toUpper()) {
        if (c >= 'A' && c <= 'Z') {
            key(h, Qt::Key_A + (c.unicode() - 'A'));
        }
    }
    key(h, Qt::Key_Escape);
}

void connect(Harness& h) {
    h.find<QPushButton>("Collega")->click();
}

void ready(Harness& h, const QString& title) {
    install(h);
    h.start();
    connect(h);
    prepare(h, title);
    h.advance(2500);
}

void tapPedal1(Harness& h) {
    h.box.setPedal1(true);
    h.advance(40);
    h.box.setPedal1(false);
    h.advance(600);
}

}  // namespace TestLibrary
