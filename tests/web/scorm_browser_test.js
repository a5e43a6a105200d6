// SCORM 1.2 in a real browser: a minimal LMS page (lms_page.html) plays a SCO in a frame, in two
// sessions; the second is given what the first left in the LMS and must resume from it.
//   node scorm_browser_test.js lms                    quill_lms.js in a stand-in SCO
//   node scorm_browser_test.js package QUILLC SAMPLE  the package of `quillc export-scorm`
// Skipped (status 77) when chromium, or for the package the engine built by emscripten, is missing.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const web = require('./browser.js');

const chromium = web.findChromium();
if (!chromium) web.skip('chromium is not installed (headless browser tests)');

// One session: the LMS page with the values the LMS holds and the answer lines, opened headless.
function session(folder, sco, values, answers) {
    const template = fs.readFileSync(path.join(__dirname, 'lms_page.html'), 'utf8');
    const setup = JSON.stringify({ values, sco, answers });
    const page = path.join(folder, 'lms.html');
    fs.writeFileSync(page, template.replace(/\/\*SETUP\*\/[\s\S]*?\/\*END\*\//, () => setup));
    const dom = web.dumpDom(chromium, page, { budgetMs: 120000 });
    const text = web.elementText(dom, 'lms-result');
    assert.ok(text, 'the LMS page did not finish:\n' + dom.slice(0, 2000));
    const result = JSON.parse(text);
    assert.equal(result.error, null, result.error);
    return result;
}

const names = (calls) => calls.map((c) => c[0]);
const setsOf = (calls, name) => calls.filter((c) => c[0] === 'LMSSetValue' && c[1] === name).map((c) => c[2]);

// What every session must show: initialised first, values set only while open, committed and
// finished last (when the frame closes), suspend data within SCORM 1.2's 4096 characters.
function checkSession(r) {
    assert.equal(r.calls[0][0], 'LMSInitialize');
    assert.deepEqual(names(r.calls).slice(-2), ['LMSCommit', 'LMSFinish'], 'commit and finish when the page goes');
    assert.equal(names(r.calls).filter((n) => n === 'LMSInitialize' || n === 'LMSFinish').length, 2);
    assert.ok((r.values['cmi.suspend_data'] || '').length <= 4096);
    assert.match(r.values['cmi.core.session_time'], /^\d{4}:\d\d:\d\d\.\d\d$/);
}

function standIn() {
    const folder = web.tempFolder('quill-scorm-');
    fs.mkdirSync(path.join(folder, 'sco'));
    fs.copyFileSync(path.join(__dirname, 'stand_in_sco.html'), path.join(folder, 'sco/index.html'));
    fs.copyFileSync(path.join(__dirname, '../../src/web/quill_lms.js'), path.join(folder, 'sco/quill_lms.js'));

    const first = session(folder, 'sco/index.html?test=1', {},
                          ['start', 'save USER.DAT Sam', 'quiz right', 'quiz wrong', 'quiz right']);
    checkSession(first);
    assert.equal(first.results[0].screen, '{}', 'a first session starts with no learner files');
    assert.deepEqual(setsOf(first.calls, 'cmi.core.lesson_status'), ['incomplete']);
    assert.deepEqual(setsOf(first.calls, 'cmi.core.score.raw'), ['100', '50', '67']);
    assert.equal(first.values['cmi.core.score.max'], '100');
    assert.equal(JSON.parse(first.results[1].screen).where, 'lms');
    assert.ok(setsOf(first.calls, 'cmi.suspend_data').length >= 1);
    assert.equal(first.values['cmi.core.exit'], 'suspend');

    const second = session(folder, 'sco/index.html?test=1', first.values, ['start', 'quiz wrong', 'complete']);
    checkSession(second);
    assert.equal(second.results[0].screen, JSON.stringify({ 'USER.DAT': 'Sam' }), 'the second session resumes');
    assert.equal(second.values['cmi.core.score.raw'], '50');
    assert.equal(second.values['cmi.core.lesson_status'], 'completed');
    assert.equal(second.values['cmi.core.exit'], '');
}

// The tutorial's package. Session 1 plays chapter 1 of the whole tutorial (the learner types a
// name, kept in USER.DAT) and quits the main menu; session 2 plays chapter 3, whose last page
// greets the learner by that name; session 3 plays every chapter. quillc play of the same
// answers in one copy of the tutorial gives the screens to compare with.
function tutorialPackage(quillc, sample) {
    const runtime = process.env.QUILL_WEB_DIR || path.join(path.dirname(quillc), 'web');
    if (!fs.existsSync(path.join(runtime, 'quill_engine.js')))
        web.skip('the engine for the browser is not built (' + runtime + '/quill_engine.js; the build makes it where emcmake is installed)');
    const help = spawnSync(quillc, ['export-scorm', '--help'], { encoding: 'utf8' });
    assert.ok(!help.error, 'quillc does not run: ' + quillc + ': ' + (help.error && help.error.message));
    if (help.status !== 0) web.skip('quillc has no export-scorm command yet');
    const folder = web.tempFolder('quill-scorm-');
    const project = path.join(folder, 'tutorial');
    fs.cpSync(sample, project, { recursive: true });
    const zip = path.join(folder, 'maps.zip');
    const exported = spawnSync(quillc, ['export-scorm', path.join(project, 'MAPS.QKJ'), zip], { encoding: 'utf8' });
    assert.equal(exported.status, 0, exported.stdout + exported.stderr);
    const entries = web.unzipTo(zip, path.join(folder, 'pkg'));
    assert.equal(entries[0].name, 'imsmanifest.xml');
    const manifest = entries[0].data.toString('utf8');
    for (const e of entries.slice(1)) assert.ok(manifest.includes('href="' + encodeURI(e.name) + '"'), e.name + ' in the manifest');
    assert.match(manifest, /<schemaversion>1\.2<\/schemaversion>/);

    const lines = (file) => fs.readFileSync(file, 'utf8').split(/\r?\n/).filter((l) => l.trim() && !l.startsWith('#'));
    const answers1 = lines(path.join(sample, 'answers/tutorial-1.txt'));
    const answers2 = ['ok', 'ok', 'mainmenu 3', ...lines(path.join(sample, 'tests/chapter3.answers')), 'mainmenu quit'];

    const native = (answers, name) => {
        const file = path.join(folder, name + '.answers');
        fs.writeFileSync(file, answers.join('\n') + '\n');
        const shots = path.join(folder, name + '-shots');
        const r = spawnSync(quillc, ['play', path.join(project, 'MAPS.QKJ'), '--answers', file, '--snapshots', shots], { encoding: 'utf8' });
        assert.equal(r.status, 0, 'quillc play ' + name + ': ' + r.stdout + r.stderr);
        return fs.readdirSync(shots).sort().map((f) => web.decodePng(fs.readFileSync(path.join(shots, f))));
    };
    const before = native(answers2, 'fresh');  // chapter 3 before anyone typed a name
    const nativeRun1 = native(answers1, 'session1');
    const nativeRun2 = native(answers2, 'session2');
    assert.ok(nativeRun1.length > 0);

    const first = session(folder, 'pkg/index.html?test=1', {}, answers1);
    checkSession(first);
    assert.deepEqual(setsOf(first.calls, 'cmi.core.lesson_status'), ['incomplete']);
    assert.ok(setsOf(first.calls, 'cmi.suspend_data').length >= 1, 'the learner files reach the LMS');
    assert.equal(first.values['cmi.core.exit'], 'suspend');

    const second = session(folder, 'pkg/index.html?test=1', first.values, answers2);
    checkSession(second);
    // Chapter 3's one question, first answered wrong.
    assert.equal(second.values['cmi.core.score.raw'], '0');
    assert.equal(second.values['cmi.core.lesson_status'], 'incomplete', 'one chapter of three is not the end');
    // The page that greets the learner: the browser's screen is the one of quillc play after
    // session 1's name was kept, not the one without it (compared where those two differ, so
    // that the rest of the screen, checked elsewhere, does not count here).
    const greeting = nativeRun2.findIndex((shot, i) => web.pixelsDiffering(shot, before[i]) > 0);
    assert.ok(greeting >= 0, 'chapter 3 shows the kept name somewhere');
    assert.ok(second.results.length > greeting, 'the browser reached the page that greets the learner');
    // Where the two differ (the name), the browser's pixels are those of the screen with the name.
    const side = web.sideOf(web.decodeScreen(second.results[greeting].screen), nativeRun2[greeting], before[greeting]);
    assert.ok(side.likeA >= 0.9 * side.differing && side.likeB < 0.1 * side.differing,
              'the second session shows the name typed in the first: ' + JSON.stringify(side));

    // Session 3 plays every chapter of the main menu, chapter 3's question right at once: the
    // tutorial is completed, and the score counts the questions of both sessions (1 of 2).
    const answers3 = ['ok', 'ok', 'mainmenu 1', ...lines(path.join(sample, 'answers/MAPS1.txt')),
                      'mainmenu 2', ...lines(path.join(sample, 'tests/chapter2-right.answers')),
                      'mainmenu 3', 'hyper contour lines', 'button C', 'answer 1', 'button C', 'button C', 'mainmenu quit'];
    native(answers3, 'session3');
    const third = session(folder, 'pkg/index.html?test=1', second.values, answers3);
    checkSession(third);
    assert.equal(third.values['cmi.core.lesson_status'], 'completed');
    assert.equal(third.values['cmi.core.exit'], '');
    assert.equal(third.values['cmi.core.score.raw'], '50');
    assert.equal(third.notice, null, 'nothing to tell the learner when the progress is kept');

    // Progress the LMS gives back damaged: the tutorial starts afresh and the page says so.
    const damaged = session(folder, 'pkg/index.html?test=1', { 'cmi.suspend_data': 'not saved by us', 'cmi.core.entry': 'resume' },
                           ['ok', 'ok', 'mainmenu quit']);
    assert.match(String(damaged.notice), /cannot be read.*starts afresh/, 'the learner is told: ' + damaged.notice);
}

const mode = process.argv[2];
if (mode === 'lms') standIn();
else if (mode === 'package') tutorialPackage(process.argv[3], process.argv[4]);
else { console.error('usage: node scorm_browser_test.js lms | package QUILLC SAMPLE'); process.exit(2); }
console.log('passed: ' + mode);
