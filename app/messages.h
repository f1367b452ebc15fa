#pragma once
// The messages with which each phase window reports its end to the main view
// live with the engine's phase windows, which post them.
#include "engine/phasemessages.h"
