#pragma once

#include "colors.h"

class QImage;

// Tints an elliptical ring into a 32-bit image, in place (an image of another depth is left
// unchanged): a faint disc inside 77 % of the ellipse spanning pixels 0..MaxX, 0..MaxY, and a
// ring peaking at 87.5 % that fades to nothing at the edge; with Ring, the ring doubles and its
// core turns white. Single-precision arithmetic, channels rounded to nearest with halves to even.
void TintEllipse(QImage &Image, int MaxX, int MaxY, float Strength, TColor Color, bool Ring);
