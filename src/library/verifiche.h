#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

#include "library/verifichecheck.h"
#include "library/verifichelog.h"

class DataSource;
class Prompter;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
struct SharedState;

// The library check window `Verifiche`: the song count of the list to verify
// (`Titolo`, taken when the window is made), the log (`TxtVer`), the progress over
// the songs (`PrgBar`), and the buttons `Inizia`, which runs the check, and
// `Esci`, which closes the window. Modeless; destroyed when closed. GUI thread only.
class Verifiche : public QWidget {
    Q_OBJECT
public:
    // state gives the folders, data1 the list shown in the main grid, prompter
    // shows the WAV format failures.
    Verifiche(const SharedState& state, DataSource& data1, Prompter& prompter,
              QWidget* parent = nullptr);
    ~Verifiche() override;

    static QString caption();
    // "Verifiche: " + the count with its sign position + " songs".
    static QString titoloText(int count);

    // The output ports the system lists now (GearOutput::ports()), for the check of
    // the ports songs send messages to; unset, they are not checked.
    void setGearPorts(std::function<QStringList()> ports) { gearPorts_ = std::move(ports); }
    // What the library holds of its files' loudness, asked as the check starts (which
    // has them looked at again); unset, the loudness is not checked.
    void setLoudness(VerificheCheck::Loudness loudness) { loudness_ = std::move(loudness); }

    // Runs the check (what `Inizia` does).
    void inizia();
    // The log as written, lines ending in CR LF; `TxtVer` shows it line by line.
    QString log() const { return log_.text(); }

protected:
    // The window stays while its check runs (a message box of the check lets
    // events through).
    void closeEvent(QCloseEvent* event) override;

private:
    void showLog();

    const SharedState& state_;
    DataSource& data1_;
    Prompter& prompter_;
    std::function<QStringList()> gearPorts_;
    VerificheCheck::Loudness loudness_;
    VerificheLog log_;
    bool running_ = false;
    QLabel* titolo_ = nullptr;
    QPlainTextEdit* txtVer_ = nullptr;
    QProgressBar* prgBar_ = nullptr;
    QPushButton* inizia_ = nullptr;
    QPushButton* esci_ = nullptr;
};
