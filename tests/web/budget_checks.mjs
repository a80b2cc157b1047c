// What the element costs a page: the bytes of its package as a browser downloads them
// compressed, and the time from creating an element to its first frame beside a plain form of
// the same controls.
import { readFileSync, existsSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync, constants } from 'node:zlib';
import { MoravinePage, recordedToday } from './moravine_driver.mjs';

const downloadBudgetBytes = 100 * 1024;
const renderRatioGoal = 3;
const timedRuns = 21;
const warmUpRuns = 3;

export function checkDownloadSize(report, packageDir) {
    let total = 0;
    for (const name of ['moravine.wasm', 'moravine.js']) {
        const file = join(packageDir, name);
        if (!report.check(`${name} is in the package`, existsSync(file), file)) return;
        const raw = readFileSync(file);
        const compressed = gzipSync(raw, { level: constants.Z_BEST_COMPRESSION }).length;
        report.note(`${name}: ${raw.length} bytes, ${compressed} bytes after gzip -9`);
        total += compressed;
    }
    report.check(`moravine.wasm and moravine.js after gzip -9: ${total} bytes, at most ` +
        `${downloadBudgetBytes} (100 KiB)`, total <= downloadBudgetBytes);
}

function options(texts) {
    return texts.map((text) => `<option>${text}</option>`).join('');
}

function range(from, to) {
    return Array.from({ length: to - from + 1 }, (_, i) => String(from + i));
}

// The element's 45 controls as plain HTML: 9 option buttons, 9 lists, 3 buttons, 2 results, a
// picture, 9 frames and 12 labels.
export function plainFormHtml() {
    const months = ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August',
        'September', 'October', 'November', 'December'];
    const radio = (id, name, text) =>
        `<input type="radio" id="${id}" name="${name}"><label for="${id}">${text}</label>`;
    const list = (id, texts, label) =>
        (label ? `<label for="${id}">${label}</label>` : '') + `<select id="${id}">${options(texts)}</select>`;
    const date = (prefix, labelled) => list(`${prefix}M`, months, labelled && 'Month') +
        list(`${prefix}D`, range(1, 31), labelled && 'Day') +
        list(`${prefix}Y`, range(2000, 2010), labelled && 'Year');
    const frame = (id, legend, body) => `<fieldset id="${id}"><legend>${legend}</legend>${body}</fieldset>`;
    return [
        frame('FrameDating', 'Dating by', radio('OptLMP', 'dating', 'LMP') + radio('OptUS', 'dating', 'Ultrasound')),
        frame('FrameScan', 'Ultrasound', radio('OptFB', 'scan', 'Fetal biometry') +
            radio('OptDG', 'scan', 'Derived gestation')),
        frame('FrameBiometry', 'Measurement', radio('OptCRL', 'biometry', 'CRL') +
            radio('OptBPD', 'biometry', 'BPD') + radio('OptHC', 'biometry', 'HC')),
        frame('FrameDate', 'Date of Ultrasound scan', date('DDLSDate', true)),
        frame('FrameValue', 'Crown rump length', list('DDVal', range(10, 100))),
        frame('FrameDerived', 'Gestation', list('DDUSW', range(4, 44)) + list('DDUSD', range(0, 6))),
        frame('FrameEDD', 'EDD', '<output id="LabEDD" tabindex="0" role="status"></output>' +
            '<button id="ComCalcEDD" type="button">Calculate EDD</button>' +
            radio('OptYes', 'birth', 'Yes') + radio('OptNo', 'birth', 'No')),
        frame('FrameDOB', 'Date of birth', date('DDDOBDate', false) +
            '<button id="ComCalcGest" type="button">Calculate gestation</button>'),
        frame('FrameGest', 'Gestation at birth',
            '<output id="LabGest" tabindex="0" role="status"></output>' +
            '<button id="ComRestart" type="button">Cancel and RESTART</button><img id="Picture1" alt="">'),
    ].join('');
}

