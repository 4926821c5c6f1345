// Values from files and the library that no timer or message box could take whole.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include "platform/hirestimer.h"
#include "platform/manualclock.h"
#include "platform/messageboxprompter.h"
#include "platform/messagetext.h"

TEST(TimerRange, AnIntervalBeyondTheLongestRunsAtTheLongest) {
    ManualClock clock;
    HiResTimer timer(clock, QStringLiteral("t"), 3.0e9);
    timer.setEnabled(true);
    EXPECT_EQ(clock.msToNextTimer(), HiResTimer::kMaximumMs);
    // The interval asked for is still what the timer says it has.
    EXPECT_EQ(timer.interval(), 3.0e9);
    timer.setInterval(1.0e300);
    EXPECT_EQ(clock.msToNextTimer(), HiResTimer::kMaximumMs);
    timer.setInterval(250);
    EXPECT_EQ(clock.msToNextTimer(), 250);
}

TEST(MessageText, ShortTextsStayAndEndlessOnesAreCutToTheirFirstLines) {
    const QString normal =
        QStringLiteral("Impossibile leggere il file /home/a/Quintora.ini\r\nriga 2");
    EXPECT_EQ(MessageText::elided(normal), normal);
    QStringList many;
    for (int i = 0; i < 100'000; ++i) {
        many << QStringLiteral("riga %1\r").arg(i);
    }
    const QStringList kept = MessageText::elided(many.join('\n')).split('\n');
    EXPECT_EQ(kept.size(), MessageText::kMaxLines + 1);
    EXPECT_EQ(kept.first(), "riga 0\r");
    EXPECT_EQ(kept.last(), QString(QChar(0x2026)));
}

TEST(MessageText, TheMessageBoxShowsAHugeTextCut) {
    MessageBoxPrompter prompter;
    QString shown;
    QTimer::singleShot(0, [&shown] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                shown = box->text();
                box->accept();
            }
        }
    });
    prompter.tell("Impossibile aprire \"/" + QString(200'000, 'a') + "/Songs.mdb\".");
    EXPECT_LE(shown.size(), MessageText::kMaxLineLength);
    EXPECT_TRUE(shown.startsWith("Impossibile aprire \"/aaa")) << shown.left(40).toStdString();
    EXPECT_TRUE(shown.endsWith("/Songs.mdb\".")) << shown.right(40).toStdString();
}
