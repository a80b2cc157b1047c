// A keyboard-only session, as a person without a mouse works the element: Tab into it, the arrows
// within an option group, the lists by typing, Enter on "Calculate EDD"; the focus then rests on
// the result just shown, never on an input the person did not move to.
import { MoravinePage } from './moravine_driver.mjs';

async function focusedId(session) {
    return session.page.evaluate((host) => {
        const element = document.querySelector(host);
        return element.shadowRoot.activeElement?.id ??
            (document.activeElement === element ? 'the element' : document.activeElement.tagName);
    }, session.host);
}

// Presses key until the focus is on id; gives the ids the focus went through.
async function tabTo(session, id, key = 'Tab', limit = 20) {
    const way = [];
    for (let i = 0; i < limit; i++) {
        await session.page.keyboard.press(key);
        way.push(await focusedId(session));
        if (way.at(-1) === id) return way;
    }
    throw new Error(`${key} never reached #${id}: the focus went ${way.join(' > ')}`);
}

async function shiftTabTo(session, id) {
    await session.page.keyboard.down('Shift');
    try {
        return await tabTo(session, id);
    } finally {
        await session.page.keyboard.up('Shift');
    }
}

async function checked(session, id) {
    return session.page.evaluate((host, widgetId) =>
        document.querySelector(host).shadowRoot.getElementById(widgetId).checked, session.host, id);
}

// Types an item's text into the focused list, as the list's type-ahead takes it.
async function typeInto(session, id, text) {
    await session.page.keyboard.type(text);
    await new Promise((resolve) => setTimeout(resolve, 600)); // the type-ahead's pause
    return session.selectedText(id);
}

export async function checkKeyboardSession(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/element.html`);
    try {
        const way = await tabTo(session, 'OptBPD');
        report.check('Tab enters the element and reaches the measurements', true, way.join(' > '));
        report.check('each option group is one Tab stop', !way.includes('OptHC') && !way.includes('OptCRL'),
            way.join(' > '));

        await session.page.keyboard.press('ArrowUp');
        report.equal('Up from "Biparietal diameter" selects "Crown rump length"',
            await checked(session, 'OptCRL'), true);
        report.equal('the focus went with the selection', await focusedId(session), 'OptCRL');
        report.equal('"Biparietal diameter" is no longer selected', await checked(session, 'OptBPD'), false);

        await shiftTabTo(session, 'DDVal');
        report.equal('typing 45 in the value list picks it', await typeInto(session, 'DDVal', '45'), '45');
        // The day list follows the month, so the month comes first: back to it, then on.
        await shiftTabTo(session, 'DDLSDateM');
        for (const [id, text] of [['DDLSDateM', 'April'], ['DDLSDateD', '6'], ['DDLSDateY', '2006']]) {
            if (id !== 'DDLSDateM') await tabTo(session, id);
            report.equal(`typing ${text} in #${id} picks it`, await typeInto(session, id, text), text);
        }

        // "Calculate EDD" blinks while its prompt runs; Tab passes it by while it is hidden.
        await session.poll(() => session.isShown('ComCalcEDD'));
        await tabTo(session, 'ComCalcEDD');
        await session.page.keyboard.press('Enter');
        await session.poll(async () => (await session.property('edd')) !== '', 3_000);
        report.equal('Enter on "Calculate EDD" dates the scan', await session.text('LabEDD'),
            '26 October 2006');
        report.equal('the focus goes to the EDD just shown', await focusedId(session), 'LabEDD');
        await session.page.keyboard.press(' ');
        report.equal('Space on the EDD changes nothing', await session.property('edd'), '2006-10-26');
        // A key the element takes is not also the browser's: no second, refused press.
        report.equal('keyboard session: no runtime-error event',
            (await session.events('runtime-error')).map((event) => event.detail?.message), []);
        report.equal('keyboard session: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}
