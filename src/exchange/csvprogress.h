#pragma once

#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// The progress window of a long import or export ("Avanzamento"): a bar, a label
// and the button "Annulla". While it is shown, each step lets the program go on
// with its own work (the pedal box's tick, the timers, the sound never stops: it
// plays on its own thread), and the window blocks only the window it belongs to.
// Closed when this object goes. GUI thread only.
class CsvProgress {
public:
    CsvProgress(const QString& label, int total, QWidget* parent);
    ~CsvProgress();
    CsvProgress(const CsvProgress&) = delete;
    CsvProgress& operator=(const CsvProgress&) = delete;

    // Shows done out of the total; false once the user has pressed "Annulla".
    bool step(int done);
    void setLabel(const QString& label);
    bool cancelled() const;

private:
    QPointer<QProgressDialog> dialog_;
};
