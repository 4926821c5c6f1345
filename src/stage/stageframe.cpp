#include "stage/stageframe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <algorithm>

#include "loudness/levelcontrols.h"

StageFrame::StageFrame(QWidget* parent) : QGroupBox(QStringLiteral("Palco "), parent) {
    setObjectName(QStringLiteral("FramePalco"));
    auto* g = new QGridLayout(this);
    cue_ = new QCheckBox(QStringLiteral("Prepara senza fermare"));
    cue_->setObjectName(QStringLiteral("CheckPrepara"));
    cue_->setToolTip(
        QStringLiteral("Con un brano che suona, Esc segna il brano evidenziato come prossimo: "
                       "viene preparato appena il suono si ferma."));
    next_ = new QCheckBox(QStringLiteral("Prepara il successivo"));
    next_->setObjectName(QStringLiteral("CheckSuccessivo"));
    next_->setToolTip(
        QStringLiteral("Quando il brano che suona finisce o lo fermi col pedale, il brano "
                       "seguente della lista viene preparato da solo."));
    resume_ = new QCheckBox(QStringLiteral("Riprendi suonando dopo un arresto"));
    resume_->setObjectName(QStringLiteral("CheckRiprendi"));
    resume_->setToolTip(QStringLiteral(
        "Se Quintora si arresta di colpo viene riavviato da solo e il brano che suonava "
        "riprende dal punto in cui era (non più di due volte in un minuto)."));
    output_ = new QComboBox;
    output_->setObjectName(QStringLiteral("CmbClick"));
    output_->addItem(QStringLiteral("Nessuna"), int(kNowhere));
    output_->addItem(QStringLiteral("Uscita principale"), int(kMain));
    output_->addItem(QStringLiteral("Canali 3-4 (in-ear)"), int(kMonitor));
    level_ = new QSpinBox;
    level_->setObjectName(QStringLiteral("SpinClick"));
    level_->setRange(0, 100);
    level_->setSuffix(QStringLiteral(" %"));
    auto* outputLabel = new QLabel(QStringLiteral("Click del conteggio:"));
    outputLabel->setBuddy(output_);
    auto* levelLabel = new QLabel(QStringLiteral("Livello click:"));
    levelLabel->setBuddy(level_);
    // Three rows, so that the settings dialog still fits a 1024x768 screen.
    auto* checks = new QHBoxLayout;
    checks->addWidget(cue_);
    checks->addWidget(next_);
    checks->addWidget(resume_);
    checks->addStretch(1);
    g->addLayout(checks, 0, 0, 1, 4);
    g->addWidget(outputLabel, 1, 0);
    g->addWidget(output_, 1, 1);
    g->addWidget(levelLabel, 1, 2);
    g->addWidget(level_, 1, 3);
    levels_ = new LevelControls;
    g->addWidget(levels_, 2, 0, 1, 4);
    load(false, kNowhere, 50);
}

void StageFrame::load(bool cueWithoutStopping, int clickOutput, int clickLevel) {
    cue_->setChecked(cueWithoutStopping);
    setClickOutput(clickOutput);
    level_->setValue(std::clamp(clickLevel, 0, 100));
}

void StageFrame::setClickOutput(int output) {
    const int index = output_->findData(output);
    output_->setCurrentIndex(index < 0 ? 0 : index);
}

bool StageFrame::cueWithoutStopping() const {
    return cue_->isChecked();
}

void StageFrame::setPrepareNext(bool on) {
    next_->setChecked(on);
}

bool StageFrame::prepareNext() const {
    return next_->isChecked();
}

void StageFrame::setResumeSounding(bool on) {
    resume_->setChecked(on);
}

bool StageFrame::resumeSounding() const {
    return resume_->isChecked();
}

int StageFrame::clickOutput() const {
    return output_->currentData().toInt();
}

int StageFrame::clickLevel() const {
    return level_->value();
}

QString StageFrame::monitorRefusedText(const QString& device) {
    return QStringLiteral(
               "Il dispositivo audio \"%1\" ha solo due canali: il click del conteggio non può "
               "andare sui canali 3-4. Il click resta dove era.")
        .arg(device.isEmpty() ? QStringLiteral("Predefinito") : device);
}
