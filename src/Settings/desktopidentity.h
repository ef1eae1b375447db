#pragma once

// Ties the application's windows to the installed desktop entry; call before the first window
// is built (a Wayland compositor takes the entry's name with the window).
void SetDesktopFileName();

// Gives the application its icon, which every window it opens carries.
void SetApplicationIcon();
