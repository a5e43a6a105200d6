// The LMS side of the web player (src/web/quill_lms.js) under node: a fake SCORM 1.2 API
// records every call and keeps the values as an LMS does between sessions; each session loads
// the script afresh into a window of its own, as a page load does.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const SOURCE = fs.readFileSync(path.join(__dirname, '../../src/web/quill_lms.js'), 'utf8');

// What an LMS keeps for one learner and one SCO. `limit`: suspend data longer than this is
// refused with error 405 (as strict LMSs do); `cut`: cut silently instead (as others do).
class FakeLms {
    constructor(options = {}) {
        this.values = { 'cmi.core.student_id': 'learner-7', 'cmi.core.lesson_status': 'not attempted', 'cmi.suspend_data': '' };
        this.calls = [];
        this.options = options;
        this.error = '0';
    }
    api() {
        const lms = this;
        let open = false;
        const record = (name, args, result) => { lms.calls.push([name, ...args]); return result; };
        return {
            LMSInitialize(arg) {
                if (lms.options.refuse) { lms.error = '101'; return record('LMSInitialize', [arg], 'false'); }
                open = true; lms.error = '0'; return record('LMSInitialize', [arg], 'true');
            },
            LMSGetValue(name) { lms.error = '0'; return record('LMSGetValue', [name], open ? (lms.values[name] ?? '') : ''); },
            LMSSetValue(name, value) {
                assert.equal(typeof value, 'string', 'SCORM values are strings');
                assert.ok(open, 'LMSSetValue after LMSInitialize and before LMSFinish');
                if (name === 'cmi.suspend_data' && value.length > (lms.options.keeps || 4096)) {
                    if (lms.options.cut) value = value.slice(0, lms.options.keeps || 4096);
                    else { lms.error = '405'; return record('LMSSetValue', [name, value], 'false'); }
                }
                lms.error = '0';
                lms.values[name] = value;
                return record('LMSSetValue', [name, value], 'true');
            },
            LMSCommit(arg) { return record('LMSCommit', [arg], open ? 'true' : 'false'); },
            LMSFinish(arg) { const was = open; open = false; return record('LMSFinish', [arg], was ? 'true' : 'false'); },
            LMSGetLastError() { return lms.error; },
            LMSGetErrorString(code) { return code === '405' ? 'Incorrect Data Type' : 'General Exception'; },
            LMSGetDiagnostic() { return ''; },
        };
    }
    sets(name) { return this.calls.filter((c) => c[0] === 'LMSSetValue' && c[1] === name).map((c) => c[2]); }
    count(name) { return this.calls.filter((c) => c[0] === name).length; }
}

class FakeStorage {
    constructor() { this.map = new Map(); }
    getItem(k) { return this.map.has(k) ? this.map.get(k) : null; }
    setItem(k, v) { this.map.set(k, String(v)); }
    removeItem(k) { this.map.delete(k); }
}

// A page: the script loaded into a window whose parent (the LMS's frame set) holds the API.
function page({ api = null, storage = new FakeStorage(), where = 'parent' } = {}) {
    const listeners = {};
    const win = {
        QUILL_TUTORIAL: { title: 'Reading a Map', project: 'MAPS.QKJ' },
        localStorage: storage,
        addEventListener(type, f) { (listeners[type] ||= []).push(f); },
        TextEncoder, TextDecoder, atob, btoa, Uint8Array, Int32Array, Map, Date, Math, JSON, String, Object, Error,
    };
    if (api) {
        const lmsFrame = { API: api };
        lmsFrame.parent = lmsFrame;
        if (where === 'parent') { const middle = { parent: lmsFrame }; win.parent = middle; }
        else if (where === 'opener') { win.parent = win; win.opener = { parent: lmsFrame }; }
        else win.API = api;
    }
    win.globalThis = win;
    vm.createContext(win);
    vm.runInContext(SOURCE, win);
    win.fire = (type) => (listeners[type] || []).forEach((f) => f());
    return win;
}

