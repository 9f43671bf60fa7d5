// Reads a FHIR bundle the program wrote, validates it against the official
// FHIR R4 JSON schema, and checks it against the recording it came from,
// computed here on its own: codes, units, counts, values, marks, means.
// Usage: node check_bundle.js <bundle.json> <recording.json>
// recording.json: {readings: [{id, moment: "yyyy-MM-ddTHH:mm:ss" or null,
// sys, dia, map, pulse}], setAside: {id: reasonCode}, patient: {...},
// conclusion, pdfBase64, day: [startMinute, endMinute], night: [...]}
// Prints nothing and ends with 0 when all holds; names each fault otherwise.
'use strict';
const fs = require('fs');
const path = require('path');
const Validator = require(path.join(__dirname, 'schema', 'node_modules',
    '@asymmetrik', 'fhir-json-schema-validator'));

const bundle = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const rec = JSON.parse(fs.readFileSync(process.argv[3], 'utf8'));
const faults = [];
const expect = (ok, what) => { if (!ok) faults.push(what); };

const errors = new Validator().validate(bundle);
expect(errors.length === 0, 'schema: ' + JSON.stringify(errors).slice(0, 2000));
expect(bundle.resourceType === 'Bundle' && bundle.type === 'collection', 'not a collection bundle');

const resources = bundle.entry.map(e => e.resource);
const urls = new Set(bundle.entry.map(e => e.fullUrl));
expect(urls.size === bundle.entry.length, 'fullUrls not unique');
for (const e of bundle.entry)
    expect(e.fullUrl === 'urn:uuid:' + e.resource.id, 'fullUrl does not name the id: ' + e.fullUrl);
const byType = t => resources.filter(r => r.resourceType === t);
const code = r => r.code.coding.map(c => c.system + '|' + c.code);
const has = (r, system, c) => code(r).includes(system + '|' + c);
const LOINC = 'http://loinc.org';
const UCUM = 'http://unitsofmeasure.org';

// Patient.
const patients = byType('Patient');
expect(patients.length === 1, 'patients: ' + patients.length);
const p = patients[0], want = rec.patient;
if (want.number) expect(p.identifier && p.identifier[0].value === want.number, 'patient number');
else expect(!p.identifier, 'an identifier without a number');
if (want.surname) expect(p.name[0].family === want.surname, 'family name');
if (want.firstName) expect(p.name[0].given[0] === want.firstName, 'given name');
if (!want.surname && !want.firstName) expect(!p.name, 'a name without one');
expect((p.birthDate || null) === (want.birthDate || null), 'birthDate ' + p.birthDate);
expect(p.gender === want.gender, 'gender ' + p.gender);
expect(byType('Device').length === 1, 'one device');
const subjectOk = r => r.subject.reference === bundle.entry[0].fullUrl;

// One panel and one heart rate per reading with a moment.
const timed = rec.readings.filter(r => r.moment);
const panels = byType('Observation').filter(o => has(o, LOINC, '85354-9'));
const rates = byType('Observation').filter(o => has(o, LOINC, '8867-4'));
expect(panels.length === timed.length, `panels ${panels.length} for ${timed.length} readings`);
expect(rates.length === timed.length, `heart rates ${rates.length} for ${timed.length} readings`);
const clock = o => o.effectiveDateTime.slice(0, 19);
const valueOf = (o, c) => {
    const comp = o.component.find(k => k.code.coding.some(x => x.system === LOINC && x.code === c));
    if (!comp) return undefined;
    if (!comp.valueQuantity) return null;
    expect(comp.valueQuantity.system === UCUM && comp.valueQuantity.code === 'mm[Hg]'
        && comp.valueQuantity.unit === 'mm[Hg]', 'unit of ' + c);
    return comp.valueQuantity.value;
};
const tags = o => ((o.meta && o.meta.tag) || []).map(t => t.code);
// The artefact rules, written out: empty value, SYS 70-250, DIA 40-150, DIA below SYS, pulse pressure 20.
const artefact = r => [r.sys, r.dia, r.map, r.pulse].some(v => v === null) || !r.moment
    || r.sys < 70 || r.sys > 250 || r.dia < 40 || r.dia > 150 || r.dia >= r.sys || r.sys - r.dia < 20;
