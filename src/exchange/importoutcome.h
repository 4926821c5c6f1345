#pragma once

#include <QString>

class Prompter;

namespace ImportOutcome {

// Tells that an import added nothing: cancelled by the user (error empty) or failed
// (error says why), followed by where the copy of the library made before it is.
void tellNothingAdded(Prompter& prompter, const QString& error, const QString& where,
                      const QString& title);

}  // namespace ImportOutcome
