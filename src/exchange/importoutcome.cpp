#include "exchange/importoutcome.h"

#include "platform/prompter.h"

namespace ImportOutcome {

void tellNothingAdded(Prompter& prompter, const QString& error, const QString& where,
                      const QString& title) {
    prompter.tell(error.isEmpty() ? QStringLiteral("Importazione annullata: l'archivio dei "
                                                   "brani è rimasto com'era.\n") +
                                        where
                                  : error + QLatin1Char('\n') + where,
                  title, error.isEmpty() ? Message::Icon::Information : Message::Icon::Critical);
}

}  // namespace ImportOutcome
