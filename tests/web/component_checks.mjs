// The element as a web developer meets it: removed and re-added as frameworks do, inside a
// disabled fieldset, as a form's control, with a bad today attribute, under a strict
// Content-Security-Policy, as a second copy of its module, and with the page's colour scheme
// switched while it is open.
import {
    MoravinePage, dateByScan, gestationAtBirth, setColorScheme, setForcedColors, typicalScan,
} from './moravine_driver.mjs';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { contrastOver } from './look_checks.mjs';
import { checkTheming, checkTextSpacing, checkManifest } from './theming_checks.mjs';
import { checkBundles, declaredEvents, declaredExports } from './package_checks.mjs';
import { startServer } from './serve.mjs';

const scanEdd = '2006-10-26';

async function formValue(session) {
    return session.page.evaluate(() => new FormData(document.getElementById('visit')).get('edd'));
}

// The element leaves the page and comes back, within one task or a task later: it keeps the
// EDD and listens once, so one pick and one press send one change each.
export async function checkReadded(report, browser, origin) {
    for (const later of [false, true]) {
        const when = later ? 'a task later' : 'at once';
        await MoravinePage.with(browser, `${origin}/component.html`, async (session) => {
            await dateByScan(session);
            await session.page.evaluate(async (wait) => {
                const element = document.getElementById('dating');
                const place = element.parentNode;
                element.remove();
                if (wait) await new Promise((resolve) => setTimeout(resolve, 100));
                place.append(element);
            }, later);
            report.equal(`re-added ${when}: the EDD stays`, await session.property('edd'), scanEdd);
            report.equal(`re-added ${when}: the form keeps it`, await formValue(session), scanEdd);
            await session.page.evaluate(() => { window.moravineEvents.length = 0; });
            await session.pick('DDVal', '46');
            await session.calculateEdd();
            const changes = (await session.events('edd-change')).map((event) => event.detail.edd);
            report.equal(`re-added ${when}: a pick and a press send one change each`, changes,
                ['', '2006-10-25']);
            report.equal(`re-added ${when}: no runtime-error`, await session.events('runtime-error'), []);
            report.equal(`re-added ${when}: no page error`, session.pageErrors, []);
        });
    }
}

// Inside a disabled fieldset no widget takes a click, a key or the focus; enabled again, every
// widget shows what the control has.
export async function checkDisabledFieldset(report, browser, origin) {
    await MoravinePage.with(browser, `${origin}/component.html`, async (session) => {
        await dateByScan(session);
        await session.page.evaluate(() => { document.getElementById('around').disabled = true; });
        const state = await session.page.evaluate(() => {
            const element = document.getElementById('dating');
            const widgets = [...element.shadowRoot.querySelectorAll('input, select, button')];
            const results = [...element.shadowRoot.querySelectorAll('output')];
            return {
                disabled: element.matches(':disabled'),
                enabledWidgets: widgets.filter((widget) => !widget.disabled).map((widget) => widget.id),
                tabbableResults: results.filter((result) => result.tabIndex >= 0).map((r) => r.id),
            };
        });
        report.equal('in a disabled fieldset: every widget is disabled and no result is a Tab stop',
            state, { disabled: true, enabledWidgets: [], tabbableResults: [] });
        await session.page.focus('#after');
        await session.page.keyboard.down('Shift');
        await session.page.keyboard.press('Tab');
        await session.page.keyboard.up('Shift');
        report.check('in a disabled fieldset: Shift+Tab passes the element by',
            await session.page.evaluate(() => !document.getElementById('dating').shadowRoot.activeElement));
        const lmp = await session.widget('OptLMP');
        await lmp.click();
        await lmp.dispose();
        report.equal('in a disabled fieldset: a click on "LMP-based" leaves the EDD',
            await session.property('edd'), scanEdd);
        await session.page.evaluate(() => { document.getElementById('around').disabled = false; });
        const shown = await session.page.evaluate(() => {
            const root = document.getElementById('dating').shadowRoot;
            return { lmp: root.getElementById('OptLMP').checked, us: root.getElementById('OptUS').checked,
                     calculate: root.getElementById('ComCalcEDD').disabled };
        });
        report.equal('enabled again: "Ultrasound-based" is still the one checked', [shown.lmp, shown.us],
            [false, true]);
        report.equal('enabled again: the form has the EDD', await formValue(session), scanEdd);
        report.equal('disabled fieldset: no page error', session.pageErrors, []);
    });
}

