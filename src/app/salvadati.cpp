#include "app/salvadati.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

#include "app/audio.h"
#include "app/audioeditor.h"
#include "app/audiolevels.h"
#include "app/impspathcontrols.h"
#include "app/showbinding.h"
#include "app/startup.h"
#include "config/configfile.h"
#include "config/portlisttext.h"
#include "config/songbooklisttext.h"
#include "library/datasource.h"
#include "library/librarywriter.h"
#include "library/songgrid.h"
#include "loudness/levelcontrols.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"
#include "platform/hirestimer.h"
#include "platform/numbertext.h"
#include "platform/prompter.h"
#include "playback/mediaplayer.h"
#include "playback/wavevolume.h"
#include "settings/colorswatch.h"
#include "settings/deviceframe.h"
#include "settings/songbookframe.h"
#include "show/showcore.h"
#include "stage/stageframe.h"

namespace {

double numberIn(const QLineEdit* box) {
    return NumberText::leadingNumber(box->text());
}

// A timer interval typed in its box, brought into the range a timer and the file
// take; the box then shows the value in force.
double intervalIn(QLineEdit* box) {
    const double typed = numberIn(box);
    const double ms = Salvadati::intervalOf(box->text());
    if (ms != typed) {
        box->setText(NumberText::format(ms));
    }
    return ms;
}

Value flagOf(const QCheckBox* box) {
    return Value(box->isChecked() ? -1 : 0);
}

Value colorOf(const ColorSwatch* swatch) {
    return Value(double(swatch->color()));
}

}  // namespace

Salvadati::Salvadati(Audio& window, const ImpspathControls& controls) : w_(window), c_(controls) {}

double Salvadati::intervalOf(const QString& text) {
    const double ms = NumberText::leadingNumber(text);
    if (!(ms >= 0)) {
        return 0;
    }
    return std::min(ms, ConfigData::kMaxIntervalMs);
}

QString Salvadati::saveFailedText(const QString& error) {
    return error + QStringLiteral(
                       "\r\nLe impostazioni restano in vigore fino alla chiusura di Quintora, "
                       "ma non sono state salvate.");
}

void Salvadati::applyValues() {
    SharedState& st = w_.state();
    st.MetroFreq = numberIn(c_.TextFreq);
    st.MetroDurata = numberIn(c_.TextDurat);
    st.MetroAudio = c_.CheckMetro->isChecked() ? 1 : 0;
    w_.setIntervals(intervalIn(c_.TextPed), intervalIn(c_.TextMute), intervalIn(c_.TextBuffer),
                    intervalIn(c_.TextIstrs));
    w_.setGridColors(1, c_.PictBack->color(), c_.PictFore->color());
    w_.setGridColors(2, c_.PictBack1->color(), c_.PictFore1->color());
    st.MostraPagina = flagOf(c_.Pag);
    st.MostraCapotasto = flagOf(c_.Cap);
    st.MostraBPM = flagOf(c_.Bpm);
    st.MostraLoop = flagOf(c_.Lop);
    st.MostraGroove1 = flagOf(c_.Grv1);
    st.MostraGroove2 = flagOf(c_.Grv2);
    st.MostraAutore = flagOf(c_.Aut);
    applyStage();
}

// The stage settings; channels 3-4 for the click only on a device that has them.
void Salvadati::applyStage() {
    SharedState& st = w_.state();
    st.PreparaSenzaFermare = c_.stage->cueWithoutStopping();
    st.PreparaSuccessivo = c_.stage->prepareNext();
    st.RiprendiSuonando = c_.stage->resumeSounding();
    const LevelOptions level = c_.stage->levels().options();
    st.LivellaVolume = level.on;
    st.LivelloObiettivo = level.target;
    st.LivelloTetto = level.ceiling;
    st.ClickLivello = c_.stage->clickLevel();
    int output = c_.stage->clickOutput();
    if (output == StageFrame::kMonitor) {
        const QString device = c_.devices->settings().outputDevice;
        const DeviceControl* devices = w_.services().devices;
        if (!devices || devices->outputChannels(device) < 4) {
            output = st.ClickUscita == StageFrame::kMonitor ? StageFrame::kNowhere : st.ClickUscita;
            c_.stage->setClickOutput(output);
            w_.services().prompter.tell(StageFrame::monitorRefusedText(device),
                                        QStringLiteral("Quintora: avviso"),
                                        Message::Icon::Critical);
        }
    }
    st.ClickUscita = output;
    st.AreaPagina = c_.songbooks->pageArea();
    applySongbooks();
}

// The songbooks: songs that name a book by its number follow it when it moved, in the
// library open now (the one whose songs were set up against these books). When they
// cannot, the books stay as they were, so that no song names another book unseen.
void Salvadati::applySongbooks() {
    SharedState& st = w_.state();
    const QHash<int, int> moves = c_.songbooks->moves();
    const QString library = w_.services().files.resolve(w_.controls().Data1->databaseName());
    auto* editor = w_.findChild<AudioEditor*>(QStringLiteral("AudioEditor"));
    if (!moves.isEmpty() && !library.isEmpty() && editor != nullptr) {
        int defaulted = 0;
        QString error;
        if (!editor->writer().moveSongBooks(moves, &defaulted, &error)) {
            w_.services().prompter.tell(songbooksKeptText(error),
                                        QStringLiteral("Quintora: Canzonieri"),
                                        Message::Icon::Critical);
            return;
        }
        if (defaulted > 0) {
            w_.services().prompter.tell(songbooksDefaultedText(defaulted),
                                        QStringLiteral("Quintora: Canzonieri"),
                                        Message::Icon::Information);
        }
    }
    st.Canzonieri = c_.songbooks->books();
}

