#include "app/diagnostica.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <cmath>
#include <type_traits>

#include "app/audio.h"
#include "gear/gearsender.h"
#include "pedals/pedalmonitor.h"
#include "pedals/portio.h"
#include "platform/lamp.h"
#include "platform/numbertext.h"
#include "platform/wincolor.h"
#include "show/showcore.h"

namespace {

constexpr qint64 kLedOff = WinColor::kDarkRed;
constexpr qint64 kLed3Lit = 8438015;  // light orange
constexpr qint64 kLed3Off = 16576;    // dark orange
constexpr qint64 kLed3Start = 16512;  // brown

template <class T>
T* named(T* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_base_of_v<QLabel, T>) {
        // Song titles and folders are shown as written, never as markup.
        w->setTextFormat(Qt::PlainText);
    }
    return w;
}

// A typed "&H" (hexadecimal) or "&O" (octal) value, read as everywhere else in the
// program (the settings dialog's fields): "&HF", "&h0F" and "&O17" are 15, values
// of 16 or 32 bits with the top bit set are negative. False when the text is not
// such a value or does not fit in 32 bits.
bool radixToLong(const QString& text, int& out) {
    if (text.size() < 3 || text[0] != u'&') {
        return false;
    }
    const QChar kind = text[1].toUpper();
    const int radix = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
    if (radix == 0) {
        return false;
    }
    quint64 value = 0;
    for (qsizetype i = 2; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        }
        if (digit < 0 || digit >= radix) {
            return false;
        }
        value = value * radix + quint64(digit);
        if (value > 0xFFFFFFFFull) {
            return false;
        }
    }
    out = int(NumberText::leadingNumber(text));
    return true;
}

// The typed value as a 32-bit integer (halves to the even neighbour); false when
// the text is not a number or out of range.
bool toLong(const QString& typed, int& out) {
    const QString text = typed.trimmed();
    if (text.startsWith(u'&')) {
        return radixToLong(text, out);
    }
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        return false;
    }
    const double r = std::nearbyint(v);
    if (r < -2147483648.0 || r > 2147483647.0) {
        return false;
    }
    out = int(r);
    return true;
}

}  // namespace

