// Loads the element's module and records what it reports, for the tests to read:
// window.moravineLoaded resolves to "loaded" or to the reason the module failed,
// window.moravineEvents lists every edd-change, gestation-change and runtime-error that reached
// the document, and window.moravineMemoryBytes() gives the size of the core's WebAssembly memory
// (null before the core is instantiated).

// The module keeps its instance to itself, so the memory is taken as the page instantiates it:
// whichever of the instance's exports is a WebAssembly.Memory, under whatever name the build gave
// it, or else a memory the page handed it among its imports. The memory object stays the same as
// it grows; its buffer is replaced, so it is read at each call.
(() => {
    let memory = null;
    const memoryIn = (values) => Object.values(values ?? {})
        .find((value) => value instanceof WebAssembly.Memory);
    const keepMemory = (imports) => (result) => {
        const instance = result instanceof WebAssembly.Instance ? result : result?.instance;
        const found = memoryIn(instance?.exports) ??
            Object.values(imports ?? {}).map(memoryIn).find(Boolean);
        if (found) memory = found;
        return result;
    };
    for (const name of ['instantiate', 'instantiateStreaming']) {
        const original = WebAssembly[name];
        if (typeof original !== 'function') continue;
        WebAssembly[name] = function (source, imports, ...rest) {
            return original.call(this, source, imports, ...rest).then(keepMemory(imports));
        };
    }
    window.moravineMemoryBytes = () => (memory ? memory.buffer.byteLength : null);
})();

window.moravineEvents = [];
for (const type of ['edd-change', 'gestation-change', 'runtime-error']) {
    document.addEventListener(type, (event) => {
        window.moravineEvents.push({
            type,
            detail: JSON.parse(JSON.stringify(event.detail ?? null)),
            bubbles: event.bubbles,
            composed: event.composed,
            target: event.target?.localName ?? '',
        });
    });
}
window.moravineLoaded = import('/moravine/moravine.js').then(
    () => 'loaded',
    (error) => `the element's module failed to load: ${error}`);