QString Salvadati::songbooksKeptText(const QString& error) {
    return error + QStringLiteral(
                       "\r\nI brani non possono seguire i canzonieri spostati o tolti: "
                       "l'elenco dei canzonieri resta com'era.");
}

QString Salvadati::songbooksDefaultedText(int songs) {
    return songs == 1 ? QStringLiteral(
                            "Un brano indicava un canzoniere tolto: ora usa il primo "
                            "canzoniere.")
                      : QStringLiteral(
                            "%1 brani indicavano un canzoniere tolto: ora usano il primo "
                            "canzoniere.")
                            .arg(songs);
}

ConfigData Salvadati::configData() const {
    SharedState& st = w_.state();
    ConfigData d;
    d.version = "2.8";
    d.PathLavoro = st.PathLavoro;
    d.MetroFreq = st.MetroFreq;
    d.MetroDurata = st.MetroDurata;
    d.MetroAudio = int(st.MetroAudio);
    d.Quarti = int(st.Quarti);
    const QFont font = w_.controls().DBGrid1->font();
    d.fontName = font.family();
    d.fontSize = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    d.fontBold = font.bold();
    d.fontItalic = font.italic();
    d.pedalInterval = intervalOf(c_.TextPed->text());
    d.preMuteInterval = intervalOf(c_.TextMute->text());
    d.bufferInterval = intervalOf(c_.TextBuffer->text());
    d.debounceInterval = intervalOf(c_.TextIstrs->text());
    d.leftBackColor = colorOf(c_.PictBack);
    d.leftForeColor = colorOf(c_.PictFore);
    d.rightBackColor = colorOf(c_.PictBack1);
    d.rightForeColor = colorOf(c_.PictFore1);
    d.MostraPagina = st.MostraPagina;
    d.MostraCapotasto = st.MostraCapotasto;
    d.MostraBPM = st.MostraBPM;
    d.MostraLoop = st.MostraLoop;
    d.MostraGroove1 = st.MostraGroove1;
    d.MostraGroove2 = st.MostraGroove2;
    d.MostraAutore = st.MostraAutore;
    d.CartelleMp3 = st.CartelleMp3;
    d.LargTitoli = st.LargTitoli;
    d.LargPagina = st.LargPagina;
    d.LargCapotasto = st.LargCapotasto;
    d.LargBPM = st.LargBPM;
    d.LargLoop = st.LargLoop;
    d.LargGroove1 = st.LargGroove1;
    d.LargGroove2 = st.LargGroove2;
    d.LargAutore = st.LargAutore;
    const DeviceSettings devices = c_.devices->settings();
    d.outputDevice = devices.outputDevice;
    d.bufferFrames = devices.bufferFrames;
    d.pedalInterface = devices.pedalInterface;
    d.clockPorts = PortListText::encode(devices.clock.ports);
    d.clockCountIn = devices.clock.countIn ? -1 : 0;
    d.cueWithoutStopping = st.PreparaSenzaFermare ? -1 : 0;
    d.clickOutput = st.ClickUscita;
    d.clickLevel = st.ClickLivello;
    d.prepareNext = st.PreparaSuccessivo ? -1 : 0;
    d.resumeSounding = st.RiprendiSuonando ? -1 : 0;
    d.songbooks = SongbookListText::encode(st.Canzonieri);
    d.pageArea = st.AreaPagina;
    d.levelOn = st.LivellaVolume ? -1 : 0;
    d.levelTarget = st.LivelloObiettivo;
    d.levelCeiling = st.LivelloTetto;
    return d;
}

// The main window's library follows a changed working folder: both data sources,
// the list chooser refilled with its first list chosen, and the volumes as at
// start-up.
void Salvadati::followWorkingFolder() {
    AudioControls& c = w_.controls();
    const QString db = FolderName::join(w_.state().PathLavoro, QStringLiteral("songs.mdb"));
    if (db == c.Data1->databaseName()) {
        return;
    }
    c.Data1->setDatabaseName(db);
    c.Data2->setDatabaseName(db);
    w_.fillListChooser();
    // A library there that cannot be read is told as at start-up, not left as an
    // empty list.
    Startup::reportLibraryProblem(w_);
    w_.Volume1().setLevel(65535);
    w_.core().setMp3Volume(c.HSVolumeMp3->value());
    w_.showBinding().sendSettings();
}

void Salvadati::run() {
    applyValues();
    const QString error = ConfigFile::save(w_.services().configPath, configData());
    if (!error.isEmpty()) {
        w_.services().prompter.tell(saveFailedText(error),
                                    QStringLiteral("Quintora: Configurazione"),
                                    Message::Icon::Critical);
    }
    followWorkingFolder();
    w_.levels().apply();
    w_.setVisible(true);
    w_.aggiornaDBG();
    w_.aggiornaDBG2();
    if (DeviceControl* devices = w_.services().devices) {
        DeviceSettings settings = c_.devices->settings();
        settings.channels = w_.state().ClickUscita == StageFrame::kMonitor ? 4 : 2;
        devices->apply(settings);
    }
    emit w_.settingsSaved();
}
