#include "app/startup.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QScrollBar>

#include "app/audio.h"
#include "app/audioaccess.h"
#include "app/audiolevels.h"
#include "app/firstwelcome.h"
#include "config/configcodec.h"
#include "config/configfile.h"
#include "config/configlocation.h"
#include "config/songbooklisttext.h"
#include "exchange/winsettingsimport.h"
#include "library/datasource.h"
#include "pedals/portio.h"
#include "platform/clock.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"
#include "platform/hirestimer.h"
#include "platform/numbertext.h"
#include "platform/prompter.h"
#include "playback/mediaplayer.h"
#include "playback/wavevolume.h"
#include "show/showcore.h"

namespace {

// A timer interval as the file holds it: the leading number of its text.
double intervalOf(const Value& v) {
    return NumberText::leadingNumber(v.toText());
}

// A folder as the file holds it, ending in the separator whether or not it was
// stored with one. Only a full path is a folder: an empty or relative one would
// make the program act on whatever folder it was started from, so it counts as
// no folder at all.
QString usableFolder(const QString& stored) {
    if (stored.isEmpty() || QDir::isRelativePath(stored)) {
        return {};
    }
    return FolderName::withSeparator(stored);
}

}  // namespace

Startup::Startup(Audio& window) : w_(window), configPath_(window.services().configPath) {}

QString Startup::configTitle() {
    return QStringLiteral("Quintora: Configurazione");
}

QString Startup::firstRunText() {
    return QStringLiteral(
        "ATTENZIONE! Questa è la prima volta che viene avviato Quintora.\r\n"
        "E' necessario inserire la path della cartella di lavoro contenente i file audio, \r\n"
        "il file Songs.mdb e la sottocartella MP3. ");
}

QString Startup::upgradeText() {
    return QStringLiteral(
        "ATTENZIONE! Il file di configurazione verrà aggiornato alla versione 2.5. \r\n"
        "Le precedenti versioni non saranno in grado di funzionare. \r\n"
        "Il vecchio file di configurazione verrà comunque salvato come Quintora.old ");
}

Startup::Branch Startup::run() {
    w_.IO1().setSetup(0);
    initialiseState();

    const Services& s = w_.services();
    const ConfigFile::ReadResult file = ConfigFile::read(configPath_);
    // Something that is there but is no readable file (a folder, a pipe, a file
    // without permission) is not a first run: say so and run on the defaults,
    // without touching it (the user's settings may still be in it).
    if (file.status != ConfigFile::Status::Unreadable && !s.files.hasExactName(configPath_)) {
        runFirstRun();
        return Branch::FirstRun;
    }
    if (file.status != ConfigFile::Status::Ok) {
        s.prompter.tell(file.error, configTitle(), Message::Icon::Critical);
        runTagged(ConfigReadResult{ConfigLayout::V28, ConfigData{}, {}});
        return settleWorkingFolder();
    }
    ConfigReadResult read = ConfigCodec::read(file.bytes);
    if (importedFromWindows(read.data)) {
        read = ConfigCodec::read(ConfigFile::read(configPath_).bytes);
    }
    if (read.layout == ConfigLayout::Untagged) {
        runUpgrade(read);
        reportProblems(read);
        return settleWorkingFolder(Branch::Upgraded);
    }
    runTagged(read);
    reportProblems(read);
    return settleWorkingFolder();
}

QString Startup::windowsFileText(const QString& path, const QString& folder) {
    return QStringLiteral(
               "Il file di configurazione \"%1\" viene dalla versione per Windows: le sue "
               "cartelle (come \"%2\") non esistono su questo computer.\r\n"
               "Importarlo ora? Per ogni cartella si sceglie quella che la sostituisce; il file "
               "di ora resta come copia \"%3\".\r\n"
               "Si può farlo anche più tardi con Archivio > Importa impostazioni di Windows...")
        .arg(QDir::toNativeSeparators(path), folder,
             QDir::toNativeSeparators(ConfigLocation::backupPath(path)));
}

// A Windows settings file placed where this program keeps its own: its folders
// mean nothing here, so the Windows import is offered for it. True when the file
// was rewritten with the user's folders.
bool Startup::importedFromWindows(const ConfigData& data) {
    AudioAccess* access = AudioAccess::of(w_);
    if (!access || !WinSettingsImport::namesWindowsFolders(data)) {
        return false;
    }
    QString folder = data.PathLavoro.toText();
    if (!WinSettingsImport::isWindowsPath(folder)) {
        for (const Value& v : data.CartelleMp3) {
            if (WinSettingsImport::isWindowsPath(v.toText())) {
                folder = v.toText();
                break;
            }
        }
    }
    const Message question{windowsFileText(configPath_, folder), configTitle(),
                           Message::Icon::Question, Message::Buttons::YesNo, Message::Answer::Yes};
    if (w_.services().prompter.ask(question) != Message::Answer::Yes) {
        return false;
    }
    return access->importWindowsSettingsInPlace(FolderName::withSeparator(QDir::homePath()));
}

