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

class RuvoMoravine extends HTMLElement {
    static formAssociated = true;
    static observedAttributes = ["today"];

    #internals = this.attachInternals();
    #control = null;
    #views = new Map();
    #surface = null;
    #timer = 0;
    #applyingFocus = false;
    #shownNames = new Map();
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
        this.#control = new core.ElementControl(...this.#today(), pagePalette(), performance.now(), {
            changed: (name, change) => this.#mirror(name, change),
            moveFocus: (name) => this.#moveFocus(name),
            resultsChanged: (results) => this.#resultsChanged(results),
        });
        const {width, height} = this.#control.size();
        this.shadowRoot.innerHTML =
            `<style>${style}</style><div id="surface" tabindex="-1" role="group"></div>`;
        this.#surface = this.shadowRoot.getElementById("surface");
        this.#surface.setAttribute("aria-label", "Moravine pregnancy dating");
        this.style.width = `${width}px`;
        this.style.height = `${height}px`;
        for (const widget of this.#control.layout())
            this.#create(widget);
        for (const name of this.#views.keys())
            this.#showState(name);
        this.#listen();
        this.#run((now) => this.#control.initialize(now));
    }

    #dispose() {
        clearTimeout(this.#timer);
        this.#control?.delete();
        this.#control = null;
        this.#views.clear();
        this.#shownNames.clear();
        this.shadowRoot.replaceChildren();
    }

    // One element per widget, with the id of the widget's name, in its frame's box.
    #create(widget) {
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
            for (const item of widget.items)
                element.add(new Option(item, item));
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
        Object.assign(box.style, {left: `${widget.left}px`, top: `${widget.top}px`,
                                  width: `${widget.width}px`, height: `${widget.height}px`});
        const parent = widget.parent ? this.#views.get(widget.parent).box : this.#surface;
        parent.append(box);
        this.#views.set(widget.name, {widget, box, element});
    }

    // Applies everything the model says of a widget.
    #showState(name) {
        for (const change of ["caption", "visible", "enabled", "value", "text", "backColor"])
            this.#mirror(name, change);
    }

    // One change of the model, at once, as it happens inside a run of the control.
    #mirror(name, change) {
        const view = this.#views.get(name);
        if (!view)
            return;
        const {widget, box, element} = view;
        const state = this.#control.state(name);
        switch (change) {
        case "caption":
            if (widget.role === "grouping") {
                const legend = element.querySelector("legend");
                legend.textContent = state.caption;
                legend.hidden = !state.caption;
            }
            else if (widget.role === "radio")
                box.lastChild.textContent = state.caption;
            else if (widget.role === "result")
                element.value = state.caption;
            else if (widget.role !== "list" && widget.role !== "picture")
                element.textContent = state.caption;
            break;
        case "visible":
            if (!state.visible)
                this.#parkFocus(box);
            box.hidden = !state.visible;
            break;
        case "enabled":
            if (!state.enabled)
                this.#parkFocus(box);
            if ("disabled" in element)
                element.disabled = !state.enabled;
            box.classList.toggle("disabled", !state.enabled);
            break;
        case "value":
            if (widget.role === "radio")
                element.checked = state.checked;
            break;
        case "text":
            if (widget.role === "list")
                element.selectedIndex = state.selected;
            break;
        case "backColor":
            box.style.backgroundColor = state.back;
            box.style.color = state.fore;
            break;
        case "itemAdded":
            element.add(new Option(this.#control.lastItem(name), this.#control.lastItem(name)));
            element.selectedIndex = state.selected;
            break;
        case "itemsCleared":
            element.length = 0;
            break;
        case "focus":
            element.focus();
            break;
        }
    }

    // The browser hands the focus of a widget it hides to nothing, or moves it on; the surface
    // holds it until the focus rule decides, so no input has it even for a moment.
    #parkFocus(box) {
        const focused = this.shadowRoot.activeElement;
        if (focused && box.contains(focused))
            this.#withFocusApplied(() => this.#surface.focus());
    }

    #moveFocus(name) {
        this.#withFocusApplied(() => (name ? this.#views.get(name).element : this.#surface).focus());
    }

    #withFocusApplied(move) {
        this.#applyingFocus = true;
        try {
            move();
        } finally {
            this.#applyingFocus = false;
        }
    }

    #resultsChanged(results) {
        const before = this.#results;
        this.#results = {...results};
        this.#internals.setFormValue(results.edd || null);
        const send = (type, detail) =>
            this.dispatchEvent(new CustomEvent(type, {bubbles: true, composed: true, detail}));
        if (results.edd !== before.edd || results.eddMethod !== before.eddMethod)
            send("edd-change", {edd: results.edd, eddMethod: results.eddMethod});
        if (results.gestationAtBirthDays !== before.gestationAtBirthDays)
            send("gestation-change", {gestationAtBirthDays: results.gestationAtBirthDays});
    }

    // The user's clicks, picks, keys and focus, each to the control; nothing else reaches it.
    #listen() {
        const root = this.shadowRoot;
        const named = (target) => (this.#views.has(target?.id) ? target.id : null);
        root.addEventListener("click", (event) => {
            const name = named(event.target);
            if (!name || !["radio", "button"].includes(this.#views.get(name).widget.role))
                return;
            this.#run((now, inside) => this.#control.click(name, now, inside));
            this.#syncGroup(name);
        });
        root.addEventListener("change", (event) => {
            const name = named(event.target);
            if (!name || this.#views.get(name).widget.role !== "list")
                return;
            this.#run((now, inside) => this.#control.pick(name, event.target.value, now, inside));
            // A refused pick leaves the list as the control has it, disabled included.
            this.#mirror(name, "text");
            this.#mirror(name, "enabled");
        });
        root.addEventListener("keydown", (event) => {
            const name = named(event.target);
            if (!name || event.altKey || event.ctrlKey || event.metaKey)
                return;
            const target = this.#control.keyTarget(name, event.key);
            if (!target)
                return;
            event.preventDefault();
            const element = this.#views.get(target).element;
            if (target !== name)
                element.focus();
            this.#run((now, inside) => this.#control.click(target, now, inside));
            this.#syncGroup(target);
        });
        root.addEventListener("focusin", (event) => {
            if (this.#applyingFocus)
                return;
            const name = named(event.target);
            if (name || event.target === this.#surface)
                this.#guard(() => this.#control.userFocused(name ?? ""));
        });
    }

    // A radio input checks itself when clicked; the control decides which of its group is.
    #syncGroup(name) {
        const {widget} = this.#views.get(name);
        if (widget.role !== "radio")
            return;
        for (const [other, view] of this.#views) {
            if (view.widget.role === "radio" && view.widget.parent === widget.parent)
                this.#mirror(other, "value");
        }
    }

    // Runs one entry into the control, then arms the timer for the next tick and reports the
    // run-time errors the entry met.
    #run(entry) {
        if (!this.#control)
            return;
        const inside = this.shadowRoot.activeElement !== null;
        this.#guard(() => {
            const errors = entry(performance.now(), inside);
            this.#updateNames();
            this.#arm();
            for (const message of errors)
                this.#reportError(message);
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

    #arm() {
        clearTimeout(this.#timer);
        const wait = this.#control?.untilNextTick() ?? -1;
        if (wait >= 0)
            this.#timer = setTimeout(
                () => this.#run((now, inside) => this.#control.tick(now, inside)), wait);
    }

    // The names and descriptions assistive technology hears, set only where they changed.
    #updateNames() {
        for (const [name, {widget, element}] of this.#views) {
            const {accessibleName, description} = this.#control.state(name);
            const shown = `${accessibleName}\n${description}`;
            if (this.#shownNames.get(name) === shown)
                continue;
            this.#shownNames.set(name, shown);
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
    }
}

customElements.define("ruvo-moravine", RuvoMoravine);

// The size of the core's memory, for a page that checks it does not grow with elements created
// and removed.
globalThis.__ruvoMoravineMemoryBytes = () => core.HEAP8.length;
