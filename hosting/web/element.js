// <ruvo-moravine>: the Moravine pregnancy-dating control as a custom element.
//
// The element mirrors one headless control of the WebAssembly core with native form controls laid
// out from the view layer's geometry: a fieldset per frame, a radio input per option button, a
// select per list, a button per command button, an output per result. It forwards only the user's
// clicks, picks and keys and the passing of time; every result, every name a screen reader hears
// and every move of the focus comes from the core.
//
// Importing the module defines the element and nothing more: the core is fetched when the first
// element connects, so a page, a bundler or a server can import it anywhere. A second copy of
// the module leaves the element it finds defined.
import createMoravineCore from "./moravine_core.js";
import { drawLogo } from "./element_logo.js";
import { styleText, systemColors, textInsets } from "./element_style.js";

const tagName = "ruvo-moravine";
const groupName = "Moravine pregnancy dating";
const missingEddMessage = 'Press "Calculate EDD": the form needs the EDD.';
// A form's saved state replays the user's inputs; a longer session is not kept.
const savedInputsLimit = 2000;

// The core, once loaded, and the sinks of the elements it calls by number. An element the page
// lets go is collected with its sink and its control: the core holds only its number.
let core = null;
let coreLoading = null;
const elementsByNumber = new Map();
let lastNumber = 0;
const controls = globalThis.FinalizationRegistry
    ? new FinalizationRegistry(({number, control}) => {
          elementsByNumber.delete(number);
          core?._moravine_delete(control);
      })
    : null;

// Loads the core, once; a failed load is tried again by the next element to connect.
function loadCore() {
    coreLoading ??= new Promise((resolve, reject) => {
        createMoravineCore({
            sinkOf,
            locateFile: () => wasmUrl,
            // The module's own loader would fail out of the page's reach; this one tells the
            // element.
            instantiateWasm(imports, done) {
                fetch(wasmUrl)
                    .then((response) => {
                        if (!response.ok)
                            throw new Error(`HTTP ${response.status} ${response.statusText}`.trim());
                        return WebAssembly.instantiateStreaming(response, imports);
                    })
                    .then(({instance}) => done(instance), reject);
                return {};
            },
        }).then(resolve, reject);
    }).then((loaded) => (core = loaded));
    coreLoading.catch(() => { coreLoading = null; });
    return coreLoading;
}

// The size of a text in a font with its spacing, measured once a page: the lists and captions
// of every element share their texts.
const measured = new Map();
let measuring = null;
function measureText(style, text) {
    const key = `${style.font}|${style.letterSpacing}|${style.wordSpacing}|${style.lineHeight}|${text}`;
    let size = measured.get(key);
    if (!size) {
        measuring ??= document.createElement("canvas").getContext("2d");
        measuring.font = style.font;
        const metrics = measuring.measureText(text);
        const spaces = text.split(" ").length - 1;
        size = [metrics.width + style.letterSpacing * [...text].length + style.wordSpacing * spaces,
                Math.max(metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent,
                         style.lineHeight)];
        if (measured.size > 10000)
            measured.clear();
        measured.set(key, size);
    }
    return size;
}

// A JavaScript text as a UTF-8 text in the core's memory for the length of one call.
function withText(texts, call) {
    const pointers = texts.map((text) => {
        const size = core.lengthBytesUTF8(text) + 1;
        const pointer = core._malloc(size);
        core.stringToUTF8(text, pointer, size);
        return pointer;
    });
    try {
        return call(...pointers);
    } finally {
        pointers.forEach((pointer) => core._free(pointer));
    }
}

// The address of a file beside this module: bundled into a classic script, beside that script.
function besideModule(file) {
    const base = import.meta.url || globalThis.document?.currentScript?.src || globalThis.location?.href;
    try {
        return new URL(file, base).href;
    } catch {
        return file;
    }
}

// "YYYY-MM-DD" as [year, month, day], or null.
function isoParts(text) {
    const match = /^(\d{4})-(\d{2})-(\d{2})$/.exec(text ?? "");
    return match ? match.slice(1).map(Number) : null;
}