QString Startup::noWorkingFolderText() {
    return QStringLiteral(
        "Impossibile aprire l'archivio dei brani: il file di configurazione non indica una "
        "cartella di lavoro leggibile.\r\n"
        "Scegliere la cartella di lavoro che contiene il file Songs.mdb nella finestra di "
        "configurazione.");
}

bool Startup::hasWorkingFolder() const {
    return !w_.state().PathLavoro.isEmpty();
}

// Without a working folder nothing was opened: the user is told, and the settings
// dialog takes over as on a first run, keeping every other setting that was read.
Startup::Branch Startup::settleWorkingFolder(Branch branch) {
    if (hasWorkingFolder()) {
        return branch;
    }
    w_.services().prompter.tell(noWorkingFolderText(), QString(), Message::Icon::Critical);
    w_.setVisible(false);
    w_.openSettings();
    return Branch::FirstRun;
}

void Startup::initialiseState() {
    SharedState& st = w_.state();
    st.MetroFreq = 5000;
    st.MetroDurata = 50;
    st.MetroAudio = 1;
    st.Quarti = 4;
}

// What the tagged and the untagged layouts share: working folder, metronome, grid
// font, timer intervals and the left grid's colours.
void Startup::applyCommon(const ConfigData& d) {
    SharedState& st = w_.state();
    st.PathLavoro = usableFolder(d.PathLavoro.toText());
    st.MetroFreq = d.MetroFreq;
    st.MetroDurata = d.MetroDurata;
    st.MetroAudio = std::int16_t(d.MetroAudio.toNumber());
    st.Quarti = std::int16_t(d.Quarti.toNumber());
    QFont font;
    font.setFamilies({d.fontName.toText()});  // whole: a name may hold a comma
    font.setPointSizeF(d.fontSize.toNumber() > 0 ? d.fontSize.toNumber() : 10);
    font.setBold(d.fontBold.toBool());
    font.setItalic(d.fontItalic.toBool());
    w_.setGridFont(font);
    w_.setIntervals(intervalOf(d.pedalInterval), intervalOf(d.preMuteInterval),
                    intervalOf(d.bufferInterval), intervalOf(d.debounceInterval));
    w_.setGridColors(1, qint64(d.leftBackColor.toNumber()), qint64(d.leftForeColor.toNumber()));
}

void Startup::applyFolders(const ConfigData& d) {
    SharedState& st = w_.state();
    for (int i = 0; i < 10; ++i) {
        st.CartelleMp3[i] = d.CartelleMp3[i];
        const QString folder = d.CartelleMp3[i].toText();
        if (!folder.isEmpty()) {
            const QString stored = FolderName::withSeparator(folder);
            st.CartelleMp3[i] = stored;
            w_.setFilterCaption(i, FolderName::ownName(stored));
        }
    }
}

// Points both data sources at the library, fills the list chooser, shows the title
// list and sets the volumes.
void Startup::openDatabase() {
    if (hasWorkingFolder()) {
        const QString db = FolderName::join(w_.state().PathLavoro, QStringLiteral("songs.mdb"));
        w_.controls().Data1->setDatabaseName(db);
        w_.controls().Data2->setDatabaseName(db);
        w_.fillListChooser();
        reportLibraryProblem(w_);
    }
    w_.Volume1().setLevel(65535);
    w_.core().setMp3Volume(w_.controls().HSVolumeMp3->value());
    w_.levels().apply();
}

void Startup::applyColumns(const ConfigData& d, SharedState& st) {
    st.MostraPagina = d.MostraPagina;
    st.MostraCapotasto = d.MostraCapotasto;
    st.MostraBPM = d.MostraBPM;
    st.MostraLoop = d.MostraLoop;
    st.MostraGroove1 = d.MostraGroove1;
    st.MostraGroove2 = d.MostraGroove2;
    st.MostraAutore = d.MostraAutore;
    st.LargTitoli = d.LargTitoli;
    st.LargPagina = d.LargPagina;
    st.LargCapotasto = d.LargCapotasto;
    st.LargBPM = d.LargBPM;
    st.LargLoop = d.LargLoop;
    st.LargGroove1 = d.LargGroove1;
    st.LargGroove2 = d.LargGroove2;
    st.LargAutore = d.LargAutore;
}

