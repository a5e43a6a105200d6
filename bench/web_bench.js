// Figures of the web player, each beside a baseline measured in the same run:
//   page load to the first screen      beside the load of an empty page      (goal: under 1 s)
//   size of the exported engine        beside the goal of 3 MB
//   a chapter of 100,000 lines         beside quillc play of the same chapter (goal: at most 3 x)
// The browser is headless chromium, driven over its DevTools pipe so that the page's clock is the
// real one. The long chapter's times are net of a one-line chapter played the same way (the
// browser's page load and quillc's start are not part of playing).
//   node bench/web_bench.js QUILLC
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const { spawn, spawnSync } = require('node:child_process');

const quillc = path.resolve(process.argv[2] || 'build/quillc');
const sample = path.join(__dirname, '..', 'sample');
const RUNS = 3;

function which(name) {
    for (const dir of (process.env.PATH || '').split(':')) {
        const f = path.join(dir || '.', name);
        try { fs.accessSync(f, fs.constants.X_OK); return f; } catch (e) { /* not here */ }
    }
    return null;
}

function skip(why) {
    console.log('web_bench\n  skipped: ' + why);
    process.exit(0);
}

function row(name, value, unit, baseline, baseUnit, ratio) {
    const pad = (s, n) => String(s).padStart(n);
    let line = '  ' + name.padEnd(50) + pad(value.toFixed(3), 12) + ' ' + unit;
    if (baseline !== undefined) line += '   baseline ' + pad(baseline.toFixed(3), 12) + ' ' + baseUnit + '   ratio ' + ratio.toFixed(2);
    console.log(line);
}

// A headless chromium spoken to over --remote-debugging-pipe (JSON messages ended by NUL).
class Browser {
    constructor(chromium, profile) {
        const args = ['--headless', '--disable-gpu', '--allow-file-access-from-files', '--no-first-run',
                      '--remote-debugging-pipe', '--user-data-dir=' + profile, 'about:blank'];
        if (process.getuid && process.getuid() === 0) args.unshift('--no-sandbox');
        this.proc = spawn(chromium, args, { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
        this.pending = new Map();
        this.events = [];
        this.next = 0;
        let buf = '';
        this.proc.stdio[4].on('data', (d) => {
            buf += d.toString();
            for (let i; (i = buf.indexOf('\0')) >= 0; buf = buf.slice(i + 1)) {
                const m = JSON.parse(buf.slice(0, i));
                if (m.id && this.pending.has(m.id)) { this.pending.get(m.id)(m); this.pending.delete(m.id); }
                else if (m.method) this.events.push(m);
            }
        });
    }
    send(method, params = {}, sessionId) {
        return new Promise((resolve, reject) => {
            const m = { id: ++this.next, method, params };
            if (sessionId) m.sessionId = sessionId;
            this.pending.set(m.id, (r) => (r.error ? reject(new Error(method + ': ' + r.error.message)) : resolve(r.result)));
            this.proc.stdio[3].write(JSON.stringify(m) + '\0');
        });
    }
    // A fresh tab at the URL; resolves once its load event has fired.
    async open(url) {
        const { targetId } = await this.send('Target.createTarget', { url: 'about:blank' });
        const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
        await this.send('Page.enable', {}, sessionId);
        this.events = [];
        await this.send('Page.navigate', { url }, sessionId);
        for (let waited = 0; !this.events.some((e) => e.sessionId === sessionId && e.method === 'Page.loadEventFired'); waited += 10) {
            if (waited > 60000) throw new Error('the page did not load: ' + url);
            await new Promise((r) => setTimeout(r, 10));
        }
        return { targetId, sessionId };
    }
    async evaluate(tab, expression) {
        const r = await this.send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true }, tab.sessionId);
        if (r.exceptionDetails) throw new Error(expression + ': ' + JSON.stringify(r.exceptionDetails).slice(0, 500));
        return r.result.value;
    }
    async close(tab) { await this.send('Target.closeTarget', { targetId: tab.targetId }); }
    quit() {
        return new Promise((resolve) => {
            if (this.proc.exitCode !== null) return resolve();
            this.proc.once('exit', resolve);
            this.proc.kill();
        });
    }
}

function bigChapter() {
    const lines = [];
    for (let i = 0; lines.length < 100000 - 2; ++i) {
        if (i % 10 === 0) lines.push('*ClearScreen Paper', '*Title Reading a Map');
        lines.push('*ColRow 4 ' + (4 + (i % 15)),
                   'Line ' + i + ' of the long chapter: ^Bbold^R, ~Ecolour~A and plain words.',
                   '*HLine 4 20 77 1 Forest',
                   '*ColRow 10 21',
                   'A second line of text that fills the row with ordinary words.');
    }
    lines.length = 100000 - 2;
    lines.push('*Wait', '*ClearScreen Paper');
    return lines.join('\r\n') + '\r\n';
}

