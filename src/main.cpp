#include <QApplication>
#include <cstdio>

#include "app/commandline.h"
#include "app/program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintora"));
    QApplication::setOrganizationName(QStringLiteral("Quintora"));
    // The last window closing must not end the program behind the closing question.
    QApplication::setQuitOnLastWindowClosed(false);
    const CommandLine cl = CommandLine::parse(QApplication::arguments());
    if (cl.helpShown || !cl.error.isEmpty()) {
        std::fputs(qPrintable(cl.error.isEmpty() ? CommandLine::usage()
                                                 : cl.error + QLatin1Char('\n') + CommandLine::usage()),
                   cl.error.isEmpty() ? stdout : stderr);
        return cl.error.isEmpty() ? 0 : 2;
    }
    Program program(cl);
    return program.run();
}