Diagnostica::Diagnostica(Audio& window, QWidget* parent) : QWidget(parent, Qt::Window), w_(window) {
    setObjectName(QStringLiteral("Diagnostica"));
    setWindowTitle(QStringLiteral("Diagnostica"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    label1_ = named(new QLabel(QStringLiteral("Diagnostica")), "Label1");
    QFont f = label1_->font();
    f.setPointSize(14);
    f.setBold(true);
    label1_->setFont(f);
    top->addWidget(label1_);
    top->addStretch(1);
    ledCn_ = new Lamp(QStringLiteral("LedCn"), QStringLiteral("Collegamento"), WinColor::kGreen);
    top->addWidget(ledCn_);
    top->addWidget(
        new Lamp(QStringLiteral("LedPw"), QStringLiteral("Alimentazione"), WinColor::kRed));
    v->addLayout(top);
    stato_ = named(new QLabel(QStringLiteral("Stato della porta: SCOLLEGATA")), "Stato");
    lpth_ = named(new QLabel(QStringLiteral("Path Audio: ")), "Lpth");
    v->addWidget(stato_);
    v->addWidget(lpth_);
    auto* middle = new QHBoxLayout;
    middle->addWidget(buildStatus());
    auto* col = new QVBoxLayout;
    col->addWidget(buildSend());
    col->addWidget(buildTest());
    middle->addLayout(col);
    v->addLayout(middle);
    v->addWidget(buildSong());
    v->addWidget(new PedalMonitor(w_.IO1(), w_.services().clock));
    v->addWidget(buildGearLog());
    auto* log = new QGroupBox(QStringLiteral(" Finestra Ritardi (mSec) "));
    auto* lv = new QVBoxLayout(log);
    ritardi_ = named(new QPlainTextEdit, "Ritardi");
    ritardi_->setReadOnly(true);
    ritardi_->setAccessibleName(QStringLiteral("Finestra Ritardi"));
    lv->addWidget(ritardi_);
    v->addWidget(log, 1);
    auto* esci = named(new QPushButton(QStringLiteral("Esci")), "Esci");
    connect(esci, &QPushButton::clicked, this, [this] {
        w_.state().DiagAperta = false;
        w_.core().setDiagnosticsOpen(false);
        w_.core().rewriteLamps();
        close();
    });
    v->addWidget(esci, 0, Qt::AlignRight);
    load();
}

QWidget* Diagnostica::buildStatus() {
    auto* box = new QGroupBox(QStringLiteral(" Porta Parallela  "));
    auto* g = new QVBoxLayout(box);
    const char* captions[6] = {"Off Line", "Selected",  "Paper Empty",
                               "Busy",     "Power Off", "Connect"};
    for (int i = 0; i < 6; ++i) {
        checks_[i] = new QCheckBox(QString::fromLatin1(captions[i]));
        checks_[i]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        g->addWidget(checks_[i]);
    }
    return box;
}

QWidget* Diagnostica::buildSend() {
    auto* box = new QGroupBox(QStringLiteral(" Invio sulla parallela "));
    auto* g = new QGridLayout(box);
    text1_ = named(new QLineEdit(QStringLiteral("0")), "Text1");
    text1_->setAccessibleName(QStringLiteral("Valore da inviare"));
    invio_ = named(new QPushButton(QStringLiteral("Invia Dato")), "Invio");
    connect(invio_, &QPushButton::clicked, this, [this] { send(); });
    g->addWidget(text1_, 0, 0);
    g->addWidget(invio_, 0, 1);
    g->addWidget(named(new QLabel(QStringLiteral("Stato:")), "Label3"), 1, 0);
    label2_ = named(new QLabel(QStringLiteral("Ok")), "Label2");
    g->addWidget(label2_, 1, 1);
    return box;
}

QWidget* Diagnostica::buildTest() {
    auto* box = new QGroupBox(QStringLiteral(" Test Leds "));
    auto* h = new QHBoxLayout(box);
    tutti_ = named(new QPushButton(QStringLiteral("Test ")), "Tutti");
    connect(tutti_, &QPushButton::pressed, this, [this] { testPressed(); });
    connect(tutti_, &QPushButton::released, this, [this] { testReleased(); });
    led1_ = new Lamp(QStringLiteral("Led1"), QStringLiteral("Groove 1"), kLedOff);
    led2_ = new Lamp(QStringLiteral("Led2"), QStringLiteral("Groove 2"), kLedOff);
    led3_ = new Lamp(QStringLiteral("Led3"), QStringLiteral("Test lampade"), kLed3Start);
    h->addWidget(tutti_);
    for (Lamp* l : {led1_, led2_, led3_}) {
        h->addWidget(l);
    }
    return box;
}

QWidget* Diagnostica::buildSong() {
    auto* box = new QWidget;
    auto* g = new QGridLayout(box);
    g->setContentsMargins(0, 0, 0, 0);
    Ltit = named(new QLabel(QStringLiteral("Tit:")), "Ltit");
    Lbpm = named(new QLabel(QStringLiteral("BPM:")), "Lbpm");
    Lgr1 = named(new QLabel(QStringLiteral("Grv1:")), "Lgr1");
    Lgr2 = named(new QLabel(QStringLiteral("Grv2:")), "Lgr2");
    Lcpt = named(new QLabel(QStringLiteral("Capotasto:")), "Lcpt");
    Lpag = named(new QLabel(QStringLiteral("Pag:")), "Lpag");
    Llop = named(new QCheckBox(QStringLiteral("Loop")), "Llop");
    g->addWidget(Ltit, 0, 0, 1, 3);
    g->addWidget(Lbpm, 1, 0);
    g->addWidget(Lcpt, 1, 1);
    g->addWidget(Lpag, 1, 2);
    g->addWidget(Lgr1, 2, 0);
    g->addWidget(named(new QLabel(QStringLiteral("Durata:")), "Ldr1"), 2, 1);
    g->addWidget(Llop, 2, 2);
    g->addWidget(Lgr2, 3, 0);
    g->addWidget(named(new QLabel(QStringLiteral("Durata:")), "Ldr2"), 3, 1);
    return box;
}

// The messages sent to the other gear, the last ones at the bottom; kept by the
// sender, so that a panel opened later shows what went before.
QWidget* Diagnostica::buildGearLog() {
    auto* box = new QGroupBox(QStringLiteral(" Messaggi MIDI inviati "));
    auto* v = new QVBoxLayout(box);
    gearLog_ = named(new QPlainTextEdit, "LogMidiUscita");
    gearLog_->setReadOnly(true);
    gearLog_->setAccessibleName(QStringLiteral("Messaggi MIDI inviati"));
    gearLog_->setMaximumBlockCount(int(GearLog::kKeep));
    gearLog_->setFixedHeight(gearLog_->fontMetrics().lineSpacing() * 6 + 12);
    v->addWidget(gearLog_);
    if (GearSender* gear = w_.services().gear) {
        connect(gear, &GearSender::logged, this, &Diagnostica::showGearLog, Qt::QueuedConnection);
    }
    showGearLog();
    return box;
}

void Diagnostica::showGearLog() {
    const GearSender* gear = w_.services().gear;
    const QStringList lines = gear ? gear->log().lines() : QStringList();
    gearLog_->setPlainText(lines.isEmpty() ? QStringLiteral("(nessun messaggio)")
                                           : lines.join(u'\n'));
    gearLog_->moveCursor(QTextCursor::End);
}

// What the panel shows of the moment it is loaded: it is not run again when a
// loaded panel is shown.
void Diagnostica::load() {
    const bool attached = w_.state().Collegato;
    stato_->setText(attached ? QStringLiteral("Stato della porta: COLLEGATA")
                             : QStringLiteral("Stato della porta: SCOLLEGATA"));
    invio_->setEnabled(attached);
    tutti_->setEnabled(attached);
    ledCn_->setBackColor(attached ? WinColor::kBrightGreen : WinColor::kDarkGreen);
    lpth_->setText(QStringLiteral("Path Audio: ") + w_.state().PathLavoro);
}

void Diagnostica::send() {
    int value = 0;
    if (toLong(text1_->text(), value) && w_.core().writeLamps(value) == 1) {
        label2_->setText(QStringLiteral("OK"));
        return;
    }
    label1_->setText(QStringLiteral("* NO *"));
}

void Diagnostica::testPressed() {
    w_.core().writeLamps(15);
    led1_->setBackColor(WinColor::kRed);
    led2_->setBackColor(WinColor::kRed);
    led3_->setBackColor(kLed3Lit);
}

void Diagnostica::testReleased() {
    w_.core().rewriteLamps();
    led1_->setBackColor(kLedOff);
    led2_->setBackColor(kLedOff);
    led3_->setBackColor(kLed3Off);
}

void Diagnostica::clearRitardi() {
    ritardi_->clear();
}

void Diagnostica::appendRitardo(const QString& text) {
    QTextCursor end = ritardi_->textCursor();
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}

QString Diagnostica::ritardi() const {
    return ritardi_->toPlainText();
}

void Diagnostica::mirrorStatus(int s, bool groove1, bool groove2) {
    const int bits[6] = {PortIo::kLost,   PortIo::kPresent,  PortIo::kPedal2,
                         PortIo::kPedal1, PortIo::kPowerOff, PortIo::kConnect};
    for (int i = 0; i < 6; ++i) {
        checks_[i]->setChecked((s & bits[i]) != 0);
    }
    led1_->setBackColor(groove1 ? WinColor::kRed : kLedOff);
    led2_->setBackColor(groove2 ? WinColor::kRed : kLedOff);
}

void Diagnostica::closeEvent(QCloseEvent* event) {
    w_.state().DiagAperta = false;
    w_.core().setDiagnosticsOpen(false);
    w_.core().rewriteLamps();
    event->accept();
}
