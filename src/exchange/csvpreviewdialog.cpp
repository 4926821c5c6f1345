#include "exchange/csvpreviewdialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "exchange/csvimport.h"
#include "exchange/csvsongcolumns.h"

namespace {

QString separatorName(QChar c) {
    if (c == QLatin1Char(';')) {
        return QStringLiteral("punto e virgola");
    }
    if (c == QLatin1Char('\t')) {
        return QStringLiteral("tabulazione");
    }
    return QStringLiteral("virgola");
}

QString shown(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

}  // namespace

CsvPreviewDialog::CsvPreviewDialog(const CsvImport& import, const QString& fileName,
                                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AnteprimaCsv"));
    setWindowTitle(QStringLiteral("Importa CSV"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);

    auto* summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("RiepilogoCsv"));
    summary->setWordWrap(true);
    summary->setText(
        QStringLiteral("File: %1 (letto come %2)\nSeparatore: %3. Righe di brani: %4. Brani da "
                       "importare: %5. Righe scartate: %6.")
            .arg(QDir::toNativeSeparators(fileName), CsvFormat::encodingName(import.encoding()),
                 separatorName(import.separator()))
            .arg(import.rowCount())
            .arg(import.songs().size())
            .arg(import.rowCount() - import.songs().size()));
    layout->addWidget(summary);

    const QStringList header = CsvSongColumns::header();
    const int rows = qMin<int>(kPreviewRows, int(import.songs().size()));
    auto* table = new QTableWidget(rows, int(header.size()), this);
    table->setObjectName(QStringLiteral("AnteprimaRighe"));
    table->setHorizontalHeaderLabels(header);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < rows; ++r) {
        const SongRecord& s = import.songs()[r];
        const QStringList cells = {
            s.Titoli,         shown(s.Autore),
            shown(s.Pagina),  shown(s.Capotasto),
            shown(s.BPM),     s.Loop ? QStringLiteral("Sì") : QStringLiteral("No"),
            shown(s.Groove1), shown(s.Groove2)};
        for (int c = 0; c < int(cells.size()); ++c) {
            table->setItem(r, c, new QTableWidgetItem(cells[c]));
        }
        for (int i = 0; i < 5; ++i) {
            table->setItem(r, CsvSongColumns::Sca1 + i,
                           new QTableWidgetItem(shown(s.Sca[size_t(i)])));
        }
        table->setVerticalHeaderItem(
            r, new QTableWidgetItem(QStringLiteral("Riga %1").arg(import.rows()[r])));
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(table, 1);

    QStringList notes;
    if (!import.ignoredColumns().isEmpty()) {
        notes << QStringLiteral("Colonne non usate: %1.")
                     .arg(import.ignoredColumns().join(QStringLiteral(", ")));
    }
    notes << import.problems() << import.gearProblems();
    auto* problems = new QPlainTextEdit(this);
    problems->setObjectName(QStringLiteral("ProblemiCsv"));
    problems->setReadOnly(true);
    problems->setPlainText(notes.isEmpty() ? QStringLiteral("Nessun problema trovato.")
                                           : notes.join(QLatin1Char('\n')));
    problems->setMaximumHeight(120);
    layout->addWidget(new QLabel(QStringLiteral("Problemi:"), this));
    layout->addWidget(problems);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* go = buttons->addButton(QStringLiteral("Importa"), QDialogButtonBox::AcceptRole);
    go->setObjectName(QStringLiteral("Importa"));
    go->setEnabled(!import.songs().isEmpty());
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 460);
}
