// <ruvo-moravine>: the Moravine pregnancy-dating control as a custom element.
//
// The element mirrors one headless control of the WebAssembly core with native form controls laid
// out from the view layer's geometry: a fieldset per frame, a radio input per option button, a
// select per list, a button per command button, an output per result. It forwards only the user's
// clicks, picks and keys and the passing of time; every result, every name a screen reader hears
// and every move of the focus comes from the core. Importing this module loads the core and
// defines the element.

const core = await createMoravineCore();

const logoUrl = URL.createObjectURL(
    new Blob([Uint8Array.from(moravineLogoHex.match(/../g), (pair) => parseInt(pair, 16))],
             {type: "image/bmp"}));

// "YYYY-MM-DD" as [year, month, day], or null.
function isoParts(text) {
    const match = /^(\d{4})-(\d{2})-(\d{2})$/.exec(text ?? "");
    return match ? match.slice(1).map(Number) : null;
}

// What of a box each kind leaves its text, across and down, in CSS pixels: the style sheet's
// borders, paddings, indicators and drop-down arrows. A legend sits 6 pixels in with 2 of padding
// a side; a radio's 13-pixel circle has 2 before it and a gap of 3 after; a list has 2 of padding,
// 13 for its arrow and a 1-pixel border; a button 2 of padding and Chromium's 2-pixel border; a
// result 2 of padding and its 1-pixel border.
const textInsets = {
    grouping: [10, 0], radio: [18, 0], list: [17, 2], button: [8, 4], text: [0, 0], result: [6, 2],
};

class RuvoMoravine extends HTMLElement {
    static formAssociated = true;
    static observedAttributes = ["today"];

    #internals = this.attachInternals();
    #control = null;
    #views = new Map();
    #surface = null;
    #announcer = null;
    #timer = 0;
    #fontObserver = null;
    #measure = document.createElement("canvas").getContext("2d");
    #results = {edd: "", eddMethod: "", gestationAtBirthDays: -1};

    constructor() {
        super();
        this.attachShadow({mode: "open"});
    }