const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];

async function main() {
    const chromium = process.env.QUILL_CHROMIUM || which('chromium') || which('chromium-browser');
    if (!chromium) skip('chromium is not installed');
    if (spawnSync(quillc, ['export-web', '--help']).status !== 0) skip(quillc + ' has no export-web command');

    const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quill-web-bench-'));
    try {
        const project = path.join(work, 'tutorial');
        fs.cpSync(sample, project, { recursive: true });
        fs.writeFileSync(path.join(project, 'MAPS8.QKS'), '*Wait\r\n');
        fs.writeFileSync(path.join(project, 'MAPS9.QKS'), bigChapter());
        fs.writeFileSync(path.join(work, 'continue.answers'), 'button C\n');
        const folder = path.join(work, 'web');
        const exported = spawnSync(quillc, ['export-web', path.join(project, 'MAPS.QKJ'), folder], { encoding: 'utf8' });
        if (exported.status !== 0) throw new Error('quillc export-web failed:\n' + exported.stdout + exported.stderr);

        console.log('web_bench');
        const engine = fs.readFileSync(path.join(folder, 'quill_engine.js'));
        const mb = (n) => n / (1 << 20);
        row('ExportedEngine_Size (goal: under 3 MB)', mb(engine.length), 'MB');
        row('ExportedEngine_Size_Gzipped', mb(zlib.gzipSync(engine).length), 'MB');

        fs.writeFileSync(path.join(folder, 'empty.html'), '<!doctype html><html><body></body></html>');
        const url = (file, query = '') => 'file://' + path.join(folder, file) + query;
        const browser = new Browser(chromium, path.join(work, 'profile'));
        try {
            const loads = [], firsts = [];
            for (let i = 0; i < RUNS; ++i) {
                let tab = await browser.open(url('empty.html'));
                loads.push(await browser.evaluate(tab, "performance.getEntriesByType('navigation')[0].loadEventEnd"));
                await browser.close(tab);
                tab = await browser.open(url('index.html', '?test=1'));
                // The first screen: the first wait of a run with no answers (it then ends); the
                // page notes when it drew it (page load is time 0).
                firsts.push(await browser.evaluate(tab,
                    "QuillTest.run([]).then(() => QuillTest.firstScreenMs ?? performance.now())"));
                await browser.close(tab);
            }
            const first = median(firsts), empty = median(loads);
            row('PageLoad_FirstScreen (goal: under 1000 ms)', first, 'ms', empty, 'ms', first / empty);

            const play = async (chapter) => {
                const tab = await browser.open(url('index.html', '?test=1&chapter=' + chapter));
                const r = await browser.evaluate(tab,
                    "(async () => { const t0 = performance.now(); const r = await QuillTest.run(['button C']);" +
                    " return { ms: performance.now() - t0, waits: r.map((w) => w.wait), messages: r.flatMap((w) => w.messages || []) }; })()");
                await browser.close(tab);
                // The chapter must have run to its one wait, not stopped on an error.
                if (!r.waits.length || r.messages.some((m) => /error/i.test(String(m))))
                    throw new Error('the chapter ' + chapter + ' did not play in the browser: ' + JSON.stringify(r));
                if (process.env.QUILL_BENCH_VERBOSE) console.log('   ', chapter, JSON.stringify(r));
                return r.ms;
            };
            const native = (chapter) => {
                const t0 = process.hrtime.bigint();
                const r = spawnSync(quillc, ['play', path.join(project, 'MAPS.QKJ'), chapter, '--answers', path.join(work, 'continue.answers')],
                                    { encoding: 'utf8', env: Object.assign({}, process.env, { QT_QPA_PLATFORM: 'offscreen' }) });
                if (r.status !== 0) throw new Error('quillc play ' + chapter + ' failed:\n' + r.stdout + r.stderr);
                return Number(process.hrtime.bigint() - t0) / 1e6;
            };
            const web = [], desk = [];
            for (let i = 0; i < RUNS; ++i) {
                web.push((await play('MAPS9')) - (await play('MAPS8')));
                desk.push(native('MAPS9') - native('MAPS8'));
            }
            const w = median(web), d = median(desk);
            row('Chapter100000Lines_Browser (goal: ratio 3 at most)', w, 'ms', d, 'ms', w / d);
        } finally {
            await browser.quit();
        }
    } finally {
        fs.rmSync(work, { recursive: true, force: true });
    }
}

main().catch((e) => { console.error('web_bench: ' + (e.stack || e)); process.exit(1); });
