#pragma once
// Whether this Linux machine has a graphics processor the game may use.

// A DRM render node is what a graphics processor's OpenGL driver opens;
// without one, OpenGL could only be Mesa's software rasteriser.
bool graphicsDevicePresent();
