#include "editor/songdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <cmath>

#include "config/sharedstate.h"
#include "editor/fileplacer.h"
#include "editor/gearmessagesframe.h"
#include "editor/groovetempo.h"
#include "editor/listener.h"
#include "editor/songbookchoice.h"
#include "library/librarywriter.h"
#include "platform/clock.h"
#include "platform/numbertext.h"
#include "platform/prompter.h"

namespace {

QString textOf(const QVariant& v) {
    if (v.isNull()) {
        return {};
    }
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::LongLong ||
        v.typeId() == QMetaType::Int) {
        return NumberText::format(v.toDouble());
    }
    return v.toString();
}

// An empty text is an empty (null) field.
QVariant fieldOf(const QLineEdit* edit) {
    const QString t = edit->text().trimmed();
    return t.isEmpty() ? QVariant() : QVariant(t);
}

QLineEdit* line(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAccessibleName(name);
    return e;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

SongDialog::SongDialog(const EditorServices& services, qint64 id, const SongRecord& song,
                       QWidget* parent)
    : GuardedDialog(parent), services_(services), id_(id), original_(song) {
    setObjectName(QStringLiteral("Brano"));
    setWindowTitle(id < 0 ? QStringLiteral("Brano: nuovo") : QStringLiteral("Brano"));
    setAttribute(Qt::WA_DeleteOnClose);
    listener_ = new Listener(services_, this);
    build();
    load(song);
    QString error;
    const GearMessages gear = id < 0 ? GearMessages() : services_.writer.gearMessages(id, &error);
    gearFrame_->load(gear, error);
    gearRead_ = error.isEmpty();  // messages that cannot be read now are not overwritten
    if (id >= 0) {
        QString trimError;
        const double trim = services_.writer.trim(id, &trimError);
        trimRead_ = trimError.isEmpty() ? trim : std::nan("");
        trim_->setValue(trimError.isEmpty() ? trim : 0);
        if (!services_.state.Canzonieri.isEmpty()) {
            QString bookError;
            const int book = services_.writer.songBook(id, &bookError);
            book_->load(book, bookError.isEmpty());
        }
    }
    connect(listener_, &Listener::stopped, this, &SongDialog::listened);
    connect(this, &QDialog::finished, listener_, &Listener::stop);
}

SongDialog::~SongDialog() {
    // Whatever the dialog started listening to ends with it.
    disconnect(listener_, nullptr, this, nullptr);
    listener_->stop();
}

void SongDialog::build() {
    auto* form = new QFormLayout;
    titoli_ = line(QStringLiteral("TextTitoli"), this);
    autore_ = line(QStringLiteral("TextAutore"), this);
    pagina_ = line(QStringLiteral("TextPagina"), this);
    pagina_->setValidator(new QIntValidator(0, 999999, pagina_));
    capotasto_ = line(QStringLiteral("TextCapotasto"), this);
    bpm_ = line(QStringLiteral("TextBpm"), this);
    form->addRow(QStringLiteral("Titolo:"), titoli_);
    form->addRow(QStringLiteral("Autore:"), autore_);
    // The songbook the page is in, beside it; only when the settings name books.
    book_ = new SongbookChoice(services_.state.Canzonieri, this);
    auto* bookLabel = new QLabel(QStringLiteral("Canzoniere:"), this);
    bookLabel->setBuddy(book_);
    auto* page = new QHBoxLayout;
    page->addWidget(pagina_, 1);
    page->addWidget(bookLabel);
    page->addWidget(book_, 2);
    bookLabel->setVisible(!services_.state.Canzonieri.isEmpty());
    book_->setVisible(!services_.state.Canzonieri.isEmpty());
    form->addRow(QStringLiteral("Pagina:"), page);
    form->addRow(QStringLiteral("Capotasto:"), capotasto_);
    auto* tempo = new QHBoxLayout;
    tempo->addWidget(bpm_, 1);
    auto* tapButton = button(QStringLiteral("Tap"), QStringLiteral("Tap"), this);
    tapButton->setToolTip(QStringLiteral("Batti il tempo: la media degli ultimi colpi"));
    fromGroove_ = button(QStringLiteral("DalGroove"), QStringLiteral("dal groove"), this);
    fromGroove_->setToolTip(
        QStringLiteral("Il tempo dalla durata del Groove 1 e dal numero dei suoi battiti"));
    tempo->addWidget(tapButton);
    tempo->addWidget(fromGroove_);
    form->addRow(QStringLiteral("BPM:"), tempo);
    connect(tapButton, &QPushButton::clicked, this, &SongDialog::tap);
    connect(fromGroove_, &QPushButton::clicked, this, &SongDialog::tempoFromGroove);

    loop_ = new QRadioButton(QStringLiteral("Brano Loop (groove WAV)"), this);
    loop_->setObjectName(QStringLiteral("OptLoop"));
    mp3_ = new QRadioButton(QStringLiteral("Brano Mp3"), this);
    mp3_->setObjectName(QStringLiteral("OptMp3"));
    auto* kind = new QHBoxLayout;
    kind->addWidget(loop_);
    kind->addWidget(mp3_);
    form->addRow(QStringLiteral("Tipo:"), kind);
    connect(loop_, &QRadioButton::toggled, this, &SongDialog::showKind);

    groove1_ = line(QStringLiteral("TextGroove1"), this);
    groove1_->setReadOnly(true);
    auto* choose1 = button(QStringLiteral("ScegliGroove1"), QStringLiteral("Scegli..."), this);
    auto* clear1 = button(QStringLiteral("TogliGroove1"), QStringLiteral("Togli"), this);
    auto* row1 = new QHBoxLayout;
    row1->addWidget(groove1_, 1);
    row1->addWidget(choose1);
    row1->addWidget(clear1);
    listen1_ = button(QStringLiteral("Ascolta1"), QStringLiteral("Ascolta"), this);
    row1->addWidget(listen1_);
    groove1Label_ = new QLabel(this);
    form->addRow(groove1Label_, row1);
    groove2_ = line(QStringLiteral("TextGroove2"), this);
    groove2_->setReadOnly(true);
    choose2_ = button(QStringLiteral("ScegliGroove2"), QStringLiteral("Scegli..."), this);
    clear2_ = button(QStringLiteral("TogliGroove2"), QStringLiteral("Togli"), this);
    auto* row2 = new QHBoxLayout;
    row2->addWidget(groove2_, 1);
    row2->addWidget(choose2_);
    row2->addWidget(clear2_);
    listen2_ = button(QStringLiteral("Ascolta2"), QStringLiteral("Ascolta"), this);
    row2->addWidget(listen2_);
    form->addRow(QStringLiteral("Groove 2:"), row2);
    connect(choose1, &QPushButton::clicked, this, [this] { chooseGroove(1); });
    connect(choose2_, &QPushButton::clicked, this, [this] { chooseGroove(2); });
    connect(listen1_, &QPushButton::clicked, this, [this] { listen(1); });
    connect(listen2_, &QPushButton::clicked, this, [this] { listen(2); });
    connect(clear1, &QPushButton::clicked, groove1_, &QLineEdit::clear);
    connect(clear2_, &QPushButton::clicked, groove2_, &QLineEdit::clear);

    auto* orders = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        auto* spin = new QSpinBox(this);
        spin->setObjectName(QStringLiteral("SpinSca%1").arg(i + 1));
        spin->setAccessibleName(QStringLiteral("Posizione nella Scaletta %1").arg(i + 1));
        spin->setRange(0, 99999);
        spin->setSpecialValueText(QStringLiteral("-"));
        orders->addWidget(new QLabel(QString::number(i + 1), this));
        orders->addWidget(spin);
        sca_[size_t(i)] = spin;
    }
    form->addRow(QStringLiteral("Scalette:"), orders);
    trim_ = new QDoubleSpinBox(this);
    trim_->setObjectName(QStringLiteral("SpinCorrezione"));
    trim_->setRange(-12, 12);
    trim_->setDecimals(1);
    trim_->setSingleStep(0.5);
    trim_->setSuffix(QStringLiteral(" dB"));
    trim_->setAccessibleName(QStringLiteral("Correzione volume in decibel"));
    trim_->setToolTip(QStringLiteral(
        "Con \"Livella il volume\" attivo, alza o abbassa questo brano rispetto agli altri."));
    auto* trimRow = new QHBoxLayout;
    trimRow->addWidget(trim_);
    trimRow->addStretch(1);
    form->addRow(QStringLiteral("Correzione volume:"), trimRow);
    gearFrame_ =
        new GearMessagesFrame(services_.gear, services_.writer, services_.prompter, *this, this);
    form->addRow(gearFrame_);

    auto* buttons = new QDialogButtonBox(this);
    salva_ = buttons->addButton(QStringLiteral("Salva"), QDialogButtonBox::AcceptRole);
    salva_->setObjectName(QStringLiteral("Salva"));
    annulla_ = buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    annulla_->setObjectName(QStringLiteral("Annulla"));
    guard(salva_);
    guard(annulla_);
    connect(salva_, &QPushButton::clicked, this, [this] { save(); });
    connect(annulla_, &QPushButton::clicked, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);
}

