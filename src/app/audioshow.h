#pragma once

#include <QString>
#include <memory>

class Audio;
class ShowKeeper;

namespace AudioShow {

// The show keeper for the main window: given the few services it works with, and
// ended when the user leaves the program normally.
std::unique_ptr<ShowKeeper> makeKeeper(Audio& window, const QString& configPath);

}  // namespace AudioShow
