#include "app/helplauncher.h"

#include "app/audio.h"
#include "guide/guidewindow.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"
#include "platform/processlauncher.h"
#include "platform/prompter.h"

HelpLauncher::HelpLauncher(Audio& window) : w_(window) {}

QString HelpLauncher::missingDocumentText() {
    return QStringLiteral(
        "Impossibile trovare il file di help Quintora.wri. Il file deve essere collocato nella "
        "stessa cartella dove si trova il database.");
}

QString HelpLauncher::missingProgramText() {
#ifdef Q_OS_WIN
    return QStringLiteral("Impossibile trovare il programma WordPad.exe");
#else
    return QStringLiteral(
        "Impossibile aprire il file di help Quintora.wri: nessun programma di questo sistema "
        "è in grado di aprire i documenti di questo tipo.");
#endif
}

QString HelpLauncher::wordpadFirst() {
    return QStringLiteral("C:\\Programmi\\Accessori\\WORDPAD.EXE");
}

QString HelpLauncher::wordpadSecond() {
    return QStringLiteral("C:\\Programmi\\Windows NT\\Accessori\\wordpad.exe");
}

void HelpLauncher::Istruzionidoc() {
    const Services& s = w_.services();
    SharedState& st = w_.state();
    st.PathAppoggio = FolderName::join(st.PathLavoro, QStringLiteral("Quintora.wri"));
    // Without a working folder there is no manual: never one of the current folder.
    if (st.PathLavoro.isEmpty() ||
        s.files.storedName(st.PathAppoggio) != QLatin1String("Quintora.wri")) {
        s.prompter.tell(missingDocumentText());
        showGuide();
        return;
    }
    if (s.files.storedName(wordpadFirst()) == QLatin1String("WORDPAD.EXE")) {
        s.launcher.start(wordpadFirst(), {st.PathAppoggio});
        return;
    }
    if (s.files.storedName(wordpadSecond()) == QLatin1String("wordpad.exe")) {
        s.launcher.start(wordpadSecond(), {st.PathAppoggio});
        return;
    }
    // The desktop's opener may find no program for the document only after it has
    // started: that is told too, when it ends.
    Prompter& prompter = s.prompter;
    const auto tellMissing = [this, &prompter] {
        prompter.tell(missingProgramText());
        showGuide();
    };
    if (!s.launcher.openWatched(st.PathAppoggio, &w_, tellMissing)) {
        tellMissing();
    }
}

// The guide of the program's own, in place of a document that cannot be shown: one
// window, brought to the front when it is already open.
void HelpLauncher::showGuide() {
    if (!guide_) {
        guide_ = new GuideWindow(&w_);
    }
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
}
