// Browser tests of the <ruvo-moravine> element in Debian's headless Chromium.
//
//   node element_test.mjs BUILD_DIR [--package PACKAGE_DIR]
//
// BUILD_DIR is the emscripten build folder: the screenshots web-element.png and web-2x.png are
// written there, and the element's package is read from BUILD_DIR/hosting/web/package unless
// --package names another folder. Prints one line per check and a closing count; exits 0 when
// every check passed, 1 otherwise, and 77 when Chromium is not installed. RUVO_CHROMIUM names
// another Chromium than /usr/bin/chromium.
import { existsSync, mkdirSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { Report } from './report.mjs';
import { startServer } from './serve.mjs';
import { chromiumInstalled, chromiumPath, launchChromium } from './moravine_driver.mjs';
import { checkSessions, checkFormSubmission, checkDemoAlert } from './workflow_checks.mjs';
import { checkAccessibility, checkAnnouncement } from './accessibility_checks.mjs';
import { checkKeyboardSession } from './keyboard_checks.mjs';
import { checkForcedInput, checkCreateRemoveCycles } from './robustness_checks.mjs';
import { checkDownloadSize, checkFirstRender, checkImportTime } from './budget_checks.mjs';
import { checkBusyPageClick, checkReducedMotion } from './time_checks.mjs';
import { checkLargeFont, checkFocusRings } from './look_checks.mjs';
import { checkComponent } from './component_checks.mjs';

const skipped = 77;

function parseArguments(argv) {
    const options = { buildDir: null, packageDir: null };
    for (let i = 0; i < argv.length; i++) {
        if (argv[i] === '--package') options.packageDir = argv[++i];
        else if (!options.buildDir) options.buildDir = argv[i];
        else throw new Error(`unexpected argument ${argv[i]}`);
    }
    if (!options.buildDir) throw new Error('usage: node element_test.mjs BUILD_DIR [--package PACKAGE_DIR]');
    options.buildDir = resolve(options.buildDir);
    options.packageDir = resolve(options.packageDir ?? join(options.buildDir, 'hosting/web/package'));
    return options;
}

async function run(options) {
    const report = new Report();
    if (!chromiumInstalled()) {
        console.log(`SKIP: Chromium is not installed at ${chromiumPath} (apt-get install chromium)`);
        return skipped;
    }
    const moduleFile = join(options.packageDir, 'moravine.js');
    if (!report.check('the element\'s package is built', existsSync(moduleFile), moduleFile)) {
        return report.finish();
    }
    mkdirSync(options.buildDir, { recursive: true });

    const server = await startServer({ packageDir: options.packageDir });
    let browser;
    try {
        browser = await launchChromium();
        console.log(`Chromium ${await browser.version()}, pages at ${server.origin}/`);
        await checkSessions(report, browser, server.origin, options.buildDir);
        await report.group('Sending the due date with a form', () =>
            checkFormSubmission(report, browser, server));
        await report.group('The demo page\'s alert', () =>
            checkDemoAlert(report, browser, server.origin));
        await report.group('Accessibility tree', () => checkAccessibility(report, browser, server.origin));
        await report.group('An announcement of a list the user did not touch', () =>
            checkAnnouncement(report, browser, server.origin));
        await report.group('Focus rings', () => checkFocusRings(report, browser, server.origin));
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
        await checkComponent(report, browser, server, { ...options,
            emulate: async (page, features) => {
                // Through the protocol itself: puppeteer-core does not know forced-colors. The
                // page keeps its session, and with it the emulation.
                page.ruvoSession ??= await page.createCDPSession();
                await page.ruvoSession.send('Emulation.setEmulatedMedia', { features });
            } });
        await report.group('Download size', () => checkDownloadSize(report, options.packageDir));
        await report.group('Time to the first frame', () =>
            checkFirstRender(report, browser, server.origin));
        await report.group('From the import to the element', () =>
            checkImportTime(report, browser, server.origin));
    } catch (error) {
        report.check('the browser tests ran to the end', false, error?.stack ?? String(error));
    } finally {
        await browser?.close();
        await server.close();
    }
    return report.finish();
}

try {
    process.exitCode = await run(parseArguments(process.argv.slice(2)));
} catch (error) {
    console.log(`FAIL  ${error?.message ?? error}`);
    process.exitCode = 1;
}
