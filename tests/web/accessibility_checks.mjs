// What a screen reader is told: the browser's accessibility tree of the element's widgets, read
// for each widget and for the live regions (see accessible_tree.mjs for how in each browser).
import { MoravinePage, dateByScan, gestationAtBirth } from './moravine_driver.mjs';
import { accessibleNode, liveSetting } from './accessible_tree.mjs';

const radios = ['OptLMP', 'OptUS', 'OptFB', 'OptDG', 'OptCRL', 'OptBPD', 'OptHC', 'OptYes', 'OptNo'];
const gestationQuestion = 'Calculate length of gestation at birth?';

async function checkRadioRoles(report, session, ids) {
    for (const id of ids) {
        if (!(await session.isShown(id))) {
            await session.waitForShownEdge(id, { overall: 1_500 }).catch(() => {});
        }
        if (!(await session.isShown(id))) {
            report.note(`#${id} is not on view here, its role is read later`);
            continue;
        }
        const node = await accessibleNode(session, id);
        report.equal(`#${id} has role radio`, node?.role, 'radio');
    }
}

async function checkListNames(report, session) {
    for (const [id, field] of [['DDLSDateM', 'Month'], ['DDLSDateD', 'Day'], ['DDLSDateY', 'Year']]) {
        const node = await accessibleNode(session, id);
        report.equal(`#${id} is named by its frame and label`, node?.name,
            `Date of Ultrasound scan, ${field}`);
        report.equal(`#${id} has role combobox`, node?.role, 'combobox');
    }
    const value = await accessibleNode(session, 'DDVal');
    report.equal('#DDVal is named "Crown rump length, mm" once CRL is chosen', value?.name,
        'Crown rump length, mm');
}

async function checkResultRegion(report, session, id, name) {
    const node = await accessibleNode(session, id);
    report.equal(`#${id} has role status`, node?.role, 'status');
    report.equal(`#${id} is named "${name}"`, node?.name, name);
    const live = await liveSetting(session, 'status', name);
    report.check(`the "${name}" status is a live region`, live === 'polite' || live === 'assertive',
        `live is ${JSON.stringify(live)}`);
    report.check(`#${id} can take the focus`, await session.page.evaluate((host, widgetId) =>
        document.querySelector(host).shadowRoot.getElementById(widgetId).tabIndex >= 0,
    session.host, id));
}

export async function checkAccessibility(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/element.html`);
    try {
        await checkRadioRoles(report, session, radios);
        await session.click('OptCRL');
        await checkListNames(report, session);

        await dateByScan(session);
        await checkResultRegion(report, session, 'LabEDD', 'EDD');
        await checkRadioRoles(report, session, ['OptYes', 'OptNo']);
        for (const id of ['OptYes', 'OptNo']) {
            const node = await accessibleNode(session, id);
            report.equal(`#${id} is described by the gestation question`, node?.description,
                gestationQuestion);
        }

        await gestationAtBirth(session, '20');
        await checkResultRegion(report, session, 'LabGest', 'Gestation at birth');
        report.equal('accessibility session: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}

// A list the user did not touch that a pick changed is said aloud once, through the element's
// live region: picking April after a day resets the day list to 1. The month list itself, which
// the user just picked, is not.
export async function checkAnnouncement(report, browser, origin) {
    const session = await MoravinePage.open(browser, `${origin}/element.html`);
    try {
        await session.pick('DDLSDateD', '15');
        await session.page.evaluate((host) => {
            const region = document.querySelector(host).shadowRoot.getElementById('announcer');
            window.__said = [];
            new MutationObserver(() => {
                if (region.textContent) window.__said.push(region.textContent);
            }).observe(region, { childList: true, characterData: true, subtree: true });
        }, session.host);
        await session.pick('DDLSDateM', 'April');
        const expected = 'Date of Ultrasound scan, Day, 1';
        await session.poll(() => session.page.evaluate(() => window.__said.length > 0), 3_000);
        await new Promise((resolve) => setTimeout(resolve, 300)); // a second one would be here by now
        report.equal('picking April after day 15 says the reset day list once, and nothing else',
            await session.page.evaluate(() => window.__said), [expected]);

        const region = await accessibleNode(session, 'announcer');
        const texts = [];
        const collect = (node) => {
            if (node.role === 'StaticText') texts.push(node.name);
            node.children?.forEach(collect);
        };
        if (region) collect(region);
        report.check('the accessibility tree has it in a polite status region',
            region?.role === 'status' && region?.live === 'polite' && texts.join('') === expected,
            JSON.stringify({ role: region?.role, live: region?.live, texts }));
        report.equal('announcement: no page error', session.pageErrors, []);
    } finally {
        await session.page.close();
    }
}
