// What a teacher takes away (make dist): the one file opened from a disk with
// no network, the SCORM package inside a course platform (a stub of its API
// in the frame above) and without one, and the site's zip holding the site.

import { copyFileSync, existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, relative, sep } from 'node:path';
import { pathToFileURL } from 'node:url';
import { filesUnder } from '../bundle.mjs';
import { SCORM_NAMESPACES, scormManifest } from '../scorm-manifest.mjs';
import { unpackZip as unpack, zipEntries as unzip } from '../tools/unpack.mjs';
import {
  assert,
  callsToActions,
  chooseMenu,
  clientSize,
  dismissMessages,
  expectNativeLabels,
  menuDownload,
  nativeRun,
  nativeStdout,
  openBrowser,
  pageCalls,
  pageLabels,
  repo,
  startServer,
  waitReady,
  watch,
} from './harness.mjs';

const dist = join(repo, 'dist');

function distFile(name) {
  const path = join(dist, name);
  if (!existsSync(path)) throw new Error(`${relative(repo, path)} is missing: run make dist first`);
  return path;
}


/** A press of a button, its messages closed, and the native labels after the same inputs. */
async function pressAndCompare(page, k, what) {
  await page.locator(`.form .command[data-command="${k}"]`).click();
  await dismissMessages(page);
  await expectNativeLabels(page, `${what}: after button ${k}`);
}

/**
 * The required elements and references of a SCORM 1.2 manifest, as the IMS
 * Content Packaging 1.1.2 and ADL SCORM 1.2 schemas require them, read by the
 * browser's XML parser; `files` the package's entries. The problems found.
 */
