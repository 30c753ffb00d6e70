// Scaling an engine: every length times one factor, angles and ratios as they
// are, read off the dimensions' quantities so that a new length is scaled too.
// A gear scaled so is the same mechanism and gives the same valve events.
#pragma once

#include "Engine.h"

// The engine with each length dimension multiplied by factor; the name and the
// valve and rocker types are kept.
Engine ScaledEngine(const Engine& engine, double factor);
