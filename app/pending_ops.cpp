// Temporary definitions of operations whose subsystems are still being built. Each block
// goes away when its subsystem arrives; this file must be gone before release.
#include <cstdint>
#include <string>

#include "app/app_state.h"
#include "engine/cycle_calculator.h"
#include "engine/number_text.h"
#include "engine/solve_delay.h"
#include "i18n/language.h"
#include "store/profile_store.h"
#include "store/settings.h"
