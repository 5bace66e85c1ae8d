#pragma once

#include <QString>

// The version as the windows show it: major, minor and release, each as two
// digits ("4.3.4" shows as "04.0304"); the build number is left out.
namespace ProgramVersion {
QString text(const QString &version);
QString current(); // the running program's
} // namespace ProgramVersion
