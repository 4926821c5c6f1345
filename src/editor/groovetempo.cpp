#include "editor/groovetempo.h"

#include <QDir>
#include <QList>
#include <QStringList>
#include <cmath>

#include "config/sharedstate.h"
#include "editor/fileplacer.h"
#include "editor/taptempo.h"
#include "library/analizzawav.h"
#include "platform/filechooser.h"
#include "platform/numbertext.h"
#include "platform/prompter.h"
#include "platform/wholefile.h"

namespace GrooveTempo {

std::optional<double> ask(const EditorServices& services, const QString& groove1, QWidget* parent) {
    if (groove1.isEmpty()) {
        services.prompter.tell(QStringLiteral("Scegli prima il Groove 1."), {},
                               Message::Icon::Exclamation);
        return std::nullopt;
    }
    const QString path = FilePlacer::grooveFolder(services.state.PathLavoro, groove1) + groove1;
    QByteArray head;
    const AnalizzaWav::Verdict verdict =
        WholeFile::read(path, AnalizzaWav::kBytesRead, &head).isEmpty() ? AnalizzaWav::examine(head)
                                                                        : AnalizzaWav::Verdict{};
    if (!verdict.problem.isEmpty() || verdict.durata <= 0) {
        services.prompter.tell(QStringLiteral("Impossibile misurare il groove \"%1\".")
                                   .arg(QDir::toNativeSeparators(path)),
                               {}, Message::Icon::Exclamation);
        return std::nullopt;
    }
    QList<int> beats;
    QStringList items;
    for (int b = 1; b <= TapTempo::kMaxBeats; b *= 2) {
        beats << b;
        items << QString::number(b);
    }
    const std::optional<int> chosen = services.chooser.proposeItem(
        QStringLiteral("Tempo dal groove"),
        QStringLiteral("Quanti battiti dura il groove (%1 s)?")
            .arg(NumberText::format(std::round(verdict.durata / 10) / 100)),
        items, int(beats.indexOf(TapTempo::beatsFor(verdict.durata))), parent);
    if (chosen && *chosen >= 0 && *chosen < int(items.size())) {
        return TapTempo::fromGroove(verdict.durata, beats[*chosen]);
    }
    return std::nullopt;
}

}  // namespace GrooveTempo
