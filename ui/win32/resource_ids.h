// Numbers of the resources built into loopsmith.exe (resources/win32/loopsmith.rc).
#pragma once

#define LOOPSMITH_ICON 1
// Image n of the layout (1 to 3: page icons, 4: the banner) is resource 100 + n.
#define LOOPSMITH_IMAGE_BASE 100
#define LOOPSMITH_PAGE_CALCULATOR 101
#define LOOPSMITH_PAGE_EDITOR 102
#define LOOPSMITH_PAGE_ABOUT 103
#define LOOPSMITH_BANNER 104
