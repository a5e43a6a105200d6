// Helpers of the web player's browser tests: headless chromium, reading a zip and a PNG with
// node's own zlib (an unpacker independent of the one that wrote them), temporary folders.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const { spawnSync } = require('node:child_process');

const SKIP = 77;  // CTest's SKIP_RETURN_CODE for these tests

function skip(why) {
    console.log('skipped: ' + why);
    process.exit(SKIP);
}

function which(name) {
    for (const dir of (process.env.PATH || '').split(':')) {
        const file = path.join(dir || '.', name);
        try { fs.accessSync(file, fs.constants.X_OK); return file; } catch (e) { /* not here */ }
    }
    return null;
}

// The headless browser: chromium (Debian) or chromium-browser (elsewhere).
function findChromium() {
    return process.env.QUILL_CHROMIUM || which('chromium') || which('chromium-browser');
}

function tempFolder(prefix) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
    process.on('exit', () => fs.rmSync(dir, { recursive: true, force: true }));
    return dir;
}

// Opens the page headless and returns its DOM once the page has set its title to `doneTitle`
// (chromium's virtual time runs the page's timers without real waiting; the budget bounds it).
function dumpDom(chromium, file, { budgetMs = 30000, query = '' } = {}) {
    const args = ['--headless', '--disable-gpu', '--allow-file-access-from-files', '--no-first-run',
                  '--user-data-dir=' + tempFolder('quill-chromium-'),
                  '--virtual-time-budget=' + budgetMs, '--dump-dom', 'file://' + path.resolve(file) + query];
    if (process.getuid && process.getuid() === 0) args.unshift('--no-sandbox');
    const r = spawnSync(chromium, args, { encoding: 'utf8', timeout: 240000, maxBuffer: 256 << 20 });
    if (r.error) throw new Error('chromium did not run: ' + r.error.message);
    if (r.status !== 0) throw new Error('chromium ended with status ' + r.status + ':\n' + r.stderr);
    return r.stdout;
}

