// Planted: the window names no face and includes no program.
#include "programs/web/main.h"
#include "ui/web/web_gadgets.h"
