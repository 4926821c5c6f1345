#include <QApplication>
#include <cstdio>

#include "app/commandline.h"
#include "app/program.h"
#include "library/newlibrary.h"
#include "platform/foldername.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintora"));
    QApplication::setOrganizationName(QStringLiteral("Quintora"));
    // The last window closing must not end the program behind the closing question.
    QApplication::setQuitOnLastWindowClosed(false);
    const CommandLine cl = CommandLine::parse(QApplication::arguments());
    if (cl.helpShown || !cl.error.isEmpty()) {
        std::fputs(
            qPrintable(cl.error.isEmpty() ? CommandLine::usage()
                                          : cl.error + QLatin1Char('\n') + CommandLine::usage()),
            cl.error.isEmpty() ? stdout : stderr);
        return cl.error.isEmpty() ? 0 : 2;
    }
    if (!cl.newLibrary.isEmpty()) {
        const QString folder = FolderName::withSeparator(cl.newLibrary);
        const QString error = NewLibrary::create(folder);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("Creata la libreria %sSongs.mdb\n", qPrintable(folder));
        return 0;
    }
    Program program(cl);
    return program.run();
}
