#pragma once

class Audio;

// Wires the main window's buttons and menu items to the commands they run; a
// button and its menu item run the same handling.
class AudioCommands {
public:
    static void wire(Audio& window);
};
