#include "app/startup.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QScrollBar>

#include "app/audio.h"
#include "app/configcodec.h"
#include "app/configfile.h"
#include "app/configlocation.h"
#include "library/datasource.h"
#include "platform/clock.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"
#include "platform/hirestimer.h"
#include "platform/numbertext.h"
#include "platform/prompter.h"
#include "playback/mediaplayer.h"
#include "playback/wavevolume.h"
#include "remote/portio.h"

namespace {

// A timer interval as the file holds it: the leading number of its text.
double intervalOf(const Value& v) {
    return NumberText::leadingNumber(v.toText());
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
    if (!s.files.hasExactName(configPath_)) {
        runFirstRun();
        return Branch::FirstRun;
    }
    const ConfigFile::ReadResult file = ConfigFile::read(configPath_);
    if (file.status != ConfigFile::Status::Ok) {
        // Something is there but cannot be read: say so and run on the defaults,
        // without touching the file (the user's settings may still be in it).
        s.prompter.tell(file.error, configTitle(), Message::Icon::Critical);
        runTagged(ConfigReadResult{ConfigLayout::V28, ConfigData{}, {}});
        return Branch::Normal;
    }
    const ConfigReadResult read = ConfigCodec::read(file.bytes);
    if (read.layout == ConfigLayout::Untagged) {
        runUpgrade(read);
        reportProblems(read);
        return Branch::Upgraded;
    }
    runTagged(read);
    reportProblems(read);
    return Branch::Normal;
}

void Startup::initialiseState() {
    SharedState& st = w_.state();
    st.Groove1Attivo = st.Groove2Attivo = false;
    st.Pedale1Gestito = st.Pedale2Gestito = false;
    st.UscitaPorta = 0;
    st.InizioGroove = float(w_.services().clock.timeOfDay());
    st.MetroFreq = 5000;
    st.MetroDurata = 50;
    st.MetroAudio = 1;
    st.Quarti = 4;
}

// What the tagged and the untagged layouts share: working folder, metronome, grid
// font, timer intervals and the left grid's colours.
void Startup::applyCommon(const ConfigData& d) {
    SharedState& st = w_.state();
    AudioControls& c = w_.controls();
    st.PathLavoro = d.PathLavoro.toText();
    st.MetroFreq = d.MetroFreq;
    st.MetroDurata = d.MetroDurata;
    st.MetroAudio = std::int16_t(d.MetroAudio.toNumber());
    st.Quarti = std::int16_t(d.Quarti.toNumber());
    QFont font(d.fontName.toText());
    font.setPointSizeF(d.fontSize.toNumber() > 0 ? d.fontSize.toNumber() : 10);
    font.setBold(d.fontBold.toBool());
    font.setItalic(d.fontItalic.toBool());
    w_.setGridFont(font);
    c.HiResTimer1->setInterval(intervalOf(d.pedalInterval));
    c.TmrPrePreload->setInterval(intervalOf(d.preMuteInterval));
    c.TmrPreload->setInterval(intervalOf(d.bufferInterval));
    c.TmrIstrs->setInterval(intervalOf(d.debounceInterval));
    w_.setGridColors(1, qint64(d.leftBackColor.toNumber()), qint64(d.leftForeColor.toNumber()));
}

void Startup::applyFolders(const ConfigData& d) {
    SharedState& st = w_.state();
    for (int i = 0; i < 10; ++i) {
        st.CartelleMp3[i] = d.CartelleMp3[i];
        const QString folder = d.CartelleMp3[i].toText();
        if (!folder.isEmpty()) {
            w_.setFilterCaption(i, FolderName::ownName(folder));
        }
    }
}

// Points both data sources at the library, fills the list chooser, shows the title
// list and sets the volumes.
void Startup::openDatabase() {
    const QString db = w_.state().PathLavoro + QStringLiteral("songs.mdb");
    w_.controls().Data1->setDatabaseName(db);
    w_.controls().Data2->setDatabaseName(db);
    w_.fillListChooser();
    // A library that is missing or cannot be read leaves the list empty: say why,
    // so that the user can choose the working folder again in the settings.
    const QString error = w_.controls().Data1->lastError();
    if (!error.isEmpty()) {
        w_.services().prompter.tell(error, QString(), Message::Icon::Critical);
    }
    w_.Volume1().setLevel(65535);
    w_.MediaPlayer1().setVolume(w_.controls().HSVolumeMp3->value());
}

void Startup::runTagged(const ConfigReadResult& read) {
    const ConfigData& d = read.data;
    SharedState& st = w_.state();
    applyCommon(d);
    w_.setGridColors(2, qint64(d.rightBackColor.toNumber()), qint64(d.rightForeColor.toNumber()));
    st.MostraPagina = d.MostraPagina;
    st.MostraCapotasto = d.MostraCapotasto;
    st.MostraBPM = d.MostraBPM;
    st.MostraLoop = d.MostraLoop;
    st.MostraGroove1 = d.MostraGroove1;
    st.MostraGroove2 = d.MostraGroove2;
    st.MostraAutore = d.MostraAutore;
    // The stored widths come before the first list is shown, so that its first view
    // already has them.
    st.LargTitoli = d.LargTitoli;
    st.LargPagina = d.LargPagina;
    st.LargCapotasto = d.LargCapotasto;
    st.LargBPM = d.LargBPM;
    st.LargLoop = d.LargLoop;
    st.LargGroove1 = d.LargGroove1;
    st.LargGroove2 = d.LargGroove2;
    st.LargAutore = d.LargAutore;
    applyFolders(d);
    openDatabase();
}

void Startup::runUpgrade(const ConfigReadResult& read) {
    const Services& s = w_.services();
    s.prompter.tell(upgradeText(), configTitle(), Message::Icon::Critical);
    copyReplacing(configPath_, ConfigLocation::backupPath(configPath_));
    applyCommon(read.data);
    const QString db = s.files.resolve(w_.state().PathLavoro + QStringLiteral("Songs.mdb"));
    copyReplacing(db.isEmpty() ? w_.state().PathLavoro + QStringLiteral("Songs.mdb") : db,
                  w_.state().PathLavoro + QStringLiteral("Songs.old"));
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
    w_.parametribase();
    w_.openSettings();
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
