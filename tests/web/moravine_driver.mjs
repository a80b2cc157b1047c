// Drives a <ruvo-moravine> element in Debian's Chromium and Firefox as a person does: real mouse
// clicks on its widgets and keys typed into its lists. Shared by the browser tests and the web
// demo. Chromium is driven over the DevTools protocol, Firefox over WebDriver BiDi; what only
// one of them offers (the accessibility tree, media emulation, forced garbage collection) has a
// helper here that takes the other browser's own way to the same thing.
import { existsSync } from 'node:fs';
import { dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
export const recordedToday = '2006-12-07';

// The browsers the tests run in, in the order they run; RUVO_CHROMIUM and RUVO_FIREFOX name
// other executables than Debian's.
export const browsers = {
    chromium: {
        title: 'Chromium',
        path: process.env.RUVO_CHROMIUM || '/usr/bin/chromium',
        debianPackage: 'chromium',
    },
    firefox: {
        title: 'Firefox',
        path: process.env.RUVO_FIREFOX || '/usr/bin/firefox-esr',
        debianPackage: 'firefox-esr',
    },
};
export const browserNames = Object.keys(browsers);
export const chromiumPath = browsers.chromium.path;

export function browserInstalled(name) {
    return existsSync(browsers[name].path);
}

export function chromiumInstalled() {
    return browserInstalled('chromium');
}

// The line to print when a browser is not there to run in.
export function missingBrowserLine(name) {
    const { title, path, debianPackage } = browsers[name];
    return `${title} is not installed at ${path} (apt-get install ${debianPackage})`;
}

async function loadPuppeteer() {
    try {
        return (await import('puppeteer-core')).default;
    } catch (error) {
        throw new Error(`puppeteer-core is missing: run "npm ci" in ${here} (${error.message})`);
    }
}

// Which of browsers a launched browser is.
const launchedNames = new WeakMap();

export function browserNameOf(browser) {
    return launchedNames.get(browser) ?? 'chromium';
}

const viewport = { width: 1024, height: 900 };

// Headless Chromium whose pages may call gc(), so that a test can tell memory kept from memory
// not yet collected. Chromium refuses to start its sandbox as root, so root runs it without.
export async function launchChromium() {
    const puppeteer = await loadPuppeteer();
    const args = ['--js-flags=--expose-gc', '--disable-dev-shm-usage', '--no-first-run',
        '--no-default-browser-check'];
    if (process.getuid?.() === 0) args.push('--no-sandbox');
    const browser = await puppeteer.launch({
        executablePath: browsers.chromium.path,
        headless: true,
        pipe: true,
        args,
        defaultViewport: viewport,
        timeout: 60_000,
    });
    launchedNames.set(browser, 'chromium');
    return browser;
}

// Headless Firefox over WebDriver BiDi. Its pages have no gc() and BiDi has no media emulation
// or accessibility tree, but Firefox lets a test script its own parent process once started with
// --remote-allow-system-access: there the accessibility service, each tab's media overrides
// and the content processes' garbage collector are at hand (see firefoxParent below).
export async function launchFirefox() {
    const puppeteer = await loadPuppeteer();
    const browser = await puppeteer.launch({
        browser: 'firefox',
        protocol: 'webDriverBiDi',
        executablePath: browsers.firefox.path,
        headless: true,
        args: ['--remote-allow-system-access'],
        extraPrefsFirefox: {
            // The accessibility service may start whenever a test asks for it.
            'accessibility.force_disabled': 0,
            // Timings to the tenth of a millisecond, as Chromium gives them, rather than rounded
            // to whole milliseconds against fingerprinting: the first frame is timed.
            'privacy.reduceTimerPrecision': false,
        },
        defaultViewport: viewport,
        timeout: 60_000,
    });
    launchedNames.set(browser, 'firefox');
    return browser;
}

export async function launchBrowser(name) {
    if (name === 'chromium') return launchChromium();
    if (name === 'firefox') return launchFirefox();
    throw new Error(`no launcher for the browser ${name}`);
}

// Firefox's parent process as a BiDi "chrome" context: call(source, ...args) runs the function
// source there, with the system principal, and gives back what it returns through JSON.
class FirefoxParent {
    static #contexts = new WeakMap();

    static of(browser) {
        let parent = FirefoxParent.#contexts.get(browser);
        if (!parent) {
            parent = new FirefoxParent(browser);
            FirefoxParent.#contexts.set(browser, parent);
        }
        return parent;
    }

    #connection;
    #context = null;

    constructor(browser) {
        this.#connection = browser.connection;
    }

    async call(source, ...args) {
        if (!this.#context) {
            const { result } = await this.#connection.send('browsingContext.getTree',
                { 'moz:scope': 'chrome' });
            this.#context = result.contexts[0]?.context;
            if (!this.#context) throw new Error('Firefox shows no chrome window to script');
        }
        const { result } = await this.#connection.send('script.callFunction', {
            functionDeclaration: `async (...args) => JSON.stringify(await (${source})(...args))`,
            arguments: args.map((value) => ({ type: 'string', value: JSON.stringify(value) })),
            target: { context: this.#context },
            awaitPromise: true,
        });
        if (result.type === 'exception') {
            throw new Error(`in Firefox's parent process: ${result.exceptionDetails?.text}`);
        }
        const text = result.result?.value;
        return text === undefined ? undefined : JSON.parse(text);
    }
}

