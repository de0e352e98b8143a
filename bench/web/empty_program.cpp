// A page program that does nothing but hand the page to its listeners: the same page, loader
// and start-up moment as loopsmith.html, with none of Loopsmith's work. What the browser takes
// to start any WebAssembly program this way (page_load_bench.js times it).
#include <emscripten.h>

int main() {
    EM_ASM(LoopsmithPage.start(Module));
    return 0;
}
