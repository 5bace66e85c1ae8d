#pragma once

#include <QString>

// The file that exists while a session runs on this computer: "RX.log" in
// ExeDir + "Temp/", holding the session's start time. Finding it at start
// means the previous run did not end through the exit window.
namespace SessionMarker {

// ExeDir + "Temp/" (created when missing), for the marker and temporary files.
QString temporaryDirectory();
QString path();
bool exists();
// Writes the start time (the clock's now in the program's date-time form), truncating
// an old marker; false when the file cannot be written.
bool create();
// The marker's first line, empty when it cannot be read.
QString startTime();
void remove();

} // namespace SessionMarker
