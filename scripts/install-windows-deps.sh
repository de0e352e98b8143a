#!/usr/bin/env bash
# Installs the Debian packages that the Windows build and its run under wine need, when missing:
# the mingw-w64 compiler with posix threads, the 64-bit wine (launcher /usr/lib/wine/wine64) with
# its own fonts (Tahoma and the other faces Windows programs expect), and
# GoogleTest's sources (/usr/src/googletest), built with the cross compiler; Xvfb and ImageMagick
# for the window's run on a virtual display and its pictures; NSIS for the installer; the locale
# sources, from which the run makes the Russian and English locales that give wine its user's
# language.
exec "$(dirname "$0")/install-deps.sh" cmake make g++-mingw-w64-x86-64-posix wine64 fonts-wine googletest xvfb imagemagick nsis locales
