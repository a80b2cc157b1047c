// The element and the page's time: a click that a busy page held back past a blink, and a page
// that asks for reduced motion.
import { MoravinePage, clickAt, setReducedMotion } from './moravine_driver.mjs';

// How long each form of a prompt stays on view.
const blinkMs = 500;
// Longer than a blink: a tick falls due while the page is busy.
const busyMs = 700;
const busyRuns = 5;
const busyMark = 'the page is busy';

const delay = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Starts watching "Calculate EDD": window.__shownAgain resolves to the time it is shown again after
// its first hiding, the start of a blink's shown half with another hiding due.
async function watchBlink(session) {
    await session.page.evaluate((host, limit) => {
        const button = document.querySelector(host).shadowRoot.getElementById('ComCalcEDD');
        window.__shownAgain = new Promise((resolve) => {
            let hidden = false;
            const observer = new MutationObserver(() => {
                if (button.hidden) {
                    hidden = true;
                } else if (hidden) {
                    observer.disconnect();
                    resolve(performance.now());
                }
            });
            observer.observe(button, { attributes: true, attributeFilter: ['hidden'] });
            setTimeout(() => { observer.disconnect(); resolve(null); }, limit);
        });
    }, session.host, 4 * blinkMs + 1_000);
}

// Changes the scan value, and as "Calculate EDD" shows again keeps the page's main thread busy
// past the next blink while a real click goes to the button's centre.
async function clickWhileBusy(session, value) {
    await watchBlink(session);
    await session.pick('DDVal', value);
    const shownAt = await session.page.evaluate(() => window.__shownAgain);
    if (shownAt === null) return { value, blinked: false };
    const button = await session.widget('ComCalcEDD');
    const box = await button.boundingBox();
    await button.dispose();
    // The page says it is busy on its console, which reaches the test while the thread is held.
    const busyNow = new Promise((resolve, reject) => {
        const heard = (message) => {
            if (message.text() !== busyMark) return;
            session.page.off('console', heard);
            resolve();
        };
        session.page.on('console', heard);
        setTimeout(() => reject(new Error('the page never said it was busy')), 5_000).unref();
    });
    await session.page.evaluate((ms, mark) => {
        window.__pressedAt = null;
        document.addEventListener('mousedown', (event) => { window.__pressedAt = event.timeStamp; },
            { capture: true, once: true });
        setTimeout(() => {
            const start = performance.now();
            console.info(mark);
            while (performance.now() - start < ms) { /* the page's own long task */ }
            window.__busy = { start, end: performance.now() };
        }, 0);
    }, busyMs, busyMark);
    await busyNow;
    await clickAt(session.page, box.x + box.width / 2, box.y + box.height / 2);
    const edd = await session.poll(() => session.property('edd'), 3_000);
    const { busy, pressedAt } = await session.page.evaluate(
        () => ({ busy: window.__busy, pressedAt: window.__pressedAt }));
    return {
        value,
        blinked: true,
        edd,
        // The press came while the page was busy, and the blink that hides the button fell due
        // before the page was free: the click was held past it.
        heldPastBlink: pressedAt !== null && pressedAt >= busy.start && pressedAt <= busy.end &&
            busy.end >= shownAt + blinkMs,
    };
}

export async function checkBusyPageClick(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/element.html`);
    try {
        await session.click('OptCRL');
        await session.pickDate('DDLSDate', { month: 'April', day: '6', year: '2006' });
        const runs = [];
        for (let run = 0; run < busyRuns; run++) {
            runs.push(await clickWhileBusy(session, String(46 + run)));
        }
        const shown = runs.map((run) => `${run.value} mm: ` + (!run.blinked ? 'no blink'
            : `${run.edd || 'no EDD'}${run.heldPastBlink ? '' : ', not held past a blink'}`)).join('; ');
        report.check(`in each of ${busyRuns} runs the click came while the page was busy, past the ` +
            'blink that hides "Calculate EDD"', runs.every((run) => run.blinked && run.heldPastBlink),
        shown);
        const changes = (await session.events('edd-change')).filter((event) => event.detail.edd);
        report.check(`the held click calculated the EDD in each of ${busyRuns} runs`,
            runs.every((run) => run.edd) && changes.length === busyRuns, shown);
        report.equal('held clicks: no runtime-error event',
            (await session.events('runtime-error')).map((event) => event.detail?.message), []);
        report.equal('held clicks: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}

export async function checkReducedMotion(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/element.html`);
    try {
        await setReducedMotion(session.page, 'reduce');
        await session.page.evaluate((host) => {
            const button = document.querySelector(host).shadowRoot.getElementById('ComCalcEDD');
            window.__hidings = 0;
            new MutationObserver(() => { if (button.hidden) window.__hidings++; })
                .observe(button, { attributes: true, attributeFilter: ['hidden'] });
        }, session.host);
        await session.pick('DDVal', '45');
        await delay(4 * blinkMs + 500); // longer than a prompt's four blinks
        const hidings = await session.page.evaluate(() => window.__hidings);
        const shown = await session.isShown('ComCalcEDD');
        report.check('under prefers-reduced-motion "Calculate EDD" stays on view after a change',
            hidings === 0 && shown, `hidden ${hidings} times, on view at the end: ${shown}`);
        report.equal('reduced motion: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}
