// Planted: the gadget layer includes nothing of the window, not even for a main().
#include "app/startup.h"
