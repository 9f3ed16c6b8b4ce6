// Between the program's byte strings and Qt's text: bytes are Windows-1252 letters on screen, message
// texts hold CR LF between lines, file dialog filters come as "description|pattern|..." pairs.
#pragma once

#include <QString>
#include <string>

namespace zav {

// Bytes shown as Windows-1252 letters.
QString ToQt(const std::string& bytes);
// Typed text back to bytes; a letter Windows-1252 cannot hold becomes "?".
std::string FromQt(const QString& text);
// A message text for a box: its CR LF (or lone CR) line breaks become line feeds.
QString MessageText(const std::string& text);

// A dialog filter "Description|pattern;pattern|..." as Qt writes it: "Description (pattern pattern);;...".
// The description's own "(...)" is dropped, "*.*" means every file, and each extension also matches in
// upper case (file names are case sensitive here, while the filters were written for a system where they
// are not).
QString QtFileFilter(const std::string& filter);

}  // namespace zav
