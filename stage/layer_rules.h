#pragma once

// The arithmetic of the background layers, kept apart so that the tests and the
// drawing use the very same rules.

// The layer's origin on one axis, in picture dots: with auto-scroll the view plus
// the layer's own position; otherwise the view's share by the factor (the
// horizontal view is rounded first, the vertical one is not). margin: the axis's
// margin in dots.
int LayerOrigin(double view, double position, int margin, double factor, int autoScroll, bool roundView);
// The first tile's source column (row) for an origin: origin mod size, made
// non-negative. 0 for an empty picture.
int LayerTileStart(int origin, int size);
// One frame of a layer's auto-scroll on one axis: the position moves back by the
// factor and wraps once into [0, size).
double ScrollLayerPosition(double position, double factor, int size);
