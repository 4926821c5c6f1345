#pragma once

#include <QWidget>

#include "loudness/leveloptions.h"

class QCheckBox;
class QDoubleSpinBox;

// The settings' row of even loudness: "Livella il volume" (`CheckLivella`), the
// loudness every song is brought to (`SpinObiettivo`, LUFS) and the true peak no
// gain lifts a file above (`SpinTetto`, dBTP); the two numbers wait while the box
// is not ticked. GUI thread.
class LevelControls : public QWidget {
    Q_OBJECT
public:
    explicit LevelControls(QWidget* parent = nullptr);

    void load(const LevelOptions& options);
    LevelOptions options() const;

private:
    QCheckBox* on_ = nullptr;
    QDoubleSpinBox* target_ = nullptr;
    QDoubleSpinBox* ceiling_ = nullptr;
};
