// Line drawings of the profiles and of the cylinder, made by the program to scale from the
// current dimensions, for the profile dialogs, the picture buttons, the main window and the
// report.
#pragma once

#include "case/CaseResults.h"

namespace velmora {

class Surface;
struct DesignCase;
struct ProfileRecord;

struct SketchBox {
    double left = 0;
    double top = 0;
    double right = 1;
    double bottom = 1;
};

// The profile of `p` (kind drawn as `sketch`) fitted into `box`, with H, B, tw, tf (and a, c,
// r where the kind has them) marked when `marks` is true (the picture buttons leave them out).
void drawProfileSketch(Surface& s, const ProfileRecord& p, ProfileSketch sketch,
                       const SketchBox& box, bool marks, char decimalSep);

// The cylinder of the case's type (unstiffened, ring-stiffened, stringer-stiffened inside or
// outside, column with L equal to or different from l) with r, t, l, L and the stiffening.
void drawCylinderSketch(Surface& s, const DesignCase& dc, const SketchBox& box);

} // namespace velmora
