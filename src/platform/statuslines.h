#pragma once

class QLabel;
class QMainWindow;

// Lines that parts of the program put at the foot of a main window (its status
// bar, which stays hidden while no line shows). Each part shows and hides its own
// line; the bar goes only when none is left showing, so one part's line never
// takes another's with it. GUI thread only.
class StatusLines {
public:
    // Adds line to the window's status bar (once) and shows both.
    static void show(QMainWindow& window, QLabel& line);
    // Hides line, and the bar when no other line shows in it.
    static void hide(QMainWindow& window, QLabel& line);
};
