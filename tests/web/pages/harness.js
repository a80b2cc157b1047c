// Loads the element's module and records what it reports, for the tests to read:
// window.moravineLoaded resolves to "loaded" or to the reason the module failed, and
// window.moravineEvents lists every edd-change, gestation-change and runtime-error that reached
// the document.
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
