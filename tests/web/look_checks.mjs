// What a person sees of the element: every text whole at twice the design font, and a focus
// ring that stands out from the surface in the page's light and dark schemes.
import { join } from 'node:path';
import {
    MoravinePage, dateByScan, screenshotPath, setColorScheme, setForcedColors,
} from './moravine_driver.mjs';

const designSize = { width: 581, height: 361 };

// Resolves once nothing in the element's shadow root has changed for longer than a blink: the
// prompts have run their course.
export async function untilRest(session, quietMs = 700, limit = 6_000) {
    await session.page.evaluate((host, quiet, overall) => new Promise((resolve) => {
        let timer = setTimeout(resolve, quiet);
        const observer = new MutationObserver(() => {
            clearTimeout(timer);
            timer = setTimeout(() => { observer.disconnect(); resolve(); }, quiet);
        });
        observer.observe(document.querySelector(host).shadowRoot,
            { attributes: true, childList: true, characterData: true, subtree: true });
        setTimeout(() => { observer.disconnect(); resolve(); }, overall);
    }), session.host, quietMs, limit);
}

async function elementSize(session) {
    return session.page.evaluate((host) => {
        const { width, height } = document.querySelector(host).getBoundingClientRect();
        return { width, height };
    }, session.host);
}

// The texts on view that do not fit their widget's box: a legend's text outside its legend or
// its legend outside the frame, a caption's text outside its box's border, a list's widest item
// wider or taller than the list's room inside its padding. Gives the misfits and how many texts
// were looked at.
export async function textMisfits(session) {
    return session.page.evaluate((host) => {
        const root = document.querySelector(host).shadowRoot;
        const measure = document.createElement('canvas').getContext('2d');
        const slack = 0.5; // sub-pixel rounding
        const inside = (inner, outer) => inner.left >= outer.left - slack &&
            inner.right <= outer.right + slack && inner.top >= outer.top - slack &&
            inner.bottom <= outer.bottom + slack;
        // The box inside an element's border.
        const room = (element) => {
            const { left, top } = element.getBoundingClientRect();
            return {
                left: left + element.clientLeft, top: top + element.clientTop,
                right: left + element.clientLeft + element.clientWidth,
                bottom: top + element.clientTop + element.clientHeight,
            };
        };
        const textBox = (node) => {
            const range = document.createRange();
            range.selectNodeContents(node);
            return range.getBoundingClientRect();
        };
        const misfits = [];
        let looked = 0;
        for (const widget of root.querySelectorAll('.widget')) {
            if (!widget.getClientRects().length) continue; // not on view
            const list = widget.querySelector('select');
            if (list) {
                if (!list.length) continue;
                const style = getComputedStyle(list);
                measure.font = style.font;
                if ('letterSpacing' in measure) measure.letterSpacing = style.letterSpacing;
                if ('wordSpacing' in measure) measure.wordSpacing = style.wordSpacing;
                const lineHeight = parseFloat(style.lineHeight) || 0;
                const items = [...list.options].map((option) => {
                    const metrics = measure.measureText(option.text);
                    return { text: option.text, width: metrics.width,
                        height: Math.max(lineHeight,
                            metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent) };
                });
                const widest = items.reduce((a, b) => (b.width > a.width ? b : a));
                const across = list.clientWidth - parseFloat(style.paddingLeft) -
                    parseFloat(style.paddingRight);
                const down = list.clientHeight - parseFloat(style.paddingTop) -
                    parseFloat(style.paddingBottom);
                looked++;
                if (widest.width > across + slack || widest.height > down + slack) {
                    misfits.push(`#${list.id} "${widest.text}": ${widest.width.toFixed(1)}x` +
                        `${widest.height.toFixed(1)} in ${across}x${down}`);
                }
                continue;
            }
            if (widget.localName === 'fieldset') {
                const legend = widget.querySelector('legend');
                if (legend.hidden || !legend.textContent) continue;
                looked++;
                if (!inside(textBox(legend), room(legend)) ||
                    !inside(legend.getBoundingClientRect(), widget.getBoundingClientRect())) {
                    misfits.push(`the legend "${legend.textContent}" of #${widget.id}`);
                }
                continue;
            }
            // A radio's caption is its label's span; every other caption is the widget's text.
            const caption = widget.localName === 'label' ? widget.lastChild : widget;
            if (widget.localName === 'canvas' || !caption.textContent.trim()) continue;
            looked++;
            if (!inside(textBox(caption), room(widget))) {
                misfits.push(`"${caption.textContent}" of #${widget.id || widget.firstChild.id}`);
            }
        }
        return { misfits, looked };
    }, session.host);
}

