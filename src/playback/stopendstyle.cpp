#include "playback/stopendstyle.h"

#include <QCheckBox>

#include "platform/wincolor.h"

void StopendStyle::attach(QCheckBox& box) {
    QObject::connect(&box, &QCheckBox::toggled, &box, [&box] { apply(box); });
    apply(box);
}

void StopendStyle::apply(QCheckBox& box) {
    const bool ticked = box.isChecked();
    box.setText(ticked ? QStringLiteral("Stop dopo ogni brano")
                       : QStringLiteral("Play List attiva"));
    QPalette p = box.palette();
    p.setColor(QPalette::WindowText,
               WinColor::toQColor(ticked ? WinColor::kBlack : WinColor::kRed));
    box.setPalette(p);
    QFont f = box.font();
    f.setBold(!ticked);
    box.setFont(f);
}
