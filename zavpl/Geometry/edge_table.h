#ifndef ZAVPL_EDGE_TABLE_H
#define ZAVPL_EDGE_TABLE_H

// Internal: the distinct undirected edges of a mesh and the polygon sides
// (entries of indices; side k of a polygon joins vertex k to vertex k + 1)
// that use each of them. Built by bucketing sides on their lower point and
// sorting each bucket, so the cost is linear in the number of indices for
// meshes of bounded valence and n log n at worst.

#include <vector>

#include "Objects/objects.h"

struct polygon_edge_table {
    int n_edges = 0;
    std::vector<int> side_polygon; // per side: the polygon it belongs to
    std::vector<int> side_edge;    // per side: its edge, or -1 if it joins a point to itself
    std::vector<int> edge_start;   // per edge, plus one: where its sides start in edge_sides
    std::vector<int> edge_sides;   // sides of each edge in increasing order, edge after edge
};

// Fills *table for a mesh that passed check_polygons_structure. Edges are
// numbered in increasing order of (lower point, higher point).
void build_polygon_edge_table(const polygons_struct *polygons, polygon_edge_table *table);

#endif
