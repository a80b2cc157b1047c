// A small static file server for the browser tests and the web demo, on the loopback address
// only: the element's package folder under /moravine/ and the pages folder at /.
//
// As a program: node serve.mjs PACKAGE_DIR [PAGES_DIR] [--port N]
// prints the address it listens on and serves until it is stopped.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { basename, extname, join, resolve, sep, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
export const defaultPagesDir = join(here, 'pages');
export const packagePrefix = '/moravine/';
// The policy of the strict pages (strict*.html): nothing inline, nothing made from text, no
// blob: or data: images.
export const strictPolicy = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'";

const mimeTypes = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.mjs': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.css': 'text/css; charset=utf-8',
    '.json': 'application/json; charset=utf-8',
    '.map': 'application/json; charset=utf-8',
    '.png': 'image/png',
    '.bmp': 'image/bmp',
    '.gif': 'image/gif',
    '.svg': 'image/svg+xml',
    '.ico': 'image/x-icon',
    '.txt': 'text/plain; charset=utf-8',
};

export function mimeTypeOf(path) {
    return mimeTypes[extname(path).toLowerCase()] ?? 'application/octet-stream';
}

// The file a URL path names inside root, or null when the path would leave root.
function fileInside(root, urlPath) {
    let decoded;
    try {
        decoded = decodeURIComponent(urlPath);
    } catch {
        return null;
    }
    if (decoded.includes('\0')) return null;
    const rootDir = resolve(root);
    const file = resolve(rootDir, '.' + decoded);
    if (file !== rootDir && !file.startsWith(rootDir + sep)) return null;
    return file;
}

async function readServedFile(file) {
    let info = await stat(file);
    if (info.isDirectory()) {
        file = join(file, 'index.html');
        info = await stat(file);
    }
    if (!info.isFile()) throw Object.assign(new Error('not a file'), { code: 'ENOENT' });
    return { file, body: await readFile(file) };
}

// Starts serving; resolves to { origin, requests, close() }. requests lists every request's
// method and URL in arrival order, so a test can tell what a form submission sent. mounts maps
// further URL prefixes ("/bundle/") to folders.
export async function startServer({ packageDir, pagesDir = defaultPagesDir, port = 0, mounts = {} } = {}) {
    if (!packageDir) throw new Error('startServer needs the package folder');
    const requests = [];
    const server = createServer(async (request, response) => {
        const url = new URL(request.url, 'http://127.0.0.1');
        requests.push({ method: request.method, url: url.pathname + url.search });
        if (request.method !== 'GET' && request.method !== 'HEAD') {
            response.writeHead(405, { Allow: 'GET, HEAD' }).end();
            return;
        }
        const [prefix, root] = Object.entries({ ...mounts, [packagePrefix]: packageDir })
            .find(([start]) => url.pathname.startsWith(start)) ?? ['/', pagesDir];
        const path = url.pathname.slice(prefix.length - 1);
        const file = fileInside(root, path);
        if (!file) {
            response.writeHead(403, { 'Content-Type': 'text/plain' }).end('Forbidden\n');
            return;
        }
        try {
            const served = await readServedFile(file);
            const strict = /^strict[^/]*\.html$/.test(basename(served.file));
            response.writeHead(200, {
                'Content-Type': mimeTypeOf(served.file),
                'Content-Length': served.body.length,
                'Cache-Control': 'no-store',
                ...(strict ? { 'Content-Security-Policy': strictPolicy } : {}),
            });
            response.end(request.method === 'HEAD' ? undefined : served.body);
        } catch (error) {
            const missing = error.code === 'ENOENT' || error.code === 'ENOTDIR';
            response.writeHead(missing ? 404 : 500, { 'Content-Type': 'text/plain' });
            response.end(missing ? 'Not found\n' : 'Cannot read file\n');
        }
    });
    await new Promise((resolveListen, rejectListen) => {
        server.once('error', rejectListen);
        server.listen(port, '127.0.0.1', resolveListen);
    });
    const origin = `http://127.0.0.1:${server.address().port}`;
    return {
        origin,
        requests,
        close: () => new Promise((resolveClose) => {
            server.closeAllConnections?.();
            server.close(() => resolveClose());
        }),
    };
}

function parseArguments(argv) {
    const options = { port: 0, folders: [] };
    for (let i = 0; i < argv.length; i++) {
        if (argv[i] === '--port') options.port = Number(argv[++i]);
        else options.folders.push(argv[i]);
    }
    return options;
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
    const options = parseArguments(process.argv.slice(2));
    if (options.folders.length < 1 || !Number.isInteger(options.port)) {
        console.error('usage: node serve.mjs PACKAGE_DIR [PAGES_DIR] [--port N]');
        process.exit(2);
    }
    const [packageDir, pagesDir = defaultPagesDir] = options.folders;
    const served = await startServer({ packageDir, pagesDir, port: options.port });
    console.log(`Serving ${resolve(pagesDir)} at ${served.origin}/`);
    console.log(`and ${resolve(packageDir)} at ${served.origin}${packagePrefix}`);
    const stop = async () => {
        await served.close();
        process.exit(0);
    };
    process.on('SIGINT', stop);
    process.on('SIGTERM', stop);
}
