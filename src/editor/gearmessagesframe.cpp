#include "editor/gearmessagesframe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/guardeddialog.h"
#include "editor/programspinbox.h"
#include "gear/gearoutput.h"
#include "library/geartext.h"
#include "library/librarywriter.h"
#include "platform/prompter.h"

namespace {

enum Column { Tipo, Porta, Canale, BancoMsb, BancoLsb, Numero, Valore, SysEx, Columns };

const char* const kRowProperty = "rigaMidi";

QString kindName(GearMessage::Kind kind) {
    switch (kind) {
        case GearMessage::Kind::Program:
            return QStringLiteral("Programma");
        case GearMessage::Kind::Control:
            return QStringLiteral("Controllo");
        case GearMessage::Kind::SysEx:
            break;
    }
    return QStringLiteral("SysEx");
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QSpinBox* spin(int from, int to, int value) {
    auto* s = new QSpinBox;
    s->setRange(from, to);
    if (from < 0) {
        s->setSpecialValueText(QStringLiteral("-"));
    }
    s->setValue(value);
    return s;
}

}  // namespace

// A message as its row holds it: a SysEx as typed, until it is taken.
struct GearMessagesFrame::Row {
    GearMessage message;
    QString sysExText;
};

GearMessagesFrame::GearMessagesFrame(GearOutput* gear, LibraryWriter& writer, Prompter& prompter,
                                     GuardedDialog& dialog, QWidget* parent)
    : QGroupBox(QStringLiteral("MIDI"), parent),
      gear_(gear),
      writer_(writer),
      prompter_(prompter),
      dialog_(dialog) {
    setObjectName(QStringLiteral("FrameMidi"));
    build();
}

GearMessagesFrame::~GearMessagesFrame() = default;

void GearMessagesFrame::build() {
    table_ = new QTableWidget(0, Columns, this);
    table_->setObjectName(QStringLiteral("TabellaMidi"));
    table_->setAccessibleName(QStringLiteral("Messaggi MIDI del brano"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Tipo"), QStringLiteral("Porta"),
                                       QStringLiteral("Canale"), QStringLiteral("Banco MSB"),
                                       QStringLiteral("Banco LSB"),
                                       QStringLiteral("Programma / Controllo"),
                                       QStringLiteral("Valore"), QStringLiteral("SysEx")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(Porta, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(SysEx, QHeaderView::Stretch);
    table_->setMinimumHeight(130);
    connect(table_, &QTableWidget::currentCellChanged, this, [this] { showCounting(); });

    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("TipoMidi"));
    kind_->setAccessibleName(QStringLiteral("Tipo del messaggio da aggiungere"));
    for (const auto kind :
         {GearMessage::Kind::Program, GearMessage::Kind::Control, GearMessage::Kind::SysEx}) {
        kind_->addItem(kindName(kind));
    }
    auto* adding = button(QStringLiteral("AggiungiMidi"), QStringLiteral("Aggiungi"), this);
    auto* removing = button(QStringLiteral("TogliMidi"), QStringLiteral("Togli"), this);
    auto* up = button(QStringLiteral("SuMidi"), QStringLiteral("Su"), this);
    auto* down = button(QStringLiteral("GiuMidi"), QStringLiteral("Giù"), this);
    send_ = button(QStringLiteral("InviaOra"), QStringLiteral("Invia ora"), this);
    send_->setEnabled(gear_ != nullptr);
    send_->setToolTip(gear_ ? QStringLiteral("Invia adesso i messaggi come sono nella tabella")
                            : QStringLiteral("MIDI non disponibile"));
    countFromOne_ = new QCheckBox(QStringLiteral("Programmi da 1"), this);
    countFromOne_->setObjectName(QStringLiteral("ProgrammiDa1"));
    countFromOne_->setToolTip(
        QStringLiteral("Il manuale dello strumento su questa porta conta i programmi da 1"));
    countFromOne_->setEnabled(false);

    connect(adding, &QPushButton::clicked, this, [this] {
        GearMessage m;
        m.kind = GearMessage::Kind(kind_->currentIndex());
        if (m.kind == GearMessage::Kind::Control) {
            m.number = 7;  // volume, the usual one
            m.value = 100;
        }
        takeRows();
        m.port = rows_.isEmpty() ? knownPorts().value(0) : rows_.last().message.port;
        add(m);
    });
    connect(removing, &QPushButton::clicked, this, &GearMessagesFrame::remove);
    connect(up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { move(1); });
    connect(send_, &QPushButton::clicked, this, &GearMessagesFrame::sendNow);
    connect(countFromOne_, &QCheckBox::toggled, this, &GearMessagesFrame::setCounting);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(kind_);
    buttons->addWidget(adding);
    buttons->addWidget(removing);
    buttons->addWidget(up);
    buttons->addWidget(down);
    buttons->addStretch(1);
    buttons->addWidget(countFromOne_);
    buttons->addWidget(send_);
    auto* v = new QVBoxLayout(this);
    v->addWidget(table_, 1);
    v->addLayout(buttons);
}

void GearMessagesFrame::load(const GearMessages& messages, const QString& readError) {
    if (!readError.isEmpty()) {
        setEnabled(false);
        setTitle(QStringLiteral("MIDI: i messaggi non si possono leggere ora"));
        setToolTip(readError);
    }
    QString error;
    fromOne_ = writer_.portsCountingFromOne(&error);  // unreadable: counted from 0
    present_ = gear_ ? gear_->ports() : QStringList();
    rows_.clear();
    for (const GearMessage& m : messages) {
        rows_ << Row{m, GearText::hex(m.sysEx)};
    }
    showRows(rows_.isEmpty() ? -1 : 0);
}

void GearMessagesFrame::add(const GearMessage& message) {
    rows_ << Row{message, GearText::hex(message.sysEx)};
    showRows(int(rows_.size()) - 1);
    if (QWidget* w = table_->cellWidget(int(rows_.size()) - 1, Porta)) {
        w->setFocus();
    }
}

void GearMessagesFrame::remove() {
    const int row = table_->currentRow();
    if (row < 0 || row >= rows_.size()) {
        return;
    }
    takeRows();
    rows_.removeAt(row);
    showRows(std::min(row, int(rows_.size()) - 1));
}

void GearMessagesFrame::move(int by) {
    const int row = table_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= rows_.size()) {
        return;
    }
    takeRows();
    rows_.swapItemsAt(row, to);
    showRows(to);
}

QStringList GearMessagesFrame::knownPorts() const {
    QStringList ports = present_;
    for (const Row& r : rows_) {
        if (!r.message.port.isEmpty() && !ports.contains(r.message.port)) {
            ports << r.message.port;
        }
    }
    return ports;
}

void GearMessagesFrame::showRows(int current) {
    const QStringList ports = knownPorts();
    table_->setRowCount(0);
    table_->setRowCount(int(rows_.size()));
    const auto place = [this](int row, int column, QWidget* w, const QString& name) {
        w->setObjectName(QStringLiteral("%1Midi(%2)").arg(name).arg(row));
        w->setAccessibleName(QStringLiteral("%1 del messaggio %2").arg(name).arg(row + 1));
        w->setProperty(kRowProperty, row);
        w->installEventFilter(this);
        table_->setCellWidget(row, column, w);
    };
    for (int i = 0; i < rows_.size(); ++i) {
        const GearMessage& m = rows_[i].message;
        auto* kind = new QTableWidgetItem(kindName(m.kind));
        table_->setItem(i, Tipo, kind);
        auto* port = new QComboBox;
        port->setEditable(true);
        port->setInsertPolicy(QComboBox::NoInsert);
        port->addItems(ports);
        port->setEditText(m.port);
        place(i, Porta, port, QStringLiteral("Porta"));
        connect(port, &QComboBox::editTextChanged, this,
                [this, i](const QString& text) { portTyped(i, text); });
        if (m.kind == GearMessage::Kind::SysEx) {
            auto* hex = new QLineEdit(rows_[i].sysExText);
            hex->setPlaceholderText(QStringLiteral("F0 .. F7"));
            place(i, SysEx, hex, QStringLiteral("SysEx"));
            continue;
        }
        place(i, Canale, spin(1, 16, m.channel), QStringLiteral("Canale"));
        if (m.kind == GearMessage::Kind::Control) {
            place(i, Numero, spin(0, 127, m.number), QStringLiteral("Numero"));
            place(i, Valore, spin(0, 127, m.value), QStringLiteral("Valore"));
            continue;
        }
        place(i, BancoMsb, spin(-1, 127, m.bankMsb), QStringLiteral("BancoMsb"));
        place(i, BancoLsb, spin(-1, 127, m.bankLsb), QStringLiteral("BancoLsb"));
        auto* program = new ProgramSpinBox;
        program->setValue(m.number);
        program->setCountsFromOne(fromOne_.contains(m.port));
        place(i, Numero, program, QStringLiteral("Numero"));
    }
    if (current >= 0) {
        table_->setCurrentCell(current, Porta);
    }
    showCounting();
}

// The rows' controls hold what was typed; the rows take it before the table is
// made again.
void GearMessagesFrame::takeRows() {
    const auto number = [this](int row, int column, int* out) {
        if (auto* s = qobject_cast<QSpinBox*>(table_->cellWidget(row, column))) {
            *out = s->value();
        }
    };
    for (int i = 0; i < rows_.size() && i < table_->rowCount(); ++i) {
        GearMessage& m = rows_[i].message;
        if (auto* port = qobject_cast<QComboBox*>(table_->cellWidget(i, Porta))) {
            m.port = port->currentText().trimmed();
        }
        if (auto* hex = qobject_cast<QLineEdit*>(table_->cellWidget(i, SysEx))) {
            rows_[i].sysExText = hex->text();
        }
        number(i, Canale, &m.channel);
        number(i, BancoMsb, &m.bankMsb);
        number(i, BancoLsb, &m.bankLsb);
        number(i, Numero, &m.number);
        number(i, Valore, &m.value);
    }
}

void GearMessagesFrame::portTyped(int row, const QString& port) {
    if (auto* program = dynamic_cast<ProgramSpinBox*>(table_->cellWidget(row, Numero))) {
        program->setCountsFromOne(fromOne_.contains(port.trimmed()));
    }
    if (row == table_->currentRow()) {
        showCounting();
    }
}

void GearMessagesFrame::showCounting() {
    const int row = table_->currentRow();
    auto* port = qobject_cast<QComboBox*>(table_->cellWidget(row, Porta));
    const QString name = port ? port->currentText().trimmed() : QString();
    const QSignalBlocker quiet(countFromOne_);
    countFromOne_->setEnabled(!name.isEmpty());
    countFromOne_->setChecked(fromOne_.contains(name));
    countFromOne_->setText(name.isEmpty() ? QStringLiteral("Programmi da 1")
                                          : QStringLiteral("Programmi da 1 (%1)").arg(name));
}

void GearMessagesFrame::setCounting(bool fromOne) {
    const int row = table_->currentRow();
    auto* port = qobject_cast<QComboBox*>(table_->cellWidget(row, Porta));
    const QString name = port ? port->currentText().trimmed() : QString();
    if (name.isEmpty()) {
        return;
    }
    QString error;
    if (!writer_.setCountsFromOne(name, fromOne, &error)) {
        tell(error);
        showCounting();
        return;
    }
    if (fromOne) {
        fromOne_.insert(name);
    } else {
        fromOne_.remove(name);
    }
    for (int i = 0; i < table_->rowCount(); ++i) {
        portTyped(i, qobject_cast<QComboBox*>(table_->cellWidget(i, Porta))->currentText());
    }
}

std::optional<GearMessages> GearMessagesFrame::messages() {
    takeRows();
    GearMessages out;
    for (int i = 0; i < rows_.size(); ++i) {
        GearMessage m = rows_[i].message;
        QString problem;
        if (m.port.isEmpty()) {
            problem = QStringLiteral("manca la porta a cui inviarlo.");
        } else if (m.kind == GearMessage::Kind::SysEx) {
            const std::optional<QByteArray> bytes = GearText::bytes(rows_[i].sysExText);
            m.sysEx = bytes.value_or(QByteArray());
            if (!bytes || m.wire().empty()) {
                problem = QStringLiteral(
                    "il SysEx deve essere scritto in esadecimale, cominciare con F0, finire "
                    "con F7 e avere in mezzo solo byte da 00 a 7F (per esempio \"F0 7E 7F 06 "
                    "01 F7\").");
            }
        } else if (m.wire().empty()) {
            problem = QStringLiteral("un valore è fuori dai limiti.");
        }
        if (!problem.isEmpty()) {
            table_->setCurrentCell(
                i, m.kind == GearMessage::Kind::SysEx && !m.port.isEmpty() ? SysEx : Porta);
            tell(QStringLiteral("Messaggio MIDI %1: %2").arg(i + 1).arg(problem));
            if (QWidget* w = table_->cellWidget(i, table_->currentColumn())) {
                w->setFocus();
            }
            return std::nullopt;
        }
        out << m;
    }
    return out;
}

void GearMessagesFrame::sendNow() {
    if (!gear_) {
        return;
    }
    const std::optional<GearMessages> list = messages();
    if (list && !list->isEmpty()) {
        gear_->sendNow(*list);
    }
}

bool GearMessagesFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const QVariant row = watched->property(kRowProperty);
        if (row.isValid() && row.toInt() != table_->currentRow()) {
            table_->setCurrentCell(row.toInt(),
                                   table_->currentColumn() < 0 ? Porta : table_->currentColumn());
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void GearMessagesFrame::tell(const QString& text) {
    const GuardedDialog::Busy busy(dialog_);
    prompter_.tell(text, {}, Message::Icon::Exclamation);
}
