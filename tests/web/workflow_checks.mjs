// A person's sessions with the element: a scan dated by crown rump length with the gestation at
// birth after it, a restart and a date from the last menstrual period, a derived gestation, and
// the due date sent with a form.
import { join } from 'node:path';
import { MoravinePage, dateByScan, gestationAtBirth, screenshotPath } from './moravine_driver.mjs';
import { accessibleNodesWith } from './accessible_tree.mjs';

async function checkNoErrors(report, session, what) {
    const errors = await session.events('runtime-error');
    report.equal(`${what}: no runtime-error event`, errors.map((e) => e.detail?.message), []);
    report.equal(`${what}: no page error`, session.pageErrors, []);
}

async function checkStartingState(report, session) {
    report.equal('no EDD before any calculation', await session.property('edd'), '');
    report.equal('no EDD method before any calculation', await session.property('eddMethod'), '');
    report.equal('no gestation at birth before any calculation',
        await session.property('gestationAtBirthDays'), -1);
    report.equal('the EDD frame is hidden at start', await session.isShown('FrameEDD'), false);
    report.equal('the gestation frame is hidden at start', await session.isShown('FrameGest'), false);
    report.equal('datenice of a date text', await session.page.evaluate(
        (host) => document.querySelector(host).datenice('2006-10-26'), session.host), '26 October 2006');
    report.equal('datenice of a Date', await session.page.evaluate(
        (host) => document.querySelector(host).datenice(new Date(2006, 9, 26, 12)), session.host),
    '26 October 2006');
    report.equal('datenice of an invalid date', await session.page.evaluate(
        (host) => document.querySelector(host).datenice('2006-02-30'), session.host), '');
}

async function checkScanDating(report, session, screenshotPath) {
    await dateByScan(session);
    report.equal('CRL 45 mm on 6 April 2006: LabEDD', await session.text('LabEDD'), '26 October 2006');
    report.equal('CRL 45 mm on 6 April 2006: edd', await session.property('edd'), '2006-10-26');
    report.equal('CRL 45 mm on 6 April 2006: eddMethod', await session.property('eddMethod'), 'crl');
    report.check('the EDD frame is on view', await session.isShown('FrameEDD'));
    const changes = await session.events('edd-change');
    const last = changes.at(-1);
    report.equal('edd-change carries the EDD and its method', last?.detail,
        { edd: '2006-10-26', eddMethod: 'crl' });
    report.check('edd-change bubbles and is composed', last?.bubbles && last?.composed,
        JSON.stringify(last));

    const element = await session.element();
    await element.screenshot({ path: screenshotPath });
    await element.dispose();
    report.note(`screenshot of the element: ${screenshotPath}`);

    await gestationAtBirth(session, '20');
    report.equal('born 20 October 2006: the month came preset',
        await session.selectedText('DDDOBDateM'), 'October');
    report.equal('born 20 October 2006: the year came preset',
        await session.selectedText('DDDOBDateY'), '2006');
    report.equal('born 20 October 2006: LabGest', await session.text('LabGest'), '39 weeks 1 days');
    report.equal('born 20 October 2006: gestationAtBirthDays',
        await session.property('gestationAtBirthDays'), 274);
    report.check('the gestation frame is on view', await session.isShown('FrameGest'));
    const gestation = (await session.events('gestation-change')).at(-1);
    report.equal('gestation-change carries the days', gestation?.detail, { gestationAtBirthDays: 274 });
    report.check('gestation-change bubbles and is composed',
        gestation?.bubbles && gestation?.composed, JSON.stringify(gestation));
}

async function checkRestartAndLmp(report, session) {
    await session.restart();
    report.equal('after Cancel and RESTART: no EDD', await session.property('edd'), '');
    report.equal('after Cancel and RESTART: the EDD frame is hidden',
        await session.isShown('FrameEDD'), false);
    report.equal('after Cancel and RESTART: no gestation at birth',
        await session.property('gestationAtBirthDays'), -1);

    await session.click('OptLMP');
    await session.pickDate('DDLSDate', { day: '1', month: 'June', year: '2007' });
    await session.calculateEdd();
    report.equal('LMP 1 June 2007: LabEDD', await session.text('LabEDD'), '7 March 2008');
    report.equal('LMP 1 June 2007: edd', await session.property('edd'), '2008-03-07');
    report.equal('LMP 1 June 2007: eddMethod', await session.property('eddMethod'), 'lmp');
}