// The text of the element with the id in a dumped DOM (entities of text content undone).
function elementText(dom, id) {
    const m = new RegExp('<[a-z]+ id="' + id + '"[^>]*>([\\s\\S]*?)</[a-z]+>').exec(dom);
    if (!m) return null;
    return m[1].replace(/&lt;/g, '<').replace(/&gt;/g, '>').replace(/&quot;/g, '"').replace(/&#39;/g, "'").replace(/&amp;/g, '&');
}

// Every entry of a zip archive: { name, data, method, flags }; sizes and CRCs checked.
function readZip(buf) {
    const end = buf.lastIndexOf(Buffer.from([0x50, 0x4b, 0x05, 0x06]));
    if (end < 0) throw new Error('no end of central directory');
    const count = buf.readUInt16LE(end + 10);
    let c = buf.readUInt32LE(end + 16);
    const entries = [];
    for (let i = 0; i < count; ++i) {
        if (buf.readUInt32LE(c) !== 0x02014b50) throw new Error('bad central directory header');
        const flags = buf.readUInt16LE(c + 8), method = buf.readUInt16LE(c + 10);
        const crc = buf.readUInt32LE(c + 16), packed = buf.readUInt32LE(c + 20), size = buf.readUInt32LE(c + 24);
        const nameLen = buf.readUInt16LE(c + 28), extraLen = buf.readUInt16LE(c + 30), commentLen = buf.readUInt16LE(c + 32);
        const local = buf.readUInt32LE(c + 42);
        const name = buf.subarray(c + 46, c + 46 + nameLen).toString('utf8');
        if (buf.readUInt32LE(local) !== 0x04034b50) throw new Error(name + ': bad local header');
        const start = local + 30 + buf.readUInt16LE(local + 26) + buf.readUInt16LE(local + 28);
        const body = buf.subarray(start, start + packed);
        const data = method === 0 ? Buffer.from(body) : method === 8 ? zlib.inflateRawSync(body) : null;
        if (!data) throw new Error(name + ': method ' + method);
        if (data.length !== size) throw new Error(name + ': size ' + data.length + ', header says ' + size);
        if (zlib.crc32 ? zlib.crc32(data) !== crc : crc32(data) !== crc) throw new Error(name + ': CRC differs');
        entries.push({ name, data, method, flags });
        c += 46 + nameLen + extraLen + commentLen;
    }
    return entries;
}

function crc32(data) {
    let crc = 0xffffffff;
    for (const b of data) {
        crc ^= b;
        for (let k = 0; k < 8; ++k) crc = crc & 1 ? 0xedb88320 ^ (crc >>> 1) : crc >>> 1;
    }
    return (crc ^ 0xffffffff) >>> 0;
}

function unzipTo(zipFile, folder) {
    const entries = readZip(fs.readFileSync(zipFile));
    for (const e of entries) {
        const target = path.join(folder, e.name);
        if (!path.resolve(target).startsWith(path.resolve(folder) + path.sep)) throw new Error(e.name + ' leaves the folder');
        fs.mkdirSync(path.dirname(target), { recursive: true });
        fs.writeFileSync(target, e.data);
    }
    return entries;
}

// A PNG (8 bits a sample, RGB or RGBA, not interlaced) as { width, height, rgba }.
function decodePng(buf) {
    let pos = 8, width = 0, height = 0, type = 0;
    const idat = [];
    while (pos < buf.length) {
        const len = buf.readUInt32BE(pos), kind = buf.toString('latin1', pos + 4, pos + 8);
        const body = buf.subarray(pos + 8, pos + 8 + len);
        if (kind === 'IHDR') {
            width = body.readUInt32BE(0); height = body.readUInt32BE(4); type = body[9];
            if (body[8] !== 8 || (type !== 2 && type !== 6) || body[12] !== 0) throw new Error('PNG kind not read here');
        } else if (kind === 'IDAT') idat.push(body);
        pos += 12 + len;
    }
    const bpp = type === 6 ? 4 : 3, stride = width * bpp;
    const raw = zlib.inflateSync(Buffer.concat(idat));
    const rgba = Buffer.alloc(width * height * 4);
    let prev = Buffer.alloc(stride);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
        for (let i = 0; i < stride; ++i) {
            const a = i >= bpp ? line[i - bpp] : 0, b = prev[i], c = i >= bpp ? prev[i - bpp] : 0;
            const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
            const add = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
            line[i] = (line[i] + add) & 255;
        }
        for (let x = 0; x < width; ++x) {
            for (let k = 0; k < 3; ++k) rgba[(y * width + x) * 4 + k] = line[x * bpp + k];
            rgba[(y * width + x) * 4 + 3] = bpp === 4 ? line[x * bpp + 3] : 255;
        }
        prev = line;
    }
    return { width, height, rgba };
}

// A screen as the test hook gives it (a PNG data URL, or base64 RGBA of 640 x 480).
function decodeScreen(screen) {
    if (screen.startsWith('data:image/png;base64,')) return decodePng(Buffer.from(screen.slice(22), 'base64'));
    return { width: 640, height: 480, rgba: Buffer.from(screen, 'base64') };
}

// The number of pixels whose colours differ.
function pixelsDiffering(a, b) {
    if (a.width !== b.width || a.height !== b.height) return a.width * a.height;
    let n = 0;
    for (let i = 0; i < a.rgba.length; i += 4)
        if (a.rgba[i] !== b.rgba[i] || a.rgba[i + 1] !== b.rgba[i + 1] || a.rgba[i + 2] !== b.rgba[i + 2]) ++n;
    return n;
}

// Of the pixels where a and b differ, how many `shown` has as a has them, and how many as b has
// them: { differing, likeA, likeB }.
function sideOf(shown, a, b) {
    const out = { differing: 0, likeA: 0, likeB: 0 };
    const same = (x, y, i) => x.rgba[i] === y.rgba[i] && x.rgba[i + 1] === y.rgba[i + 1] && x.rgba[i + 2] === y.rgba[i + 2];
    for (let i = 0; i < a.rgba.length; i += 4) {
        if (same(a, b, i)) continue;
        ++out.differing;
        if (same(shown, a, i)) ++out.likeA;
        else if (same(shown, b, i)) ++out.likeB;
    }
    return out;
}

module.exports = { SKIP, skip, which, findChromium, tempFolder, dumpDom, elementText, readZip, unzipTo,
                   decodePng, decodeScreen, pixelsDiffering, sideOf };
