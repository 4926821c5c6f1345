// The main() of every test program: a QApplication on the offscreen platform
// (unless another is asked for), then GoogleTest. The Access import's reading
// process and the songbooks' drawing process are the built program (a test program
// cannot read or draw for it).
#include <gtest/gtest.h>

#include <QApplication>

#include "exchange/accessreaderprocess.h"
#include "songbook/pagerenderer.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    AccessReaderProcess::setProgram(QStringLiteral(QUINTORA_PROGRAM));
    PageRenderer::setProgram(QStringLiteral(QUINTORA_PROGRAM));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
