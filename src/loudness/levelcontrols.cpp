#include "loudness/levelcontrols.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>

namespace {
QDoubleSpinBox* spin(const char* name, double low, double high, const QString& suffix,
                     const QString& accessible) {
    auto* s = new QDoubleSpinBox;
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(low, high);
    s->setDecimals(1);
    s->setSingleStep(0.5);
    s->setSuffix(suffix);
    s->setAccessibleName(accessible);
    return s;
}
}  // namespace

LevelControls::LevelControls(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LivelloVolume"));
    on_ = new QCheckBox(QStringLiteral("Livella il volume"));
    on_->setObjectName(QStringLiteral("CheckLivella"));
    on_->setToolTip(QStringLiteral(
        "Porta basi e groove alla stessa intensità sonora (EBU R128): i file vengono misurati "
        "in sottofondo e ognuno suona col guadagno che lo porta all'obiettivo, senza che il "
        "picco superi il tetto. I volumi restano regolabili come sempre."));
    target_ = spin("SpinObiettivo", LevelOptions::kMinTarget, LevelOptions::kMaxTarget,
                   QStringLiteral(" LUFS"), QStringLiteral("Obiettivo di intensità in LUFS"));
    ceiling_ = spin("SpinTetto", LevelOptions::kMinCeiling, 0, QStringLiteral(" dBTP"),
                    QStringLiteral("Tetto del picco in dBTP"));
    auto* targetLabel = new QLabel(QStringLiteral("a"));
    targetLabel->setBuddy(target_);
    auto* ceilingLabel = new QLabel(QStringLiteral("tetto"));
    ceilingLabel->setBuddy(ceiling_);
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(on_);
    h->addWidget(targetLabel);
    h->addWidget(target_);
    h->addWidget(ceilingLabel);
    h->addWidget(ceiling_);
    h->addStretch(1);
    connect(on_, &QCheckBox::toggled, this, [this](bool on) {
        target_->setEnabled(on);
        ceiling_->setEnabled(on);
    });
    load({});
}

void LevelControls::load(const LevelOptions& options) {
    on_->setChecked(options.on);
    target_->setValue(options.target);
    ceiling_->setValue(options.ceiling);
    target_->setEnabled(options.on);
    ceiling_->setEnabled(options.on);
}

LevelOptions LevelControls::options() const {
    return {on_->isChecked(), target_->value(), ceiling_->value()};
}
