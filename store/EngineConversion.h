// The one conversion between the data file's record and the engine the
// kinematics read: field by field, the reserved field left out of the engine
// and kept from the record it is written back into.
#pragma once

#include "Engine.h"
#include "EngineRecord.h"

Engine ToEngine(const EngineRecord& record);

// The engine written over a record: every field but the reserved one, the
// name cut to 29 bytes.
void ToRecord(const Engine& engine, EngineRecord& record);
