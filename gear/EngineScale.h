// Scaling an engine: every length times one factor, angles and ratios as they
// are, read off the dimensions' quantities so that a new length is scaled too.
// A gear scaled so is the same mechanism and gives the same valve events.
#pragma once

#include "Engine.h"

// Scale factors outside this range would take a length of the boxes out of
// what a double holds as a normal number, or out of what the boxes show.
inline constexpr double kLeastScaleFactor = 1e-6;
inline constexpr double kMostScaleFactor = 1e6;

// length x factor as the decimal number of 15 significant digits nearest it.
double ScaledLength(double length, double factor);
// The engine with each length dimension multiplied by factor; the name and the
// valve and rocker types are kept.
Engine ScaledEngine(const Engine& engine, double factor);
