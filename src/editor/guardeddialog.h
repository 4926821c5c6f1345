#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

class QAbstractButton;

// A dialog that stays whole while one of its own choosers or questions is open.
// Each of those runs an event loop of its own, in which other windows (and
// assistive technology, even under a modal window) can still press this dialog's
// buttons; were the dialog to close and delete itself there, the chooser would
// return into a dialog that is gone. So while a Busy is alive the guarded buttons
// are disabled, and a close or accept asked meanwhile happens once the last Busy
// is gone. GUI thread only.
class GuardedDialog : public QDialog {
    Q_OBJECT
public:
    explicit GuardedDialog(QWidget* parent = nullptr) : QDialog(parent) {}

    // While alive, a chooser or a question of dialog is open.
    class Busy {
    public:
        explicit Busy(GuardedDialog& dialog);
        ~Busy();
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        QPointer<GuardedDialog> dialog_;
    };

    bool isBusy() const { return busy_ > 0; }
    void done(int result) override;

protected:
    // Buttons that do nothing while the dialog is busy (e.g. "Salva", "Annulla").
    void guard(QAbstractButton* button);
    void closeEvent(QCloseEvent* event) override;

private:
    void setBusy(bool busy);

    QList<QPointer<QAbstractButton>> guarded_;
    int busy_ = 0;
    bool closeWhenFree_ = false;
};
