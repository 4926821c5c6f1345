#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstring>

#include "about/programversion.h"
#include "app/commandline.h"
#include "app/program.h"
#include "app/qttranslations.h"
#include "config/configlocation.h"
#include "exchange/accesscommand.h"
#include "exchange/accessreaderchild.h"
#include "exchange/csvcommand.h"
#include "instance/singleinstance.h"
#include "instance/watcher.h"
#include "library/newlibrary.h"
#include "platform/foldername.h"
#include "songbook/pagerendererchild.h"

namespace {

// The options that need no window: the help text, the version, an error in the arguments, a new
// library. Answered without touching any window system, so that they work on a
// machine without a display (a server, a script).
int answerWithoutWindow(const CommandLine& cl) {
    if (cl.versionShown && cl.error.isEmpty()) {
        std::printf("%s\n", qPrintable(ProgramVersion::line()));
        return 0;
    }
    if (cl.helpShown || !cl.error.isEmpty()) {
        std::fputs(
            qPrintable(cl.error.isEmpty() ? CommandLine::usage()
                                          : cl.error + QLatin1Char('\n') + CommandLine::usage()),
            cl.error.isEmpty() ? stdout : stderr);
        return cl.error.isEmpty() ? 0 : 2;
    }
    if (!cl.importAccess.isEmpty()) {
        return AccessCommand::run(cl.importAccess, cl.library, cl.configPath);
    }
    if (cl.csvWork()) {
        return CsvCommand::run(cl.importCsv, cl.exportCsv, cl.library,
                               ConfigLocation::fromOption(cl.configPath));
    }
    const QString folder = FolderName::withSeparator(cl.newLibrary);
    const QString error = NewLibrary::create(folder);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("Creata la libreria %sSongs.mdb\n", qPrintable(folder));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // The program reading an Access file for an import it started (never a user's
    // option): nothing else is set up.
    if (argc == 3 && std::strcmp(argv[1], AccessReaderChild::kOption) == 0) {
        return AccessReaderChild::run(QFile::decodeName(argv[2]));
    }
    // The program drawing songbook pages for the one that started it.
    if (argc == 2 && std::strcmp(argv[1], PageRendererChild::kOption) == 0) {
        return PageRendererChild::run();
    }
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    // Qt's own options (-platform, -style, ...) are taken out of the arguments by
    // the application object: a command line that may hold one waits for it.
    const CommandLine early = CommandLine::parse(arguments);
    if (!early.needsWindow() &&
        (early.error.isEmpty() || !CommandLine::mayHoldQtOptions(arguments))) {
        QCoreApplication core(argc, argv);
        return answerWithoutWindow(early);
    }
    // "Riprendi suonando dopo un arresto": this process only watches the program,
    // which runs as its child (started before any window or device is opened).
    if (early.error.isEmpty() && !Watcher::watched() &&
        Watcher::wanted(Program::configPathFor(early))) {
        const int status = Watcher::run(argv, Program::configPathFor(early));
        if (status >= 0) {
            return status;
        }
    }
    QApplication app(argc, argv);
    const CommandLine cl = CommandLine::parse(QApplication::arguments());
    if (!cl.needsWindow()) {
        return answerWithoutWindow(cl);
    }
    QApplication::setApplicationName(QStringLiteral("Quintora"));
    QApplication::setOrganizationName(QStringLiteral("Quintora"));
    QApplication::setApplicationVersion(ProgramVersion::number());
    // The last window closing must not end the program behind the closing question.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own buttons and choosers speak Italian too, where the system has the texts.
    QtTranslations::installItalian(app);
    // A Quintora already running with this configuration comes to the front; this
    // one ends before it opens the pedal box or the sound.
    SingleInstance instance(Program::configPathFor(cl));
    if (instance.handOver()) {
        return 0;
    }
    Program program(cl);
    return program.run();
}
