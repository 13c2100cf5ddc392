#pragma once

#include <QIcon>
#include <QImage>

// The program's icon, drawn in code: a gold lark in flight over the Morse
// letter K (dash dot dash) on a dark tile. The design is laid out on a 32-pixel
// grid and scales to any size.
QImage appIconImage(int size);

// Holds 16, 32, 48 and 64 pixel renderings; 32 x 32 is the window's own size.
QIcon appIcon();
