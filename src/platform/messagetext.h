#pragma once

#include <QString>

// What a message box may show of a text. A message quotes names and paths from
// files and the library, which can be of any length; laying out megabytes would
// hold the program for minutes and push the buttons off the screen. Any thread.
namespace MessageText {

// The longest line a message shows whole, in characters.
constexpr qsizetype kMaxLineLength = 600;
// The most lines a message shows.
constexpr qsizetype kMaxLines = 40;

// The text with every line longer than kMaxLineLength cut in its middle, where an
// ellipsis stands for what is left out (beginning and end of a path stay readable),
// and lines past kMaxLines replaced by one ellipsis. Short texts are returned as
// they are. Line ends are kept as they were ("\r\n" or "\n").
QString elided(const QString& text);

}  // namespace MessageText
