#pragma once

// Starts reading the system's font configuration (its XML files and font caches, a few
// milliseconds of work) on a thread of its own, at the lowest priority, so that a second core
// does it while the program connects to the display. Call it first thing in main(), before the
// QApplication exists. Nothing waits for the thread: should the first font be needed before it
// is done, the font system reads the configuration itself and keeps whichever copy is ready
// first. Does nothing where the toolkit does not use fontconfig.
void WarmUpFontConfiguration();
