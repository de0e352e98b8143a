#!/usr/bin/python3
# Asks a top-level X window to close, as a window manager's close button does
# (WM_DELETE_WINDOW), so that the program runs its own close and saves its settings.
#   close-window.py TITLE [SECONDS]   waits up to SECONDS (default 20) for a window named TITLE
import sys
import time

from Xlib import X, display, protocol


def find(window, title):
    name = window.get_wm_name()
    if isinstance(name, bytes):
        name = name.decode("utf-8", "replace")
    if name == title and window.get_attributes().map_state == X.IsViewable:
        return window
    for child in window.query_tree().children:
        found = find(child, title)
        if found:
            return found
    return None


title, limit = sys.argv[1], float(sys.argv[2]) if len(sys.argv) > 2 else 20.0
d = display.Display()
deadline = time.monotonic() + limit
window = None
while window is None and time.monotonic() < deadline:
    window = find(d.screen().root, title)
    if window is None:
        time.sleep(0.2)
if window is None:
    sys.exit(f"close-window: no window named {title!r}")
protocols, delete = d.intern_atom("WM_PROTOCOLS"), d.intern_atom("WM_DELETE_WINDOW")
event = protocol.event.ClientMessage(window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
window.send_event(event, event_mask=X.NoEventMask)
# A round trip before leaving: a busy X server may drop what a client that has already hung up
# sent last, and the window would never see the request.
d.sync()
d.close()
