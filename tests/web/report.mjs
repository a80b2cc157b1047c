// One "ok", "FAIL" or "skip" line per check, grouped under headings, and a closing count. While
// a prefix is set (the browser the checks run in, say) each line and heading starts with it, and
// the checks are also counted under it.
import { isDeepStrictEqual, inspect } from 'node:util';

function shown(value) {
    return typeof value === 'string' ? JSON.stringify(value) : inspect(value, { depth: 4 });
}

export class Report {
    passed = 0;
    failed = 0;
    skipped = 0;
    prefix = '';
    #byPrefix = new Map();

    #count(outcome) {
        this[outcome]++;
        if (!this.prefix) return;
        const counts = this.#byPrefix.get(this.prefix) ?? { passed: 0, failed: 0, skipped: 0 };
        counts[outcome]++;
        this.#byPrefix.set(this.prefix, counts);
    }

    #lead() {
        return this.prefix ? `${this.prefix} ` : '';
    }

    check(name, condition, detail = '') {
        if (condition) {
            this.#count('passed');
            console.log(`ok    ${this.#lead()}${name}${detail ? ` (${detail})` : ''}`);
        } else {
            this.#count('failed');
            console.log(`FAIL  ${this.#lead()}${name}${detail ? `: ${detail}` : ''}`);
        }
        return Boolean(condition);
    }

    equal(name, actual, expected) {
        const same = isDeepStrictEqual(actual, expected);
        return this.check(name, same, same ? '' : `got ${shown(actual)}, expected ${shown(expected)}`);
    }

    skip(name, reason) {
        this.#count('skipped');
        console.log(`skip  ${this.#lead()}${name}: ${reason}`);
    }

    note(text) {
        console.log(`      ${this.#lead()}${text}`);
    }

    // Runs one group of checks; an exception inside it is one failed check, and the next group
    // still runs.
    async group(title, run) {
        console.log(`\n# ${this.#lead()}${title}`);
        try {
            await run();
        } catch (error) {
            this.check(`${title} ran to the end`, false, error?.stack ?? String(error));
        }
    }

    // Prints the closing count and gives the exit code.
    finish() {
        console.log('');
        for (const [prefix, counts] of this.#byPrefix) {
            console.log(`${prefix} ${counts.passed} passed, ${counts.failed} failed, ` +
                `${counts.skipped} skipped`);
        }
        console.log(`${this.passed} passed, ${this.failed} failed, ${this.skipped} skipped`);
        return this.failed === 0 && this.passed > 0 ? 0 : 1;
    }
}