async function checkDerivedGestation(report, session) {
    await session.restart();
    await session.click('OptDG');
    await session.pick('DDUSW', '12');
    await session.pick('DDUSD', '3');
    await session.pickDate('DDLSDate', { month: 'April', day: '6', year: '2006' });
    await session.calculateEdd();
    report.equal('12 weeks 3 days on 6 April 2006: LabEDD', await session.text('LabEDD'),
        '16 October 2006');
    report.equal('12 weeks 3 days on 6 April 2006: edd', await session.property('edd'), '2006-10-16');
    report.equal('12 weeks 3 days on 6 April 2006: eddMethod',
        await session.property('eddMethod'), 'derived');
}

// Cases of a person's use on one page, one after the other, as a clinic would go on.
export async function checkSessions(report, browser, origin, outputDir) {
    const session = await MoravinePage.open(browser, `${origin}/element.html`);
    try {
        await report.group('Starting state', () => checkStartingState(report, session));
        await report.group('Dating by crown rump length, then the gestation at birth', () =>
            checkScanDating(report, session,
                screenshotPath(join(outputDir, 'web-element.png'), session.browserName)));
        await report.group('Cancel and RESTART, then dating by the last menstrual period', () =>
            checkRestartAndLmp(report, session));
        await report.group('Dating by a derived gestation', () =>
            checkDerivedGestation(report, session));
        await checkNoErrors(report, session, 'sessions on one page');
    } finally {
        await session.page.close();
    }
}

// The demo page says a run-time error as an alert: a date of birth before the pregnancy began.
export async function checkDemoAlert(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/index.html?today=2006-12-07`);
    try {
        await dateByScan(session);
        await session.clickWhenShown('OptYes', () => session.isShown('FrameDOB'));
        const earliest = await session.page.evaluate((host) =>
            document.querySelector(host).shadowRoot.getElementById('DDDOBDateY').options[0].text,
        session.host);
        await session.pick('DDDOBDateY', earliest);
        await session.click('ComCalcGest');
        const message = 'date of birth is before the start of the pregnancy';
        const said = await session.poll(() => session.page.evaluate(() => {
            const error = document.getElementById('error');
            return error.getAttribute('role') === 'alert' ? error.textContent : '';
        }), 3_000);
        report.equal('the demo page shows the run-time error in its alert', said, message);
        const alerts = await accessibleNodesWith(session, 'alert');
        report.check('the accessibility tree has the alert', alerts.length === 1,
            JSON.stringify(alerts));
    } finally {
        await session.page.close();
    }
}

export async function checkFormSubmission(report, browser, server) {
    const session = await MoravinePage.open(browser, `${server.origin}/form.html`);
    try {
        report.check('the element is form-associated', await session.page.evaluate(
            () => customElements.get('ruvo-moravine')?.formAssociated === true));
        await dateByScan(session);
        report.equal('the EDD is on view', await session.property('edd'), '2006-10-26');
        report.equal('FormData holds the EDD under the element\'s name', await session.page.evaluate(
            () => new FormData(document.getElementById('dating')).get('edd')), '2006-10-26');

        const sent = server.requests.length;
        const send = await session.page.$('#send');
        await Promise.all([session.page.waitForNavigation({ waitUntil: 'load' }), send.click()]);
        await send.dispose();
        const landed = new URL(session.page.url());
        report.equal('the submission went to the form\'s page', landed.pathname, '/submitted.html');
        report.equal('the submitted URL carries edd=2006-10-26', landed.searchParams.get('edd'),
            '2006-10-26');
        const received = server.requests.slice(sent).find((r) => r.url.startsWith('/submitted.html'));
        report.check('the test server received edd=2006-10-26',
            received && new URL(received.url, server.origin).searchParams.get('edd') === '2006-10-26',
            JSON.stringify(received));
        report.equal('form submission: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}