void SongDialog::load(const SongRecord& s) {
    titoli_->setText(s.Titoli);
    autore_->setText(textOf(s.Autore));
    pagina_->setText(s.Pagina.isNull() || s.Pagina.toLongLong() == 0 ? QString()
                                                                     : textOf(s.Pagina));
    capotasto_->setText(textOf(s.Capotasto));
    bpm_->setText(s.BPM.isNull() || s.BPM.toDouble() == 0 ? QString() : textOf(s.BPM));
    (s.Loop ? loop_ : mp3_)->setChecked(true);
    groove1_->setText(textOf(s.Groove1).trimmed());
    groove2_->setText(textOf(s.Groove2).trimmed());
    groove2Folder_ = FilePlacer::foundGrooveFolder(services_.state.PathLavoro, groove1_->text());
    for (int i = 0; i < 5; ++i) {
        const QVariant& p = s.Sca[size_t(i)];
        sca_[size_t(i)]->setValue(p.isNull() ? 0 : int(std::max<qlonglong>(0, p.toLongLong())));
    }
    showKind();
}

void SongDialog::showKind() {
    const bool loop = loop_->isChecked();
    groove1Label_->setText(loop ? QStringLiteral("Groove 1:") : QStringLiteral("File Mp3:"));
    // An MP3 song's second field can only be cleared: only loop songs have grooves.
    choose2_->setEnabled(loop);
    fromGroove_->setEnabled(loop);
    listen2_->setEnabled(loop);
}

