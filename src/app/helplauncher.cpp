#include "app/helplauncher.h"

#include "app/audio.h"
#include "platform/fileprobe.h"
#include "platform/processlauncher.h"
#include "platform/prompter.h"

HelpLauncher::HelpLauncher(Audio& window) : w_(window) {}

QString HelpLauncher::missingDocumentText() {
    return QStringLiteral(
        "Impossibile trovare il file di help Quintora.wri. Il file deve essere collocato nella "
        "stessa cartella dove si trova il database.");
}

QString HelpLauncher::missingProgramText() {
    return QStringLiteral("Impossibile trovare il programma WordPad.exe");
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
    st.PathAppoggio = st.PathLavoro + QStringLiteral("Quintora.wri");
    if (s.files.storedName(st.PathAppoggio) != QLatin1String("Quintora.wri")) {
        s.prompter.tell(missingDocumentText());
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
    if (!s.launcher.openDocument(st.PathAppoggio)) {
        s.prompter.tell(missingProgramText());
    }
}
