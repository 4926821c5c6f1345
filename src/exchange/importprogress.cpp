#include "exchange/importprogress.h"

#include <QCoreApplication>
#include <QProgressDialog>

ImportProgress::ImportProgress(const QString& label, QWidget* parent)
    : dialog_(new QProgressDialog(label, QStringLiteral("Annulla"), 0, 0, parent)) {
    dialog_->setObjectName(QStringLiteral("ImportProgress"));
    dialog_->setWindowTitle(QStringLiteral("Quintora"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    QObject::connect(dialog_, &QProgressDialog::canceled, dialog_, [this] { cancelled_ = true; });
    dialog_->show();
    QCoreApplication::processEvents();
}

ImportProgress::~ImportProgress() {
    delete dialog_.data();
}

bool ImportProgress::step(int done, int total) {
    if (dialog_) {
        dialog_->setMaximum(std::max(total, 1));
        dialog_->setValue(std::min(done, std::max(total, 1)));
    }
    // The rest of the program (the main tick above all) keeps running meanwhile.
    QCoreApplication::processEvents();
    return !cancelled();
}

bool ImportProgress::cancelled() const {
    return cancelled_ || !dialog_ || dialog_->wasCanceled();
}
