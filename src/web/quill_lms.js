// quill_lms.js: what the web player reports to a learning management system (SCORM 1.2) and
// what it keeps for the learner between sessions.
//
// Inside an LMS (a window up the parent or opener chain offers the SCORM 1.2 object `API`):
//   cmi.core.lesson_status   "incomplete" from the start, "completed" at the end (a status of
//                            "completed" or "passed" from an earlier session is kept)
//   cmi.core.score.raw       right first answers over questions asked, 0..100 (min 0, max 100)
//   cmi.suspend_data         the learner's files (USER.DAT, files written by file commands) and
//                            the quiz counts, compressed and in base64, so the next session
//                            resumes; SCORM 1.2 allows 4096 characters, and LMSs that enforce it
//                            cut longer values silently (some cut shorter ones too: what is
//                            stored is read back). A state that does not fit is never cut:
//                            the LMS keeps the last state that fitted, this browser keeps the
//                            newest one (and the learner is told), and the next session here
//                            takes whichever is newer.
// Without an LMS the same state lives in the browser's local storage, keyed by the tutorial's
// title and project file.
//
// Every call is safe at any time, with or without an LMS; nothing here throws to the player.
(function (global) {
    'use strict';

    const SUSPEND_LIMIT = 4096;           // characters of cmi.suspend_data in SCORM 1.2
    const FORMAT = 'Q1';                  // first characters of our suspend data
    const MAX_STATE_BYTES = 64 << 20;     // a decoded state larger than this is refused

    // ---- bytes ------------------------------------------------------------------------------

    function utf8(text) { return new TextEncoder().encode(text); }
    function fromUtf8(bytes) { return new TextDecoder('utf-8', { fatal: true }).decode(bytes); }

    class ByteWriter {
        constructor() { this.buf = new Uint8Array(256); this.len = 0; }
        room(n) {
            if (this.len + n <= this.buf.length) return;
            let size = this.buf.length * 2;
            while (size < this.len + n) size *= 2;
            const b = new Uint8Array(size);
            b.set(this.buf.subarray(0, this.len));
            this.buf = b;
        }
        byte(b) { this.room(1); this.buf[this.len++] = b; }
        bytes(a) { this.room(a.length); this.buf.set(a, this.len); this.len += a.length; }
        varint(n) {
            // Unsigned LEB128; n is a non-negative integer below 2^53.
            while (n >= 0x80) { this.byte((n % 0x80) | 0x80); n = Math.floor(n / 0x80); }
            this.byte(n);
        }
        result() { return this.buf.slice(0, this.len); }
    }

    class ByteReader {
        constructor(bytes) { this.b = bytes; this.pos = 0; }
        fail() { throw new Error('the saved data is damaged'); }
        atEnd() { return this.pos >= this.b.length; }
        byte() { if (this.pos >= this.b.length) this.fail(); return this.b[this.pos++]; }
        bytes(n) {
            if (n > this.b.length - this.pos) this.fail();
            const out = this.b.subarray(this.pos, this.pos + n);
            this.pos += n;
            return out;
        }
        varint() {
            let n = 0, scale = 1;
            for (let i = 0; i < 8; ++i) {
                const b = this.byte();
                n += (b & 0x7f) * scale;
                if (!(b & 0x80)) return n;
                scale *= 0x80;
            }
            this.fail();
        }
    }

    // ---- compression: a small LZ77 ---------------------------------------------------------
    // Tokens, each starting with a varint v: v even: a literal run of v/2 + 1 bytes follows;
    // v odd: a copy of (v >> 1) + 3 bytes from `distance` (a varint, 1 or more) bytes back,
    // which may overlap what it writes (a run of one byte is a copy from distance 1).
    // USER.DAT's empty slots and the repeats of text files shrink to a few bytes each.

    const MIN_MATCH = 3, MAX_MATCH = 1 << 16, WINDOW = 1 << 16, CHAIN = 48;

    function compress(input) {
        const out = new ByteWriter();
        out.varint(input.length);
        const n = input.length;
        const head = new Map();            // 3-byte key -> last position
        const prev = new Int32Array(n);    // position -> previous position with the same key
        let litStart = 0;
        const flushLiterals = (end) => {
            while (litStart < end) {
                const count = Math.min(end - litStart, 1 << 20);
                out.varint((count - 1) * 2);
                out.bytes(input.subarray(litStart, litStart + count));
                litStart += count;
            }
        };
        const key = (i) => input[i] | (input[i + 1] << 8) | (input[i + 2] << 16);
        const insert = (i) => {
            if (i + MIN_MATCH > n) return;
            const k = key(i);
            const p = head.get(k);
            prev[i] = p === undefined ? -1 : p;
            head.set(k, i);
        };
        let i = 0;
        while (i < n) {
            let bestLen = 0, bestDist = 0;
            if (i + MIN_MATCH <= n) {
                let p = head.get(key(i));
                const limit = Math.min(MAX_MATCH, n - i);
                for (let c = 0; p !== undefined && p >= 0 && i - p <= WINDOW && c < CHAIN; ++c) {
                    let len = 0;
                    while (len < limit && input[p + len] === input[i + len]) ++len;
                    if (len > bestLen) { bestLen = len; bestDist = i - p; if (len === limit) break; }
                    p = prev[p];
                }
            }
            if (bestLen >= MIN_MATCH) {
                flushLiterals(i);
                out.varint(((bestLen - MIN_MATCH) << 1) | 1);
                out.varint(bestDist);
                for (const end = i + bestLen; i < end; ++i) insert(i);
                litStart = i;
            } else {
                insert(i);
                ++i;
            }
        }
        flushLiterals(n);
        return out.result();
    }

    function decompress(data) {
        const r = new ByteReader(data);
        const size = r.varint();
        if (size > MAX_STATE_BYTES) r.fail();
        const out = new Uint8Array(size);
        let o = 0;
        while (o < size) {
            const v = r.varint();
            if (v % 2 === 0) {
                const count = v / 2 + 1;
                if (count > size - o) r.fail();
                out.set(r.bytes(count), o);
                o += count;
            } else {
                const len = (v - 1) / 2 + MIN_MATCH;
                const dist = r.varint();
                if (dist < 1 || dist > o || len > size - o) r.fail();
                for (let k = 0; k < len; ++k, ++o) out[o] = out[o - dist];
            }
        }
        if (!r.atEnd()) r.fail();
        return out;
    }

    // ---- base64 -----------------------------------------------------------------------------

    function toBase64(bytes) {
        let s = '';
        for (let i = 0; i < bytes.length; i += 0x8000)
            s += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        return btoa(s);
    }

    function fromBase64(text) {
        const s = atob(text);  // throws on characters outside base64
        const out = new Uint8Array(s.length);
        for (let i = 0; i < s.length; ++i) out[i] = s.charCodeAt(i);
        return out;
    }

    // ---- the learner's state as one string ----------------------------------------------------
    // FORMAT, the time it was saved (base 36, milliseconds), ':', base64 of the compressed
    // bytes: varint asked, varint right, varint file count, then per file varint name length,
    // the name (UTF-8), varint size and the bytes.

    function encodeState(state) {
        const w = new ByteWriter();
        w.varint(state.asked);
        w.varint(state.right);
        const names = Object.keys(state.files).sort();
        w.varint(names.length);
        for (const name of names) {
            const n = utf8(name), data = state.files[name];
            w.varint(n.length); w.bytes(n);
            w.varint(data.length); w.bytes(data);
        }
        return FORMAT + state.stamp.toString(36) + ':' + toBase64(compress(w.result()));
    }

    // The state held in the text, or throws an Error saying what is wrong.
    function decodeState(text) {
        if (typeof text !== 'string' || !text.startsWith(FORMAT)) throw new Error('the saved data is not in a known format');
        const colon = text.indexOf(':');
        const stampText = text.slice(FORMAT.length, colon);
        if (colon < 0 || !/^[0-9a-z]{1,11}$/.test(stampText)) throw new Error('the saved data is damaged');
        let bytes;
        try { bytes = decompress(fromBase64(text.slice(colon + 1))); } catch (e) { throw new Error('the saved data is damaged'); }
        const r = new ByteReader(bytes);
        const state = { stamp: parseInt(stampText, 36), asked: r.varint(), right: r.varint(), files: {} };
        if (state.right > state.asked) r.fail();
        const count = r.varint();
        for (let i = 0; i < count; ++i) {
            let name;
            try { name = fromUtf8(r.bytes(r.varint())); } catch (e) { r.fail(); }
            state.files[name] = r.bytes(r.varint()).slice();
        }
        if (!r.atEnd()) r.fail();
        return state;
    }

    // ---- the LMS -------------------------------------------------------------------------------

    // The SCORM 1.2 API object: in this window or one of its parents, else in the window that
    // opened it or one of that one's parents. Windows of other origins are passed over.
    function findApi(win) {
        const search = (w) => {
            for (let hops = 0; w && hops < 16; ++hops) {
                try { if (w.API && typeof w.API.LMSInitialize === 'function') return w.API; } catch (e) { /* other origin */ }
                let parent = null;
                try { parent = w.parent; } catch (e) { return null; }
                if (!parent || parent === w) break;
                w = parent;
            }
            return null;
        };
        let api = search(win);
        if (!api) { try { if (win.opener) api = search(win.opener); } catch (e) { /* other origin */ } }
        return api;
    }

    function sessionTime(ms) {
        // CMITimespan: HHHH:MM:SS.SS
        const cs = Math.max(0, Math.round(ms / 10));
        const h = Math.min(9999, Math.floor(cs / 360000)), m = Math.floor(cs / 6000) % 60;
        const s = Math.floor(cs / 100) % 60, c = cs % 100;
        const two = (v) => String(v).padStart(2, '0');
        return String(h).padStart(4, '0') + ':' + two(m) + ':' + two(s) + '.' + two(c);
    }

    function createLms(win) {
        const lms = {};
        let api = null;           // the LMS, once initialised
        let started = false, finished = false;
        let startTime = 0;
        let status = 'not attempted';
        let learner = '';
        const state = { stamp: 0, asked: 0, right: 0, files: {} };
        let lastStamp = 0;
        let lmsText = '';         // the last state the LMS holds whole

        const notify = (text) => {
            lms.notice = text;
            if (typeof lms.onNotice === 'function') { try { lms.onNotice(text); } catch (e) { /* the player's own fault */ } }
            return text;
        };

        const tutorial = () => {
            const t = win.QUILL_TUTORIAL || {};
            return String(t.title || '') + '|' + String(t.project || '');
        };
        const storageKey = () => 'quill-lms:' + tutorial() + (api ? '|lms:' + learner : '');
        const storage = () => { try { return win.localStorage || null; } catch (e) { return null; } };
        const readLocal = () => {
            const s = storage();
            if (!s) return null;
            try { const v = s.getItem(storageKey()); return v ? JSON.parse(v) : null; } catch (e) { return null; }
        };
        const writeLocal = (record) => {
            const s = storage();
            if (!s) return false;
            try { s.setItem(storageKey(), JSON.stringify(record)); return true; } catch (e) { return false; }
        };
        const removeLocal = () => { const s = storage(); if (s) { try { s.removeItem(storageKey()); } catch (e) { /* nothing kept */ } } };

        const call = (name, ...args) => {
            try { return String(api[name](...args)); } catch (e) { return 'false'; }
        };
        const lastError = () => {
            const code = call('LMSGetLastError');
            if (code === '0' || code === '' || code === 'false') return null;
            return 'error ' + code + ': ' + call('LMSGetErrorString', code);
        };
        const get = (name) => { const v = call('LMSGetValue', name); return v === 'false' && lastError() ? '' : v; };
        const set = (name, value) => {
            const ok = call('LMSSetValue', name, String(value)) === 'true';
            return ok ? null : (lastError() || 'error');
        };
        const commit = () => { if (api && !finished) call('LMSCommit', ''); };

        // A stamp later than every earlier one, also when the clock steps back.
        const nextStamp = () => { lastStamp = Math.max(Date.now(), lastStamp + 1, state.stamp + 1); return lastStamp; };

        // Stores the state; returns where it went.
        const store = () => {
            state.stamp = nextStamp();
            const text = encodeState(state);
            if (!api) {
                const ok = writeLocal({ status, asked: state.asked, right: state.right, suspend: text });
                if (!ok) return { where: 'none', notice: notify('Your progress cannot be kept: this browser does not allow the page to store it.') };
                return { where: 'browser', notice: null };
            }
            let problem = null;
            if (text.length > SUSPEND_LIMIT)
                problem = 'it needs ' + text.length + ' characters and the learning management system keeps at most ' + SUSPEND_LIMIT;
            else {
                const error = set('cmi.suspend_data', text);
                if (error) problem = 'the learning management system refused it (' + error + ')';
                // Some LMSs keep less than SCORM 1.2 allows and cut the rest without a word:
                // the cut value goes, the last whole one is put back.
                else if (get('cmi.suspend_data') !== text) {
                    problem = 'the learning management system did not keep all of it';
                    set('cmi.suspend_data', lmsText);
                }
            }
            if (!problem) {
                lmsText = text;
                removeLocal();  // the LMS holds the newest state
                return { where: 'lms', notice: null };
            }
            // Not cut, not lost: the LMS keeps its last state, this browser the newest.
            const kept = writeLocal({ suspend: text });
            const where = kept ? 'it is kept in this browser only: in another browser you resume from an earlier point'
                               : 'and this browser does not allow the page to store it: it is lost when you close the page';
            return { where: kept ? 'browser' : 'none', notice: notify('Your progress no longer fits in the learning management system (' + problem + '); ' + where + '.') };
        };

        const reportScore = () => {
            if (!api || state.asked === 0) return;
            set('cmi.core.score.min', 0);
            set('cmi.core.score.max', 100);
            set('cmi.core.score.raw', Math.round(100 * state.right / state.asked));
        };

        const adopt = (text, from) => {
            if (!text) return null;
            try { return decodeState(text); } catch (e) {
                notify('Your saved progress (' + from + ') cannot be read: ' + e.message + '. The tutorial starts afresh.');
                return null;
            }
        };

        lms.notice = null;
        lms.onNotice = null;

        lms.start = function () {
            if (started) return { learnerFiles: Object.assign({}, state.files), notice: lms.notice };
            started = true;
            startTime = Date.now();
            const found = findApi(win);
            if (found) {
                api = found;
                if (call('LMSInitialize', '') !== 'true') {
                    const error = lastError();
                    api = null;
                    notify('The learning management system did not start the session' + (error ? ' (' + error + ')' : '') +
                           ': your progress is kept in this browser only.');
                }
            }
            let saved = null;
            if (api) {
                learner = get('cmi.core.student_id');
                status = get('cmi.core.lesson_status') || 'not attempted';
                const stored = get('cmi.suspend_data');
                const fromLms = adopt(stored, 'from the learning management system');
                if (fromLms) lmsText = stored;
                const local = readLocal();
                const fromBrowser = local ? adopt(local.suspend, 'in this browser') : null;
                saved = fromLms;
                if (fromBrowser && (!saved || fromBrowser.stamp > saved.stamp)) saved = fromBrowser;
                if (status !== 'completed' && status !== 'passed') {
                    status = 'incomplete';
                    set('cmi.core.lesson_status', status);
                }
            } else {
                const local = readLocal();
                if (local) {
                    if (local.status === 'completed') status = 'completed';
                    saved = adopt(local.suspend, 'in this browser');
                }
                if (status !== 'completed') status = 'incomplete';
            }
            if (saved) Object.assign(state, saved);
            lastStamp = state.stamp;
            if (api) { reportScore(); commit(); } else store();
            if (typeof win.addEventListener === 'function') {
                const end = () => lms.finish();
                win.addEventListener('pagehide', end);
                win.addEventListener('unload', end);
            }
            return { learnerFiles: Object.assign({}, state.files), notice: lms.notice };
        };

        lms.saveLearnerFiles = function (map) {
            if (finished) return { where: 'none', notice: null };
            if (!started) lms.start();
            const files = {};
            for (const name of Object.keys(map || {})) {
                const data = map[name];
                if (data instanceof Uint8Array) files[name] = data.slice();
                else if (typeof data === 'string') files[name] = utf8(data);
            }
            state.files = files;
            const result = store();
            commit();
            return result;
        };

        lms.quizAnswer = function (firstTryRight) {
            if (finished) return;
            if (!started) lms.start();
            state.asked += 1;
            if (firstTryRight) state.right += 1;
            reportScore();
            store();
            commit();
        };

        lms.completed = function () {
            if (finished) return;
            if (!started) lms.start();
            if (status !== 'passed') status = 'completed';
            if (api) set('cmi.core.lesson_status', status);
            store();
            commit();
        };

        lms.finish = function () {
            if (finished || !started) return;
            if (api) {
                set('cmi.core.session_time', sessionTime(Date.now() - startTime));
                set('cmi.core.exit', status === 'completed' || status === 'passed' ? '' : 'suspend');
                call('LMSCommit', '');
                call('LMSFinish', '');
            }
            finished = true;
        };

        lms.state = function () {
            return { lms: !!api, status, asked: state.asked, right: state.right };
        };

        return lms;
    }

    global.QuillLms = createLms(global);
    // For the unit tests: the encoding and a fresh instance over another window.
    global.QuillLms.internals = { compress, decompress, encodeState, decodeState, findApi, createLms, SUSPEND_LIMIT };
})(globalThis);
