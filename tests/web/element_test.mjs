// Browser tests of the <ruvo-moravine> element in Debian's headless Chromium and Firefox.
//
//   node element_test.mjs BUILD_DIR [--package PACKAGE_DIR] [--browser NAME]...
//
// BUILD_DIR is the emscripten build folder: the screenshots web-element.png and web-2x.png of
// Chromium, and web-element-firefox.png and web-2x-firefox.png of Firefox, are written there, and
// the element's package is read from BUILD_DIR/hosting/web/package unless --package names another
// folder. Every group of checks runs once in each browser that is installed (or in those that
// --browser names), each line led by the browser's name; the closing count is the browsers'
// together. Exits 0 when every check passed, 1 otherwise, and 77 when no browser is installed.
// RUVO_CHROMIUM and RUVO_FIREFOX name other browsers than /usr/bin/chromium and
// /usr/bin/firefox-esr.
import { existsSync, mkdirSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { Report } from './report.mjs';
import { startServer } from './serve.mjs';
import {
    browserInstalled, browserNames, browsers, launchBrowser, missingBrowserLine,
} from './moravine_driver.mjs';
import { checkSessions, checkFormSubmission, checkDemoAlert } from './workflow_checks.mjs';
import { checkAccessibility, checkAnnouncement } from './accessibility_checks.mjs';
import { checkKeyboardSession } from './keyboard_checks.mjs';
import { checkForcedInput, checkCreateRemoveCycles } from './robustness_checks.mjs';
import { checkDownloadSize, checkFirstRender, checkImportTime } from './budget_checks.mjs';
import { checkBusyPageClick, checkReducedMotion } from './time_checks.mjs';
import { checkLargeFont, checkFocusRings, checkLiveColourChanges } from './look_checks.mjs';
import { checkComponent } from './component_checks.mjs';
import { checkServerImport } from './package_checks.mjs';

const skipped = 77;

function parseArguments(argv) {
    const options = { buildDir: null, packageDir: null, browsers: [] };
    for (let i = 0; i < argv.length; i++) {
        if (argv[i] === '--package') options.packageDir = argv[++i];
        else if (argv[i] === '--browser') options.browsers.push(argv[++i]);
        else if (!options.buildDir) options.buildDir = argv[i];
        else throw new Error(`unexpected argument ${argv[i]}`);
    }
    if (!options.buildDir) {
        throw new Error('usage: node element_test.mjs BUILD_DIR [--package PACKAGE_DIR] [--browser NAME]...');
    }
    for (const name of options.browsers) {
        if (!browserNames.includes(name)) throw new Error(`--browser ${name}: one of ${browserNames.join(', ')}`);
    }
    if (!options.browsers.length) options.browsers = browserNames;
    options.buildDir = resolve(options.buildDir);
    options.packageDir = resolve(options.packageDir ?? join(options.buildDir, 'hosting/web/package'));
    return options;
}

// Every group of checks in one browser.
async function checkIn(report, browser, server, options) {
    await checkSessions(report, browser, server.origin, options.buildDir);
    await report.group('Sending the due date with a form', () =>
        checkFormSubmission(report, browser, server));
    await report.group('The demo page\'s alert', () =>
        checkDemoAlert(report, browser, server.origin));
    await report.group('Accessibility tree', () => checkAccessibility(report, browser, server.origin));
    await report.group('An announcement of a list the user did not touch', () =>
        checkAnnouncement(report, browser, server.origin));
    await report.group('Focus rings', () => checkFocusRings(report, browser, server.origin));
    await report.group('Colour scheme and forced colours switched while the element is open', () =>
        checkLiveColourChanges(report, browser, server.origin));
    await report.group('The keyboard alone', () =>
        checkKeyboardSession(report, browser, server.origin));
    await report.group('A pick forced onto a disabled list', () =>
        checkForcedInput(report, browser, server.origin));
    await report.group('Creating and removing the element', () =>
        checkCreateRemoveCycles(report, browser, server.origin));
    await report.group('A click the busy page held back', () =>
        checkBusyPageClick(report, browser, server.origin));
    await report.group('Reduced motion', () => checkReducedMotion(report, browser, server.origin));
    await report.group('Twice the design font', () =>
        checkLargeFont(report, browser, server.origin, options.buildDir));
    await checkComponent(report, browser, server, options);
    await report.group('Time to the first frame', () =>
        checkFirstRender(report, browser, server.origin));
    await report.group('From the import to the element', () =>
        checkImportTime(report, browser, server.origin));
}

async function run(options) {
    const report = new Report();
    const installed = options.browsers.filter((name) => {
        if (browserInstalled(name)) return true;
        console.log(`SKIP: ${missingBrowserLine(name)}`);
        return false;
    });
    if (!installed.length) return skipped;
    const moduleFile = join(options.packageDir, 'moravine.js');
    if (!report.check('the element\'s package is built', existsSync(moduleFile), moduleFile)) {
        return report.finish();
    }
    mkdirSync(options.buildDir, { recursive: true });
    // The package's size is the same whichever browser downloads it.
    await report.group('Download size', () => checkDownloadSize(report, options.packageDir));
    await report.group('Imported on a server', () => checkServerImport(report, options.buildDir));

    const server = await startServer({ packageDir: options.packageDir });
    try {
        for (const name of options.browsers) {
            report.prefix = `[${name}]`;
            if (!installed.includes(name)) {
                report.skip('every browser check', missingBrowserLine(name));
                continue;
            }
            const started = Date.now();
            let browser;
            try {
                browser = await launchBrowser(name);
                console.log(`\n${report.prefix} ${browsers[name].title} ${await browser.version()}, ` +
                    `pages at ${server.origin}/`);
                await checkIn(report, browser, server, options);
            } catch (error) {
                report.check('the browser tests ran to the end', false, error?.stack ?? String(error));
            } finally {
                await browser?.close();
            }
            report.note(`${browsers[name].title} took ${((Date.now() - started) / 1000).toFixed(1)} s`);
        }
    } finally {
        await server.close();
    }
    report.prefix = '';
    return report.finish();
}

try {
    process.exitCode = await run(parseArguments(process.argv.slice(2)));
} catch (error) {
    console.log(`FAIL  ${error?.message ?? error}`);
    process.exitCode = 1;
}
