#include "exchange/csvprogress.h"

#include <QProgressDialog>

CsvProgress::CsvProgress(const QString& label, int total, QWidget* parent) {
    dialog_ = new QProgressDialog(label, QStringLiteral("Annulla"), 0, total, parent);
    dialog_->setObjectName(QStringLiteral("Avanzamento"));
    dialog_->setWindowTitle(QStringLiteral("Quintora"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    dialog_->show();
}

CsvProgress::~CsvProgress() {
    if (dialog_) {
        dialog_->close();
        delete dialog_.data();
    }
}

bool CsvProgress::step(int done) {
    if (!dialog_) {
        return false;
    }
    // A modal progress window lets the event loop run inside setValue().
    dialog_->setValue(qMin(done, dialog_->maximum()));
    return dialog_ && !dialog_->wasCanceled();
}

void CsvProgress::setLabel(const QString& label) {
    if (dialog_) {
        dialog_->setLabelText(label);
    }
}

bool CsvProgress::cancelled() const {
    return !dialog_ || dialog_->wasCanceled();
}
