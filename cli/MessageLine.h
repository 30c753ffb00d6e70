// One line of a message on standard error, for both command-line tools. Text
// that came from the command line or the file system (names, paths, values)
// may hold control characters that would break the line or drive the
// terminal, so they are written as escapes.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

// "\n", "\r" and "\t" for those, "\x1b" for the other C0 controls and DEL,
// "\u009b" for the C1 controls as UTF-8 writes them; all else as it is.
std::string EscapeControls(std::string_view text);

// The program's prefix (such as "zovuderiz-sweep: "), the message escaped, and the line end.
void WriteMessageLine(std::ostream& err, std::string_view program, std::string_view message);
