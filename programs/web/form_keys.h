// The keys a web form has, beyond the desktop window's.
#pragma once

struct AppState;

// Enter as in a web form: in the open profile form it presses OK, on the profile list Edit.
// False for every other key, which the event loop handles as on the desktop.
bool HandleFormKey(AppState& app, int key);
