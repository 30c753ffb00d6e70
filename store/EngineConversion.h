// The one conversion between the data file's record and the engine the
// kinematics read: field by field, the reserved field left out of the engine
// and kept from the record it is written back into.
#pragma once

#include "Engine.h"
#include "EngineRecord.h"

// The engine a record holds. A type field made elsewhere may hold any integer:
// valve type 1 is inside admission and any other value outside (-1); rocker
// type 0 is none, a positive value type A (1) and a negative one type B (-1).
Engine ToEngine(const EngineRecord& record);

// The engine written over a record: every field but the reserved one, the
// name cut to 29 bytes.
void ToRecord(const Engine& engine, EngineRecord& record);
