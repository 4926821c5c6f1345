#pragma once

#include <QString>
#include <optional>

#include "editor/editorservices.h"

class QWidget;

// The song dialog's "dal groove": the tempo of a loop song from its groove 1's
// length and the number of beats the user says it lasts (proposed from the
// length). GUI thread only.
namespace GrooveTempo {

// The tempo for groove1 (a file name in the working folder's groove folders);
// nothing when the groove cannot be measured (told through the prompter) or the
// user gives no answer.
std::optional<double> ask(const EditorServices& services, const QString& groove1, QWidget* parent);

}  // namespace GrooveTempo
