#include <gtest/gtest.h>

#include <QImage>
#include <QRadioButton>

#include "platform/elidedradiobutton.h"

// A folder name on a filter button reads as written: a "&" in it is a character,
// not the mark of a shortcut letter.
TEST(ElidedText, AnAmpersandInACaptionIsDrawnAsWritten) {
    ElidedRadioButton caption(QStringLiteral("Rock & Pop"));
    QRadioButton written(QStringLiteral("Rock && Pop"));
    QRadioButton marked(QStringLiteral("Rock & Pop"));
    for (QRadioButton* b : {static_cast<QRadioButton*>(&caption), &written, &marked}) {
        b->setFixedSize(220, 24);
    }
    const QImage shown = caption.grab().toImage();
    EXPECT_EQ(caption.text(), QStringLiteral("Rock & Pop"));
    EXPECT_EQ(shown, written.grab().toImage());
    EXPECT_NE(shown, marked.grab().toImage());
}
