// quill_player.js: the web player's host. The engine (quill_engine.js, the project's own
// interpreter built for WebAssembly) runs the tutorial and calls Module.quillHost.wait(kind,
// data) for everything it waits for or reaches outside through; this script shows the screen
// (the 640 x 480 raster on a canvas, scaled crisply by whole multiples; the screen objects as
// page elements over it, as the preview window makes widgets of them), takes the learner's
// answer and gives it back. What a browser cannot do (start a program, print, the notes editor)
// is said in a message instead.
//
// Test hook: QuillTest.run(answerLines) plays the tutorial (or ?chapter=NAME) with answer lines
// as `quillc play --answers` reads them and resolves to one entry per wait: { wait, screen (the
// raster as a PNG data URL), top (title offset), covered (window rectangles of what is drawn over
// the raster), messages }. index.html?test=1&answers=<lines> runs them at once and writes the
// results as JSON into <pre id="quill-test-result">, then sets the title "quill-test-done".
(function (global) {
    'use strict';

    const W = 640, H = 480, TITLE_HEIGHT = 34, BAR_HEIGHT = 32;
    const BAR_LEFT = [524, 272, 20, 398, 146];  // Continue, Help, Quit, Page back, Utilities
    const BAR_LETTERS = ['C', 'H', 'Q', 'P', 'U'];
    const TUTORIAL = global.QUILL_TUTORIAL;
    const params = new URLSearchParams(global.location ? global.location.search : '');

    // ---- the page --------------------------------------------------------------------------

    const $ = (id) => document.getElementById(id);
    let stage, canvas, ctx, layer, dialog;

    // The page's turn without a timer: a timer of 0 ms waits at least 4 ms once timers nest,
    // a message on a channel runs as soon as the page has handled what is pending.
    const turnChannel = typeof MessageChannel === 'function' ? new MessageChannel() : null;
    const turnQueue = [];
    if (turnChannel) turnChannel.port1.onmessage = () => { const f = turnQueue.shift(); if (f) f(); };
    function yieldToPage(f) {
        if (!turnChannel) { setTimeout(f, 0); return; }
        turnQueue.push(f);
        turnChannel.port2.postMessage(0);
    }

    function el(tag, cls, parent) {
        const e = document.createElement(tag);
        if (cls) e.className = cls;
        if (parent) parent.appendChild(e);
        return e;
    }
    function place(e, r) {
        e.style.left = r[0] + 'px';
        e.style.top = r[1] + 'px';
        e.style.width = r[2] + 'px';
        e.style.height = r[3] + 'px';
        return e;
    }
    // A caption without its '&' hot-key marks ("&&" is one '&').
    function caption(text) { return String(text).replace(/&(.)/g, '$1'); }
    // A button's caption, and its hot key (the letter after '&') as the browser's access key.
    function label(button, text) {
        button.textContent = caption(text);
        const m = /&([^&])/.exec(String(text));
        if (m) button.accessKey = m[1].toLowerCase();
        return button;
    }
    function fontCss(f) {
        return (f.italic ? 'italic ' : '') + (f.bold ? 'bold ' : '') + f.size + 'px "' + f.family + '", sans-serif';
    }

    function fit() {
        // Whole multiples keep every pixel of the raster square and sharp.
        const k = Math.max(1, Math.floor(Math.min(global.innerWidth / W, global.innerHeight / H)));
        stage.style.transform = 'scale(' + k + ')';
        $('quill-window').style.width = W * k + 'px';
        $('quill-window').style.height = H * k + 'px';
    }

    function bytesOf(base64) {
        const s = atob(base64);
        const out = new Uint8Array(s.length);
        for (let i = 0; i < s.length; ++i) out[i] = s.charCodeAt(i);
        return out;
    }

    // ---- the engine's pictures ---------------------------------------------------------------

    let Module = null;

    // Pixels 0xAARRGGBB in the engine's memory (little-endian: B, G, R, A) as image data.
    function imageData(pointer, width, height) {
        const from = Module.HEAPU8.subarray(pointer, pointer + width * height * 4);
        const data = new ImageData(width, height);
        const to = data.data;
        for (let i = 0; i < from.length; i += 4) {
            to[i] = from[i + 2];
            to[i + 1] = from[i + 1];
            to[i + 2] = from[i];
            to[i + 3] = from[i + 3];
        }
        return data;
    }
    function pictureCanvas(image, rect) {
        const c = el('canvas', 'quill-picture');
        c.width = image.width;
        c.height = image.height;
        c.getContext('2d').putImageData(imageData(image.pixels, image.width, image.height), 0, 0);
        if (rect) place(c, rect);
        return c;
    }
    // A raw picture file of the export ("QPIC", width, height, RGBA rows) as a canvas.
    function rawPictureCanvas(bytes) {
        if (bytes.length < 12 || String.fromCharCode(...bytes.subarray(0, 4)) !== 'QPIC') return null;
        const dv = new DataView(bytes.buffer, bytes.byteOffset);
        const w = dv.getUint32(4, true), h = dv.getUint32(8, true);
        if (bytes.length !== 12 + w * h * 4) return null;
        const c = el('canvas', 'quill-picture');
        c.width = w;
        c.height = h;
        c.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(bytes.subarray(12)), w, h), 0, 0);
        return c;
    }
    function tutorialFile(name) {
        const want = String(name).replace(/\\/g, '/').toUpperCase();
        for (const key of Object.keys(TUTORIAL.files))
            if (key.toUpperCase() === want) return bytesOf(TUTORIAL.files[key]);
        return null;
    }

    // ---- drawing the screen --------------------------------------------------------------------

    // Everything drawn over the raster, as window rectangles (for the test hook's comparison).
    function coveredRects(s) {
        const out = [];
        const add = (r) => out.push(r.slice());
        if (s.title.visible) add([0, 0, W, TITLE_HEIGHT]);
        if (s.bar.visible) add([0, H - BAR_HEIGHT, W, BAR_HEIGHT]);
        s.hyper.forEach((o) => add(o.rect));
        s.labels.forEach((o) => add(o.rect));
        s.pictures.forEach((o) => add(o.rect));
        if (s.screenImage.visible) add([0, s.top, s.screenImage.image.width, s.screenImage.image.height]);
        s.panels.forEach((o) => add(o.rect));
        s.menu.forEach((o) => add(o.rect));
        if (s.rich.visible) add(s.rich.rect);
        for (const k of ['input', 'choice', 'list', 'memo', 'display']) if (s[k].visible) add(s[k].rect);
        s.quiz.forEach((o) => add(o.rect));
        return out;
    }

    function drawRaster(s) {
        canvas.style.top = s.top + 'px';
        ctx.putImageData(imageData(s.raster, W, H), 0, 0);
    }

    // The pending wait's answer function, set while the engine waits.
    let answer = null;
    function give(value) {
        const a = answer;
        answer = null;
        if (a) a(value);
    }

    function render(s, kind) {
        drawRaster(s);
        layer.textContent = '';
        if (s.screenImage.visible) {
            const c = pictureCanvas(s.screenImage.image);
            c.style.left = '0px';
            c.style.top = s.top + 'px';
            c.onclick = () => kind === 'key' && give('click');
            layer.appendChild(c);
        }
        for (const p of s.pictures) {
            const c = pictureCanvas(p.image, p.rect);
            c.title = p.file;
            c.onclick = () => kind === 'key' && give('click');
            layer.appendChild(c);
        }
        if (s.rich.visible) {
            const d = place(el('div', 'quill-rich', layer), s.rich.rect);
            d.style.background = s.rich.back;
            const html = TUTORIAL.richText && TUTORIAL.richText[s.rich.key];
            if (html) d.innerHTML = html;
            else d.textContent = s.rich.lines.join('\n');
        }
        for (const l of s.labels) {
            const d = place(el('div', 'quill-label', layer), l.rect);
            d.textContent = l.text;
            d.style.color = l.colour;
            d.style.background = l.back;
        }
        for (const l of s.hyper) {
            const a = place(el('button', 'quill-hyper', layer), l.rect);
            a.textContent = l.text;
            a.style.color = l.colour;
            a.style.background = l.back;
            a.title = 'Show "' + l.text + '"';
            a.onclick = () => answer && give('hyper:' + l.text);
        }
        for (const b of s.panels) {
            const d = place(el('div', 'quill-panel', layer), b.rect);
            d.textContent = b.caption;
            d.style.font = fontCss(b.font);
            d.style.textDecoration = (b.font.underline ? 'underline ' : '') + (b.font.strikeOut ? 'line-through' : '');
            d.style.color = b.colour;
            d.style.background = b.back;
            d.style.justifyContent = b.align === 2 ? 'center' : b.align === 1 ? 'flex-end' : 'flex-start';
        }
        for (const m of s.menu) {
            const b = label(place(el('button', 'quill-button', layer), m.rect), m.caption);
            b.disabled = kind !== 'menu';
            b.onclick = () => give(String(m.number));
        }
        if (s.input.visible) {
            const i = place(el('input', 'quill-input', layer), s.input.rect);
            i.id = 'UserInputEdit';
            i.maxLength = s.input.max;
            i.disabled = kind !== 'input';
            i.onkeydown = (e) => {
                if (e.key === 'Enter') { e.preventDefault(); give('text:' + i.value); }
            };
        }
        if (s.choice.visible) {
            place(el('div', 'quill-face', layer), s.choice.rect);
            for (const [side, r, text] of [['left', s.choice.leftButton, s.choice.left], ['right', s.choice.rightButton, s.choice.right]]) {
                const b = label(place(el('button', 'quill-button', layer), r), text);
                b.disabled = !s.choice.enabled || kind !== 'choice';
                b.onclick = () => give(side);
            }
        }
        if (s.list.visible) {
            const sel = place(el('select', 'quill-list', layer), s.list.rect);
            sel.size = Math.max(2, s.list.items.length);
            s.list.items.forEach((t, n) => {
                const o = el('option', null, sel);
                o.textContent = t;
                o.value = String(n);
            });
            sel.selectedIndex = s.list.selected;
            sel.disabled = kind !== 'list';
            sel.ondblclick = () => give(sel.value);
            sel.onkeydown = (e) => { if (e.key === 'Enter') { e.preventDefault(); give(sel.value); } };
        }
        for (const which of ['display', 'memo']) {
            const m = s[which];
            if (!m.visible) continue;
            const box = place(el('div', 'quill-face', layer), m.rect);
            const t = el('textarea', 'quill-memo', box);
            t.value = m.lines.join('\n');
            t.readOnly = m.readOnly || kind !== 'memo';
            if (!m.readOnly) {
                t.style.height = (m.rect[3] - 36) + 'px';
                const ok = el('button', 'quill-button quill-memo-ok', box);
                ok.textContent = 'OK';
                ok.disabled = kind !== 'memo';
                ok.onclick = () => give(t.value.replace(/\r/g, '').replace(/\n$/, ''));
            }
        }
        for (const q of s.quiz) {
            const b = place(el('button', 'quill-quiz', layer), q.rect);
            b.style.background = q.back;
            const letter = el('span', 'quill-quiz-letter', b);
            letter.textContent = q.letter;
            el('span', null, b).textContent = q.text;
            b.disabled = kind !== 'quiz';
            b.onclick = () => give(String(q.number));
        }
        if (s.title.visible) {
            const d = place(el('div', 'quill-title', layer), [0, 0, W, TITLE_HEIGHT]);
            d.textContent = s.title.text;
            d.style.font = fontCss(s.title.font);
            d.style.color = s.title.text_colour;
            d.style.background = s.title.back;
        }
        if (s.bar.visible) {
            const bar = place(el('div', 'quill-bar', layer), [0, H - BAR_HEIGHT, W, BAR_HEIGHT]);
            bar.style.background = s.bar.colour;
            for (let i = 0; i < 5; ++i) {
                if (!s.bar.shown[i]) continue;
                const b = label(place(el('button', 'quill-button', bar), [BAR_LEFT[i], 6, 89, 20]), s.bar.legends[i]);
                b.disabled = kind !== 'button';
                b.dataset.button = BAR_LETTERS[i];
                b.onclick = () => give(BAR_LETTERS[i]);
            }
        }
    }

    // Focus where the learner answers, so the keyboard works at once.
    function focusFor(kind) {
        const pick = {
            button: '.quill-bar button[data-button="C"], .quill-bar button',
            input: '#UserInputEdit', choice: '.quill-button:not([disabled])', list: '.quill-list',
            menu: '.quill-button:not([disabled])', quiz: '.quill-quiz', memo: '.quill-memo',
        }[kind];
        const e = pick && layer.querySelector(pick);
        if (e) e.focus();
        else if (stage) stage.focus();
    }

    // ---- page dialogs ----------------------------------------------------------------------------

    // What the learner must know about keeping their progress (from the LMS bridge): a line at
    // the top of the page that screen readers announce, closed with its button; it does not stop
    // the tutorial as a dialog would.
    function showNotice(text) {
        if (!text || typeof document === 'undefined') return;
        let bar = document.getElementById('quill-notice');
        if (!bar) {
            bar = el('div', 'quill-notice', document.body);
            bar.id = 'quill-notice';
            bar.setAttribute('role', 'alert');
        }
        bar.textContent = '';
        el('span', '', bar).textContent = String(text);
        const close = el('button', 'quill-button', bar);
        close.textContent = 'OK';
        close.addEventListener('click', () => bar.remove());
    }

    function showDialog(title, body, buttons) {
        return new Promise((resolve) => {
            dialog.textContent = '';
            const h = el('div', 'quill-dialog-title', dialog);
            h.textContent = title;
            const content = el('div', 'quill-dialog-body', dialog);
            if (body instanceof Node) content.appendChild(body);
            else content.textContent = body;
            const row = el('div', 'quill-dialog-buttons', dialog);
            let first = null;
            for (const [label, value] of buttons) {
                const b = el('button', 'quill-button', row);
                b.textContent = label;
                b.onclick = () => {
                    dialog.close();
                    resolve(typeof value === 'function' ? value() : value);
                };
                first = first || b;
            }
            dialog.oncancel = (e) => {
                e.preventDefault();
                dialog.close();
                resolve(buttons[buttons.length - 1][1] === 'cancel' ? 'cancel' : '');
            };
            dialog.showModal();
            if (first) first.focus();
        });
    }

    function html(markup, plainLines) {
        const d = el('div', 'quill-rich quill-dialog-text');
        if (markup) d.innerHTML = markup;
        else d.textContent = (plainLines || []).join('\n');
        return d;
    }

    // ---- the host ------------------------------------------------------------------------------

    const host = {
        test: null,  // the test run's state while QuillTest.run plays
        stopRequested: false,

        async wait(kind, data) {
            if (kind === 'quiz-result') {
                try { if (global.QuillLms) QuillLms.quizAnswer(!!data.right); } catch (e) { /* the bridge reports */ }
                if (host.test) host.test.quiz.push(!!data.right);
                return '';
            }
            // Page load to the first screen, for the measurements (QuillTest.firstScreenMs).
            if (data.screen && QuillTest.firstScreenMs === undefined) QuillTest.firstScreenMs = performance.now();
            if (host.test) return testAnswer(kind, data);
            if (host.stopRequested) return 'stop';
            if (data.screen) {
                render(data.screen, kind);
                saveLearnerFiles();
            }
            switch (kind) {
                case 'end':
                    return '';
                case 'events':
                    return new Promise((r) => yieldToPage(() => r(host.stopRequested ? 'stop' : '')));
                case 'tick':
                    return new Promise((r) => setTimeout(() => r(''), 100));
                case 'delay':
                    return new Promise((r) => {
                        answer = r;
                        setTimeout(() => give(''), Math.max(0, data.ms));
                    });
                case 'error':
                    return showDialog('Error', data.text, [['OK', '']]);
                case 'info':
                    return showDialog('Information', data.text, [['OK', '']]);
                case 'text':
                    return showDialog(data.name, html(TUTORIAL.richText && TUTORIAL.richText[data.key], data.lines), [['OK', '']]);
                case 'media': {
                    const file = String(data.command).split(',')[0];
                    const bytes = tutorialFile(file);
                    const picture = bytes && rawPictureCanvas(bytes);
                    if (picture) return showDialog(data.name, picture, [['OK', '']]);
                    return showDialog(data.name, 'The web player cannot play ' + file + '.', [['OK', '']]);
                }
                case 'open':
                    return openCommand(data.command);
                case 'utility': {
                    const sel = el('select', 'quill-list');
                    sel.size = Math.max(2, data.names.length);
                    data.names.forEach((n, i) => {
                        const o = el('option', null, sel);
                        o.textContent = n;
                        o.value = String(i);
                    });
                    sel.selectedIndex = 0;
                    return showDialog('Utilities', sel, [['OK', () => sel.value], ['Cancel', 'cancel']]);
                }
                case 'about':
                    return showDialog(data.texts[0] || 'About', data.texts.slice(1).join('\n'), [['OK', 'ok']]);
                case 'intro':
                    return showDialog(TUTORIAL.title || 'Introduction',
                        html(TUTORIAL.richText && TUTORIAL.richText[data.key], data.lines), [['OK', 'ok']]);
                case 'mainmenu': {
                    const list = el('div', 'quill-menu');
                    return new Promise((resolve) => {
                        data.picks.forEach((topic, n) => {
                            const b = el('button', 'quill-button quill-menu-pick', list);
                            b.textContent = (n + 1) + ': ' + topic;
                            b.onclick = () => { dialog.close(); resolve(String(n + 1)); };
                        });
                        showDialog(data.title || 'Main menu', list, [['Quit', '0']]).then(resolve);
                        const first = list.querySelector('button');
                        if (first) first.focus();
                    });
                }
                case 'print':
                    return showDialog('Information',
                        'Printing is not available in the web player: the tutorial goes on without printing.', [['OK', 'cancel']]);
                default:
                    break;
            }
            // The waits answered on the screen itself.
            return new Promise((resolve) => {
                answer = (v) => resolve(v);
                focusFor(kind);
            });
        },
    };

    async function openCommand(command) {
        const name = String(command).trim();
        if (/^(https?:|mailto:)/i.test(name)) {
            global.open(name, '_blank', 'noopener');
            return '';
        }
        const bytes = tutorialFile(name);
        if (!bytes)
            return showDialog('Information', 'The web player cannot open ' + name + '.', [['OK', '']]);
        const picture = rawPictureCanvas(bytes);
        if (picture) return showDialog(name, picture, [['OK', '']]);
        const type = /\.html?$/i.test(name) ? 'text/html' : /\.txt$/i.test(name) ? 'text/plain' : 'application/octet-stream';
        global.open(URL.createObjectURL(new Blob([bytes], { type })), '_blank');
        return '';
    }

    document.addEventListener('keydown', (e) => {
        if (!answer || dialog.open) return;
        const kind = host.pendingKind;
        if (e.key.length === 1 && (kind === 'key' || kind === 'delay' || kind === 'quiz') &&
            !(e.target instanceof HTMLInputElement) && !(e.target instanceof HTMLTextAreaElement)) {
            e.preventDefault();
            give(kind === 'delay' ? 'key' : 'key:' + e.key);
        }
    });

    // ---- the learner's files -------------------------------------------------------------------

    const LEARNER = '/learner';
    let savedState = '';
    function learnerFiles() {
        const out = {};
        for (const name of Module.FS.readdir(LEARNER)) {
            if (name === '.' || name === '..') continue;
            const path = LEARNER + '/' + name;
            if (Module.FS.isFile(Module.FS.stat(path).mode)) out[name] = Module.FS.readFile(path);
        }
        return out;
    }
    function saveLearnerFiles() {
        if (!Module || !global.QuillLms) return;
        const files = learnerFiles();
        let key = '';
        for (const n of Object.keys(files).sort()) key += n + ':' + files[n].length + ':' + files[n].reduce((a, b) => (a * 31 + b) | 0, 0) + ';';
        if (key === savedState) return;
        savedState = key;
        try { QuillLms.saveLearnerFiles(files); } catch (e) { /* the LMS bridge reports its own trouble */ }
    }

    // ---- starting ------------------------------------------------------------------------------

    let ready = null;
    async function boot() {
        if (!TUTORIAL) throw new Error('quill_tutorial.js is missing: the tutorial cannot be played.');
        Module = await QuillEngine({ quillHost: host, print: () => {}, printErr: (t) => console.warn(t) });
        const FS = Module.FS;
        FS.mkdir('/tutorial');
        FS.mkdir(LEARNER);
        FS.mkdir('/quill');
        for (const [name, data] of Object.entries(TUTORIAL.files)) {
            const parts = name.split('/');
            let dir = '/tutorial';
            for (const p of parts.slice(0, -1)) {
                dir += '/' + p;
                try { FS.mkdir(dir); } catch (e) { /* made before */ }
            }
            FS.writeFile('/tutorial/' + name, bytesOf(data));
        }
        FS.writeFile('/quill/glyphs.bin', bytesOf(TUTORIAL.glyphs));
        let started = null;
        try {
            if (global.QuillLms) QuillLms.onNotice = showNotice;
            started = global.QuillLms ? QuillLms.start() : null;
        } catch (e) { started = null; }
        if (started && started.notice) showNotice(started.notice);
        if (started && started.learnerFiles)
            for (const [name, bytes] of Object.entries(started.learnerFiles))
                if (!name.includes('/')) FS.writeFile(LEARNER + '/' + name, bytes);
        const error = Module.ccall('quill_open', 'string', ['string', 'string', 'string'],
            ['/tutorial/' + TUTORIAL.dataFile, LEARNER, '/quill/glyphs.bin']);
        if (error) throw new Error(error);
    }

    // Plays the chapter named in the address (?chapter=NAME), else the whole tutorial.
    async function play() {
        const chapter = params.get('chapter');
        const end = chapter
            ? await Module.ccall('quill_play', 'number', ['string'], [chapter], { async: true })
            : await Module.ccall('quill_play_tutorial', 'number', [], [], { async: true });
        saveLearnerFiles();
        // The tutorial played to its end: the chapter to its last line, or every chapter of
        // the main menu (quill_completed).
        if (global.QuillLms && Module.ccall('quill_completed', 'number', [], []) === 1) {
            try { QuillLms.completed(); } catch (e) { /* reported by the bridge */ }
        }
        return end;
    }

    // ---- the test hook ---------------------------------------------------------------------------

    const SNAPSHOT_WAITS = {
        button: 'the control bar', key: 'a wait for a key', input: 'the input box',
        choice: 'the two-button choice', list: 'the list menu', menu: 'the menu buttons',
        quiz: 'the quiz answers', memo: 'the memo box', utility: 'the utility chooser',
        print: 'the print question', mainmenu: 'the main menu', about: 'the about box',
        intro: 'the introduction', delay: 'a delay', end: 'the end of the run',
    };
    const FITS = {
        button: ['button'], key: ['key', 'click'], input: ['text'], choice: ['choice'], list: ['list'],
        menu: ['menu'], quiz: ['answer', 'key'], memo: ['memo', 'ok'], utility: ['ok', 'cancel', 'list'],
        print: ['ok', 'cancel'], mainmenu: ['mainmenu'], about: ['ok'], intro: ['ok'],
    };

    function parseAnswers(lines) {
        const out = [];
        lines.forEach((raw, i) => {
            const line = raw.trim();
            if (!line || line.startsWith('#')) return;
            const space = line.indexOf(' ');
            const word = (space < 0 ? line : line.slice(0, space)).toLowerCase();
            const arg = space < 0 ? '' : line.slice(space + 1);
            out.push({ word, arg, line: i + 1, source: line });
        });
        return out;
    }

    function snapshot(kind, data) {
        const s = data.screen;
        if (!s) {
            // The about box, the introduction and the main menu are page dialogs, not the screen.
            host.test.results.push({ wait: SNAPSHOT_WAITS[kind], screen: null, top: 0, covered: [],
                messages: host.test.messages.splice(0) });
            return;
        }
        const c = document.createElement('canvas');
        c.width = W;
        c.height = H;
        c.getContext('2d').putImageData(imageData(s.raster, W, H), 0, 0);
        host.test.results.push({ wait: SNAPSHOT_WAITS[kind], screen: c.toDataURL('image/png'), top: s.top,
            covered: coveredRects(s), messages: host.test.messages.splice(0) });
    }

    function testAnswer(kind, data) {
        const t = host.test;
        if (kind === 'error' || kind === 'info') {
            t.messages.push((kind === 'error' ? 'error: ' : 'info: ') + data.text);
            return '';
        }
        if (kind === 'end') {
            snapshot(kind, data);
            return '';
        }
        if (t.done) return 'stop';
        if (kind === 'delay') {
            snapshot(kind, data);
            return '';
        }
        if (!SNAPSHOT_WAITS[kind]) return '';  // entries, ticks, events: nothing to answer
        if (!t.resumed) snapshot(kind, data);
        t.resumed = false;
        while (t.next < t.answers.length) {
            const a = t.answers[t.next++];
            if (FITS[kind].includes(a.word)) {
                switch (a.word) {
                    case 'button': return a.arg.trim().toUpperCase().charAt(0);
                    case 'key': return 'key:' + a.arg.charAt(0);
                    case 'click': return 'click';
                    case 'text': return 'text:' + a.arg;
                    case 'choice': return a.arg.trim().toLowerCase() === 'left' ? 'left' : 'right';
                    case 'list': return String(kind === 'list' || kind === 'utility' ? Number(a.arg) - 1 : a.arg);
                    case 'menu': case 'answer': return String(Number(a.arg));
                    case 'mainmenu': return a.arg.trim().toLowerCase() === 'quit' ? '0' : String(Number(a.arg));
                    case 'ok': return kind === 'utility' ? '0' : kind === 'memo' ? '' : 'ok';
                    case 'cancel': return 'cancel';
                    case 'memo': {
                        const lines = [a.arg];
                        while (t.next < t.answers.length && t.answers[t.next].word === 'memo') lines.push(t.answers[t.next++].arg);
                        return lines.join('\n');
                    }
                }
            }
            if (a.word === 'hyper') {
                // The wait goes on after the word is followed, without a second snapshot.
                t.resumed = true;
                return 'hyper:' + a.arg.trim();
            }
            t.messages.push('info: answer line ' + a.line + ' "' + a.source + '" does not answer ' + SNAPSHOT_WAITS[kind] + '; skipped');
        }
        t.done = true;
        t.messages.push('info: answers ran out');
        return 'stop';
    }

    global.QuillTest = {
        async run(answerLines) {
            await ready;
            host.test = { answers: parseAnswers(answerLines), next: 0, results: [], messages: [], resumed: false, done: false, quiz: [] };
            let end;
            const started = performance.now();
            try {
                end = await play();
                QuillTest.playMs = performance.now() - started;
            } finally {
                const t = host.test;
                host.test = null;
                QuillTest.last = { end, results: t.results, messages: t.messages, quiz: t.quiz };
            }
            return QuillTest.last.results;
        },
    };

    // ---- the page starts -----------------------------------------------------------------------

    function start() {
        stage = $('quill-stage');
        canvas = $('quill-screen');
        ctx = canvas.getContext('2d');
        layer = $('quill-objects');
        dialog = $('quill-dialog');
        document.title = (TUTORIAL && TUTORIAL.title) || 'Tutorial';
        fit();
        global.addEventListener('resize', fit);
        global.addEventListener('pagehide', () => {
            saveLearnerFiles();
            try { if (global.QuillLms) QuillLms.finish(); } catch (e) { /* the bridge reports */ }
        });
        const original = host.wait;
        host.wait = (kind, data) => {
            host.pendingKind = kind;
            return original(kind, data);
        };
        ready = boot();
        ready.catch((e) => showDialog('Error', String(e.message || e), [['OK', '']]));
        if (params.get('test') === '1') {
            const lines = params.get('answers');
            if (lines !== null) {
                QuillTest.run(lines.split('\n')).then((results) => {
                    $('quill-test-result').textContent = JSON.stringify({ end: QuillTest.last.end, results,
                        messages: QuillTest.last.messages, firstScreenMs: QuillTest.firstScreenMs, playMs: QuillTest.playMs, quiz: QuillTest.last.quiz });
                    document.title = 'quill-test-done';
                }, (e) => {
                    $('quill-test-result').textContent = JSON.stringify({ error: String(e.message || e) });
                    document.title = 'quill-test-done';
                });
            }
            return;
        }
        ready.then(async () => {
            await play();
            showDialog('Information', 'The tutorial has ended. You may close this page.', [['OK', '']]);
        });
    }

    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', start);
    else start();
})(globalThis);
