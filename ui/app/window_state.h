#pragma once

#include <QList>
#include <QRect>

class QMainWindow;

namespace vek {

class ProfileFile;

// The main window's place, size, maximized state and toolbars, kept in the profile's section
// "Window" from one run to the next.
void SaveWindowState(const QMainWindow& window, ProfileFile& profile);
// Puts the window where the profile says, onto one of the screens, and restores its toolbars;
// true when it was maximized. A value that is missing, damaged or written by something else is
// ignored: the window keeps what it has for that part.
bool RestoreWindowState(QMainWindow& window, const ProfileFile& profile,
                        const QList<QRect>& screens);

// `place` as it is when enough of it lies on one of the screens to be grabbed and moved;
// otherwise moved to the top-left corner of the first screen, and cut to its size.
QRect OntoScreens(const QRect& place, const QList<QRect>& screens);

} // namespace vek