timed.forEach((r, i) => {
    const o = panels[i], h = rates[i];
    expect(o.status === 'final' && subjectOk(o), 'panel status/subject ' + r.id);
    expect(o.category[0].coding[0].code === 'vital-signs', 'category ' + r.id);
    expect(clock(o) === r.moment && clock(h) === r.moment, 'moment of ' + r.id);
    expect(/[+-]\d\d:\d\d$/.test(o.effectiveDateTime), 'offset of ' + r.id);
    expect(valueOf(o, '8480-6') === r.sys, `SYS of ${r.id}: ${valueOf(o, '8480-6')} for ${r.sys}`);
    expect(valueOf(o, '8462-4') === r.dia, `DIA of ${r.id}`);
    if (r.map !== null) expect(valueOf(o, '8478-0') === r.map, `MAP of ${r.id}`);
    if (r.pulse === null) expect(!!h.dataAbsentReason, 'absent pulse ' + r.id);
    else expect(h.valueQuantity.value === r.pulse && h.valueQuantity.code === '/min'
        && h.valueQuantity.system === UCUM, 'pulse of ' + r.id);
    const reason = rec.setAside[String(r.id)];
    if (reason) {
        expect(tags(o).includes('set-aside') && tags(o).includes(reason) && tags(h).includes('set-aside'),
            'set-aside mark of ' + r.id);
        expect(o.note && o.note[0].text.length > 0, 'reason text of ' + r.id);
    } else if (artefact(r)) {
        expect(tags(o).includes('artefact'), 'artefact mark of ' + r.id);
    } else {
        expect(tags(o).length === 0 && !o.note, 'a mark on counted reading ' + r.id);
    }
});

// Means over the counted readings by the periods given.
const minuteOf = m => Number(m.slice(11, 13)) * 60 + Number(m.slice(14, 16));
const inside = (minute, [s, e]) => s < e ? minute >= s && minute < e : minute >= s || minute < e;
const counted = timed.filter(r => !rec.setAside[String(r.id)] && !artefact(r));
const mean = (rs, k) => Math.round(rs.reduce((a, r) => a + r[k], 0) / rs.length * 10) / 10;
// The 24-hour mean is time-weighted: each reading for half the elapsed time
// to each neighbour, a gap counting at most 2 hours.
const weighted = (rs, k) => {
    const ts = rs.map(r => Date.parse(r.moment) / 1000).sort((a, b) => a - b);
    const sorted = [...rs].sort((a, b) => Date.parse(a.moment) - Date.parse(b.moment));
    const gap = i => Math.min(ts[i + 1] - ts[i], 7200);
    let sum = 0, total = 0;
    sorted.forEach((r, i) => {
        const w = (i > 0 ? gap(i - 1) : 0) + (i + 1 < sorted.length ? gap(i) : 0);
        sum += w * r[k];
        total += w;
    });
    return total ? Math.round(sum / total * 10) / 10 : mean(rs, k);
};
const periods = [
    ['97844-5', LOINC, () => true, '8490-5', '8472-3', weighted],
    ['awake-mean', 'urn:korvane:fhir:abpm', r => inside(minuteOf(r.moment), rec.day), '96608-5', '96609-3', mean],
    ['asleep-mean', 'urn:korvane:fhir:abpm', r => inside(minuteOf(r.moment), rec.night), '96608-5', '96609-3', mean],
];
const results = [];
for (const [c, system, keep, sysCode, diaCode, meanOf] of periods) {
    const rs = counted.filter(keep);
    const found = byType('Observation').filter(o => has(o, system, c));
    expect(found.length === (rs.length ? 1 : 0), `mean observations ${c}: ${found.length}`);
    if (!found.length) continue;
    results.push(bundle.entry.find(e => e.resource === found[0]).fullUrl);
    expect(Math.abs(valueOf(found[0], sysCode) - meanOf(rs, 'sys')) < 1e-9, `${c} SYS ${valueOf(found[0], sysCode)} for ${meanOf(rs, 'sys')}`);
    expect(Math.abs(valueOf(found[0], diaCode) - meanOf(rs, 'dia')) < 1e-9, `${c} DIA ${valueOf(found[0], diaCode)} for ${meanOf(rs, 'dia')}`);
}

// The report.
const reports = byType('DiagnosticReport');
expect(reports.length === 1, 'reports: ' + reports.length);
const d = reports[0];
expect(subjectOk(d) && d.status === (rec.conclusionDate ? 'final' : 'preliminary'), 'report subject/status');
expect((d.conclusion || '') === rec.conclusion, 'conclusion');
expect(JSON.stringify((d.result || []).map(x => x.reference)) === JSON.stringify(results), 'report results');
if (rec.pdfBase64) expect(d.presentedForm[0].contentType === 'application/pdf'
    && d.presentedForm[0].data === rec.pdfBase64, 'presentedForm');
else expect(!d.presentedForm, 'a presentedForm without a PDF');
expect(resources.length === 2 + 2 * timed.length + results.length + 1, 'resources: ' + resources.length);

if (faults.length) {
    console.log(faults.join('\n'));
    process.exit(1);
}