// A Date's local day or "YYYY-MM-DD" as [year, month, day], or null.
function dayParts(date) {
    if (date instanceof Date)
        return isNaN(date) ? null : [date.getFullYear(), date.getMonth() + 1, date.getDate()];
    return isoParts(String(date));
}

// A value as the page gave it, for a message: quoted, escaped and not overlong.
function quoted(value) {
    const text = JSON.stringify(String(value));
    return text.length > 66 ? `${text.slice(0, 64)}…"` : text;
}

// The sink of an element the page has let go: it does nothing and answers zeros.
const sinkOfNone = new Proxy({}, {
    get: (_, call) => ({focusPlace: () => -2, measureText: () => [0, 0],
                        textArea: () => [0, 0], systemPalette: () => []})[call] ?? (() => 0),
});

let sharedSheet = null;

// The same look as a platform's own control: its media features and the host's theme reach it.
const watchedMedia = ["(prefers-color-scheme: dark)", "(forced-colors: active)",
                      "(prefers-contrast: more)", "(prefers-reduced-motion: reduce)"];

const HTMLElementBase = globalThis.HTMLElement ?? class {};
let wasmUrl = besideModule("moravine.wasm");
const sinkOf = (number) => elementsByNumber.get(number)?.deref() ?? sinkOfNone;

class RuvoMoravineElement extends HTMLElementBase {
    // (Static getters, not fields: bundled, fields would cost every private member its speed.)
    static get formAssociated() { return true; }
    static get observedAttributes() { return ["today", "name", "disabled", "required", "aria-label"]; }
    // Where the core is fetched from: moravine.wasm beside this module, unless the page names
    // another before the first element connects.
    static get wasmUrl() { return wasmUrl; }
    static set wasmUrl(url) { wasmUrl = String(url); }

    #internals = this.attachInternals();
    #sizeSheet = null;
    #number = ++lastNumber;
    #control = 0;
    #views = new Map();
    #listsDue = new Set();
    #viewNames = [];
    #surface = null;
    #announcer = null;
    #validation = null;
    #timer = 0;
    #fontObserver = null;
    #media = [];
    // What the control reads of the element's style, read before its views exist and again only
    // when the font, the text spacing, the colour scheme or the theme changes.
    #style = null;
    #results = {edd: "", eddMethod: "", gestationAtBirthDays: -1};
    #formDisabled = false;
    #replaying = false;
    #inputs = [];
    #pendingRestore = null;
    #ready;
    #resolveReady;