// The element as a form's control: its properties, required, a reset, its label and focus.
export async function checkFormControl(report, browser, origin) {
    await MoravinePage.with(browser, `${origin}/component.html`, async (session) => {
        const api = await session.page.evaluate(() => {
            const element = document.getElementById('dating');
            element.required = true;
            return {
                form: element.form?.id, labels: [...element.labels].map((label) => label.textContent),
                value: element.value, willValidate: element.willValidate,
                valid: element.checkValidity(), valueMissing: element.validity.valueMissing,
                message: element.validationMessage, reflected: element.getAttribute('required'),
                disabled: element.disabled, name: element.name,
                groupName: element.shadowRoot.getElementById('surface').getAttribute('aria-label'),
                description: element.shadowRoot.getElementById('validation').textContent,
            };
        });
        report.equal('as a form control, required and without an EDD', api, {
            form: 'visit', labels: ['Pregnancy dating'], value: '', willValidate: true,
            valid: false, valueMissing: true,
            message: 'Press "Calculate EDD": the form needs the EDD.', reflected: '',
            disabled: false, name: 'edd', groupName: 'Pregnancy dating',
            description: 'Press "Calculate EDD": the form needs the EDD.',
        });
        const noEdd = await session.page.evaluate(() => document.getElementById('dating').gestationOn('2006-09-04'));
        const noRecord = await session.page.evaluate(() => document.getElementById('dating').toFHIR());
        await dateByScan(session);
        report.equal('the record: none before the EDD, then its EDD the day on view, derived from ' +
            'the scan, naming the subject; a subject that is no reference refused',
        await session.page.evaluate((none) => {
            const element = document.getElementById('dating');
            const record = element.toFHIR('Patient/123');
            const [edd, scan] = record.entry.map((entry) => entry.resource);
            const refusals = ['Patient 123', 'Patient/1\0x', 42].map((subject) => {
                try {
                    element.toFHIR(subject);
                    return null;
                } catch (error) {
                    return error.name;
                }
            });
            return [none, record.type, edd.valueDateTime === element.edd,
                    edd.derivedFrom[0].reference === record.entry[1].fullUrl,
                    scan.valueQuantity.unit, edd.subject.reference, refusals];
        }, noRecord), [null, 'collection', true, true, 'mm', 'Patient/123', ['TypeError', 'TypeError', 'TypeError']]);
        report.equal('the gestation on a visit\'s day: none before the EDD, then counted from it, ' +
            'a day before the start refused',
        await session.page.evaluate((none) => {
            const element = document.getElementById('dating');
            let refused = null;
            try {
                element.gestationOn('2006-01-18');
            } catch (error) {
                refused = error.name;
            }
            return [none, element.gestationOn('2006-09-04'), element.gestationOn(new Date(2006, 0, 19)),
                    element.gestationOn('not a day'), refused];
        }, noEdd), [-1, 228, 0, -1, 'RangeError']);
        report.equal('with the EDD on view, value and validity follow',
            await session.page.evaluate(() => {
                const element = document.getElementById('dating');
                return [element.value, element.checkValidity()];
            }), [scanEdd, true]);
        await session.page.click('#reset');
        await session.poll(async () => (await session.property('edd')) === '', 3_000);
        report.equal('a form reset withdraws the EDD from view, from the form and from the record',
            [await session.property('edd'), await formValue(session),
                await session.page.evaluate(() => document.getElementById('dating').toFHIR())],
            ['', null, null]);

        const focused = () => session.page.evaluate(() =>
            document.getElementById('dating').shadowRoot.activeElement?.id ?? null);
        await session.page.focus('#before');
        await session.page.keyboard.press('Tab');
        const firstStop = await focused();
        await session.page.evaluate(() => document.activeElement.blur());
        await session.page.evaluate(() => document.getElementById('dating').focus());
        report.check('focus() puts the focus on the element\'s first Tab stop',
            firstStop && (await focused()) === firstStop, `${await focused()}, Tab: ${firstStop}`);
        await session.page.evaluate(() => document.activeElement.blur());
        await session.page.click('label[for="dating"]');
        report.check('a click on its label puts the focus in the element',
            await session.page.evaluate(() =>
                Boolean(document.getElementById('dating').shadowRoot.activeElement)));
        await session.page.evaluate(() =>
            document.getElementById('dating').setAttribute('aria-label', 'Dating of this pregnancy'));
        report.equal('an aria-label on the element names its group',
            await session.page.evaluate(() => document.getElementById('dating').shadowRoot
                .getElementById('surface').getAttribute('aria-label')), 'Dating of this pregnancy');
        report.equal('form control: no page error', session.pageErrors, []);
    });
}

// Away from the page and back through the history: where the browser gives the form back (the
// page's own input keeps what was typed), the element has its EDD again.
export async function checkHistoryRestore(report, browser, origin) {
    await MoravinePage.with(browser, `${origin}/component.html`, async (session) => {
        await dateByScan(session);
        await session.page.type('#after', 'seen');
        await session.page.goto(`${origin}/blank.html`, { waitUntil: 'load' });
        await session.page.goBack({ waitUntil: 'load' });
        const plainKept = await session.page.evaluate(async () => {
            await window.moravineLoaded;
            await customElements.whenDefined('ruvo-moravine');
            await document.getElementById('dating').ready;
            return document.getElementById('after').value === 'seen';
        });
        const kept = plainKept ? scanEdd : '';
        report.equal(`back to the page, the element keeps its EDD as the page's input keeps its text ` +
            `(${plainKept ? 'kept' : 'not kept: a page served no-store'})`,
        [await session.property('edd'), await formValue(session) ?? ''], [kept, kept]);
    });
}

