#include "library/verifichecheck.h"

#include "app/sharedstate.h"
#include "library/analizzawav.h"
#include "library/datasource.h"
#include "library/verifichefiles.h"
#include "library/verifichelog.h"
#include "library/verifichesong.h"

QString VerificheCheck::missingFolderText(int slot, const QString& folder) {
    // The number with its sign position, a blank (folder numbers are never negative).
    return QStringLiteral("Cartella mancante: n° ") + QString::number(slot) +
           QStringLiteral(" = ") + folder;
}

VerificheCheck::VerificheCheck(const SharedState& state, DataSource& data1, Prompter& prompter)
    : state_(state), data1_(data1), prompter_(prompter) {}

void VerificheCheck::checkFolders(VerificheLog& log) {
    const FileProbe probe;
    for (int n = 0; n < int(state_.CartelleMp3.size()); ++n) {
        const QString folder = state_.CartelleMp3[size_t(n)].toText();
        if (!folder.isEmpty() && !probe.folderExists(folder)) {
            log.add(missingFolderText(n, folder));
        }
    }
}

void VerificheCheck::run(VerificheLog& log, const Progress& progress) {
    log.start();
    checkFolders(log);
    const int count = data1_.rowCount();
    if (count == 0) {
        return;
    }
    if (progress.setMaximum) {
        progress.setMaximum(count);
    }
    VerificheFiles files;
    AnalizzaWav analizza(prompter_);
    VerificheSong song(state_, files, analizza, log);
    data1_.moveFirst();
    for (int i = 0; i < count; ++i) {
        if (progress.setValue) {
            progress.setValue(i + 1);
        }
        // A message box lets other events run: should the row have moved meanwhile,
        // this song's row is made current again; should the list have shrunk, the
        // check ends.
        if (data1_.absolutePosition() != i && !data1_.setAbsolutePosition(i)) {
            break;
        }
        song.check({data1_.value(QStringLiteral("Titoli")).toString(),
                    data1_.value(QStringLiteral("Groove1")),
                    data1_.value(QStringLiteral("Groove2")), data1_.value(QStringLiteral("BPM")),
                    data1_.value(QStringLiteral("Loop"))});
        data1_.moveNext();
    }
    log.finish();
    data1_.moveFirst();
}
