// The program's WebAssembly travels in the page as gzip in base64 text (the page is one
// file). It is unpacked and compiled from here, while the browser reads the rest of the page,
// and handed to the program's loader when that asks for it.
'use strict';
var Module = (function () {
  // A browser that cannot unpack, compile or start the program shows the page's note, not a
  // blank page.
  let failed = false;
  function cannotStart(e) {
    if (failed) return;
    failed = true;
    console.error('Loopsmith could not start:', e);
    const show = () => { document.getElementById('unsupported').hidden = false; };
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', show);
    else show();
  }

  function unpackAndCompile() {
    try {
      const text = document.getElementById('program-bytes').textContent;
      const packed = typeof Uint8Array.fromBase64 === 'function' ? Uint8Array.fromBase64(text)
        : Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
      // Straight from memory: a Blob's stream would go round the browser's blob store, which
      // took longer than unpacking and compiling together.
      const bytes = new ReadableStream({
        start(controller) {
          controller.enqueue(packed);
          controller.close();
        },
      });
      const program = new Response(bytes.pipeThrough(new DecompressionStream('gzip')),
        { headers: { 'Content-Type': 'application/wasm' } });
      return WebAssembly.compileStreaming(program);
    } catch (e) {
      return Promise.reject(e);
    }
  }

  const compiled = unpackAndCompile();
  compiled.catch(cannotStart);
  return {
    instantiateWasm(imports, receive) {
      compiled.then((module) => WebAssembly.instantiate(module, imports))
        .then((instance) => receive(instance), cannotStart);
      return {};
    },
  };
})();
