#pragma once

class QMainWindow;
struct AudioControls;

// The main window's menu bar: Hardware, Funzioni, Filtri and Help, with every item
// under its own name.
class AudioMenu {
public:
    static void build(QMainWindow& window, AudioControls& c);
};
