// What a page may do to the element's look: its parts and custom properties, its own size
// rules, a right-to-left page, WCAG's text-spacing override; and the manifest that tells tools
// all this, checked against the element itself.
import { MoravinePage } from './moravine_driver.mjs';
import { contrastOver, textMisfits, untilRest } from './look_checks.mjs';

// Runs checks on the themed page's element with that host selector, once all three are on view.
function withThemed(browser, origin, host, run) {
    return MoravinePage.with(browser, `${origin}/themed.html`, async (session) => {
        session.host = host;
        await session.page.evaluate(() =>
            Promise.all([...document.querySelectorAll('ruvo-moravine')].map((element) => element.ready)));
        return run(session);
    });
}

// Every widget's box and text, relative to its element.
async function layoutOf(session, id) {
    return session.page.evaluate((hostId) => {
        const element = document.getElementById(hostId);
        const origin = element.getBoundingClientRect();
        const at = (rect) => [rect.left - origin.left, rect.top - origin.top, rect.width, rect.height]
            .map(Math.round).join(',');
        const range = document.createRange();
        const shown = [...element.shadowRoot.querySelectorAll('.widget')]
            .filter((widget) => widget.getClientRects().length);
        return shown.map((widget) => {
            range.selectNodeContents(widget.querySelector('legend') ?? widget);
            const text = widget.textContent.trim() ? ` text ${at(range.getBoundingClientRect())}` : '';
            return `${widget.id || widget.firstChild?.id} ${at(widget.getBoundingClientRect())}${text}`;
        });
    }, id);
}

export async function checkTheming(report, browser, origin) {
    await withThemed(browser, origin, '#themed', async (session) => {
        const themed = await session.page.evaluate(() => {
            const element = document.getElementById('themed');
            const root = element.shadowRoot;
            return {
                width: element.getBoundingClientRect().width,
                face: getComputedStyle(element).backgroundColor,
                legend: getComputedStyle(root.querySelector('legend')).color,
                resultWeight: getComputedStyle(root.getElementById('LabEDD')).fontWeight,
            };
        });
        report.equal('the page\'s CSS sets the size, the face and text colours, and styles a part',
            themed, { width: 700, face: 'rgb(32, 48, 64)', legend: 'rgb(240, 240, 224)',
                      resultWeight: '700' });
        report.check('the themed colours keep 4.5:1', contrastOver(themed.legend, themed.face) >= 4.5);
        const [plain, rtl] = [await layoutOf(session, 'plain'), await layoutOf(session, 'rtl')];
        const moved = rtl.filter((line, i) => line !== plain[i]);
        report.check('with dir="rtl" every widget and its text sit as on a left-to-right page',
            plain.length > 25 && moved.length === 0, moved.slice(0, 4).join('; '));
    });
}

// WCAG 2.1's text-spacing override, applied as a user's style sheet does, after the element is
// on view: the surface grows until every text fits again.
export async function checkTextSpacing(report, browser, origin) {
    await withThemed(browser, origin, '#plain', async (session) => {
        await session.page.addStyleTag({ content: '* { line-height: 1.5 !important; ' +
            'letter-spacing: 0.12em !important; word-spacing: 0.16em !important; }' });
        await untilRest(session);
        const { misfits, looked } = await textMisfits(session);
        report.check('with WCAG\'s text spacing every caption, legend and list item fits its box',
            looked > 20 && misfits.length === 0, misfits.length ? misfits.join('; ') : `${looked} texts`);
        report.equal('text spacing: no page error', session.pageErrors, []);
    });
}

// The manifest against the element: its attributes are those it observes, its members are on
// it, its parts are those in the shadow root and its custom properties those of its sheet.
export async function checkManifest(report, browser, origin, manifest, declaredEvents) {
    const [declaration] = manifest.modules[0].declarations;
    await withThemed(browser, origin, '#plain', async (session) => {
        const real = await session.page.evaluate(() => {
            const element = document.getElementById('plain');
            const type = customElements.get('ruvo-moravine');
            const sheets = element.shadowRoot.adoptedStyleSheets
                .flatMap((sheet) => [...sheet.cssRules].map((rule) => rule.cssText)).join('\n');
            return {
                observed: type.observedAttributes,
                instance: Object.getOwnPropertyNames(type.prototype),
                statics: Object.getOwnPropertyNames(type),
                parts: [...new Set([...element.shadowRoot.querySelectorAll('[part]')]
                    .flatMap((node) => node.getAttribute('part').split(' ')))].sort(),
                properties: [...new Set(sheets.match(/--ruvo-[a-z-]+/g))].sort(),
            };
        });
        const missingAttributes = declaration.attributes.map((a) => a.name)
            .filter((name) => !real.observed.includes(name));
        const missingMembers = declaration.members.filter((member) =>
            !(member.static ? real.statics : real.instance).includes(member.name)).map((m) => m.name);
        report.equal('the manifest\'s attributes and members are the element\'s',
            [missingAttributes, missingMembers], [[], []]);
        report.equal('the manifest\'s parts are the shadow root\'s',
            declaration.cssParts.map((part) => part.name).sort(), real.parts);
        report.equal('the manifest\'s custom properties are the style sheet\'s',
            declaration.cssProperties.map((property) => property.name).sort(), real.properties);
        report.equal('the manifest\'s events are those the types declare',
            declaration.events.map((event) => event.name).sort(), [...declaredEvents].sort());
    });
}
