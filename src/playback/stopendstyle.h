#pragma once

class QCheckBox;

// The play-list switch `Stopend`: ticked it reads "Stop dopo ogni brano" in black,
// unticked "Play List attiva" in bold red. Applied whenever its state changes,
// by a click or by song preparation.
class StopendStyle {
public:
    static void attach(QCheckBox& box);
    static void apply(QCheckBox& box);
};