// Runs a function in Firefox's parent process with the <browser> element of the page's tab as
// its first argument; the other arguments follow, as JSON texts the function parses.
export async function inFirefoxTab(page, source, ...args) {
    // The BiDi id of the page's top-level browsing context, which puppeteer keeps as the id of
    // the page's main frame.
    const tabId = page.mainFrame()._id;
    return FirefoxParent.of(page.browser()).call(`async (tabId, ...args) => {
        const { NavigableManager } = ChromeUtils.importESModule(
            'chrome://remote/content/shared/NavigableManager.sys.mjs');
        const tab = NavigableManager.getBrowserById(JSON.parse(tabId));
        if (!tab) throw new Error('no tab for the page');
        return (${source})(tab, ...args.map((arg) => JSON.parse(arg)));
    }`, tabId, ...args);
}

// A mouse click at a point of the page's viewport that reaches the browser at once, as a person's
// does, even while the page's main thread is busy: the page takes it when it is free, with the
// time it was pressed. Chromium's DevTools input does so; Firefox's WebDriver actions first ask
// the page's own process where the point is, so that a busy page would get the press only once
// it is free, and late. There the click is made in the parent process instead, as the window's
// own mouse events are, and sent to the page's process with the time of the press.
export async function clickAt(page, x, y) {
    if (browserNameOf(page.browser()) !== 'firefox') {
        await page.mouse.click(x, y);
        return;
    }
    await inFirefoxTab(page, async (tab, left, top) => {
        const window = tab.ownerDocument.defaultView;
        const origin = tab.getBoundingClientRect();
        // Each promise settles as the page's process has handled its event; the three are sent
        // together, so none waits for the page.
        const send = (type) => new Promise((resolve) => window.synthesizeMouseEvent(type,
            origin.left + left, origin.top + top,
            { button: 0, clickCount: 1, inputSource: MouseEvent.MOZ_SOURCE_MOUSE },
            { isDOMEventSynthesized: true, isWidgetEventSynthesized: false, isAsyncEnabled: true },
            resolve));
        await Promise.all([send('mousemove'), send('mousedown'), send('mouseup')]);
        return true;
    }, x, y);
}

