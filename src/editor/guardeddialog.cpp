#include "editor/guardeddialog.h"

#include <QAbstractButton>
#include <QCloseEvent>

GuardedDialog::Busy::Busy(GuardedDialog& dialog) : dialog_(&dialog) {
    dialog.setBusy(true);
}

GuardedDialog::Busy::~Busy() {
    if (dialog_) {
        dialog_->setBusy(false);
    }
}

void GuardedDialog::guard(QAbstractButton* button) {
    guarded_ << button;
}

void GuardedDialog::setBusy(bool busy) {
    busy_ += busy ? 1 : -1;
    for (const QPointer<QAbstractButton>& b : guarded_) {
        if (b) {
            b->setEnabled(busy_ == 0);
        }
    }
    if (busy_ == 0 && closeWhenFree_) {
        closeWhenFree_ = false;
        close();
    }
}

void GuardedDialog::done(int result) {
    if (busy_ > 0) {
        closeWhenFree_ = true;
        return;
    }
    QDialog::done(result);
}

void GuardedDialog::closeEvent(QCloseEvent* event) {
    if (busy_ > 0) {
        closeWhenFree_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
