// The title screen's ring of light: a circle on a plane seen in perspective, which spreads from the
// ripple centre and, once large enough, becomes a band of water. Its size s grows by 5 every 60 ms.
//
// Plane points are (x, z): x across the plane, z its depth (negative is farther away). A ring of size
// s has its outer edge at s times the unit ring of RippleTable and its inner edge at s - 6 times it.
#pragma once

#include <array>
#include <cstdint>

#include "model/points.h"
#include "raster/raster.h"

inline constexpr int kRingPoints = 90;
inline constexpr int kMaxBandCorners = 2 * (kRingPoints - 1);

using RingPoints = std::array<Point32, kRingPoints>;

// Fills RippleTable (the unit ring, 4 degrees a point) and the depth scale S from the fixed camera,
// ripple centre, vanishing point and animation rectangle.
void SetUpRipple();

// Screen point of the plane point (x, z). Needs the depth scale of SetUpRipple.
Point32 ProjectPlanePoint(int32_t x, int32_t z);

// Projects the outer and inner edges of the ring of size s.
void ProjectRing(int32_t s, RingPoints& outer, RingPoints& inner);

// Corners of the water band of size s: the outer edge forward, then the inner edge back, both cut
// from the far side once s is above 200. Writes up to kMaxBandCorners corners; returns their number.
int BandCorners(int32_t s, const RingPoints& outer, const RingPoints& inner, Point32* corners);

// Colour of the ring's 1-pixel pen at size s: purple up to 150, darker beyond.
Colour RingPenColour(int32_t s);

// Half the side of the star burst at period t (60 ms each); 0 means no flash. From t = 15 on it
// flickers, drawing one value of Random.
int FlashHalfSize(uint32_t t);