// A today attribute that is no day of the calendar: the element still comes up, on the
// browser's date, and says once what it refused; later changes are told the same way.
export async function checkBadToday(report, browser, origin) {
    await MoravinePage.with(browser, `${origin}/blank.html`, async (session) => {
        for (const value of ['2006-02-30', '2006-13-01', '0000-01-01', 'garbage', '', '07/12/2006']) {
            const seen = await session.page.evaluate(async (today) => {
                window.moravineEvents.length = 0;
                const element = document.createElement('ruvo-moravine');
                element.setAttribute('today', today);
                document.body.append(element);
                const ready = await element.ready;
                const years = [...element.shadowRoot.getElementById('DDLSDateY').options]
                    .map((option) => option.text);
                const errors = window.moravineEvents.filter((event) => event.type === 'runtime-error');
                element.remove();
                return { ready, hasThisYear: years.includes(String(new Date().getFullYear())),
                         messages: errors.map((event) => event.detail.message) };
            }, value);
            report.check(`today="${value}": the element comes up on the browser's date, with one ` +
                'runtime-error naming the attribute and quoting the value',
            seen.ready && seen.hasThisYear && seen.messages.length === 1 &&
                seen.messages[0].includes('today attribute') &&
                seen.messages[0].includes(JSON.stringify(value)), JSON.stringify(seen));
        }
        const later = await session.page.evaluate(async () => {
            const element = document.createElement('ruvo-moravine');
            element.today = '2006-12-07';
            document.body.append(element);
            await element.ready;
            window.moravineEvents.length = 0;
            element.today = '2006-"02"-31';
            element.today = '2007-01-31';
            return window.moravineEvents.map((event) => event.detail.message);
        });
        report.check('a bad value set later is refused once, escaped; a good one is taken quietly',
            later.length === 1 && later[0].includes('"2006-\\"02\\"-31"'), JSON.stringify(later));
        report.equal('bad today: no page error', session.pageErrors, []);
    });
}

// A page that allows no inline style, no text made into code and no blob: or data: image runs a
// whole session, and the element looks as it does anywhere.
export async function checkStrictPage(report, browser, origin) {
    await MoravinePage.with(browser, `${origin}/strict.html`, async (session) => {
        await dateByScan(session);
        await gestationAtBirth(session);
        report.equal('under the strict policy the typical session gives the EDD and the gestation',
            [await session.property('edd'), await session.property('gestationAtBirthDays')],
            [scanEdd, 274]);
        const look = await session.page.evaluate(() => {
            const element = document.querySelector('ruvo-moravine');
            const { width, height } = element.getBoundingClientRect();
            const logo = element.shadowRoot.getElementById('Picture1');
            const pixels = logo.getContext('2d').getImageData(0, 0, logo.width, logo.height).data;
            const colours = new Set();
            for (let i = 0; i < pixels.length; i += 4) colours.add(pixels.slice(i, i + 3).join());
            return { size: [Math.round(width), Math.round(height)], logoColours: colours.size,
                     violations: window.policyViolations };
        });
        report.check('under the strict policy the element keeps its size and draws its logo, ' +
            'with no violation', look.size.join('x') === '581x361' && look.logoColours > 2 &&
            look.violations.length === 0, JSON.stringify(look));
        report.equal('strict page: no runtime-error', await session.events('runtime-error'), []);
        report.equal('strict page: no page error', session.pageErrors, []);
    });
}

// A second copy of the module defines nothing and fetches no second core; the module exports
// what its types declare.
export async function checkModuleCopies(report, browser, origin, declaredNames) {
    await MoravinePage.with(browser, `${origin}/element.html`, async (session) => {
        const seen = await session.page.evaluate(async (names) => {
            const first = await import('/moravine/moravine.js');
            let copy = null;
            let failure = null;
            try {
                copy = await import('/moravine/moravine.js?v=2');
                document.body.append(document.createElement('ruvo-moravine'));
                await document.querySelectorAll('ruvo-moravine')[1].ready;
            } catch (error) {
                failure = String(error);
            }
            const defined = customElements.get('ruvo-moravine');
            return {
                failure,
                wasmFetches: performance.getEntriesByType('resource')
                    .filter((entry) => entry.name.endsWith('.wasm')).length,
                missing: names.filter((name) => !(name in first)),
                sameClass: first.default === defined && first.RuvoMoravineElement === defined &&
                    copy?.default === defined,
            };
        }, declaredNames);
        report.equal('a second copy of the module: no error, one core fetched, the same class',
            seen, { failure: null, wasmFetches: 1, missing: [], sameClass: true });
    });
}