function median(values) {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

export async function checkFirstRender(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/blank.html`);
    try {
        const html = plainFormHtml();
        const counts = await session.page.evaluate((markup) => {
            const holder = document.createElement('div');
            holder.innerHTML = markup;
            return holder.querySelectorAll('input, select, button, output, img, fieldset, label').length;
        }, html);
        report.note(`the plain form has ${counts} controls, frames and labels`);

        const times = await session.page.evaluate(async (markup, today, runs, warmUps) => {
            const stage = document.getElementById('stage');
            const frame = () => new Promise((resolve) => requestAnimationFrame(() => resolve()));
            const makeElement = () => {
                const element = document.createElement('ruvo-moravine');
                element.setAttribute('today', today);
                stage.append(element);
            };
            const makePlainForm = () => {
                stage.innerHTML = markup;
            };
            const rendered = () => Boolean(
                stage.querySelector('ruvo-moravine')?.shadowRoot?.getElementById('ComCalcEDD'));
            // Time to the next animation frame; with forcedLayout, to a layout forced at once.
            const timeOnce = async (make, forcedLayout) => {
                await frame();
                const start = performance.now();
                make();
                if (forcedLayout) void stage.offsetHeight;
                else await frame();
                const elapsed = performance.now() - start;
                const complete = make !== makeElement || rendered();
                stage.replaceChildren();
                return { elapsed, complete };
            };
            // The core is loaded once a page, by its first element: timed here are the ones after.
            const first = document.createElement('ruvo-moravine');
            stage.append(first);
            await first.ready;
            stage.replaceChildren();
            const result = { element: [], plain: [], elementLayout: [], plainLayout: [], complete: true };
            for (let run = 0; run < warmUps + runs; run++) {
                const measured = [
                    ['element', await timeOnce(makeElement, false)],
                    ['plain', await timeOnce(makePlainForm, false)],
                    ['elementLayout', await timeOnce(makeElement, true)],
                    ['plainLayout', await timeOnce(makePlainForm, true)],
                ];
                for (const [kind, { elapsed, complete }] of measured) {
                    result.complete &&= complete;
                    if (run >= warmUps) result[kind].push(elapsed);
                }
            }
            return result;
        }, html, recordedToday, timedRuns, warmUpRuns);

        report.check('the element had its widgets by its first frame in every run', times.complete);
        const print = (what, elementKind, plainKind) => {
            const element = median(times[elementKind]);
            const plain = median(times[plainKind]);
            const ratio = element / Math.max(plain, 0.001);
            report.note(`${what}: element ${element.toFixed(2)} ms, plain form ${plain.toFixed(2)} ms, ` +
                `ratio ${ratio.toFixed(2)}x (goal at most ${renderRatioGoal}x: ` +
                `${ratio <= renderRatioGoal ? 'met' : 'NOT met'})`);
        };
        // Headless Chromium draws a frame every 16.7 ms whatever the page does, so the first
        // figure mostly tells whether the element made its first frame late; the second times
        // the work itself: building, styling and laying out.
        print(`to the next animation frame, median of ${timedRuns}`, 'element', 'plain');
        print(`to a forced layout, median of ${timedRuns}`, 'elementLayout', 'plainLayout');
        report.equal('first render timing: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}

// From the import of the module, in a page that has not loaded it, to the element defined and to
// the first element on view (its core fetched and compiled), beside the same page's plain form
// of the same controls laid out.
export async function checkImportTime(report, browser, origin, runs = 5) {
    const html = plainFormHtml();
    const samples = { defined: [], firstElement: [], plain: [] };
    for (let run = 0; run < runs; run++) {
        const page = await browser.newPage();
        try {
            await page.goto(`${origin}/timing.html`, { waitUntil: 'load' });
            const times = await page.evaluate(async (markup) => {
                const stage = document.getElementById('stage');
                const start = performance.now();
                await import('/moravine/moravine.js');
                const defined = performance.now() - start;
                const element = document.createElement('ruvo-moravine');
                stage.append(element);
                await element.ready;
                void stage.offsetHeight;
                const firstElement = performance.now() - start;
                stage.replaceChildren();
                const plainStart = performance.now();
                stage.innerHTML = markup;
                void stage.offsetHeight;
                return { defined, firstElement, plain: performance.now() - plainStart };
            }, html);
            for (const key of Object.keys(samples)) samples[key].push(times[key]);
        } finally {
            await page.close();
        }
    }
    const [defined, firstElement, plain] = ['defined', 'firstElement', 'plain'].map((key) => median(samples[key]));
    report.note(`import to defined, median of ${runs} fresh pages: ${defined.toFixed(1)} ms`);
    report.note(`import to the first element on view (core fetched and compiled): ` +
        `${firstElement.toFixed(1)} ms, the plain form ${plain.toFixed(1)} ms`);
    report.check('importing the module defines the element without waiting for its core',
        defined < firstElement, `${defined.toFixed(1)} ms < ${firstElement.toFixed(1)} ms`);
}
