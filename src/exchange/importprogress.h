#pragma once

#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// The progress of a long import or export: a window-modal progress dialog
// ("ImportProgress") with an "Annulla" button, shown at once. Each step lets the
// program handle its events, so the main tick, the pedals and the keys go on
// while the work runs, and nothing that sounds is held up. GUI thread only.
class ImportProgress {
public:
    ImportProgress(const QString& label, QWidget* parent);
    ~ImportProgress();
    ImportProgress(const ImportProgress&) = delete;
    ImportProgress& operator=(const ImportProgress&) = delete;

    // Shows done of total; false once the user has asked to cancel.
    bool step(int done, int total);
    bool cancelled() const;

private:
    QPointer<QProgressDialog> dialog_;
    bool cancelled_ = false;
};
