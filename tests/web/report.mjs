// One "ok", "FAIL" or "skip" line per check, grouped under headings, and a closing count.
import { isDeepStrictEqual, inspect } from 'node:util';

function shown(value) {
    return typeof value === 'string' ? JSON.stringify(value) : inspect(value, { depth: 4 });
}

export class Report {
    passed = 0;
    failed = 0;
    skipped = 0;

    check(name, condition, detail = '') {
        if (condition) {
            this.passed++;
            console.log(`ok    ${name}${detail ? ` (${detail})` : ''}`);
        } else {
            this.failed++;
            console.log(`FAIL  ${name}${detail ? `: ${detail}` : ''}`);
        }
        return Boolean(condition);
    }

    equal(name, actual, expected) {
        const same = isDeepStrictEqual(actual, expected);
        return this.check(name, same, same ? '' : `got ${shown(actual)}, expected ${shown(expected)}`);
    }

    skip(name, reason) {
        this.skipped++;
        console.log(`skip  ${name}: ${reason}`);
    }

    note(text) {
        console.log(`      ${text}`);
    }

    // Runs one group of checks; an exception inside it is one failed check, and the next group
    // still runs.
    async group(title, run) {
        console.log(`\n# ${title}`);
        try {
            await run();
        } catch (error) {
            this.check(`${title} ran to the end`, false, error?.stack ?? String(error));
        }
    }

    // Prints the closing count and gives the exit code.
    finish() {
        console.log(`\n${this.passed} passed, ${this.failed} failed, ${this.skipped} skipped`);
        return this.failed === 0 && this.passed > 0 ? 0 : 1;
    }
}