// The contrast of every text on view against what is behind it.
async function textContrasts(session) {
    const pairs = await session.page.evaluate((host) => {
        const root = document.querySelector(host).shadowRoot;
        const behind = (element) => {
            for (let node = element; node; node = node.parentElement ?? node.getRootNode().host) {
                const color = getComputedStyle(node).backgroundColor;
                if (!/rgba\(.*, 0\)$/.test(color) && color !== 'transparent') return color;
            }
            return getComputedStyle(document.body).backgroundColor;
        };
        // Disabled widgets are exempt, as WCAG has it for inactive components.
        const texts = [...root.querySelectorAll('legend, label > span, select, button, output, .text')];
        return texts.filter((text) => text.getClientRects().length && text.textContent.trim() &&
                                      !text.closest('.disabled'))
            .map((text) => ({ id: text.id || text.closest('[id]')?.id || text.parentElement.id,
                              color: getComputedStyle(text).color, back: behind(text) }));
    }, session.host);
    return pairs.map((pair) => ({ ...pair, ratio: contrastOver(pair.color, pair.back) }));
}

// The page's colour scheme switched while the element is open, then forced colours: every text
// keeps 4.5:1 against its background, and a list keeps its arrow.
export async function checkSchemeSwitch(report, browser, origin) {
    await MoravinePage.with(browser, `${origin}/scheme.html`, async (session) => {
        await session.click(typicalScan.method); // the scan value list takes its own colours
        for (const [name, scheme, forced] of [
            ['dark', 'dark', 'none'], ['light again', 'light', 'none'],
            ['forced colours, dark', 'dark', 'active'], ['forced colours, light', 'light', 'active'],
        ]) {
            await setColorScheme(session.page, scheme);
            await setForcedColors(session.page, forced);
            // The media's change reaches the element in the page's next rendering steps.
            await session.page.evaluate(() => new Promise((resolve) =>
                requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(resolve, 50)))));
            const low = (await textContrasts(session)).filter((pair) => pair.ratio < 4.5);
            report.check(`switched to ${name} while open: every text keeps 4.5:1`, low.length === 0,
                low.map((pair) => `#${pair.id} ${pair.color} on ${pair.back}: ` +
                    `${pair.ratio.toFixed(2)}:1`).join('; '));
            if (!name.startsWith('forced')) continue;
            const list = await session.page.evaluate(() => {
                const select = document.querySelector('ruvo-moravine').shadowRoot.getElementById('DDVal');
                const style = getComputedStyle(select);
                return { arrow: getComputedStyle(select.parentElement.querySelector('.arrow')).backgroundColor,
                         back: style.backgroundColor, border: style.borderTopColor };
            });
            report.check(`in ${name} a list keeps its border and its drop-down arrow`,
                contrastOver(list.arrow, list.back) >= 3 && contrastOver(list.border, list.back) >= 3,
                JSON.stringify(list));
        }
        await setForcedColors(session.page, 'none');
        await setColorScheme(session.page, null);
        report.equal('scheme switch: no page error', session.pageErrors, []);
    });
}

// Every group above, and those of the element's theming and package, in one browser.
export async function checkComponent(report, browser, server, { buildDir, packageDir }) {
    const types = readFileSync(join(packageDir, 'moravine.d.ts'), 'utf8');
    const manifest = JSON.parse(readFileSync(join(packageDir, 'custom-elements.json'), 'utf8'));
    const origin = server.origin;
    await report.group('Removed and added again', () => checkReadded(report, browser, origin));
    await report.group('Inside a disabled fieldset', () => checkDisabledFieldset(report, browser, origin));
    await report.group('As a form control', () => checkFormControl(report, browser, origin));
    await report.group('Back through the history', () => checkHistoryRestore(report, browser, origin));
    await report.group('A bad today attribute', () => checkBadToday(report, browser, origin));
    await report.group('A strict Content-Security-Policy', () => checkStrictPage(report, browser, origin));
    await report.group('Copies of the module and its exports', () =>
        checkModuleCopies(report, browser, origin, declaredExports(types)));
    await report.group('The colour scheme switched while open', () =>
        checkSchemeSwitch(report, browser, origin));
    await report.group('Theming and a right-to-left page', () => checkTheming(report, browser, origin));
    await report.group('WCAG text spacing', () => checkTextSpacing(report, browser, origin));
    await report.group('The custom elements manifest', () =>
        checkManifest(report, browser, origin, manifest, declaredEvents(types)));
    await report.group('The esbuild example', () =>
        checkBundles(report, browser, buildDir, startServer, packageDir));
}