// USER.DAT with some slots filled: 52 slots of a length byte and 60 characters.
function userDat(filled) {
    const bytes = new Uint8Array(3172);
    for (const [slot, text] of Object.entries(filled)) {
        const at = (Number(slot) - 1) * 61;
        bytes[at] = text.length;
        for (let i = 0; i < text.length; ++i) bytes[at + 1 + i] = text.charCodeAt(i);
    }
    return bytes;
}

// A value made in the page's realm, as a plain object of this one.
const plain = (o) => JSON.parse(JSON.stringify(o));

function randomBytes(n, seed) {
    const out = new Uint8Array(n);
    let x = seed >>> 0 || 1;
    for (let i = 0; i < n; ++i) { x ^= x << 13; x >>>= 0; x ^= x >>> 17; x ^= x << 5; x >>>= 0; out[i] = x & 255; }
    return out;
}

test('a first session reports its start, score, learner files, completion and end', () => {
    const lms = new FakeLms();
    const win = page({ api: lms.api() });
    const started = win.QuillLms.start();
    assert.deepEqual(Object.keys(started.learnerFiles), []);
    assert.equal(lms.calls[0][0], 'LMSInitialize');
    assert.deepEqual(lms.sets('cmi.core.lesson_status'), ['incomplete']);

    const dat = userDat({ 1: 'Ann', 27: 'north by north-west' });
    const saved = win.QuillLms.saveLearnerFiles({ 'USER.DAT': dat, 'NOTES.TXT': 'first line\r\n' });
    assert.equal(saved.where, 'lms');
    assert.ok(lms.values['cmi.suspend_data'].length < 200, 'a mostly empty USER.DAT takes little room');
    assert.ok(lms.count('LMSCommit') >= 1);

    for (const right of [true, false, true]) win.QuillLms.quizAnswer(right);
    assert.deepEqual(lms.sets('cmi.core.score.raw'), ['100', '50', '67']);
    assert.equal(lms.values['cmi.core.score.min'], '0');
    assert.equal(lms.values['cmi.core.score.max'], '100');

    win.QuillLms.completed();
    assert.equal(lms.values['cmi.core.lesson_status'], 'completed');
    win.fire('pagehide');
    win.fire('unload');
    win.QuillLms.quizAnswer(true);  // after the end: nothing more reaches the LMS
    assert.equal(lms.count('LMSFinish'), 1);
    assert.deepEqual(lms.calls.at(-2)[0], 'LMSCommit');
    assert.deepEqual(lms.calls.at(-1)[0], 'LMSFinish');
    assert.equal(lms.values['cmi.core.exit'], '');
    assert.match(lms.values['cmi.core.session_time'], /^\d{4}:\d\d:\d\d\.\d\d$/);
});

test('a second session resumes the learner files and the quiz counts, and keeps "completed"', () => {
    const lms = new FakeLms();
    const first = page({ api: lms.api() });
    first.QuillLms.start();
    const dat = userDat({ 5: 'Eve' });
    first.QuillLms.saveLearnerFiles({ 'USER.DAT': dat, 'sub/ÄNDERUNG.TXT': new Uint8Array([0, 255, 13, 10]) });
    first.QuillLms.quizAnswer(true);
    first.QuillLms.finish();
    assert.equal(lms.values['cmi.core.exit'], 'suspend', 'an unfinished tutorial asks the LMS to keep the session');

    lms.calls = [];
    const second = page({ api: lms.api() });
    const { learnerFiles } = second.QuillLms.start();
    assert.deepEqual([...learnerFiles['USER.DAT']], [...dat]);
    assert.deepEqual([...learnerFiles['sub/ÄNDERUNG.TXT']], [0, 255, 13, 10]);
    second.QuillLms.quizAnswer(false);
    assert.equal(lms.values['cmi.core.score.raw'], '50', 'one right of two asked over both sessions');
    second.QuillLms.completed();
    second.QuillLms.finish();

    const third = page({ api: lms.api() });
    third.QuillLms.start();
    assert.equal(lms.values['cmi.core.lesson_status'], 'completed');
    assert.deepEqual(plain(third.QuillLms.state()), { lms: true, status: 'completed', asked: 2, right: 1 });
});