export async function checkLargeFont(report, browser, origin, outputDir) {
    const design = await MoravinePage.open(browser, `${origin}/element.html`);
    let designShown;
    try {
        designShown = await elementSize(design);
    } finally {
        await design.page.close();
    }
    const session = await MoravinePage.open(browser, `${origin}/large-font.html`);
    try {
        await session.page.setViewport({ width: 1400, height: 900 });
        await dateByScan(session);
        await untilRest(session);
        const shown = await elementSize(session);
        const scale = (size) => ({
            width: +(size.width / designSize.width).toFixed(3),
            height: +(size.height / designSize.height).toFixed(3),
        });
        const within = ({ width, height }, low, high) =>
            width >= low && width <= high && height >= low && height <= high;
        const at = (size) => `${size.width}x${size.height}, ${JSON.stringify(scale(size))} the design's`;
        // The captions fit the design's boxes as they are or after a growth of a 32nd or two;
        // more means the element measured some text too wide.
        report.check('at the design font of 11px the element keeps about its design size, 581x361',
            within(scale(designShown), 1, 1.07), at(designShown));
        report.check('at 22px the element is about twice its design size',
            within(scale(shown), 2, 2.14), at(shown));
        const { misfits, looked } = await textMisfits(session);
        report.check('at 22px every caption, legend and list item on view fits its box',
            looked > 20 && misfits.length === 0,
            misfits.length ? misfits.join('; ') : `${looked} texts looked at`);

        const picture = screenshotPath(join(outputDir, 'web-2x.png'), session.browserName);
        const element = await session.element();
        await element.screenshot({ path: picture });
        await element.dispose();
        report.note(`screenshot of the element at 22px: ${picture}`);
        report.equal('at 22px: no runtime-error event',
            (await session.events('runtime-error')).map((event) => event.detail?.message), []);
        report.equal('at 22px: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}

// [red, green, blue, alpha] of a computed colour "rgb(r, g, b)" or "rgba(r, g, b, a)".
function parseColor(text) {
    const [red, green, blue, alpha = 1] = text.match(/[\d.]+/g).map(Number);
    return [red, green, blue, alpha];
}

// WCAG 2's relative luminance of an sRGB colour.
function luminance([red, green, blue]) {
    const linear = (channel) => {
        const c = channel / 255;
        return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
    };
    return 0.2126 * linear(red) + 0.7152 * linear(green) + 0.0722 * linear(blue);
}

// The contrast ratio of a colour, drawn over an opaque background, against that background.
export function contrastOver(colorText, backgroundText) {
    const [red, green, blue, alpha] = parseColor(colorText);
    const back = parseColor(backgroundText);
    const drawn = [red, green, blue].map((channel, i) => alpha * channel + (1 - alpha) * back[i]);
    const [light, dark] = [luminance(drawn), luminance(back)].sort((a, b) => b - a);
    return (light + 0.05) / (dark + 0.05);
}

// Each focusable widget on view, focused as the keyboard focuses it: its focus ring, and the
// surface's colour behind it.
async function focusRings(session) {
    return session.page.evaluate((host) => {
        const element = document.querySelector(host);
        const root = element.shadowRoot;
        const rings = [];
        for (const widget of root.querySelectorAll('input, select, button, output')) {
            if (!widget.getClientRects().length || widget.disabled) continue;
            widget.focus({ focusVisible: true });
            const style = getComputedStyle(widget);
            rings.push({
                id: widget.id, kind: widget.localName, focused: widget.matches(':focus-visible'),
                style: style.outlineStyle, width: parseFloat(style.outlineWidth),
                color: style.outlineColor,
            });
        }
        root.activeElement?.blur();
        return { surface: getComputedStyle(element).backgroundColor, rings };
    }, session.host);
}

export async function checkFocusRings(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/element.html`);
    try {
        await dateByScan(session); // the EDD on view takes the focus too
        for (const scheme of ['light', 'dark']) {
            await session.page.evaluate((name) => {
                document.documentElement.style.colorScheme = name;
            }, scheme);
            const { surface, rings } = await focusRings(session);
            const weak = rings.filter((ring) => !ring.focused || ring.style === 'none' ||
                ring.width < 2 || contrastOver(ring.color, surface) < 3);
            const kinds = new Set(rings.map((ring) => ring.kind));
            const lowest = Math.min(...rings.map((ring) => contrastOver(ring.color, surface)));
            report.check(`${scheme} scheme: every focusable widget's focus ring is 2 px or more at ` +
                '3:1 or more against the surface', weak.length === 0 && kinds.size === 4,
            weak.length ? JSON.stringify(weak) : `${rings.length} widgets of ${[...kinds].join(', ')} ` +
                `on ${surface}, lowest contrast ${lowest.toFixed(2)}:1`);
        }
        report.equal('focus rings: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}

// What the page sees of the colour scheme and forced colours, and whether a plain red box of the
// page is drawn red: forced colours paint it in the system's colours.
async function pageColours(session) {
    return session.page.evaluate(() => {
        let box = document.getElementById('red-box');
        if (!box) {
            box = document.createElement('div');
            box.id = 'red-box';
            box.style.background = 'rgb(255, 0, 0)';
            document.body.append(box);
        }
        return {
            dark: matchMedia('(prefers-color-scheme: dark)').matches,
            forced: matchMedia('(forced-colors: active)').matches,
            red: getComputedStyle(box).backgroundColor === 'rgb(255, 0, 0)',
            heard: window.__heard,
        };
    });
}

// The user switches to a dark scheme and to forced colours and back while the element is open,
// as the system's settings do it: the page's media queries follow at once and tell their
// listeners, which is what the element has to go by.
export async function checkLiveColourChanges(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/element.html`);
    try {
        await session.page.evaluate(() => {
            window.__heard = [];
            for (const query of ['(prefers-color-scheme: dark)', '(forced-colors: active)']) {
                matchMedia(query).addEventListener('change', (event) =>
                    window.__heard.push(`${query} ${event.matches}`));
            }
        });
        const settled = () => session.page.evaluate(() => new Promise((resolve) =>
            requestAnimationFrame(() => requestAnimationFrame(resolve))));
        const own = { dark: false, forced: false, red: true };
        const steps = [
            ['dark scheme', () => setColorScheme(session.page, 'dark'), { ...own, dark: true }],
            ['light scheme', () => setColorScheme(session.page, 'light'), own],
            ['forced colours', () => setForcedColors(session.page, 'active'),
                { ...own, forced: true, red: false }],
            ['own colours again', () => setForcedColors(session.page, 'none'), own],
        ];
        for (const [what, change, expected] of steps) {
            await change();
            await settled();
            const { heard, ...seen } = await pageColours(session);
            report.equal(`switched to the ${what} while the element is open: the page follows`,
                seen, expected);
        }
        await session.poll(() => session.page.evaluate(() => window.__heard.length >= 4), 2_000);
        report.equal('each switch reached the page\'s media query listeners',
            await session.page.evaluate(() => window.__heard), [
                '(prefers-color-scheme: dark) true', '(prefers-color-scheme: dark) false',
                '(forced-colors: active) true', '(forced-colors: active) false',
            ]);
        await setColorScheme(session.page, null);
        report.equal('colour switches: no runtime-error event',
            (await session.events('runtime-error')).map((event) => event.detail?.message), []);
        report.equal('colour switches: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}
