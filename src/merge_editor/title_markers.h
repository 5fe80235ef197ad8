// The "modified" markers in window titles: "* " before the main window's title, " *" after the
// editor's child window's title.
#pragma once

class QWidget;

namespace brindle {

// Puts the markers on (modified) or takes them off. Each is added only when it is missing and
// removed only when it is there, so repeated calls change nothing. A maximized child shows its
// title inside the main window's title: its own title is then left alone, and the main window's
// marker stands in front of the whole text, keeping the application's title intact behind it.
// Either window may be null.
void applyTitleMarkers(bool modified, QWidget* mainWindow, QWidget* childFrame, bool childMaximized);

// The same for the application's main frame and its active child window (nothing without a main
// frame).
void applyTitleMarkersToActiveChild(bool modified);

}  // namespace brindle
