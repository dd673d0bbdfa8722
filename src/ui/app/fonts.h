#pragma once

#include <QFont>

// Arial at a size in pixels, as every window of the program asks for it. Where Arial itself is
// not installed, its metric twin Liberation Sans is named directly, which spares the font
// system a search for a substitute.
QFont ArialPixels(int pixels, bool bold = false, bool underline = false);

// "MS Sans Serif" at a size in pixels, the font of the wrong-results viewer. Where it is not
// installed, Liberation Sans takes its place as it takes Arial's: left to itself the font system
// falls back to the much wider DejaVu Sans, and the viewer's lines run past its edge.
QFont MsSansSerifPixels(int pixels);