test('a full USER.DAT fits in the 4096 characters of SCORM 1.2', () => {
    const lms = new FakeLms();
    const win = page({ api: lms.api() });
    win.QuillLms.start();
    const slots = {};
    for (let s = 1; s <= 52; ++s) slots[s] = ('Answer ' + s + ' of the learner: ' + 'abcdefghijklmnopqrstuvwxyz'.slice(s % 26)).padEnd(60, '.').slice(0, 60);
    assert.equal(win.QuillLms.saveLearnerFiles({ 'USER.DAT': userDat(slots) }).where, 'lms');
    assert.ok(lms.values['cmi.suspend_data'].length <= 4096);
});

// A state too large: over 4096 characters, or (for an LMS that keeps only 1000) about 2000.
for (const mode of [{ name: 'refuses them', cut: false, big: 4000 }, { name: 'would cut them', cut: true, big: 4000 },
                    { name: 'cuts them short of 4096 characters', cut: true, keeps: 1000, big: 1500 }]) {
    test(`learner files too large for an LMS that ${mode.name} stay whole in this browser`, () => {
        const lms = new FakeLms(mode);
        const storage = new FakeStorage();
        const first = page({ api: lms.api(), storage });
        first.QuillLms.start();
        const small = { 'USER.DAT': userDat({ 1: 'early' }) };
        assert.equal(first.QuillLms.saveLearnerFiles(small).where, 'lms');
        const fitted = lms.values['cmi.suspend_data'];
        const big = { 'USER.DAT': userDat({ 1: 'late' }), 'LOG.BIN': randomBytes(mode.big, 9) };
        let shown = null;
        first.QuillLms.onNotice = (text) => { shown = text; };
        const result = first.QuillLms.saveLearnerFiles(big);
        assert.equal(result.where, 'browser');
        assert.match(shown, /no longer fits in the learning management system .*kept in this browser only/);
        assert.equal(result.notice, shown);
        assert.equal(lms.values['cmi.suspend_data'], fitted, 'the LMS keeps the last state that fitted, never a cut one');
        first.QuillLms.finish();

        // The same browser resumes the newest state, another one the last that fitted.
        const here = page({ api: lms.api(), storage }).QuillLms.start().learnerFiles;
        assert.deepEqual([...here['LOG.BIN']], [...big['LOG.BIN']]);
        const elsewhere = page({ api: lms.api() }).QuillLms.start().learnerFiles;
        assert.deepEqual(Object.keys(elsewhere), ['USER.DAT']);
        assert.deepEqual([...elsewhere['USER.DAT']], [...small['USER.DAT']]);
    });
}

test('once the state fits again, the LMS holds it and the browser copy is dropped', () => {
    const lms = new FakeLms();
    const storage = new FakeStorage();
    const win = page({ api: lms.api(), storage });
    win.QuillLms.start();
    win.QuillLms.saveLearnerFiles({ 'BIG': randomBytes(5000, 3) });
    assert.equal(storage.map.size, 1);
    assert.equal(win.QuillLms.saveLearnerFiles({ 'SMALL': new Uint8Array([1, 2, 3]) }).where, 'lms');
    assert.equal(storage.map.size, 0);
    const next = page({ api: lms.api(), storage }).QuillLms.start().learnerFiles;
    assert.deepEqual(Object.keys(next), ['SMALL']);
});

