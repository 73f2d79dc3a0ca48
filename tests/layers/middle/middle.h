#pragma once
#include "low/low.h"

inline int Middle() { return Low() + 1; }
