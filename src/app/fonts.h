#pragma once

#include <QFont>

// Arial at a size in pixels, as every window of the program asks for it. Where Arial itself is
// not installed, its metric twin Liberation Sans is named directly, which spares the font
// system a search for a substitute.
QFont ArialPixels(int pixels, bool bold = false, bool underline = false);
