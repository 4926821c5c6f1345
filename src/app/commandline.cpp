#include "app/commandline.h"

namespace {

// Takes the value of an option given as "--name value" or "--name=value".
bool takeValue(const QStringList& args, int& i, const QString& name, QString& out, QString& error) {
    const QString& a = args[i];
    if (a.startsWith(name + QLatin1Char('='))) {
        out = a.mid(name.size() + 1);
        return true;
    }
    if (a != name) {
        return false;
    }
    if (i + 1 >= args.size()) {
        error = QStringLiteral("Manca il valore dell'opzione %1.").arg(name);
        return true;
    }
    out = args[++i];
    return true;
}

}  // namespace

CommandLine CommandLine::parse(const QStringList& args) {
    CommandLine c;
    for (int i = 1; i < args.size() && c.error.isEmpty(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--demo")) {
            c.demo = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            c.helpShown = true;
        } else if (a == QLatin1String("--version")) {
            c.helpShown = true;
            c.versionShown = true;
        } else if (takeValue(args, i, QStringLiteral("--config"), c.configPath, c.error) ||
                   takeValue(args, i, QStringLiteral("--port"), c.port, c.error) ||
                   takeValue(args, i, QStringLiteral("--audio-out"), c.audioOut, c.error) ||
                   takeValue(args, i, QStringLiteral("--new-library"), c.newLibrary, c.error) ||
                   takeValue(args, i, QStringLiteral("--import-access"), c.importAccess, c.error) ||
                   takeValue(args, i, QStringLiteral("--import-csv"), c.importCsv, c.error) ||
                   takeValue(args, i, QStringLiteral("--export-csv"), c.exportCsv, c.error) ||
                   takeValue(args, i, QStringLiteral("--library"), c.library, c.error)) {
            continue;
        } else {
            c.error = QStringLiteral("Opzione sconosciuta: %1").arg(a);
        }
    }
    return c;
}

bool CommandLine::mayHoldQtOptions(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a.startsWith(QLatin1Char('-')) && !a.startsWith(QLatin1String("--")) &&
            a != QLatin1String("-h")) {
            return true;
        }
    }
    return false;
}

QString CommandLine::usage() {
    return QStringLiteral(
        "Uso: quintora [opzioni]\n"
        "  --demo                 avvia con la libreria dimostrativa\n"
        "  --config FILE          usa FILE come file di configurazione\n"
        "  --port DISPOSITIVO     pedaliera sulla porta parallela DISPOSITIVO "
        "(es. /dev/parport0), 'virtual' per la pedaliera virtuale, 'midi:NOME' per "
        "una pedaliera MIDI, 'keys' per un pedale voltapagine\n"
        "  --audio-out FILE.wav   registra in FILE.wav tutto ciò che viene suonato, "
        "invece di usare la scheda audio\n"
        "  --new-library CARTELLA crea una libreria vuota (Songs.mdb) in CARTELLA\n"
        "  --import-access FILE.mdb  importa l'archivio Access FILE.mdb della versione per "
        "Windows, senza finestre\n"
        "  --import-csv FILE      aggiunge all'archivio i brani del foglio di calcolo FILE "
        "(CSV con la riga dei nomi delle colonne)\n"
        "  --export-csv FILE      scrive tutto l'archivio nel foglio di calcolo FILE (CSV)\n"
        "  --library CARTELLA     la cartella dell'archivio per le opzioni qui sopra (creata se "
        "manca); senza, la cartella di lavoro delle impostazioni\n"
        "  --help                 mostra questo aiuto\n"
        "  --version              mostra la versione del programma\n");
}
