#pragma once
// Signed area and first moments of a load area's stored outline: the one formula shared by the
// size check and the computation of forces and centres of gravity.

#include "core/project_data.h"

namespace kalven {

struct OutlineMoments {
    double A = 0;   // signed area, positive when the vertices run counter-clockwise
    double Sx = 0;  // first moment giving the centroid's X (xc = Sx / A)
    double Sy = 0;  // first moment giving the centroid's Y (yc = Sy / A)
};

// The stored vertices of an area that may be read: VertexCount, held within the storage of 42
// so that a damaged count can never read past the tables.
int StoredVertexCount(const ProjectData& data, int area);

// Over the edges j = 1..n-1 from vertex j to vertex j+1; an outline of fewer than two vertices
// has no edge and every moment 0.
OutlineMoments ComputeOutlineMoments(const ProjectData& data, int area);

}  // namespace kalven
