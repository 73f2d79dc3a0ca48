#include "middle/middle.h"

int Top() { return Middle(); }
