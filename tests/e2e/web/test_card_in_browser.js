// SPDX-License-Identifier: MIT
// The web card end to end in Debian's Chromium, headless, on Playwright's fake clock (the
// 80-second show in seconds): xmascard.html copied alone into an empty folder and opened
// from file://, on a desktop (1280 x 800, mouse) and a phone (390 x 844, touch).
//
// Usage: node test_card_in_browser.js XMASCARD_HTML ARTIFACT_DIR
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const { pathToFileURL } = require('url');
const { chromium } = require(path.join(__dirname, '../../../tools/web/node_modules/playwright-core'));

const [html, artifacts] = process.argv.slice(2);
fs.mkdirSync(artifacts, { recursive: true });
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'xmascard-web-'));
fs.copyFileSync(html, path.join(folder, 'xmascard.html'));
const address = pathToFileURL(path.join(folder, 'xmascard.html')).href + '#to=Anna&from=Tom%C3%A9';
const BACKGROUND = [16, 36, 62];  // the page's colour

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
}

// The colour of a screenshot's pixel, through ImageMagick.
function pixel(png, x, y) {
  const text = execFileSync('convert', [png, '-crop', `1x1+${Math.round(x)}+${Math.round(y)}`,
                                        '-depth', '8', 'txt:-']).toString();
  const m = /\((\d+),(\d+),(\d+)/.exec(text.split('\n')[1]);
  return m ? [Number(m[1]), Number(m[2]), Number(m[3])] : null;
}
const same = (a, b) => a && a.every((v, i) => Math.abs(v - b[i]) <= 2);

class Card {
  static async open(browser, options, url = address) {
    const context = await browser.newContext(options);
    const page = await context.newPage();
    const card = new Card(context, page);
    page.on('console', m => card.console.push(m.text()));
    page.on('pageerror', e => card.console.push('page error: ' + e.message));
    await page.clock.install();
    await page.goto(url);
    await page.waitForFunction(() => document.querySelector('#card') ||
        getComputedStyle(document.getElementById('gate')).display !== 'none', null, { polling: 50 });
    card.gated = await page.evaluate(() => !document.querySelector('#card'));
    if (card.gated) {
      const line = await page.textContent('#gate');
      check(/Click to open your card/.test(line), 'the closed card asks for a click');
      if (options.hasTouch) await page.tap('#gate'); else await page.click('#gate');
      await page.waitForSelector('#card [data-form]', { state: 'attached' });
    }
    return card;
  }
  constructor(context, page) {
    Object.assign(this, { context, page, console: [], time: 0 });
  }
  // Lets the show run to `seconds` on its clock.
  async at(seconds) {
    const step = Math.round((seconds - this.time) * 1000);
    if (step > 0) await this.page.clock.runFor(step);
    this.time = Math.max(this.time, seconds);
  }
  // The windows that show, by their forms' names, in page pixels.
  async windows() {
    return this.page.evaluate(() => Object.fromEntries(
      [...document.querySelectorAll('#card > div')]
        .filter(d => d.style.display === 'block')
        .map(d => { const r = d.getBoundingClientRect();
                    return [d.dataset.form, { x: r.left, y: r.top, w: r.width, h: r.height }]; })));
  }
  async scale() { return this.page.evaluate(() => document.getElementById('card').getBoundingClientRect().width / document.getElementById('card').offsetWidth); }
  async shot(name) {
    const file = path.join(artifacts, name + '.png');
    await this.page.screenshot({ path: file });
    return file;
  }
  // Presses at a point of a window given in its own (unscaled) pixels.
  async point(form, x, y) {
    const w = (await this.windows())[form];
    const s = await this.scale();
    return w ? [w.x + x * s, w.y + y * s] : null;
  }
  async ended() {
    return this.page.evaluate(() => ({
      ended: !!document.getElementById('ended'),
      again: (document.querySelector('#ended button') || {}).textContent,
      left: document.querySelectorAll('canvas, input, #card').length }));
  }
}

async function desktop(browser) {
  const card = await Card.open(browser, { viewport: { width: 1280, height: 800 } });
  await card.at(3);
  let shot = await card.shot('desktop-03s-tree');
  const tree = (await card.windows()).FormTree;
  check(tree && Math.abs(tree.x + tree.w / 2 - 640) <= 1 && Math.abs(tree.y + tree.h / 2 - 400) <= 1,
        `the tree is centred (${JSON.stringify(tree)})`);
  // Cut to its outline: the page shows in the box's corners, the tree in its middle and star.
  for (const [fx, fy] of [[2, 2], [tree.w - 3, 2], [2, tree.h * 0.45], [tree.w - 3, tree.h * 0.45]])
    check(same(pixel(shot, tree.x + fx, tree.y + fy), BACKGROUND), `the page shows at (${fx | 0}, ${fy | 0}) of the tree's box`);
  for (const [fx, fy] of [[tree.w / 2, tree.h * 0.5], [tree.w / 2, 20]])
    check(!same(pixel(shot, tree.x + fx, tree.y + fy), BACKGROUND), `the tree shows at (${fx | 0}, ${fy | 0})`);

  // The question mark opens the bubble; its link opens a new tab.
  await card.at(5);
  await card.page.mouse.click(...await card.point('FormTree', 89, 387));
  await card.at(5.5);
  check(!!(await card.windows()).Form5, 'the question mark shows the bubble');
  await card.shot('desktop-05s-bubble');
  const tab = card.context.waitForEvent('page', { timeout: 5000 }).catch(() => null);
  await card.page.mouse.click(...await card.point('Form5', 122, 42));
  const opened = await tab;
  check(!!opened, `the bubble's link opens a new tab (${opened && opened.url()})`);
  if (opened) await opened.close();
  await card.page.mouse.click(...await card.point('FormTree', 89, 387));

  // The card comes down from wholly above the top edge.
  let first = null;
  for (let t = 30; t <= 48 && !first; t += 0.25) {
    await card.at(t);
    const c = (await card.windows()).Form2;
    if (c) first = { t, ...c };
  }
  check(first && first.y + first.h <= 0, `the card comes in from above the page (${JSON.stringify(first)})`);
  await card.at(45);
  await card.shot('desktop-45s-card');

  // The cherub is dragged where the pointer takes it, while the open card stands.
  await card.at(60);
  const before = (await card.windows()).Form3;
  if (before) {
    const [x, y] = [before.x + before.w / 2, before.y + before.h * 0.6];
    await card.page.mouse.move(x, y);
    await card.page.mouse.down();
    for (let i = 1; i <= 5; ++i) await card.page.mouse.move(x - 12 * i, y + 8 * i);
    await card.page.mouse.up();
    const after = (await card.windows()).Form3;
    check(after && Math.abs(after.x - (before.x - 60)) <= 2 && Math.abs(after.y - (before.y + 40)) <= 2,
          `the cherub follows a drag (${JSON.stringify(before)} -> ${JSON.stringify(after)})`);
  } else {
    check(false, 'the cherub shows at 60 s');
  }

  // The names inside the open card.
  await card.at(70);
  shot = await card.shot('desktop-70s-names');
  const names = await card.page.evaluate(() => [...document.querySelectorAll('#card input')]
    .filter(i => i.offsetParent && getComputedStyle(i).display !== 'none').map(i => i.value));
  check(names.includes('Anna') && names.includes('Tomé'), `the names show on the open card (${names})`);
  // Typed names pass the card's rule: a name too long is refused and the box shows the
  // one it had; another is taken.
  const index = await card.page.evaluate(() =>
    [...document.querySelectorAll('#card input')].findIndex(i => i.value === 'Anna'));
  const receiver = card.page.locator('#card input').nth(index);
  await receiver.fill('Anna' + 'x'.repeat(45));
  check(await receiver.inputValue() === 'Anna', 'a typed name too long is refused');
  await receiver.fill('Anna Maria');
  await card.at(70.5);
  check(await receiver.inputValue() === 'Anna Maria', 'a typed name is taken');

  await card.at(95);
  await card.shot('desktop-95s-end');
  const end = await card.ended();
  check(end.ended && end.again === 'Play again' && end.left === 0,
        `nothing of the card is left after its end (${JSON.stringify(end)})`);
  const peaks = await card.page.evaluate(() => xmascardPage.soundPeaks);
  if (peaks.length) check(Math.max(...peaks.slice(28, 40).map(p => p || 0)) > 0.05, 'the show sounds');
  console.log(card.console.join('\n'));
  await card.context.close();
}

// A finger drags the cherub: touch events as a phone's screen sends them.
async function touchDragCherub(card) {
  const before = (await card.windows()).Form3;
  if (!before) return check(false, 'the cherub shows at 60 s on the phone');
  const cdp = await card.context.newCDPSession(card.page);
  const [x, y] = [before.x + before.w / 2, before.y + before.h * 0.6];
  const touch = (type, dx, dy) => cdp.send('Input.dispatchTouchEvent', {
    type, touchPoints: type === 'touchEnd' ? [] : [{ x: x + dx, y: y + dy }] });
  await touch('touchStart', 0, 0);
  for (let i = 1; i <= 5; ++i) await touch('touchMove', -6 * i, 10 * i);
  await touch('touchEnd', 0, 0);
  const after = (await card.windows()).Form3;
  check(after && Math.abs(after.x - (before.x - 30)) <= 2 && Math.abs(after.y - (before.y + 50)) <= 2,
        `a finger drags the cherub (${JSON.stringify(before)} -> ${JSON.stringify(after)})`);
}

async function phone(browser) {
  const card = await Card.open(browser, { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true });
  let outside = [];
  for (let t = 1; t <= 80; t += 1) {
    await card.at(t);
    for (const [form, r] of Object.entries(await card.windows()))
      if (r.x < -0.5 || r.y < -0.5 || r.x + r.w > 390.5 || r.y + r.h > 844.5) {
        // The card and the cherub come down over the top edge, and the cherub leaves so.
        const crossingTop = r.x >= -0.5 && r.x + r.w <= 390.5 && r.y + r.h <= 844.5 &&
                            ['Form2', 'Form3'].includes(form) && (t < 48 || t > 64);
        if (!crossingTop) outside.push(`${form} at ${t} s: ${JSON.stringify(r)}`);
      }
    if (t === 5) {
      await card.page.touchscreen.tap(...await card.point('FormTree', 89, 387));
      await card.at(5.5);
      check(!!(await card.windows()).Form5, 'a tap on the question mark shows the bubble');
      await card.shot('phone-05s-bubble');
      await card.page.touchscreen.tap(...await card.point('FormTree', 89, 387));
    }
    if (t === 60) await touchDragCherub(card);
    if (t === 70) await card.shot('phone-70s-names');
  }
  check(outside.length === 0, `every window shows whole on the phone ${outside.slice(0, 3).join('; ')}`);
  await card.context.close();
}

// From a static web server (here one of node's own), the plug ends the card.
async function plug(browser) {
  const server = http.createServer((request, response) => {
    response.writeHead(200, { 'Content-Type': 'text/html' });
    fs.createReadStream(path.join(folder, 'xmascard.html')).pipe(response);
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/xmascard.html#to=Anna`;
  const card = await Card.open(browser, { viewport: { width: 1024, height: 700 } }, url);
  await card.at(8);
  await card.page.mouse.click(...await card.point('FormTree', 169, 387));
  await card.at(9);
  const end = await card.ended();
  check(end.ended && end.left === 0, `the plug ends the card (${JSON.stringify(end)})`);
  await card.shot('plug-end');
  await card.context.close();
  server.close();
}

(async () => {
  const size = fs.statSync(html).size;
  check(size <= 6 * 1024 * 1024, `the page is one file of at most 6 MB (${(size / 1048576).toFixed(2)} MB)`);
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'] });
  try {
    for (const run of [desktop, phone, plug]) {
      const started = Date.now();
      await run(browser);
      console.log(`(${run.name}: ${((Date.now() - started) / 1000).toFixed(1)} s)`);
    }
  } finally {
    await browser.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
  console.log(failures ? `${failures} check(s) failed` : 'all checks passed');
  process.exit(failures ? 1 : 0);
})().catch(e => { console.error(e); process.exit(1); });
