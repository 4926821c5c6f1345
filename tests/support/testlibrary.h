#pragma once

#include <QString>

class Harness;

// A small library for the transport tests, with its configuration and sound files:
//   "Alba"    loop song, 120 BPM, grooves ROK/ROK001.wav and ROK/ROK001B.wav
//   "Brezza"  loop song, 90 BPM, groove FNK/FNK002.wav, no second groove
//   "Cielo"   MP3 song, 100 BPM, MP3A/cielo.mp3 (1 s)
//   "Duna"    MP3 song, MP3B/duna.mp3 (1 s)
//   "Eco"     no audio, no tempo
//   "Fiume"   MP3 song whose file is in no folder
//   "Gong"    loop song at 800 BPM (a beat shorter than the tempo flash)
// Running order 2 ("Scaletta2", F2) is Cielo, Duna, Fiume; running order 3 is
// Cielo, Duna.
namespace TestLibrary {

void install(Harness& h);

// Highlights the song whose title begins with title by typing it into the title
// list, as the performer would (F8 first), then prepares it with Esc.
void prepare(Harness& h, const QString& title);
// Sends one key to the main window's grid, as a press on the keyboard.
void key(Harness& h, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Connects the pedal box with the Collega button.
void connect(Harness& h);
// A tap of pedal 1 on the box, and the time for what it started or stopped.
void tapPedal1(Harness& h);
// The library installed, the program started, the box connected and title prepared,
// its count-in over.
void ready(Harness& h, const QString& title);

}  // namespace TestLibrary
