// The web demo without a display: serves the demo page, dates a pregnancy from a scan (crown rump
// length 45 mm on 6 April 2006, seen on 7 December 2006) and the gestation at birth (born
// 20 October 2006) in headless Chromium with real clicks and keys, and saves the page.
//
//   node web_demo.mjs PACKAGE_DIR SCREENSHOT
import { resolve } from 'node:path';
import { startServer } from './serve.mjs';
import {
    MoravinePage, chromiumInstalled, chromiumPath, dateByScan, gestationAtBirth, launchChromium,
    recordedToday,
} from './moravine_driver.mjs';

const [packageDir, screenshot] = process.argv.slice(2);
if (!packageDir || !screenshot) {
    console.error('usage: node web_demo.mjs PACKAGE_DIR SCREENSHOT');
    process.exit(2);
}
if (!chromiumInstalled()) {
    console.error(`Chromium is not installed at ${chromiumPath} (apt-get install chromium)`);
    process.exit(1);
}

const server = await startServer({ packageDir: resolve(packageDir) });
const browser = await launchChromium();
try {
    const session = await MoravinePage.open(browser, `${server.origin}/index.html?today=${recordedToday}`);
    await dateByScan(session);
    await gestationAtBirth(session, '20');
    console.log(`EDD ${await session.text('LabEDD')} (${await session.property('eddMethod')}), ` +
        `gestation at birth ${await session.text('LabGest')}`);
    // The picture shows the question and its answers, between two blinks of a prompt.
    await session.page.waitForFunction(() => {
        const root = document.querySelector('ruvo-moravine').shadowRoot;
        return root.getElementById('LabQDOB').textContent !== '' &&
            root.getElementById('OptYes').parentElement.textContent !== '';
    }, { timeout: 10000, polling: 20 }).catch(() => {});
    await session.page.screenshot({ path: resolve(screenshot), fullPage: true });
    for (const error of session.pageErrors) console.error(`page error: ${error}`);
} finally {
    await browser.close();
    await server.close();
}
