// The animated title screen shown for the first five seconds, and the About box.
#pragma once

// Draws the next title frame into the off-screen buffer (the main window presents it).
void DrawTitleFrame();

// Ends the title screen if it shows, then shows the About box.
void ShowAbout();