// Media features a page asks about, set while it is open and heard by its matchMedia listeners
// as a user's change of settings would be. Chromium emulates them through the DevTools protocol
// (puppeteer's emulateMediaFeatures refuses forced-colors, so the protocol is called directly),
// which takes the whole set each time, so the set of each page is kept here; Firefox has the
// same overrides per tab on the tab's browsing context, as its developer tools use them.
const emulatedFeatures = new WeakMap();
const firefoxOverrides = {
    'prefers-color-scheme': 'prefersColorSchemeOverride',
    'forced-colors': 'forcedColorsOverride',
    'prefers-reduced-motion': 'prefersReducedMotionOverride',
};

// value null gives the feature back to the system's setting.
export async function emulateMediaFeature(page, name, value) {
    if (browserNameOf(page.browser()) === 'firefox') {
        const wanted = value ?? 'none';
        const set = await inFirefoxTab(page, (tab, key, override) => {
            tab.browsingContext[key] = override;
            return tab.browsingContext[key];
        }, firefoxOverrides[name], wanted);
        if (set !== wanted) throw new Error(`Firefox kept ${name} at ${set}, not ${wanted}`);
        return;
    }
    let emulated = emulatedFeatures.get(page);
    if (!emulated) {
        emulated = { cdp: await page.createCDPSession(), features: new Map() };
        emulatedFeatures.set(page, emulated);
    }
    if (value === null) emulated.features.delete(name);
    else emulated.features.set(name, value);
    await emulated.cdp.send('Emulation.setEmulatedMedia', {
        features: [...emulated.features].map(([feature, setting]) => ({ name: feature, value: setting })),
    });
}

// 'dark', 'light' or null for the system's scheme.
export async function setColorScheme(page, scheme) {
    await emulateMediaFeature(page, 'prefers-color-scheme', scheme);
}

// 'active' draws the page in the system's forced colours, as a high contrast theme does;
// 'none' or null draws it in its own.
export async function setForcedColors(page, state) {
    await emulateMediaFeature(page, 'forced-colors', state === 'none' ? null : state);
}

// 'reduce', 'no-preference' or null for the system's setting.
export async function setReducedMotion(page, preference) {
    await emulateMediaFeature(page, 'prefers-reduced-motion', preference);
}

// Collects garbage in the page's process and lets the finalizers that frees run, so that memory
// still kept is told from memory not yet collected. Chromium's pages have gc(); Firefox's parent
// asks its content processes to collect, as about:memory's button does. Gives whether a
// collection could be forced.
export async function collectGarbage(page) {
    let forced = true;
    if (browserNameOf(page.browser()) === 'firefox') {
        await FirefoxParent.of(page.browser()).call(`() => {
            Services.obs.notifyObservers(null, 'child-gc-request');
            Services.obs.notifyObservers(null, 'child-cc-request');
            Services.obs.notifyObservers(null, 'child-gc-request');
            return true;
        }`);
    } else {
        forced = await page.evaluate(() => typeof globalThis.gc === 'function' && (globalThis.gc(), true));
    }
    await page.evaluate(async () => {
        const nextTask = () => new Promise((resolve) => setTimeout(resolve, 0));
        for (let i = 0; i < 3; i++) await nextTask();
    });
    return forced;
}

// The file a screenshot of that browser goes to: Chromium's under the name given, the others'
// beside it with the browser's name added.
export function screenshotPath(path, browserName) {
    return browserName === 'chromium' ? path : path.replace(/(\.png)?$/, `-${browserName}.png`);
}

const waitLimit = 10_000;

export class MoravinePage {
    // Opens a page of the test server and waits until the element is defined and the page's
    // element, if it has one, has its shadow root. Page errors and console errors are kept in
    // pageErrors.
    static async open(browser, url, host = 'ruvo-moravine') {
        const page = await browser.newPage();
        const opened = new MoravinePage(page, host);
        opened.browserName = browserNameOf(browser);
        page.on('pageerror', (error) => opened.pageErrors.push(String(error?.message ?? error)));
        page.on('console', (message) => {
            if (message.type() !== 'error') return;
            const source = message.location()?.url;
            opened.pageErrors.push(source ? `${message.text()} (${source})` : message.text());
        });
        await page.goto(url, { waitUntil: 'load' });
        const loaded = await page.evaluate(() => window.moravineLoaded);
        if (loaded !== 'loaded') throw new Error(loaded);
        await page.waitForFunction(
            (name) => customElements.get(name) !== undefined &&
                (!document.querySelector(name) || document.querySelector(name).shadowRoot?.getElementById('surface')),
            { timeout: waitLimit }, host);
        return opened;
    }

