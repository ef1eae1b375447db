#pragma once

#include <QString>

// The faces the stored layouts were drawn with, "MS Sans Serif" 8 points and "Tahoma", taken
// from Wine's metric-compatible fonts (Debian's fonts-wine), which lie outside fontconfig's path.
namespace DesignFonts {

// "MS Sans Serif", the family the layouts name.
QString LayoutFamily();
// Where fonts-wine installs them.
QString WineDirectory();

// Starts reading the system's font configuration (fontconfig's files and caches, the slow part
// of the font database) on a worker thread, to overlap the application object's start; call it
// once, before the application object is built. Install waits for it.
void ReadConfiguration();

// Registers the faces found in directory with the application's font database, before the
// first window is built. Wine's MS Sans Serif has bitmap strikes only (13, 16 and 20 pixels),
// which a device pixel ratio above 1 would blur or miss: there the scalable Tahoma, of nearly
// the same metrics, stands in for it. Returns the family "MS Sans Serif" now resolves to, or an
// empty string when the directory holds neither face (a missing directory included) and the
// font falls back as before.
QString Install(const QString &directory, qreal devicePixelRatio);

} // namespace DesignFonts
