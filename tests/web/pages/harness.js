// Loads the element's module and records what it reports, for the tests to read:
// window.moravineLoaded resolves to "loaded" or to the reason the module failed,
// window.moravineEvents lists every edd-change, gestation-change and runtime-error that reached
// the document, and window.moravineMemoryBytes() gives the size of the core's WebAssembly memory
// (null before the core is instantiated).

// The module keeps its instance to itself, so the memory is taken as the page instantiates it:
// whichever of its exports is a WebAssembly.Memory, under whatever name the build gave it. The
// memory object stays the same as it grows; its buffer is replaced, so it is read at each call.
(() => {
    let memory = null;
    const keepMemory = (result) => {
        const instance = result instanceof WebAssembly.Instance ? result : result?.instance;
        const found = Object.values(instance?.exports ?? {})
            .find((value) => value instanceof WebAssembly.Memory);
        if (found) memory = found;
        return result;
    };
    for (const name of ['instantiate', 'instantiateStreaming']) {
        const original = WebAssembly[name];
        if (typeof original !== 'function') continue;
        WebAssembly[name] = function (...args) {
            return original.apply(this, args).then(keepMemory);
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
