// Drives a <ruvo-moravine> element in Debian's Chromium as a person does: real mouse clicks on
// its widgets and keys typed into its lists. Shared by the browser tests and the web demo.
import { existsSync } from 'node:fs';
import { dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
export const chromiumPath = process.env.RUVO_CHROMIUM || '/usr/bin/chromium';
export const recordedToday = '2006-12-07';

export function chromiumInstalled() {
    return existsSync(chromiumPath);
}

async function loadPuppeteer() {
    try {
        return (await import('puppeteer-core')).default;
    } catch (error) {
        throw new Error(`puppeteer-core is missing: run "npm ci" in ${here} (${error.message})`);
    }
}

// Headless Chromium whose pages may call gc(), so that a test can tell memory kept from memory
// not yet collected. Chromium refuses to start its sandbox as root, so root runs it without.
export async function launchChromium() {
    const puppeteer = await loadPuppeteer();
    const args = ['--js-flags=--expose-gc', '--disable-dev-shm-usage', '--no-first-run',
        '--no-default-browser-check'];
    if (process.getuid?.() === 0) args.push('--no-sandbox');
    return puppeteer.launch({
        executablePath: chromiumPath,
        headless: true,
        pipe: true,
        args,
        defaultViewport: { width: 1024, height: 900 },
        timeout: 60_000,
    });
}

const waitLimit = 10_000;

export class MoravinePage {
    // Opens a page of the test server and waits until the element is defined and the page's
    // element, if it has one, has its shadow root. Page errors and console errors are kept in
    // pageErrors.
    static async open(browser, url, host = 'ruvo-moravine') {
        const page = await browser.newPage();
        const opened = new MoravinePage(page, host);
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

    constructor(page, host = 'ruvo-moravine') {
        this.page = page;
        this.host = host;
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
