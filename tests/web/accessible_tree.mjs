// The browser's own accessibility tree, as a screen reader is given it, read the same way for
// both browsers the tests run in. Chromium's comes through puppeteer's snapshot and the DevTools
// protocol's full tree. Firefox's is the one its accessibility service builds (and hands on to
// AT-SPI on Linux): WebDriver BiDi can only find nodes by role and name there, so it is read in
// Firefox's parent process, where each tab's tree is cached for assistive technology.
//
// A node is { role, name, description, live, children }, with ARIA's role names; text is a
// child of role "StaticText", as Chromium's snapshot names it.
import { browserNameOf, inFirefoxTab } from './moravine_driver.mjs';

function inFirefox(session) {
    return browserNameOf(session.page.browser()) === 'firefox';
}

// Runs in Firefox's parent process: finds the tab's document in the accessibility tree, waiting
// until it is there and done loading, and gives either the node of the widget with that DOM id
// or every node with that role (and name, when given), as plain objects.
async function firefoxQuery(tab, query) {
    const service = Cc['@mozilla.org/accessibilityService;1'].getService(Ci.nsIAccessibilityService);
    const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
    const busy = (accessible) => {
        const state = {};
        accessible.getState(state, {});
        return (state.value & Ci.nsIAccessibleStates.STATE_BUSY) !== 0;
    };
    const attributes = (accessible) => {
        const all = {};
        for (const property of accessible.attributes.enumerate()) {
            const { key, value } = property.QueryInterface(Ci.nsIPropertyElement);
            all[key] = value;
        }
        return all;
    };
    const plain = (accessible, depth) => {
        const textLeaf = service.getStringRole(accessible.role) === 'text leaf';
        const node = {
            role: textLeaf ? 'StaticText' : accessible.computedARIARole,
            name: accessible.name ?? '',
            description: accessible.description ?? '',
        };
        const live = attributes(accessible).live;
        if (live) node.live = live;
        const children = [];
        if (depth > 0) {
            for (let child = accessible.firstChild; child; child = child.nextSibling) {
                children.push(plain(child, depth - 1));
            }
        }
        if (children.length) node.children = children;
        return node;
    };
    const walk = function* (accessible) {
        yield accessible;
        for (let child = accessible.firstChild; child; child = child.nextSibling) yield* walk(child);
    };
    for (let waited = 0; ; waited += 50) {
        const document = service.getAccessibleFor(tab)?.firstChild;
        if (document && !busy(document)) {
            if (query.id !== undefined) {
                // The first node of the id: a list's own node comes before the node of its items.
                for (const accessible of walk(document)) {
                    if (accessible.id === query.id) return plain(accessible, 8);
                }
            } else {
                const found = [];
                for (const accessible of walk(document)) {
                    if (accessible.computedARIARole === query.role &&
                        (query.name === undefined || accessible.name === query.name)) {
                        found.push(plain(accessible, 0));
                    }
                }
                return found;
            }
        }
        if (waited >= 5_000) return null;
        await pause(50);
    }
}

// Lets the tree catch up with the page: Firefox builds it after the page's next frames and
// sends it to the parent process after that.
async function settled(session) {
    await session.page.evaluate(() => new Promise((resolve) =>
        requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(resolve, 50)))));
}

// The node of the widget with that id in the element's shadow root; null when it has none.
export async function accessibleNode(session, id) {
    if (inFirefox(session)) {
        await settled(session);
        return inFirefoxTab(session.page, firefoxQuery, { id });
    }
    const widget = await session.widget(id);
    try {
        return await session.page.accessibility.snapshot({ root: widget, interestingOnly: false });
    } finally {
        await widget.dispose();
    }
}

// The nodes of the whole page with that role, and that name when one is given.
export async function accessibleNodesWith(session, role, name) {
    if (inFirefox(session)) {
        await settled(session);
        return (await inFirefoxTab(session.page, firefoxQuery, { role, name })) ?? [];
    }
    const tree = await session.page.accessibility.snapshot({ interestingOnly: false });
    const found = [];
    const walk = (node) => {
        if (node.role === role && (name === undefined || node.name === name)) found.push(node);
        (node.children ?? []).forEach(walk);
    };
    if (tree) walk(tree);
    return found;
}

// The live setting ("polite", "assertive", "off") of the region with that role and name, from
// the full tree; null when there is no such node. Chromium's snapshot leaves it out for some
// regions, so there the DevTools protocol's full tree is read.
export async function liveSetting(session, role, name) {
    if (inFirefox(session)) {
        const [node] = await accessibleNodesWith(session, role, name);
        return node ? node.live ?? 'off' : null;
    }
    const cdp = await session.page.createCDPSession();
    try {
        const { nodes } = await cdp.send('Accessibility.getFullAXTree');
        const node = nodes.find((n) => !n.ignored && n.role?.value === role && n.name?.value === name);
        if (!node) return null;
        return node.properties?.find((p) => p.name === 'live')?.value?.value ?? 'off';
    } finally {
        await cdp.detach();
    }
}
