// The packed @ruvo/moravine as a web developer installs it: what the package holds, importing it
// on a server, and the README's esbuild example, bundled as an ES module for es2020 and as a
// classic script, run in the browser with the core beside the bundle and without it.
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

// The names a module's types declare as runtime exports: classes, functions, constants and the
// default; the types alone are not looked for.
export function declaredExports(typesText) {
    const names = [...typesText.matchAll(/^export declare (?:class|function|const|let) (\w+)/gm)]
        .map((match) => match[1]);
    if (/^export default /m.test(typesText)) names.push('default');
    return names;
}

export function declaredEvents(typesText) {
    const map = /interface RuvoMoravineEventMap[^{]*\{([^}]*)\}/.exec(typesText)?.[1] ?? '';
    return [...map.matchAll(/"([a-z-]+)":/g)].map((match) => match[1]);
}

// A fresh app with the packed package installed, as "npm install ./file.tgz" does it.
export function installPackage(buildDir, appType) {
    const tgz = readdirSync(join(buildDir, 'hosting/web')).find((name) => /^ruvo-moravine-.*\.tgz$/.test(name));
    const app = mkdtempSync(join(tmpdir(), 'ruvo-app-'));
    writeFileSync(join(app, 'package.json'),
        JSON.stringify({ name: 'dating-app', private: true, type: appType }));
    execFileSync('npm', ['install', '--offline', '--no-audit', '--no-fund', '--silent',
        join(buildDir, 'hosting/web', tgz)], { cwd: app });
    return app;
}

export function checkPackageContents(report, app) {
    const dir = join(app, 'node_modules/@ruvo/moravine');
    const manifest = JSON.parse(readFileSync(join(dir, 'package.json'), 'utf8'));
    const moduleText = readFileSync(join(dir, 'moravine.js'), 'utf8');
    const types = readFileSync(join(dir, 'moravine.d.ts'), 'utf8');
    report.equal('the package says its licence, repository, keywords and description',
        [manifest.license, Boolean(manifest.repository?.url), manifest.keywords?.length > 3,
         Boolean(manifest.description), readdirSync(dir).includes('LICENSE')],
        ['Apache-2.0', true, true, true, true]);
    report.check('the package\'s module is minified and holds no test hook',
        moduleText.split('\n').length < 20 && !moduleText.includes('__ruvo'),
        `${moduleText.split('\n').length} lines`);
    report.check('the types add events to ruvo-moravine alone, not to every HTMLElement',
        !/interface HTMLElementEventMap/.test(types));
}

// Imports the package under node, in an app of each module type: nothing throws and nothing is
// fetched.
export function checkServerImport(report, buildDir) {
    for (const appType of ['commonjs', 'module']) {
        const app = installPackage(buildDir, appType);
        try {
            const script = `
                let fetched = 0;
                globalThis.fetch = () => { fetched++; return Promise.reject(new Error('no network')); };
                import('@ruvo/moravine').then(
                    (module) => console.log(JSON.stringify({ defined: typeof module.default,
                        named: module.RuvoMoravineElement === module.default, fetched })),
                    (error) => console.log(JSON.stringify({ error: String(error) })));`;
            const output = execFileSync('node', ['--input-type=commonjs', '-e', script], { cwd: app })
                .toString().trim();
            report.equal(`imported on a server from a "${appType}" app: no error, no fetch`,
                JSON.parse(output), { defined: 'function', named: true, fetched: 0 });
            if (appType === 'module') checkPackageContents(report, app);
        } finally {
            rmSync(app, { recursive: true, force: true });
        }
    }
}

const exampleApp = `import RuvoMoravineElement from "@ruvo/moravine";
const element = document.createElement("ruvo-moravine");
element.setAttribute("today", "2006-12-07");
document.body.append(element);
window.appRan = RuvoMoravineElement === customElements.get("ruvo-moravine");
`;

// Builds the README's esbuild example three ways and opens each in the browser.
export async function checkBundles(report, browser, buildDir, startServer, packageDir) {
    const app = installPackage(buildDir, 'module');
    try {
        writeFileSync(join(app, 'app.js'), exampleApp);
        const builds = {
            'es2020 module': ['--format=esm', '--target=es2020', '--outfile=dist/esm/app.js'],
            'classic script': ['--outfile=dist/classic/app.js'],
            'module without its core': ['--format=esm', '--outfile=dist/bare/app.js'],
        };
        for (const [name, options] of Object.entries(builds)) {
            execFileSync('esbuild', ['app.js', '--bundle', '--log-level=warning', ...options], { cwd: app });
            const folder = join(app, 'dist', options.at(-1).split('/')[1]);
            if (name !== 'module without its core') {
                copyFileSync(join(app, 'node_modules/@ruvo/moravine/moravine.wasm'), join(folder, 'moravine.wasm'));
            }
            const type = options.includes('--format=esm') ? ' type="module"' : '';
            writeFileSync(join(folder, 'index.html'), '<!doctype html><html lang="en"><head><meta charset="utf-8">' +
                `<title>bundle</title><script src="../../errors.js"></script><script${type} src="app.js" defer></script></head><body></body></html>`);
        }
        writeFileSync(join(app, 'errors.js'), 'window.moravineErrors = [];\n' +
            'document.addEventListener("runtime-error", (event) => window.moravineErrors.push(event.detail.message));\n');
        const server = await startServer({ packageDir, mounts: { '/app/': app } });
        try {
            for (const name of Object.keys(builds)) {
                const folder = builds[name].at(-1).split('/')[1];
                const page = await browser.newPage();
                try {
                    await page.goto(`${server.origin}/app/dist/${folder}/index.html`, { waitUntil: 'load' });
                    const seen = await page.evaluate(async () => {
                        const element = document.querySelector('ruvo-moravine');
                        const ready = await element?.ready;
                        return { appRan: window.appRan, ready,
                                 calculate: Boolean(element?.shadowRoot.getElementById('ComCalcEDD')),
                                 errors: window.moravineErrors };
                    });
                    const withoutCore = name === 'module without its core';
                    report.check(`the esbuild example as ${name}: the app's code runs, and ` +
                        (withoutCore ? 'a runtime-error says the core is missing' : 'the control comes up'),
                    seen.appRan === true && (withoutCore
                        ? !seen.ready && seen.errors.length === 1 && seen.errors[0].includes('moravine.wasm')
                        : seen.ready && seen.calculate && seen.errors.length === 0), JSON.stringify(seen));
                } finally {
                    await page.close();
                }
            }
        } finally {
            await server.close();
        }
    } finally {
        rmSync(app, { recursive: true, force: true });
    }
}
