#pragma once
// The camshaft records: CCamshaft with its lobes CCamProfile, the cam file,
// and the tables of cam types, lifters and timing conventions.

#include "core/valvetrain/CamProfile.h"
#include "core/valvetrain/CamTypes.h"
#include "core/valvetrain/Camshaft.h"
