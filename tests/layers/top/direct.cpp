#include "low/low.h"

int Top() { return Low(); }