void Startup::runTagged(const ConfigReadResult& read) {
    const ConfigData& d = read.data;
    SharedState& st = w_.state();
    applyCommon(d);
    w_.setGridColors(2, qint64(d.rightBackColor.toNumber()), qint64(d.rightForeColor.toNumber()));
    // The stored widths come before the first list is shown, so that its first view
    // already has them.
    applyColumns(d, st);
    st.PreparaSenzaFermare = d.cueWithoutStopping.toNumber() != 0;
    st.ClickUscita = int(d.clickOutput.toNumber());
    st.ClickLivello = int(d.clickLevel.toNumber());
    st.PreparaSuccessivo = d.prepareNext.toNumber() != 0;
    st.RiprendiSuonando = d.resumeSounding.toNumber() != 0;
    // The codec left the defaults (no book) where the list could not be read.
    st.Canzonieri = SongbookListText::decode(d.songbooks.toText()).value_or(QList<Songbook>());
    st.AreaPagina = int(d.pageArea.toNumber());
    st.LivellaVolume = d.levelOn.toNumber() != 0;
    st.LivelloObiettivo = d.levelTarget.toNumber();
    st.LivelloTetto = d.levelCeiling.toNumber();
    applyFolders(d);
    openDatabase();
}

void Startup::runUpgrade(const ConfigReadResult& read) {
    const Services& s = w_.services();
    s.prompter.tell(upgradeText(), configTitle(), Message::Icon::Critical);
    copyReplacing(configPath_, ConfigLocation::backupPath(configPath_));
    applyCommon(read.data);
    // Without a working folder there is no library to back up: nothing is copied.
    if (hasWorkingFolder()) {
        const QString work = w_.state().PathLavoro;
        const QString db = s.files.resolve(FolderName::join(work, QStringLiteral("Songs.mdb")));
        copyReplacing(db.isEmpty() ? FolderName::join(work, QStringLiteral("Songs.mdb")) : db,
                      FolderName::join(work, QStringLiteral("Songs.old")));
    }
    openDatabase();
    w_.parametribase();
    for (Value& folder : w_.state().CartelleMp3) {
        folder = QString();
    }
    w_.aggiornaDBG();
    w_.aggiornaDBG2();
}

void Startup::runFirstRun() {
    w_.services().prompter.tell(firstRunText(), configTitle(), Message::Icon::Critical);
    w_.setVisible(false);
    // The ways in from Windows, from a CSV file or with an empty library; otherwise,
    // or when one of them is given up, the settings dialog takes over.
    if (FirstWelcome(w_).run()) {
        return;
    }
    w_.parametribase();
    w_.openSettings();
}

void Startup::reportLibraryProblem(Audio& window) {
    // A library that is missing or cannot be read leaves the list empty: say why,
    // so that the user can choose the working folder again in the settings.
    const QString error = window.controls().Data1->lastError();
    // The Windows version's Access library is offered for import instead.
    if (!error.isEmpty() && AudioAccess::of(window)) {
        const FileProbe& probe = window.services().files;
        const QString name = window.controls().Data1->databaseName();
        const QString found = probe.resolve(name);
        if (AudioAccess::of(window)->offerImport(found.isEmpty() ? name : found)) {
            return;
        }
    }
    if (!error.isEmpty()) {
        window.services().prompter.tell(error, QString(), Message::Icon::Critical);
    }
}

void Startup::copyReplacing(const QString& from, const QString& to) {
    const QString error = ConfigFile::copyReplacing(from, to);
    if (!error.isEmpty()) {
        w_.services().prompter.tell(error, configTitle(), Message::Icon::Critical);
    }
}

void Startup::reportProblems(const ConfigReadResult& read) {
    if (read.problems.isEmpty()) {
        return;
    }
    QString text = QStringLiteral(
                       "Il file di configurazione %1 è incompleto o contiene valori non validi.\r\n"
                       "Per i valori che non è stato possibile leggere valgono le impostazioni "
                       "predefinite; il file sarà riscritto al prossimo salvataggio della "
                       "configurazione.\r\n")
                       .arg(configPath_);
    const int shown = std::min<int>(read.problems.size(), 5);
    for (int i = 0; i < shown; ++i) {
        text += QStringLiteral("\r\n") + read.problems[i].toText();
    }
    if (read.problems.size() > shown) {
        text += QStringLiteral("\r\n...");
    }
    w_.services().prompter.tell(text, configTitle(), Message::Icon::Exclamation);
}