    get edd() { return this.#results.edd; }
    get eddMethod() { return this.#results.eddMethod; }
    get gestationAtBirthDays() { return this.#results.gestationAtBirthDays; }

    // The display form of a date, "26 October 2006": a Date (its local day) or "YYYY-MM-DD";
    // empty for anything else.
    datenice(date) {
        const parts = date instanceof Date
            ? (isNaN(date) ? null : [date.getFullYear(), date.getMonth() + 1, date.getDate()])
            : isoParts(String(date));
        return parts ? core.datenice(...parts) : "";
    }

    connectedCallback() {
        if (!this.#control)
            this.#build();
    }

    // A move within the page disconnects and connects again at once: the control lives on.
    disconnectedCallback() {
        queueMicrotask(() => {
            if (!this.isConnected)
                this.#dispose();
        });
    }

    attributeChangedCallback() {
        this.#control?.setToday(...this.#today());
    }

    // The today attribute, else the browser's local date.
    #today() {
        const now = new Date();
        return isoParts(this.getAttribute("today")) ??
               [now.getFullYear(), now.getMonth() + 1, now.getDate()];
    }

    #build() {
        this.shadowRoot.innerHTML = `<style>${style}</style>` +
            `<div id="surface" tabindex="-1" role="group"></div>` +
            `<div id="announcer" role="status" aria-live="polite"></div>` +
            `<span id="font-probe" aria-hidden="true">M</span>`;
        this.#surface = this.shadowRoot.getElementById("surface");
        this.#surface.setAttribute("aria-label", "Moravine pregnancy dating");
        this.#announcer = this.shadowRoot.getElementById("announcer");
        this.#control = new core.ElementView(...this.#today(), this.#sink());
        this.#listen();
        this.#guard(() => this.#control.start());
        // The element follows its host's font size, as users who enlarge text set it.
        this.#fontObserver = new ResizeObserver(() => this.#guard(() => this.#control?.layOut()));
        this.#fontObserver.observe(this.shadowRoot.getElementById("font-probe"));
    }

    #dispose() {
        clearTimeout(this.#timer);
        this.#fontObserver?.disconnect();
        this.#control?.delete();
        this.#control = null;
        this.#views.clear();
        this.shadowRoot.replaceChildren();
    }

    // The presenter's sink: the browser's calls for everything the core decides.
    #sink() {
        return {
            createView: (widget) => this.#createView(widget),
            placeView: (name, left, top, width, height) => {
                const box = name ? this.#views.get(name).box : this;
                Object.assign(box.style, {width: `${width}px`, height: `${height}px`});
                if (name)
                    Object.assign(box.style, {left: `${left}px`, top: `${top}px`});
            },
            showCaption: (name, caption) => this.#showCaption(this.#views.get(name), caption),
            showVisible: (name, visible) => { this.#views.get(name).box.hidden = !visible; },
            showEnabled: (name, enabled) => {
                const {box, element} = this.#views.get(name);
                if ("disabled" in element)
                    element.disabled = !enabled;
                box.classList.toggle("disabled", !enabled);
            },
            showChecked: (name, checked) => { this.#views.get(name).element.checked = checked; },
            showSelection: (name, index) => { this.#views.get(name).element.selectedIndex = index; },
            showItemAdded: (name, item) => this.#views.get(name).element.add(new Option(item, item)),
            showItemsCleared: (name) => { this.#views.get(name).element.length = 0; },
            showColors: (name, back, fore) => {
                const {box} = this.#views.get(name);
                box.style.backgroundColor = back;
                box.style.color = fore;
            },
            showTabStop: (name, stop) => { this.#views.get(name).element.tabIndex = stop ? 0 : -1; },
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
                    return null;
                return this.#views.has(focused.id) ? focused.id : "";
            },
            moveFocus: (name) => (name ? this.#views.get(name).element : this.#surface).focus(),
            toolkitTime: () => performance.now(),
            armTimer: (wait) => {
                clearTimeout(this.#timer);
                if (wait >= 0)
                    this.#timer = setTimeout(() => this.#guard(() => this.#control?.timerFired()),
                                             wait);
            },
            reducedMotion: () => matchMedia("(prefers-reduced-motion: reduce)").matches,
            fontPixels: () => parseFloat(getComputedStyle(this).fontSize),
            measureText: (text) => {
                // The surface's font is every caption's (a radio input's own is the browser's).
                this.#measure.font = getComputedStyle(this.#surface).font;
                const metrics = this.#measure.measureText(text);
                return {width: metrics.width,
                        height: metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent};
            },
            textArea: (name, width, height) => {
                const [across, down] = textInsets[this.#views.get(name).widget.role] ?? [0, 0];
                return {width: width - across, height: height - down};
            },
            systemPalette: () => pagePalette(),
            reportError: (message) => this.#reportError(message),
            resultsChanged: (results, eddMoved, gestationMoved) =>
                this.#resultsChanged(results, eddMoved, gestationMoved),
        };
    }

    // One element per widget, with the id of the widget's name, in its frame's box.
    #createView(widget) {
        const make = (tag, className) => {
            const element = document.createElement(tag);
            element.className = className;
            return element;
        };
        let box;
        let element;
        switch (widget.role) {
        case "grouping":
            box = element = make("fieldset", "widget");
            element.append(make("div", "line"), make("legend", ""));
            // Captions are seen; assistive technology hears the view layer's names instead,
            // which stay while a prompt blinks a caption away.
            element.lastChild.setAttribute("aria-hidden", "true");
            break;
        case "radio":
            box = make("label", "widget");
            element = document.createElement("input");
            element.type = "radio";
            element.name = widget.parent;
            box.append(element, document.createElement("span"));
            box.lastChild.setAttribute("aria-hidden", "true");
            break;
        case "list":
            box = element = make("select", "widget");
            break;
        case "button":
            box = element = make("button", "widget");
            element.type = "button";
            break;
        case "result":
            box = element = make("output", "widget");
            element.tabIndex = 0;
            element.setAttribute("aria-live", "polite");
            break;
        case "picture":
            box = element = make("img", "widget");
            element.src = logoUrl;
            break;
        default:
            box = element = make("div", "widget text");
            break;
        }
        element.id = widget.name;
        box.classList.toggle("centered", widget.centered);
        box.classList.toggle("bordered", widget.bordered);
        // A frame's children sit in its box, whose edges the model counts from.
        const parent = widget.parent ? this.#views.get(widget.parent).box : this.#surface;
        parent.append(box);
        this.#views.set(widget.name, {widget, box, element});
    }

    #showCaption({widget, box, element}, caption) {
        if (widget.role === "grouping") {
            const legend = element.querySelector("legend");
            legend.textContent = caption;
            legend.hidden = !caption;
        } else if (widget.role === "radio") {
            box.lastChild.textContent = caption;
        } else if (widget.role === "result") {
            element.value = caption;
        } else if (widget.role !== "list" && widget.role !== "picture") {
            element.textContent = caption;
        }
    }

    #showAccessible({widget, element}, accessibleName, description) {
        if (widget.role === "picture")
            element.alt = accessibleName;
        else if (accessibleName)
            element.setAttribute("aria-label", accessibleName);
        else
            element.removeAttribute("aria-label");
        if (description)
            element.setAttribute("aria-description", description);
        else
            element.removeAttribute("aria-description");
    }

    #resultsChanged(results, eddMoved, gestationMoved) {
        this.#results = {...results};
        this.#internals.setFormValue(results.edd || null);
        const send = (type, detail) =>
            this.dispatchEvent(new CustomEvent(type, {bubbles: true, composed: true, detail}));
        if (eddMoved)
            send("edd-change", {edd: results.edd, eddMethod: results.eddMethod});
        if (gestationMoved)
            send("gestation-change", {gestationAtBirthDays: results.gestationAtBirthDays});
    }

    // The user's clicks, picks and keys, each to the control; nothing else reaches it.
    #listen() {
        const root = this.shadowRoot;
        const named = (target) => (this.#views.has(target?.id) ? target.id : null);
        root.addEventListener("click", (event) => {
            const name = named(event.target);
            if (name && ["radio", "button"].includes(this.#views.get(name).widget.role))
                this.#guard(() => this.#control?.click(name));
        });
        root.addEventListener("change", (event) => {
            const name = named(event.target);
            if (name && this.#views.get(name).widget.role === "list")
                this.#guard(() => this.#control?.pick(name, event.target.value));
        });
        root.addEventListener("keydown", (event) => {
            const name = named(event.target);
            if (!name || event.altKey || event.ctrlKey || event.metaKey)
                return;
            this.#guard(() => {
                if (this.#control?.pressKey(name, event.key))
                    event.preventDefault();
            });
        });
    }

    #guard(action) {
        try {
            action();
        } catch (error) {
            this.#reportError(String(error?.message ?? error));
        }
    }

    #reportError(message) {
        this.dispatchEvent(new CustomEvent("runtime-error",
                                           {bubbles: true, composed: true, detail: {message}}));
    }
}

customElements.define("ruvo-moravine", RuvoMoravine);

// The size of the core's memory, for a page that checks it does not grow with elements created
// and removed.
globalThis.__ruvoMoravineMemoryBytes = () => core.HEAP8.length;