test('without an LMS the state lives in local storage, per tutorial', () => {
    const storage = new FakeStorage();
    const first = page({ storage });
    assert.deepEqual(Object.keys(first.QuillLms.start().learnerFiles), []);
    first.QuillLms.saveLearnerFiles({ 'USER.DAT': userDat({ 2: 'Bob' }) });
    first.QuillLms.quizAnswer(false);
    first.QuillLms.completed();
    first.fire('pagehide');
    const second = page({ storage });
    const files = second.QuillLms.start().learnerFiles;
    assert.equal(files['USER.DAT'][62], 'B'.charCodeAt(0));
    assert.deepEqual(plain(second.QuillLms.state()), { lms: false, status: 'completed', asked: 1, right: 0 });

    const other = page({ storage });
    other.QUILL_TUTORIAL = { title: 'Another', project: 'OTHER.QKJ' };
    assert.deepEqual(Object.keys(other.QuillLms.start().learnerFiles), []);

    const noStorage = page({ storage: null });
    noStorage.QuillLms.start();
    const r = noStorage.QuillLms.saveLearnerFiles({ 'USER.DAT': userDat({}) });
    assert.equal(r.where, 'none');
    assert.match(r.notice, /cannot be kept/);
});

test('the API is found in a parent, in the opener, in the window itself; an LMS that refuses falls back to the browser', () => {
    for (const where of ['parent', 'opener', 'self']) {
        const lms = new FakeLms();
        page({ api: lms.api(), where }).QuillLms.start();
        assert.equal(lms.count('LMSInitialize'), 1, where);
    }
    // A parent of another origin throws on access: passed over, no LMS.
    const win = page();
    Object.defineProperty(win, 'parent', { get() { throw new Error('SecurityError'); } });
    assert.equal(win.QuillLms.internals.findApi(win), null);

    const lms = new FakeLms({ refuse: true });
    const refused = page({ api: lms.api() });
    const started = refused.QuillLms.start();
    assert.match(started.notice, /did not start the session \(error 101: General Exception\)/);
    assert.equal(refused.QuillLms.saveLearnerFiles({ A: new Uint8Array([1]) }).where, 'browser');
    assert.equal(lms.count('LMSSetValue'), 0);
});

test('damaged suspend data starts afresh with a notice, and is replaced by the next save', () => {
    for (const bad of ['garbage', 'Q1zz:!!!', 'Q1k:AAAA', 'Q1k:' + btoa('\x05\x00'), 'Q1' + 'k'.repeat(40) + ':AA']) {
        const lms = new FakeLms();
        lms.values['cmi.suspend_data'] = bad;
        const win = page({ api: lms.api() });
        const started = win.QuillLms.start();
        assert.deepEqual(Object.keys(started.learnerFiles), [], bad);
        assert.match(started.notice, /cannot be read/, bad);
        win.QuillLms.saveLearnerFiles({ X: new Uint8Array([7]) });
        assert.notEqual(lms.values['cmi.suspend_data'], bad);
    }
});

test('the compression gives back every input, and damaged input is refused, never misread', () => {
    const { compress, decompress } = page().QuillLms.internals;
    const text = new TextEncoder().encode('The quick brown fox\r\n'.repeat(300));
    const cases = [new Uint8Array(0), new Uint8Array([42]), new Uint8Array(3172), text, randomBytes(10000, 5),
                   new Uint8Array([1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2]), new Uint8Array(70000).fill(9)];
    for (const input of cases) assert.deepEqual([...decompress(compress(input))], [...input]);
    assert.ok(compress(new Uint8Array(3172)).length < 10);
    assert.ok(compress(text).length < 100);
    // Streams that reach outside what they made, or claim more than they hold.
    for (const bad of [[3, 1, 1], [4, 0, 65, 1, 2], [4, 0, 65, 1, 0], [3, 2, 65, 66], [3, 0, 65], [1, 0, 65, 0, 66], [0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 1]])
        assert.throws(() => decompress(new Uint8Array(bad)), Error, String(bad));
    // Every cut and every single changed byte of a compressed text either fails with an Error
    // or gives back bytes of the stated size.
    const packed = compress(text.subarray(0, 500));
    for (let i = 0; i < packed.length; ++i) {
        for (const damaged of [packed.subarray(0, i), Uint8Array.from(packed, (b, k) => (k === i ? b ^ 0x5a : b))]) {
            try { decompress(damaged); } catch (e) { assert.ok(e instanceof Error); }
        }
    }
});
