// The element under abuse: a pick forced onto a disabled list from page script, and many
// elements made and thrown away in one page.
import { MoravinePage, collectGarbage, recordedToday } from './moravine_driver.mjs';

const cycles = 500;
const oneInstanceBytes = 1024 * 1024;

async function listState(session, id) {
    return session.page.evaluate((host, listId) => {
        const list = document.querySelector(host).shadowRoot.getElementById(listId);
        return { disabled: list.disabled, value: list.value };
    }, session.host, id);
}

export async function checkForcedInput(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/element.html`);
    try {
        const before = await listState(session, 'DDUSW');
        if (!report.check('#DDUSW is disabled at start, with fetal biometry chosen', before.disabled)) {
            return;
        }
        const forced = await session.page.evaluate((host) => {
            const list = document.querySelector(host).shadowRoot.getElementById('DDUSW');
            list.removeAttribute('disabled');
            let other = [...list.options].find((option) => option.value !== list.value);
            if (!other) {
                other = new Option('99', '99');
                list.add(other);
            }
            list.value = other.value;
            list.dispatchEvent(new Event('change', { bubbles: true }));
            return other.value;
        }, session.host);
        report.note(`forced #DDUSW from ${JSON.stringify(before.value)} to ${JSON.stringify(forced)}`);

        const error = await session.poll(async () => (await session.events('runtime-error')).at(-1), 3_000);
        report.check('the forced pick fires runtime-error', error, JSON.stringify(error));
        report.check('runtime-error carries a message',
            typeof error?.detail?.message === 'string' && error.detail.message.length > 0,
            JSON.stringify(error?.detail));
        report.check('runtime-error bubbles and is composed', error?.bubbles && error?.composed,
            JSON.stringify(error));
        const restored = await session.poll(
            async () => (await listState(session, 'DDUSW')).value === before.value, 3_000);
        const after = await listState(session, 'DDUSW');
        report.check('#DDUSW shows the model\'s value again', restored,
            `shows ${JSON.stringify(after.value)}, the model has ${JSON.stringify(before.value)}`);
        report.note(`#DDUSW is ${after.disabled ? 'disabled again' : 'left enabled'} after the refusal`);
        report.equal('forced input: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}

export async function checkCreateRemoveCycles(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/blank.html`);
    try {
        // Cycles run in the page in runs of collectEvery; between runs garbage is collected
        // where the browser lets a test force it, so that what finalizers free is freed.
        const collectEvery = 50;
        const runCycles = (count) => session.page.evaluate(async (times, today) => {
            const stage = document.getElementById('stage');
            const frame = () => new Promise((resolve) => requestAnimationFrame(() => resolve()));
            const nextTask = () => new Promise((resolve) => setTimeout(resolve, 0));
            for (let i = 0; i < times; i++) {
                const element = document.createElement('ruvo-moravine');
                element.setAttribute('today', today);
                stage.append(element);
                await frame();
                element.remove();
                await nextTask();
            }
        }, count, recordedToday);
        // The first element loads the core; the count starts once it is on view.
        await session.page.evaluate(async (today) => {
            const element = document.createElement('ruvo-moravine');
            element.setAttribute('today', today);
            document.getElementById('stage').append(element);
            await element.ready;
            element.remove();
        }, recordedToday);
        await runCycles(1);
        const collected = await collectGarbage(session.page);
        const afterFirst = await session.page.evaluate(() => window.moravineMemoryBytes());
        for (let done = 1; done < cycles; done += collectEvery) {
            await runCycles(Math.min(collectEvery, cycles - done));
            await collectGarbage(session.page);
        }
        const result = {
            hooked: afterFirst !== null,
            afterFirst,
            afterAll: await session.page.evaluate(() => window.moravineMemoryBytes()),
            left: await session.page.evaluate(() => document.getElementById('stage').childElementCount),
            collected,
        };

        report.equal(`no element is left after ${cycles} cycles`, result.left, 0);
        if (!result.collected) {
            report.note('no forced collection in this browser: garbage was left to the collector');
        }
        if (report.check('the page caught the core\'s WebAssembly.Memory as it was instantiated',
            result.hooked)) {
            report.note(`wasm memory after 1 cycle: ${result.afterFirst} bytes; after ${cycles}: ` +
                `${result.afterAll} bytes`);
            report.check(`wasm memory after ${cycles} cycles is at most one instance (1 MiB) more ` +
                'than after the first', Number.isFinite(result.afterAll) &&
                result.afterAll <= result.afterFirst + oneInstanceBytes,
            `${result.afterAll - result.afterFirst} bytes more`);
        }
        const errors = await session.events('runtime-error');
        report.equal('create and remove cycles: no runtime-error event', errors.length, 0);
        report.equal('create and remove cycles: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}
