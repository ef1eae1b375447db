#pragma once

// Gives the application its icon, which every window it opens carries, and ties its windows
// to the installed desktop entry.
void SetDesktopIdentity();