    constructor() {
        super();
        this.#ready = new Promise((resolve) => { this.#resolveReady = resolve; });
        this.attachShadow({mode: "open", delegatesFocus: true});
        if (!sharedSheet) {
            sharedSheet = new CSSStyleSheet();
            sharedSheet.replaceSync(styleText);
        }
        // The element's size is a default of its own sheet: the page's CSS may override it.
        this.#sizeSheet = new CSSStyleSheet();
        this.shadowRoot.adoptedStyleSheets = [sharedSheet, this.#sizeSheet];
        this.#listen();
    }

    // The results on view.
    get edd() { return this.#results.edd; }
    get eddMethod() { return this.#results.eddMethod; }
    get gestationAtBirthDays() { return this.#results.gestationAtBirthDays; }
    // Resolves true once the control is on view, false when its core could not be loaded.
    get ready() { return this.#ready; }

    // As a form's control: the EDD on view is its value.
    get value() { return this.#results.edd; }
    get form() { return this.#internals.form; }
    get labels() { return this.#internals.labels; }
    get validity() { return this.#internals.validity; }
    get validationMessage() { return this.#internals.validationMessage; }
    get willValidate() { return this.#internals.willValidate; }
    get type() { return tagName; }
    checkValidity() { return this.#internals.checkValidity(); }
    reportValidity() { return this.#internals.reportValidity(); }

    get name() { return this.getAttribute("name") ?? ""; }
    set name(value) { this.setAttribute("name", value); }
    get today() { return this.getAttribute("today") ?? ""; }
    set today(value) { this.setAttribute("today", value); }
    get disabled() { return this.hasAttribute("disabled"); }
    set disabled(value) { this.toggleAttribute("disabled", Boolean(value)); }
    get required() { return this.hasAttribute("required"); }
    set required(value) { this.toggleAttribute("required", Boolean(value)); }

    // The display form of a date, "26 October 2006": a Date (its local day) or "YYYY-MM-DD";
    // empty for anything else, and until the core has loaded.
    datenice(date) {
        const parts = dayParts(date);
        return parts && core ? core.UTF8ToString(core._moravine_datenice(...parts)) : "";
    }

    // The gestation in days on a day (a Date's local day or "YYYY-MM-DD"), the EDD on view being
    // day 280: -1 while no EDD is on view or for anything but a day. A day before the
    // pregnancy's start is refused with a RangeError, as the control refuses such a birth.
    gestationOn(date) {
        const parts = dayParts(date);
        if (!parts || !this.#control)
            return -1;
        const days = core._moravine_gestation_on(this.#control, ...parts);
        if (days === -2)
            throw new RangeError(`${quoted(parts.join("-"))} is before the start of the pregnancy`);
        return days;
    }

    // The dating on view as the FHIR R4 record an EHR stores (a Bundle of type collection), its
    // Observations naming subject, a reference such as "Patient/123", when one is given; null
    // while no EDD is on view. A subject that is no reference is refused with a TypeError.
    toFHIR(subject = "") {
        // A NUL would end the text the core reads, and leave a shorter reference.
        if (typeof subject !== "string" || subject.includes("\0"))
            throw new TypeError("the subject must be a reference such as Patient/123");
        if (!this.#control)
            return null;
        const text = withText([subject], (pointer) => {
            const record = core._moravine_fhir_record(this.#control, pointer);
            return record ? core.UTF8ToString(record) : null;
        });
        if (text === null)
            throw new TypeError(`${quoted(subject)} is no reference such as Patient/123`);
        return text ? JSON.parse(text) : null;
    }

    connectedCallback() {
        if (this.#control) {
            // Its new place may give it another font or theme.
            this.#restyle();
            this.#resume();
            return;
        }
        // With the core at hand, the control is on view by the next frame.
        if (core) {
            this.#build();
            return;
        }
        loadCore().then(
            () => {
                if (this.isConnected && !this.#control)
                    this.#build();
            },
            (error) => {
                this.#reportError(`The control's core could not be loaded from ` +
                                  `${wasmUrl}: ${error?.message ?? error}`);
                this.#resolveReady(false);
            });
    }

    // Removed, the control stands still and keeps everything; connected again, it goes on.
    disconnectedCallback() {
        clearTimeout(this.#timer);
        this.#fontObserver?.disconnect();
        this.#media.forEach(([query, listener]) => query.removeEventListener("change", listener));
        this.#media = [];
    }

    attributeChangedCallback(name) {
        if (name === "today" && this.#control)
            this.#applyToday();
        else if (name === "aria-label")
            this.#nameGroup();
        this.#updateValidity();
    }

    formDisabledCallback(disabled) {
        this.#formDisabled = disabled;
        for (const view of this.#views.values())
            this.#showUsable(view);
        this.#surface?.toggleAttribute("aria-disabled", disabled);
        this.#updateValidity();
    }

    // The form's reset does what "Cancel and RESTART" does.
    formResetCallback() {
        this.#input(["click", "ComRestart"]);
    }

    // The browser gives back the inputs of an earlier visit of this page: they are replayed.
    formStateRestoreCallback(state, mode) {
        if (mode !== "restore" || typeof state !== "string")
            return;
        let inputs;
        try {
            inputs = JSON.parse(state);
        } catch {
            return;
        }
        if (!Array.isArray(inputs))
            return;
        if (this.#control)
            this.#replay(inputs);
        else
            this.#pendingRestore = inputs;
    }

    // The today attribute, or the browser's date where it is absent or no day of the calendar.
    #applyToday() {
        const text = this.getAttribute("today");
        const parts = isoParts(text);
        if (parts && core._moravine_set_today(this.#control, ...parts))
            return;
        core._moravine_set_today(this.#control, ...dayParts(new Date()));
        if (text !== null)
            this.#reportError(`The today attribute ${quoted(text)} is not a day of the calendar ` +
                          `written YYYY-MM-DD: the control takes the browser's date.`);
    }

    #build() {
        const root = this.shadowRoot;
        const make = (tag, id, className) => {
            const element = document.createElement(tag);
            if (id)
                element.id = id;
            if (className)
                element.className = className;
            return element;
        };
        this.#surface = make("div", "surface");
        this.#surface.setAttribute("role", "group");
        this.#surface.setAttribute("part", "surface");
        this.#announcer = make("div", "announcer");
        this.#announcer.setAttribute("role", "status");
        this.#announcer.setAttribute("aria-live", "polite");
        this.#validation = make("div", "validation");
        const fontProbe = make("span", "font-probe");
        fontProbe.setAttribute("aria-hidden", "true");
        fontProbe.textContent = "Moravine M";
        root.append(this.#surface, this.#announcer, this.#validation, fontProbe,
                    make("span", "palette-probe"));
        this.#nameGroup();

        this.#control = core._moravine_create(this.#number);
        if (!this.#control) {
            this.#reportError("There is no memory for another control on this page.");
            this.#resolveReady(false);
            return;
        }
        this.#readStyle();
        elementsByNumber.set(this.#number, new WeakRef(this.#sink));
        controls?.register(this, {number: this.#number, control: this.#control});
        this.#applyToday();
        this.#call((control) => core._moravine_start(control));
        if (this.#pendingRestore)
            this.#replay(this.#pendingRestore);
        this.#pendingRestore = null;
        this.#watch();
        this.#resolveReady(true);
    }

    // Connected again with its control: the time that passed meanwhile catches up.
    #resume() {
        this.#watch();
        this.#call((control) => core._moravine_timer_fired(control));
    }

    // The font, the text spacing and the page's media are watched while connected.
    #watch() {
        // The element follows its host's font and text spacing, as users who enlarge text set it.
        this.#fontObserver ??= new ResizeObserver(([{contentRect}]) => {
            const {width, height} = this.#readStyle().probe;
            if (contentRect.width !== width || contentRect.height !== height)
                this.#restyle();
        });
        this.#fontObserver.observe(this.shadowRoot.getElementById("font-probe"));
        for (const feature of watchedMedia) {
            const query = matchMedia(feature);
            const listener = () => this.#restyle();
            query.addEventListener("change", listener);
            this.#media.push([query, listener]);
        }
    }

    // The surface's group is named as a form control is: by the element's aria-label, else by
    // its labels.
    #nameGroup() {
        if (!this.#surface)
            return;
        const labelled = [...(this.#internals.labels ?? [])]
            .map((label) => label.textContent.trim()).filter(Boolean).join(" ");
        this.#surface.setAttribute("aria-label",
                                   this.getAttribute("aria-label") || labelled || groupName);
    }

    #updateValidity() {
        const missing = this.required && !this.#results.edd && !this.#formDisabled;
        const anchor = this.#views.get("ComCalcEDD")?.element;
        if (missing)
            this.#internals.setValidity({valueMissing: true}, missingEddMessage, anchor);
        else
            this.#internals.setValidity({});
        if (this.#validation)
            this.#validation.textContent = missing ? missingEddMessage : "";
        if (missing) {
            this.#surface?.setAttribute("aria-invalid", "true");
            this.#surface?.setAttribute("aria-describedby", "validation");
        } else {
            this.#surface?.removeAttribute("aria-invalid");
            this.#surface?.removeAttribute("aria-describedby");
        }
    }

    // The presenter's sink: the browser's calls for everything the core decides.
    #sink = this.#makeSink();

    #makeSink() {
        return {
            createView: (index, name, parent, role, centered, bordered) =>
                this.#createView({index, name, parent, role, centered, bordered}),
            placeView: (name, left, top, width, height) => {
                if (!name) {
                    this.#sizeSheet.replaceSync(`:host { width: ${width}px; height: ${height}px; }`);
                    return;
                }
                Object.assign(this.#views.get(name).box.style,
                              {left: `${left}px`, top: `${top}px`, width: `${width}px`,
                               height: `${height}px`});
            },
            showCaption: (name, caption) => this.#showCaption(this.#views.get(name), caption),
            showVisible: (name, visible) => { this.#views.get(name).box.hidden = !visible; },
            showEnabled: (name, enabled) => {
                const view = this.#views.get(name);
                view.enabled = enabled;
                this.#showUsable(view);
            },
            showChecked: (name, checked) => { this.#views.get(name).element.checked = checked; },
            // A list's items and selection go on view at the end of the call: a select asked for
            // its selection after each item added counts its items again each time.
            showSelection: (name, index) => this.#listDue(name).selectionDue = index,
            showItemAdded: (name, item) => this.#listDue(name).itemsDue.push(new Option(item, item)),
            showItemsCleared: (name) => {
                const list = this.#listDue(name);
                list.itemsDue = [];
                list.element.length = 0;
            },
            showColors: (name, back, fore) => {
                const {box} = this.#views.get(name);
                box.style.backgroundColor = back;
                box.style.color = fore;
            },
            showTabStop: (name, stop) => {
                const view = this.#views.get(name);
                view.tabStop = stop;
                this.#showUsable(view);
            },
            showAccessible: (name, accessibleName, description) =>
                this.#showAccessible(this.#views.get(name), accessibleName, description),
            announce: (text) => {
                // The same words twice are news twice: the region is emptied first.
                this.#announcer.textContent = "";
                requestAnimationFrame(() => { this.#announcer.textContent = text; });
            },
            focusPlace: () => {
                const focused = this.shadowRoot.activeElement;
                if (!focused)
                    return -2;
                return this.#views.get(focused.id)?.index ?? -1;
            },
            moveFocus: (name) => {
                // Inputs given back by the browser move no focus: the user is elsewhere.
                if (!this.#replaying)
                    (name ? this.#views.get(name).element : this.#surface).focus();
            },
            toolkitTime: () => performance.now(),
            armTimer: (wait) => {
                clearTimeout(this.#timer);
                if (wait >= 0 && this.isConnected)
                    this.#timer = setTimeout(() => this.#call((control) => core._moravine_timer_fired(control)), wait);
            },
            reducedMotion: () => matchMedia("(prefers-reduced-motion: reduce)").matches,
            fontPixels: () => this.#readStyle().fontPixels,
            measureText: (text) => measureText(this.#readStyle().text, text),
            textArea: (name, width, height) => {
                const [across, down] = textInsets[this.#views.get(name).role] ?? [0, 0];
                return [width - across, height - down];
            },
            systemPalette: () => this.#readStyle().palette,
            reportError: (message) => this.#reportError(message),
            resultsChanged: (edd, eddMethod, gestationAtBirthDays, eddMoved, gestationMoved) =>
                this.#resultsChanged({edd, eddMethod, gestationAtBirthDays}, eddMoved,
                                     gestationMoved),
        };
    }

    #restyle() {
        this.#style = null;
        this.#call((control) => core._moravine_lay_out(control));
    }

    #readStyle() {
        if (this.#style)
            return this.#style;
        const pixels = (value) => parseFloat(value) || 0;
        const surface = getComputedStyle(this.#surface);
        const probe = this.shadowRoot.getElementById("font-probe");
        this.#style = {
            fontPixels: pixels(getComputedStyle(this).fontSize),
            // The surface's font is every caption's (a radio input's own is the browser's).
            text: {
                font: surface.font || `${surface.fontSize} ${surface.fontFamily}`,
                letterSpacing: pixels(surface.letterSpacing),
                wordSpacing: pixels(surface.wordSpacing),
                lineHeight: pixels(surface.lineHeight),
            },
            palette: this.#palette(),
            probe: {width: probe.offsetWidth, height: probe.offsetHeight},
        };
        return this.#style;
    }

    // The page's colours by system colour number, as [r, g, b], in the element's own colour
    // scheme and theme.
    #palette() {
        const probe = this.shadowRoot.getElementById("palette-probe");
        if (!probe.firstChild) {
            probe.append(...systemColors.map((color) => {
                const swatch = document.createElement("span");
                swatch.style.color = color;
                return swatch;
            }));
        }
        return [...probe.children].map(
            (swatch) => getComputedStyle(swatch).color.match(/[\d.]+/g).slice(0, 3).map(Number));
    }

    // One element per widget, with the id of the widget's name, in its frame's box.
    #createView({index, name, parent, role, centered, bordered}) {
        const make = (tag, className, part) => {
            const element = document.createElement(tag);
            element.className = className;
            if (part)
                element.setAttribute("part", part);
            return element;
        };
        let box;
        let element;
        switch (role) {
        case "grouping":
            box = element = make("fieldset", "widget", "frame");
            element.append(make("div", "line"), make("legend", ""));
            // Captions are seen; assistive technology hears the view layer's names instead,
            // which stay while a prompt blinks a caption away.
            element.lastChild.setAttribute("aria-hidden", "true");
            break;
        case "radio":
            box = make("label", "widget", "option");
            element = document.createElement("input");
            element.type = "radio";
            element.name = parent;
            box.append(element, document.createElement("span"));
            box.lastChild.setAttribute("aria-hidden", "true");
            break;
        case "list":
            box = make("span", "widget list", "list");
            element = document.createElement("select");
            box.append(element, make("span", "arrow"));
            break;
        case "button":
            box = element = make("button", "widget", "button");
            element.type = "button";
            break;
        case "result":
            box = element = make("output", "widget", "result");
            element.setAttribute("aria-live", "polite");
            break;
        case "picture":
            box = element = make("canvas", "widget", "logo");
            element.setAttribute("role", "img");
            drawLogo(element);
            break;
        default:
            box = element = make("div", "widget text", "label");
            break;
        }
        element.id = name;
        box.classList.toggle("centered", centered);
        box.classList.toggle("bordered", bordered);
        // A frame's children sit in its box, whose edges the model counts from.
        (parent ? this.#views.get(parent).box : this.#surface).append(box);
        const view = {index, name, role, box, element, enabled: true, tabStop: true};
        this.#views.set(name, view);
        this.#viewNames[index] = name;
        this.#showUsable(view);
    }

    // A widget takes the user's input while the model enables it and no form disables the
    // element; options and results are Tab stops where the model makes them so.
    #showUsable(view) {
        const usable = view.enabled && !this.#formDisabled;
        if ("disabled" in view.element && view.role !== "result")
            view.element.disabled = !usable;
        if (view.role === "result")
            view.element.tabIndex = this.#formDisabled ? -1 : 0;
        else if (view.role === "radio")
            view.element.tabIndex = view.tabStop ? 0 : -1;
        view.box.classList.toggle("disabled", !usable);
    }

    #listDue(name) {
        const list = this.#views.get(name);
        list.itemsDue ??= [];
        this.#listsDue.add(list);
        return list;
    }

    #showListsDue() {
        for (const list of this.#listsDue) {
            list.element.append(...list.itemsDue);
            if (list.selectionDue !== undefined && list.element.selectedIndex !== list.selectionDue)
                list.element.selectedIndex = list.selectionDue;
            list.itemsDue = [];
            list.selectionDue = undefined;
        }
        this.#listsDue.clear();
    }

    #showCaption({role, box, element}, caption) {
        if (role === "grouping") {
            const legend = element.querySelector("legend");
            legend.textContent = caption;
            legend.hidden = !caption;
        } else if (role === "radio") {
            box.lastChild.textContent = caption;
        } else if (role === "result") {
            element.value = caption;
        } else if (role !== "list" && role !== "picture") {
            element.textContent = caption;
        }
    }

    #showAccessible({element}, accessibleName, description) {
        if (accessibleName)
            element.setAttribute("aria-label", accessibleName);
        else
            element.removeAttribute("aria-label");
        if (description)
            element.setAttribute("aria-description", description);
        else
            element.removeAttribute("aria-description");
    }

    #resultsChanged(results, eddMoved, gestationMoved) {
        this.#results = results;
        this.#saveFormValue();
        this.#updateValidity();
        const send = (type, detail) =>
            this.dispatchEvent(new CustomEvent(type, {bubbles: true, composed: true, detail}));
        if (eddMoved)
            send("edd-change", {edd: results.edd, eddMethod: results.eddMethod});
        if (gestationMoved)
            send("gestation-change", {gestationAtBirthDays: results.gestationAtBirthDays});
    }

    #saveFormValue() {
        const state = this.#inputs.length <= savedInputsLimit ? JSON.stringify(this.#inputs) : null;
        this.#internals.setFormValue(this.#results.edd || null, state);
    }

    // The user's clicks, picks and keys, each to the control; nothing else reaches it, and
    // nothing at all while a form disables the element. Set once, for the element's life.
    #listen() {
        const root = this.shadowRoot;
        const named = (target) => (this.#views.has(target?.id) ? target.id : null);
        const roleOf = (name) => this.#views.get(name)?.role;
        root.addEventListener("click", (event) => {
            const name = named(event.target);
            if (name && !this.#formDisabled && ["radio", "button"].includes(roleOf(name)))
                this.#input(["click", name]);
        });
        root.addEventListener("change", (event) => {
            const name = named(event.target);
            if (name && !this.#formDisabled && roleOf(name) === "list")
                this.#input(["pick", name, event.target.value]);
        });
        root.addEventListener("keydown", (event) => {
            const name = named(event.target);
            if (!name || this.#formDisabled || event.altKey || event.ctrlKey || event.metaKey)
                return;
            if (this.#input(["key", name, event.key]))
                event.preventDefault();
        });
        root.addEventListener("focusin", () => this.#nameGroup());
    }

    // One input to the control, kept for the form's saved state; whether the control took it.
    #input(input) {
        const [kind, ...texts] = input;
        const took = this.#call((control) => withText(texts, (...pointers) => {
            if (kind === "click")
                return core._moravine_click(control, ...pointers);
            if (kind === "pick")
                return core._moravine_pick(control, ...pointers);
            return core._moravine_press_key(control, ...pointers) !== 0;
        }));
        if (kind !== "key" || took) {
            this.#inputs.push(input);
            this.#saveFormValue();
        }
        return took;
    }

    #replay(inputs) {
        this.#replaying = true;
        try {
            for (const input of inputs.slice(0, savedInputsLimit)) {
                if (Array.isArray(input) && input.every((part) => typeof part === "string"))
                    this.#input(input);
            }
        } finally {
            this.#replaying = false;
        }
    }

    // Calls the control, if there is one; nothing thrown leaves the element.
    #call(action) {
        if (!this.#control)
            return undefined;
        try {
            return action(this.#control);
        } catch (error) {
            this.#reportError(String(error?.message ?? error));
            return undefined;
        } finally {
            this.#showListsDue();
        }
    }

    #reportError(message) {
        this.dispatchEvent(new CustomEvent("runtime-error",
                                           {bubbles: true, composed: true, detail: {message}}));
    }
}

// The element as the page already has it, or this module's.
const definedElement = globalThis.customElements?.get(tagName);
if (globalThis.customElements && !definedElement)
    customElements.define(tagName, RuvoMoravineElement);
const element = definedElement ?? RuvoMoravineElement;

export { element as RuvoMoravineElement, element as default };
