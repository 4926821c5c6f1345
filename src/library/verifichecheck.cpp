#include "library/verifichecheck.h"

#include <memory>

#include "config/sharedstate.h"
#include "library/analizzawav.h"
#include "library/datasource.h"
#include "library/gearstore.h"
#include "library/rowset.h"
#include "library/songfiles.h"
#include "library/verifichefiles.h"
#include "library/verifichelog.h"
#include "library/verificheprompter.h"
#include "library/verifichesong.h"

namespace {

void call(const std::function<void(int)>& f, int value) {
    if (f) {
        f(value);
    }
}

}  // namespace

QString VerificheCheck::missingFolderText(int slot, const QString& folder) {
    // The number with its sign position, a blank (folder numbers are never negative).
    return QStringLiteral("Cartella mancante: n° ") + QString::number(slot) +
           QStringLiteral(" = ") + folder;
}

QString VerificheCheck::missingPortText(const QString& port, const QString& title) {
    return QStringLiteral("Porta MIDI \"%1\" inesistente di ").arg(port) + title;
}

QString VerificheCheck::loudnessText(const QString& title, const QString& why) {
    return QStringLiteral("Volume non misurabile di ") + title + QStringLiteral(": ") + why;
}

VerificheCheck::VerificheCheck(const SharedState& state, DataSource& data1, Prompter& prompter,
                               std::function<QStringList()> gearPorts)
    : state_(state), data1_(data1), prompter_(prompter), gearPorts_(std::move(gearPorts)) {}

void VerificheCheck::checkFolders(VerificheLog& log) {
    const FileProbe probe;
    for (int n = 0; n < int(state_.CartelleMp3.size()); ++n) {
        const QString folder = state_.CartelleMp3[size_t(n)].toText();
        if (!folder.isEmpty() && !probe.folderExists(folder)) {
            log.add(missingFolderText(n, folder));
        }
    }
}

// The rows are read by number from the row set as it was at the start: a message
// box lets other events run (the main tick may move the list, a filter may replace
// it), and the check still reads every song once. The main grid is not moved row
// by row, which nobody could see while no event is served; it shows the song at
// fault while its message box waits.
void VerificheCheck::run(VerificheLog& log, const Display& display) {
    log.start();
    checkFolders(log);
    const std::shared_ptr<RowSet> rows = data1_.rowSet();
    const int count = rows->rowCount();
    if (count == 0) {
        return;
    }
    call(display.setMaximum, count);
    const int titoli = rows->fieldIndex(QStringLiteral("Titoli"));
    const int groove1 = rows->fieldIndex(QStringLiteral("Groove1"));
    const int groove2 = rows->fieldIndex(QStringLiteral("Groove2"));
    const int bpm = rows->fieldIndex(QStringLiteral("BPM"));
    const int loop = rows->fieldIndex(QStringLiteral("Loop"));
    // The ports each song's messages name, read once; a list without a key column
    // (a query of the user's) has no songs to look them up by.
    QHash<qint64, QStringList> songPorts;
    QStringList present;
    if (gearPorts_ && rows->database() && rows->keyColumn() >= 0) {
        QString ignored;  // a library that cannot be read here is told by the lists
        songPorts = GearStore::portsBySong(*rows->database(), &ignored);
        if (!songPorts.isEmpty()) {
            present = gearPorts_();
        }
    }

    // Files that could not be measured play at unity gain: each is named once, with
    // the first song that plays it (the songs' files are looked up only while some
    // are left to name).
    QHash<QString, FileLoudness> loudness =
        loudness_ ? loudness_() : QHash<QString, FileLoudness>();
    loudness.removeIf([](const auto& file) { return file.value().measured; });

    int row = 0;
    VerifichePrompter prompter(prompter_, [&] {
        if (data1_.rowSet() == rows) {
            data1_.setAbsolutePosition(row);
        }
        if (display.showLog) {
            display.showLog();
        }
    });
    VerificheFiles files;
    AnalizzaWav analizza(prompter);
    VerificheSong song(state_, files, analizza, log);
    for (; row < count; ++row) {
        call(display.setValue, row + 1);
        song.check({rows->valueAt(row, titoli).toString(), rows->valueAt(row, groove1),
                    rows->valueAt(row, groove2), rows->valueAt(row, bpm),
                    rows->valueAt(row, loop)});
        if (!loudness.isEmpty()) {
            const QString title = rows->valueAt(row, titoli).toString();
            for (const QString& f : SongFiles::played(
                     state_.PathLavoro, state_.CartelleMp3, rows->valueAt(row, groove1).toString(),
                     rows->valueAt(row, groove2).toString(),
                     rows->valueAt(row, loop).toDouble() != 0, files)) {
                const auto it = loudness.constFind(f);
                if (it != loudness.constEnd()) {
                    log.add(loudnessText(title, it->why));
                    loudness.erase(it);
                }
            }
        }
        if (!songPorts.isEmpty()) {
            const QVariant key = rows->valueAt(row, rows->keyColumn());
            for (const QString& port : songPorts.value(key.isNull() ? -1 : key.toLongLong())) {
                if (!present.contains(port)) {
                    log.add(missingPortText(port, rows->valueAt(row, titoli).toString()));
                }
            }
        }
    }
    log.finish();
    data1_.moveFirst();
}
