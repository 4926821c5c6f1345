#pragma once

class Audio;
class QDialog;
struct ImpspathControls;

// Builds the settings dialog's controls, with their names, captions and places.
// GUI thread only.
namespace ImpspathLayout {

void build(QDialog& dialog, Audio& window, ImpspathControls& c);

}  // namespace ImpspathLayout