    // Opens the page, gives it to run, and closes it whatever run does.
    static async with(browser, url, run) {
        const session = await MoravinePage.open(browser, url);
        try {
            return await run(session);
        } finally {
            await session.page.close();
        }
    }

    constructor(page, host = 'ruvo-moravine') {
        this.page = page;
        this.host = host;
        this.browserName = browserNameOf(page.browser());
        this.pageErrors = [];
    }

    async element() {
        return this.page.$(this.host);
    }

    // The handle of the widget with that id in the element's shadow root.
    async widget(id) {
        const handle = await this.page.evaluateHandle(
            (host, widgetId) => document.querySelector(host)?.shadowRoot?.getElementById(widgetId) ?? null,
            this.host, id);
        const element = handle.asElement();
        if (!element) {
            await handle.dispose();
            throw new Error(`the element has no widget #${id}`);
        }
        return element;
    }

    // Whether the widget is on view: neither it nor a frame around it is hidden, and it has a box.
    async isShown(id) {
        return this.page.evaluate((host, widgetId) => {
            const widget = document.querySelector(host)?.shadowRoot?.getElementById(widgetId);
            return Boolean(widget && !widget.closest('[hidden]') && widget.getClientRects().length);
        }, this.host, id);
    }

    async waitUntilUsable(id, limit = waitLimit) {
        await this.page.waitForFunction((host, widgetId) => {
            const widget = document.querySelector(host)?.shadowRoot?.getElementById(widgetId);
            return Boolean(widget && !widget.closest('[hidden]') && !widget.disabled &&
                widget.getClientRects().length);
        }, { timeout: limit }, this.host, id);
    }

    // Resolves as the widget has just come on view: at once when it is on view and stays so for
    // longer than a blink, otherwise as it is shown again after a blink hid it. This leaves a
    // click the whole of a blink's shown half.
    async waitForShownEdge(id, { blinkLimit = 700, overall = waitLimit } = {}) {
        await this.page.evaluate((host, widgetId, limit, overall) => new Promise((resolve, reject) => {
            const root = document.querySelector(host).shadowRoot;
            const hidden = () => {
                const widget = root.getElementById(widgetId);
                return !widget || Boolean(widget.closest('[hidden]'));
            };
            let seenHidden = hidden();
            const finish = (error) => {
                observer.disconnect();
                clearTimeout(steady);
                clearTimeout(giveUp);
                error ? reject(new Error(error)) : resolve();
            };
            const observer = new MutationObserver(() => {
                if (hidden()) seenHidden = true;
                else if (seenHidden) finish();
            });
            observer.observe(root, { attributes: true, attributeFilter: ['hidden'], subtree: true });
            const steady = setTimeout(() => { if (!seenHidden) finish(); }, limit);
            const giveUp = setTimeout(() => finish(`#${widgetId} stayed hidden`), overall);
        }), this.host, id, blinkLimit, overall);
    }

    // Clicks a widget that may blink until done() says the click took; a click that a blink made
    // miss is tried again.
    async clickWhenShown(id, done, tries = 8) {
        for (let attempt = 0; attempt < tries; attempt++) {
            await this.waitForShownEdge(id);
            const widget = await this.widget(id);
            try {
                if (await widget.evaluate((node) => !node.disabled)) await widget.click();
            } catch {
                // A blink hid it between the look and the click: look again.
            } finally {
                await widget.dispose();
            }
            if (await this.poll(done, 1_500)) return attempt + 1;
        }
        throw new Error(`clicking #${id} had no effect after ${tries} tries`);
    }

