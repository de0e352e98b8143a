// A planted include against the order: the check must reject this tree.
#include "app/app_state.h"