void SongDialog::showTempo(double bpm) {
    if (bpm > 0 && bpm <= 999) {
        bpm_->setText(NumberText::format(std::round(bpm * 10) / 10));
    }
}

void SongDialog::tap() {
    showTempo(taps_.tap(services_.clock.monotonicMs()));
}

void SongDialog::tempoFromGroove() {
    const Busy busy(*this);
    if (const std::optional<double> bpm = GrooveTempo::ask(services_, groove1_->text(), this)) {
        showTempo(*bpm);
    }
}

std::optional<SongRecord> SongDialog::record() {
    SongRecord s = original_;
    s.Titoli = titoli_->text().trimmed();
    if (s.Titoli.isEmpty()) {
        services_.prompter.tell(QStringLiteral("Il titolo del brano è obbligatorio."), {},
                                Message::Icon::Exclamation);
        titoli_->setFocus();
        return std::nullopt;
    }
    s.Autore = fieldOf(autore_);
    s.Pagina = pagina_->text().isEmpty() ? QVariant() : QVariant(pagina_->text().toLongLong());
    s.Capotasto = fieldOf(capotasto_);
    const QString bpm = bpm_->text().trimmed();
    if (bpm.isEmpty()) {
        s.BPM = QVariant();
    } else {
        bool ok = false;
        const double value = QString(bpm).replace(u',', u'.').toDouble(&ok);
        if (!ok || value < 0 || value > 999) {
            services_.prompter.tell(
                QStringLiteral("Il tempo (BPM) deve essere un numero tra 0 e 999."), {},
                Message::Icon::Exclamation);
            bpm_->setFocus();
            return std::nullopt;
        }
        s.BPM = value == std::floor(value) ? QVariant(qlonglong(value)) : QVariant(value);
    }
    s.Loop = loop_->isChecked();
    s.Groove1 = fieldOf(groove1_);
    s.Groove2 = fieldOf(groove2_);
    for (int i = 0; i < 5; ++i) {
        const int p = sca_[size_t(i)]->value();
        s.Sca[size_t(i)] = p > 0 ? QVariant(qlonglong(p)) : QVariant();
    }
    return s;
}

bool SongDialog::save() {
    if (isBusy()) {
        return false;  // a chooser or question of this dialog is still open
    }
    qint64 id = -1;
    std::optional<SongRecord> s;
    {
        const Busy busy(*this);
        s = record();
        const std::optional<GearMessages> gear = s ? gearFrame_->messages() : std::nullopt;
        if (!gear || !store(*s, *gear, &id)) {
            return false;
        }
    }
    accept();
    emit saved(id, *s, id_ < 0);
    return true;
}

bool SongDialog::store(const SongRecord& s, const GearMessages& gear, qint64* id) {
    QString error;
    bool ok = false;
    if (id_ < 0) {
        const std::optional<qint64> added = services_.writer.addSong(s, gear, &error);
        ok = added.has_value();
        *id = added.value_or(-1);
    } else {
        ok = gearRead_ ? services_.writer.updateSong(id_, s, gear, &error)
                       : services_.writer.updateSong(id_, s, &error);
        *id = id_;
    }
    if (!ok) {
        services_.prompter.tell(error, {}, Message::Icon::Critical);
        return false;
    }
    // A trim that could not be read is left alone unless the user changed it.
    const double trim = trim_->value();
    if (trim != trimRead_ && !(std::isnan(trimRead_) && trim == 0) &&
        !services_.writer.setTrim(*id, trim, &error)) {
        services_.prompter.tell(error, {}, Message::Icon::Critical);
    }
    // So is a book that could not be read, and one the settings no longer have.
    if (book_->changed() &&
        !services_.writer.setSongBook(*id, book_->chosen(services_.state.Canzonieri), &error)) {
        services_.prompter.tell(error, {}, Message::Icon::Critical);
    }
    if (s.Loop && !s.Groove1.isNull() && (s.BPM.isNull() || s.BPM.toDouble() < 60)) {
        // The same warning the library check gives for a loop song this slow.
        services_.prompter.tell(QStringLiteral("Errore BPM su ") + s.Titoli, {},
                                Message::Icon::Exclamation);
    }
    return true;
}