    // A real mouse click on a widget that does not blink.
    async click(id) {
        await this.waitUntilUsable(id);
        const widget = await this.widget(id);
        try {
            await widget.click();
        } finally {
            await widget.dispose();
        }
    }

    async selectedText(id) {
        return this.page.evaluate((host, widgetId) => {
            const list = document.querySelector(host).shadowRoot.getElementById(widgetId);
            return list.selectedOptions[0]?.textContent.trim() ?? '';
        }, this.host, id);
    }

    // Picks a list item as a person does with the keyboard: focuses the list and types the item's
    // text; when the list's type-ahead lands elsewhere, steps there with the arrow keys. Each key
    // that moves the selection fires the list's change event.
    async pick(id, text) {
        await this.waitUntilUsable(id);
        if ((await this.selectedText(id)) === text) return;
        const list = await this.widget(id);
        try {
            await list.focus();
            await this.page.keyboard.type(text);
            if ((await this.selectedText(id)) === text) return;
            const steps = await list.evaluate((node, wanted) => {
                const target = [...node.options].findIndex((o) => o.textContent.trim() === wanted);
                return target < 0 ? null : target - node.selectedIndex;
            }, text);
            if (steps === null) throw new Error(`#${id} has no item "${text}"`);
            for (let i = 0; i < Math.abs(steps); i++) {
                await this.page.keyboard.press(steps > 0 ? 'ArrowDown' : 'ArrowUp');
            }
        } finally {
            await list.dispose();
        }
        const landed = await this.selectedText(id);
        if (landed !== text) throw new Error(`#${id} shows "${landed}" after picking "${text}"`);
    }

    async pickDate(prefix, { month, day, year }) {
        await this.pick(`${prefix}M`, month);
        await this.pick(`${prefix}D`, day);
        await this.pick(`${prefix}Y`, year);
    }

    async text(id) {
        return this.page.evaluate((host, widgetId) =>
            document.querySelector(host).shadowRoot.getElementById(widgetId)?.textContent.trim() ?? null,
        this.host, id);
    }

    async property(name) {
        return this.page.evaluate((host, key) => document.querySelector(host)[key], this.host, name);
    }

    async events(type) {
        const all = await this.page.evaluate(() => window.moravineEvents);
        return type ? all.filter((event) => event.type === type) : all;
    }

    // Repeats check() until it gives a true value or the time runs out; gives the last value.
    async poll(check, limit = waitLimit, every = 50) {
        const end = Date.now() + limit;
        for (;;) {
            const value = await check();
            if (value || Date.now() >= end) return value;
            await new Promise((resolve) => setTimeout(resolve, every));
        }
    }

    async calculateEdd() {
        return this.clickWhenShown('ComCalcEDD', async () => (await this.property('edd')) !== '');
    }

    async calculateGestation() {
        return this.clickWhenShown('ComCalcGest',
            async () => (await this.property('gestationAtBirthDays')) >= 0);
    }

    async restart() {
        await this.click('ComRestart');
        await this.poll(async () => (await this.property('edd')) === '', 3_000);
    }
}

// A pregnancy dated by a crown rump length of 45 mm measured on 6 April 2006.
export const typicalScan = { method: 'OptCRL', value: '45', month: 'April', day: '6', year: '2006' };

// Dates the pregnancy from a fetal measurement on a scan.
export async function dateByScan(session, scan = typicalScan) {
    await session.click(scan.method);
    await session.pick('DDVal', scan.value);
    await session.pickDate('DDLSDate', scan);
    await session.calculateEdd();
}

// Answers "Yes" to the length of gestation at birth and gives the day of birth; the month and
// year come preset.
export async function gestationAtBirth(session, day = '20') {
    await session.clickWhenShown('OptYes', () =>
        session.page.evaluate((host) =>
            document.querySelector(host).shadowRoot.getElementById('OptYes').checked, session.host));
    await session.pick('DDDOBDateD', day);
    await session.calculateGestation();
}