async function manifestProblems(page, xml, files) {
  return page.evaluate(
    ({ xml, files, ns }) => {
      const problems = [];
      const doc = new DOMParser().parseFromString(xml, 'application/xml');
      if (doc.getElementsByTagName('parsererror').length) return ['not well-formed XML'];
      const root = doc.documentElement;
      const kids = (el, name) => Array.from(el.children).filter((c) => c.namespaceURI === ns.imscp && c.localName === name);
      const one = (el, name) => {
        const found = kids(el, name);
        if (found.length !== 1) problems.push(`<${el.localName}> has ${found.length} <${name}>, not one`);
        return found[0];
      };
      const isId = (s) => /^[A-Za-z_][\w.-]*$/.test(s ?? '');
      if (root.localName !== 'manifest' || root.namespaceURI !== ns.imscp) problems.push(`the root is {${root.namespaceURI}}${root.localName}`);
      if (!isId(root.getAttribute('identifier'))) problems.push('the manifest has no identifier');
      const metadata = one(root, 'metadata');
      if (metadata) {
        if (one(metadata, 'schema')?.textContent !== 'ADL SCORM') problems.push('the schema is not "ADL SCORM"');
        if (one(metadata, 'schemaversion')?.textContent !== '1.2') problems.push('the schema version is not 1.2');
      }
      const organizations = one(root, 'organizations');
      const resources = one(root, 'resources');
      const resourceIds = new Map();
      for (const r of resources ? kids(resources, 'resource') : []) {
        const id = r.getAttribute('identifier');
        if (!isId(id) || resourceIds.has(id)) problems.push(`a resource's identifier ${id} is missing, not an ID or twice`);
        resourceIds.set(id, r);
        if (r.getAttribute('type') !== 'webcontent') problems.push(`resource ${id} is of type ${r.getAttribute('type')}`);
        const kind = r.getAttributeNS(ns.adlcp, 'scormtype');
        if (kind !== 'sco' && kind !== 'asset') problems.push(`resource ${id} has adlcp:scormtype ${kind}`);
        const href = r.getAttribute('href');
        if (kind === 'sco' && !href) problems.push(`the SCO ${id} has no launch file`);
        if (href && !files.includes(href.replace(/[?#].*$/, ''))) problems.push(`resource ${id} launches ${href}, which the package lacks`);
        const listed = kids(r, 'file').map((f) => f.getAttribute('href'));
        if (!listed.length) problems.push(`resource ${id} lists no file`);
        for (const f of listed) if (!files.includes(f)) problems.push(`resource ${id} lists ${f}, which the package lacks`);
      }
      if (organizations) {
        const all = kids(organizations, 'organization');
        if (!all.length) problems.push('no organization');
        const chosen = organizations.getAttribute('default');
        if (!all.some((o) => o.getAttribute('identifier') === chosen)) problems.push(`the default organization ${chosen} is not there`);
        const ids = new Set();
        for (const o of all) {
          if (!one(o, 'title')?.textContent?.trim()) problems.push('an organization has no title');
          const items = Array.from(o.getElementsByTagNameNS(ns.imscp, 'item'));
          if (!items.length) problems.push('an organization has no item');
          for (const item of items) {
            const id = item.getAttribute('identifier');
            if (!isId(id) || ids.has(id)) problems.push(`an item's identifier ${id} is missing, not an ID or twice`);
            ids.add(id);
            if (!one(item, 'title')?.textContent?.trim()) problems.push(`item ${id} has no title`);
            const ref = item.getAttribute('identifierref');
            if (ref !== null && !resourceIds.has(ref)) problems.push(`item ${id} names resource ${ref}, which is not there`);
            if (ref === null && !kids(item, 'item').length) problems.push(`the leaf item ${id} names no resource`);
          }
        }
      }
      return problems;
    },
    { xml, files, ns: SCORM_NAMESPACES },
  );
}

/** A course platform's frame: a SCORM 1.2 API that records every call, its data starting as `data`. */
function stubPage(src, data) {
  return `<!doctype html>
<meta charset="utf-8">
<title>course platform</title>
<link rel="icon" href="data:,">
<script>
  const data = ${JSON.stringify(data)};
  window.calls = [];
  window.API = {
    LMSInitialize: (a) => (calls.push(['LMSInitialize', a]), 'true'),
    LMSFinish: (a) => (calls.push(['LMSFinish', a]), 'true'),
    LMSGetValue: (k) => (calls.push(['LMSGetValue', k]), data[k] ?? ''),
    LMSSetValue: (k, v) => {
      calls.push(['LMSSetValue', k, v]);
      data[k] = v;
      const n = /^cmi\\.interactions\\.(\\d+)\\.id$/.exec(k);
      if (n) data['cmi.interactions._count'] = String(Math.max(Number(data['cmi.interactions._count'] ?? 0), Number(n[1]) + 1));
      return 'true';
    },
    LMSCommit: (a) => (calls.push(['LMSCommit', a]), 'true'),
    LMSGetLastError: () => '0',
  };
  window.data = data;
</script>
<iframe src="${src}" style="width: 1280px; height: 800px; border: 0"></iframe>`;
}

export const tests = [
  {
    name: 'the one file opens from a disk with the network cut: no request leaves it, no console error, every activity gives the native labels',
    async run() {
      const stick = mkdtempSync(join(tmpdir(), 'fermat-lens-stick-'));
      const b = await openBrowser();
      try {
        const file = join(stick, 'fermat-lens.html');
        copyFileSync(distFile('fermat-lens.html'), file);
        await b.context.setOffline(true);
        const page = b.context.pages()[0] ?? (await b.context.newPage());
        const requests = [];
        page.on('request', (r) => {
          if (!/^(data|blob):/.test(r.url())) requests.push(r.url());
        });
        const problems = await watch(page);
        await page.goto(pathToFileURL(file).href);
        await waitReady(page);
        for (const k of [1, 2, 3, 4, 5]) await pressAndCompare(page, k, 'the one file');
        // A drag of the source, and the height bar by keys.
        const box = await page.locator('.form .marker.source').boundingBox();
        await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
        await page.mouse.down();
        await page.mouse.move(box.x + 40, box.y - 30, { steps: 4 });
        await page.mouse.up();
        await dismissMessages(page);
        await expectNativeLabels(page, 'the one file: after a drag');
        // A lesson from the menu.
        if (!(await page.locator('#lessons-menu').evaluate((d) => d.open))) await page.locator('#lessons-menu > summary').click();
        await page.locator('#lesson-list button').first().click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'the one file: a lesson');
        // The graphs (their code is inside the file).
        await page.locator('#toggle-graphs').click();
        await page.waitForFunction(() => document.querySelectorAll('#graphs canvas').length > 0, null, { timeout: 10000 });
        // A mirror and a medium, as their panels hand them to the lab.
        for (const [call, arg] of [['setMirror', 'concave,r=200'], ['setMedium', 'mirage']]) {
          await page.evaluate(([c, a]) => window.fermatLens.page.start(c, a), [call, arg]);
          await pressAndCompare(page, 1, `the one file: ${call} ${arg}`);
        }
        // The challenge answered.
        await chooseMenu(page, 'lessons-menu', 'challenge');
        await page.locator('#challenge-reveal').click();
        assert(await page.locator('#challenge-answer').isVisible(), 'the challenge shows no answer');
        // A picture exported.
        const png = await menuDownload(page, 'png1');
        assert(png.data.subarray(1, 4).toString() === 'PNG', 'the exported picture is no PNG');
        // A link to a lesson opens it from the file too.
        const fileUrl = pathToFileURL(file).href;
        await page.goto(`${fileUrl}#lesson=lifeguard`);
        await page.reload();
        await waitReady(page);
        const opened = (await pageCalls(page)).find((c) => c.call === 'openLesson');
        assert(opened?.args[0] === 'lifeguard', 'the link to a lesson did not open it');
        await expectNativeLabels(page, 'the one file: a link to a lesson');
        // Another language, from the catalogue inside the file.
        if (!(await page.locator('#language-menu').evaluate((d) => d.open))) await page.locator('#language-menu > summary').click();
        await page.locator('#language-list [data-language="de"]').click();
        await page.waitForFunction(() => document.documentElement.lang === 'de');
        const native = nativeRun(await clientSize(page), ['--lang', 'de', ...callsToActions(await pageCalls(page))]);
        const shown = await pageLabels(page);
        assert(JSON.stringify(shown) === JSON.stringify(native.labels), `in German the labels are ${JSON.stringify(shown)}, fermat-lab --lang de shows ${JSON.stringify(native.labels)}`);
        const away = requests.filter((u) => u.split('#')[0] !== fileUrl);
        assert(away.length === 0, `the one file asked for ${away.join(', ')}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
        rmSync(stick, { recursive: true, force: true });
      }
    },
  },
  {
    name: "the SCORM package: a valid SCORM 1.2 manifest; inside a course platform the page opens the launch data's lesson and records each answer; without the platform it works as ever",
    async run() {
      const root = mkdtempSync(join(tmpdir(), 'fermat-lens-scorm-'));
      const b = await openBrowser();
      let server = null;
      try {
        const zipped = distFile('fermat-lens-scorm.zip');
        const entries = Object.keys(unzip(zipped)).sort();
        assert(JSON.stringify(entries) === JSON.stringify(['fermat-lens.html', 'imsmanifest.xml']), `the package holds ${entries}`);
        unpack(zipped, join(root, 'package'));
        const inside = readFileSync(join(root, 'package', 'fermat-lens.html'));
        assert(inside.equals(readFileSync(distFile('fermat-lens.html'))), 'the package holds another page than dist/fermat-lens.html');
        server = await startServer(root);
        const page = b.context.pages()[0] ?? (await b.context.newPage());
        const manifest = readFileSync(join(root, 'package', 'imsmanifest.xml'), 'utf8');
        const problems = await manifestProblems(page, manifest, entries);
        assert(problems.length === 0, `the manifest: ${problems.join('; ')}`);
        // A package for one lesson names it both ways platforms read it.
        const forLesson = scormManifest({ version: 'v1', title: 'fermat-lens: <Lifeguard> & co', launch: 'fermat-lens.html', fragment: 'lesson=lifeguard' });
        const lessonProblems = await manifestProblems(page, forLesson, entries);
        assert(lessonProblems.length === 0, `a lesson's manifest: ${lessonProblems.join('; ')}`);
        assert(forLesson.includes('parameters="#lesson=lifeguard"') && forLesson.includes('<adlcp:datafromlms>lesson=lifeguard</adlcp:datafromlms>'), 'the lesson is not in the manifest');

        // Inside a course platform.
        writeFileSync(
          join(root, 'course.html'),
          stubPage('package/fermat-lens.html', { 'cmi.core.lesson_status': 'not attempted', 'cmi.launch_data': 'lesson=lifeguard', 'cmi.interactions._count': '0' }),
        );
        const problemsTop = await watch(page);
        await page.goto(server.url + 'course.html');
        const frame = page.frameLocator('iframe');
        const inner = page.frames().find((f) => f !== page.mainFrame());
        const frameProblems = [];
        page.on('console', (m) => {
          if (m.type() === 'error') frameProblems.push(m.text());
        });
        await waitReady(inner);
        const opened = (await pageCalls(inner)).find((c) => c.call === 'openLesson');
        assert(opened?.args[0] === 'lifeguard', `the launch data's lesson was not opened: ${JSON.stringify(await pageCalls(inner))}`);
        await expectNativeLabels(inner, 'the package with the launch data');
        const status = await page.evaluate(() => [window.calls[0], window.data['cmi.core.lesson_status']]);
        assert(status[0][0] === 'LMSInitialize' && status[1] === 'incomplete', `the platform was told ${JSON.stringify(status)}`);

        // Two answers: the least-time point by the L key (found), then 30 units of arc away.
        await chooseMenu(inner, 'lessons-menu', 'challenge');
        await frame.locator('#challenge .challenge-task').click();
        await page.keyboard.press('l');
        await frame.locator('#challenge-reveal').click();
        const first = await inner.evaluate(() => JSON.parse(window.fermatLens.lab.challenge()).revealed);
        assert(first.score?.hit === true && first.score.score === 100, `the least-time point scores ${JSON.stringify(first.score)}`);
        await frame.locator('#challenge-again').click();
        await frame.locator('#challenge .challenge-task').click();
        for (let k = 0; k < 3; ++k) await page.keyboard.press('Shift+BracketRight');
        await frame.locator('#challenge-reveal').click();
        const second = await inner.evaluate(() => JSON.parse(window.fermatLens.lab.challenge()).revealed);
        assert(second.score && !second.score.hit && second.score.score < 100, `30 units away scores ${JSON.stringify(second.score)}`);
        // The lab's score is the native program's.
        const line = nativeStdout(await clientSize(inner), ['--challenge', ...callsToActions(await pageCalls(inner))])
          .split('\n')
          .find((l) => l.startsWith('Score\t'));
        assert(line === `Score\t${second.score.score} of 100, not found`, `fermat-lab says ${line}, the page ${JSON.stringify(second.score)}`);
        const told = await page.evaluate(() => window.data);
        const expect = {
          'cmi.core.score.raw': '100',
          'cmi.core.score.min': '0',
          'cmi.core.score.max': '100',
          'cmi.core.lesson_status': 'passed',
          'cmi.interactions._count': '2',
          'cmi.interactions.0.result': 'correct',
          'cmi.interactions.0.type': 'numeric',
          'cmi.interactions.1.result': 'wrong',
          'cmi.interactions.1.student_response': second.distance.toFixed(2),
        };
        for (const [k, v] of Object.entries(expect)) assert(told[k] === v, `${k} is ${JSON.stringify(told[k])}, not ${JSON.stringify(v)}`);
        const suspended = JSON.parse(told['cmi.suspend_data']);
        assert(suspended.tries === second.tries && suspended.score === second.score.score && suspended.found === false, `suspend_data ${told['cmi.suspend_data']}`);
        // Leaving the activity finishes the session.
        await page.evaluate(() => document.querySelector('iframe').remove());
        const last = await page.evaluate(() => window.calls.map((c) => c[0]).slice(-2));
        assert(last.join() === 'LMSCommit,LMSFinish', `the session ends with ${last}`);
        assert(problemsTop.length === 0 && frameProblems.length === 0, [...problemsTop, ...frameProblems].join('\n'));

        // Without a platform: the page as it always is.
        const alone = await b.context.newPage();
        const aloneProblems = await watch(alone);
        await alone.goto(server.url + 'package/fermat-lens.html');
        await waitReady(alone);
        for (const k of [2, 5]) await pressAndCompare(alone, k, 'the package without a platform');
        await chooseMenu(alone, 'lessons-menu', 'challenge');
        await alone.locator('#challenge-reveal').click();
        assert(await alone.locator('#challenge-answer').isVisible(), 'without a platform the challenge shows no answer');
        assert(aloneProblems.length === 0, aloneProblems.join('\n'));
      } finally {
        await b.close();
        await server?.close();
        rmSync(root, { recursive: true, force: true });
      }
    },
  },
  {
    name: "the site's zip holds the built site, file for file, its worker's version naming its contents",
    async run() {
      const entries = unzip(distFile('fermat-lens-site.zip'));
      const names = Object.keys(entries).filter((n) => !n.endsWith('/')).sort();
      const builtSite = join(repo, 'build', 'web', 'site');
      const built = filesUnder(builtSite).map((p) => relative(builtSite, p).split(sep).join('/'));
      assert(JSON.stringify(names) === JSON.stringify(built), `the zip holds ${names.join(', ')}; the site ${built.join(', ')}`);
      for (const n of names) {
        assert(Buffer.from(entries[n]).equals(readFileSync(join(builtSite, n))), `${n} differs from the built site's`);
      }
      const worker = Buffer.from(entries['sw.js']).toString();
      assert(/const VERSION = '[0-9a-f]{16}'/.test(worker), 'the worker names no version');
    },
  },
];
