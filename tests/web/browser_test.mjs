// The page in a real browser: Debian's Chromium, headless and driven by puppeteer-core, plays the web build served from a local server, by keyboard, pad and touch,
// and the canvas is compared with the game's own pictures; how soon a visitor sees the game is printed; a copy served apart is kept
// by its service worker. Any error in the page's console fails it.
//   node tests/web/browser_test.mjs BUILD-WEB IMAGES [SCREENSHOT.png]
import assert from "node:assert/strict";
import fs from "node:fs";
import { execFileSync } from "node:child_process";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import { after, test } from "node:test";
import puppeteer from "puppeteer-core";

const [web, images, screenshot] = process.argv.slice(2);
const TYPES = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm", ".svg": "image/svg+xml", ".png": "image/png" };
// The page, the pictures to compare with under /ref/, and under /without/FOLDER/NAME/ the page
// whose package lacks that file, under /broken/FOLDER/NAME/ the page whose package holds it
// with its picture data garbled. Pages served from elsewhere fetch the pictures from here too.
const serve = (web) => (request, response) => {
    const [, kind, name, file] = request.url.match(/^(?:\/(without|broken)\/(\w+\/[\w.]+))?(\/[\w./-]*)/);
    fs.readFile(file.startsWith("/ref/") ? path.join(images, file.slice(5)) : path.join(web, file), (error, body) => {
        if (error) return response.writeHead(404).end();
        if (kind === "without" && file === "/skarvel.js") body = String(body).replace(`"/${name}"`, '"/left-out"');
        if (kind === "broken" && file === "/skarvel.data") {
            const [, start] = fs.readFileSync(path.join(web, "skarvel.js"), "utf8")
                .match(new RegExp(`"filename":"/${name}","start":(\\d+)`));
            const data = body.indexOf("IDAT", Number(start)) + 4;
            body.fill(0xff, data, data + body.readUInt32BE(data - 8));
        }
        response.writeHead(200, { "Content-Type": TYPES[path.extname(file)] ?? "application/octet-stream",
            "Access-Control-Allow-Origin": "*" }).end(body);
    });
};
const listen = (server, port = 0) => new Promise((ready) => server.listen(port, "127.0.0.1", ready)).then(() => server.address().port);
const server = http.createServer(serve(web)), home = `http://127.0.0.1:${await listen(server)}`;

const launching = { executablePath: "/usr/bin/chromium", pipe: true, headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
        "--disable-component-update", "--disable-sync"] };
const browser = await puppeteer.launch({ ...launching, defaultViewport: { width: 655, height: 700 } });
after(() => Promise.all([browser.close(), new Promise((done) => server.close(done))]));

// Runs in the page: the pictures to compare with, loaded at its start; how many pixels of the
// canvas differ from a picture's, its key colour left out; which of ten glyphs or 64 frames fits
// best; how many pixels have exactly one colour. Each reads the canvas once, as it is then.
function helpers(home) {
    const pictures = {}, range = (n) => [...Array(n).keys()];
    window.pictured = false;
    const frame = (n) => `ship${String(n + 1).padStart(4, "0")}.png`;
    window.loaded = Promise.all(["intro.png", "ready.png", "numbers.png", "paused.png", "demo.png", "bullet.png", ...range(64).map(frame)].map(async (name) => {
        const bitmap = await createImageBitmap(await (await fetch(`${home}/ref/${name}`)).blob());
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height).getContext("2d");
        canvas.drawImage(bitmap, 0, 0);
        pictures[name] = canvas.getImageData(0, 0, bitmap.width, bitmap.height);
    })).then(() => (window.pictured = true));
    const screen = (x = 0, y = 0, w = 640, h = 480) => Module.canvas.getContext("2d").getImageData(x, y, w, h).data;
    const differing = (shown, name, x, y, sx, sy, w, h, key = -1) => {
        const { data, width } = pictures[name];
        let count = 0;
        for (let j = 0; j < h; j++)
            for (let i = 0, p = ((sy + j) * width + sx) * 4, s = ((y + j) * 640 + x) * 4; i < w; i++, p += 4, s += 4)
                count += (data[p] << 16 | data[p + 1] << 8 | data[p + 2]) !== key
                    && [0, 1, 2].some((c) => data[p + c] !== shown[s + c]);
        return count;
    };
    const best = (misses) => misses.indexOf(Math.min(...misses));
    // The title: the intro and the ready picture wherever no key is written (the box's lines,
    // the strip's two lines), and the keys written, gold, the strip's words white, both with
    // their alpha (no black box round a glyph); 0 when it shows so.
    const count = (shown, r, g, b, x, y, w, h) => {
        let found = 0;
        for (let j = y; j < y + h; j++)
            for (let i = x, s = (j * 640 + x) * 4; i < x + w; i++, s += 4)
                found += shown[s] === r && shown[s + 1] === g && shown[s + 2] === b;
        return found;
    };
    const box = [113, 196, 414, 136], lines = [0, 348, 640, 104];
    window.title = (shown = screen()) =>
        differing(shown, "intro.png", 0, 0, 0, 0, 640, 196) + differing(shown, "intro.png", 0, 196, 0, 196, 113, 144)
        + differing(shown, "intro.png", 527, 196, 527, 196, 113, 144) + differing(shown, "intro.png", 113, 332, 113, 332, 414, 8)
        + differing(shown, "ready.png", 0, 340, 0, 0, 640, 8) + differing(shown, "ready.png", 0, 452, 0, 112, 640, 28)
        + (count(shown, 255, 204, 64, ...box) > 1000 && count(shown, 238, 248, 255, ...lines) > 2000
            && count(shown, 255, 204, 64, ...lines) > 500 && count(shown, 0, 0, 0, ...box) + count(shown, 0, 0, 0, ...lines) === 0 ? 0 : 1);
    window.number = (y, shown = screen()) => range(3).map((cell) => best(range(10)
        .map((digit) => differing(shown, "numbers.png", 17 * cell, y, 17 * digit, 0, 17, 32, 0xff00ff)))).join("");
    window.shipFrame = (shown = screen()) =>
        1 + best(range(64).map((n) => differing(shown, frame(n), 304, 224, 0, 0, 32, 32, 0)));
    // The ship frames shown, each where it changed, until it has changed the given number of times.
    window.turns = async (changes) => {
        const seen = [shipFrame()];
        while (seen.length <= changes) {
            await new Promise(requestAnimationFrame);
            if (shipFrame() !== seen.at(-1)) seen.push(shipFrame());
        }
        return seen;
    };
    // Whether a plate shows whole at its place; how many bullets show whole.
    window.shows = (name, x, y) => differing(screen(), name, x, y, 0, 0, pictures[name].width, pictures[name].height, 0xff00ff) === 0;
    window.bullets = (shown = screen()) => range(634 * 474).filter((at) => !differing(shown, "bullet.png", at % 634, at / 634 | 0, 0, 0, 6, 6, 0xff00ff)).length;
    window.pixels = (r, g, b, ...area) => screen(...area)
        .filter((red, i, all) => i % 4 === 0 && red === r && all[i + 1] === g && all[i + 2] === b).length;
}

async function open(url, phone, context = browser) {
    const page = await context.newPage();
    if (phone) await page.emulate({ viewport: { ...phone, isMobile: true, hasTouch: true }, userAgent: await browser.userAgent() });
    page.errors = [];
    page.logs = [];
    page.on("console", (message) => (message.type() === "error" ? page.errors : page.logs).push(message.text()));
    page.on("pageerror", (error) => page.errors.push(error.message));
    await page.evaluateOnNewDocument(helpers, home);
    await page.goto(url.startsWith("/") ? home + url : url);
    // Evaluated once the pictures are in.
    page.value = (expression) => page.evaluate(`loaded.then(() => ${expression})`);
    // Checked at every animation frame, the page's own pace, until it holds.
    page.until = (expression, what, timeout = 20000) => page.waitForFunction(`pictured && (${expression})`, { polling: "raf", timeout })
        .catch(async () => assert.fail(`${what} did not happen in ${timeout / 1000} s; the page says "${await page.value("news.textContent")}"`));
    // The page's own last word in the console: every message before it has arrived too.
    page.ended = (status) => new Promise((done) => {
        const check = () => page.logs.includes(`Skarvel ended with status ${status}`) && done();
        check();
        page.on("console", check);
    });
    return page;
}
// The ship's frames while it turns, each step less than half a turn the other way.
async function turnsLeft(page, what) {
    const frames = await page.value("turns(5)");
    assert.ok(frames.slice(1).every((frame, i) => (frame - frames[i] + 64) % 64 < 32), `${what}: ${frames}`);
}

// The first kept demo, played to its end on the title screen, unfolds into the world the
// desktop's game makes of it, digest for digest: the same dice, the same maths, the same bits.
test("a demo on the title screen unfolds as on the desktop, a game from it to the end of the program", { timeout: 200000 }, async () => {
    const page = await open("/index.html?digest");
    await page.until("title() === 0", "the title screen");
    assert.equal(await page.$eval("#stick", (stick) => getComputedStyle(stick).display), "none", "no touch controls on a desktop");
    await page.until('shows("demo.png", 260, 8) && title() > 0', "a demo after 20 s on the title screen", 60000);
    const desktop = fs.readFileSync(new URL("../demos/calm.digest", import.meta.url), "utf8").trim().split("\n");
    const digests = () => page.logs.filter((line) => /^(frame|end) \d+: /.test(line));
    for (let waited = 0; !digests().some((line) => line.startsWith("end ")) && waited < 60000; waited += 250)
        await new Promise((done) => setTimeout(done, 250));
    assert.deepEqual(digests(), desktop, "the page's digests of the calm demo against the desktop's");
    await page.until('shows("demo.png", 260, 8)', "the next demo, 20 s after the first", 45000);
    await page.keyboard.press("Space");
    await page.until("title() === 0", "the title screen after a key ended the demo");
    await page.keyboard.press("Space");
    await page.until('number(32) === "199"', "a game with 199 enemies counted");
    assert.equal(await page.value("pixels(0, 255, 0, 636, 380, 4, 100)"), 400, "a full energy bar at the right edge");
    await page.keyboard.down("ArrowLeft");
    await page.keyboard.down("Space");
    await turnsLeft(page, "the ship turns counter-clockwise");
    assert.equal(await page.value("pixels(255, 0, 255)"), 0, "no magenta boxes around sprites");
    assert.equal(await page.value("pixels(0, 0, 0)"), 0, "no black boxes around sprites");
    await page.until('number(0) !== "000"', "the frame rate counted");
    console.log(`frame rate the game shows in headless Chromium: ${await page.value("number(0)")}`);
    if (screenshot) await page.screenshot({ path: screenshot });
    await page.keyboard.up("ArrowLeft");
    await page.keyboard.up("Space");
    await page.keyboard.press("Escape");
    await page.until("title() === 0", "the title screen after the game");
    await page.keyboard.press("Escape");
    await page.ended(0);
    assert.deepEqual(page.errors, [], "no errors in the console");
});

for (const [kind, file, line] of [["without", "sounds/impact3.wav", "progdir:sounds/impact3.wav: Couldn't open /sounds/impact3.wav"],
    ["without", "images/ship0033.png", "ship frame 33: Couldn't open /images/ship0033.png"],
    ["broken", "images/ship0033.png", "ship frame 33: /images/ship0033.png cannot be decoded (bad zlib header)"]])
    test(`${kind} ${file} the page says why in one line and stops`, { timeout: 60000 }, async () => {
        const page = await open(`/${kind}/${file}/index.html`);
        await page.ended(1);
        assert.deepEqual(page.errors, [`failed to load ${line} Skarvel has stopped.`]);
        assert.equal(await page.value("news.textContent"), `failed to load ${line} Skarvel has stopped.`);
    });

test("a warning leaves the game playing, and a pad connected after the page loaded plays by its standard layout, pulled out pauses", { timeout: 60000 }, async () => {
    const page = await open("/index.html?noattract&-scale+9");
    await page.until("title() === 0", "the title screen");
    assert.equal(await page.value("news.textContent"), "ignoring -scale 9: the scale is 1 to 8, whole or with one decimal");
    // A browser lists a pad only once a button is pressed. The game's SDL reads it through
    // navigator.getGamepads, and its axes once it has opened it. In the browser's standard
    // mapping Start is button 9 (8 is Back, 6 and 7 the triggers) and the d-pad is 12 to 15.
    await page.evaluate(() => {
        const axes = [0, 0, 0, 0];
        window.pad = { id: "pad", index: 0, connected: true, mapping: "standard", timestamp: 0, opened: false,
            get axes() { return (this.opened = true) && axes; }, buttons: [...Array(17)].map(() => ({ pressed: false })) };
        window.padLooks = 0;
        navigator.getGamepads = () => (padLooks++, [pad]);
        dispatchEvent(new Event("gamepadconnected"));
    });
    await page.until("pad.opened", "the pad opened");
    // A button pressed, or let go, until the game has looked at the pad twice since: the pad
    // is looked at, not heard, and a press let go between two looks goes unseen.
    const button = async (number, pressed) => {
        const looks = await page.evaluate((n, down) => (pad.buttons[n] = { pressed: down }) && padLooks, number, pressed);
        await page.until(`padLooks >= ${looks + 2}`, `the game looking at the pad's button ${number}`);
    };
    await button(7, true);  // the right trigger starts nothing
    await button(7, false);
    await page.until("title() === 0", "the title screen still, after the right trigger");
    await button(3, true);  // y opens the controls screen, which a trigger, being no b, leaves open
    await button(3, false);
    await page.until("title() !== 0", "the controls screen opened by y");
    await button(6, true);
    await button(6, false);
    assert.notEqual(await page.evaluate(() => title()), 0, "the controls screen still, after the left trigger");
    await button(1, true);
    await button(1, false);
    await page.until("title() === 0", "the title screen again after b");
    await button(9, true);
    await page.until("number(32) === '199'", "a game started by Start");
    await button(9, false);
    await button(9, true);
    await page.until('shows("paused.png", 180, 204)', "the PAUSED plate after Start in play");
    await button(9, false);
    await button(9, true);
    await page.until('!shows("paused.png", 180, 204)', "play again after Start");
    await button(9, false);
    await button(14, true);
    await turnsLeft(page, "the d-pad's left turns the ship left");
    await button(14, false);
    await page.evaluate(() => (navigator.getGamepads = () => [null]));
    await page.until('shows("paused.png", 180, 204)', "the PAUSED plate once the pad is gone");
    assert.deepEqual(page.errors, [], "no errors in the console");
});

// The controls screen on the page, and what it saves kept in the browser's storage: F bound to
// fire there, then the page reloaded, and a game fires with F. A browsing context of its own,
// so that no other page meets the binding.
test("a key bound on the controls screen is kept across a reload", { timeout: 90000 }, async () => {
    const context = await browser.createBrowserContext();
    let page = await open("/index.html?noattract", undefined, context);
    await page.until("title() === 0", "the title screen");
    for (const key of ["KeyC", "ArrowDown", "ArrowDown", "ArrowDown", "ArrowDown", "Enter", "KeyF"])
        await page.keyboard.press(key, { delay: 60 });
    await page.until("Module.filesKeptTimes > 0", "the settings kept in the browser's storage");
    await page.keyboard.press("Escape", { delay: 60 });
    await page.until("title() === 0", "the title screen again");
    await page.close();
    page = await open("/index.html?noattract", undefined, context);
    await page.until("title() === 0", "the title screen, reloaded");
    await page.keyboard.press("Space");
    await page.until('number(32) === "199"', "a game");
    await page.keyboard.down("KeyF");
    await page.until("bullets() > 0", "bullets fired with F");
    await page.keyboard.up("KeyF");
    assert.deepEqual(page.errors, [], "no errors in the console");
    await context.close();
});

// A phone's screen in landscape and in portrait, its thumbs on the page's controls.
for (const phone of [{ width: 844, height: 390 }, { width: 390, height: 844 }])
    test(`a game by touch on a ${phone.width} x ${phone.height} phone`, { timeout: 90000 }, async () => {
        const page = await open("/index.html?noattract", phone);
        const at = (selector, across = 0.5) => page.$eval(selector, (control, across) => {
            const box = control.getBoundingClientRect();
            return [box.left + box.width * across, box.top + box.height / 2];
        }, across);
        const shown = () => page.$$eval("#tap, #stick, #keys, [data-key=leave]", (all) => all.map((one) => one.checkVisibility({ visibilityProperty: true })));
        await page.until("title() === 0", "the title screen");
        assert.deepEqual(await shown(), [true, true, true, false], "Tap to start and the controls show on the title, leave does not");
        assert.deepEqual(await page.evaluate(() => {
            const screen = canvas.getBoundingClientRect(), over = (box) => box.left < screen.right && box.right > screen.left
                && box.top < screen.bottom && box.bottom > screen.top;
            return [Math.max(screen.width / innerWidth, screen.height / innerHeight),
                [...document.querySelectorAll(".touch-only")].filter((control) => over(control.getBoundingClientRect())).length];
        }), [1, 0], "the screen fills the width or the height, no control over it");
        await page.touchscreen.tap(...await at("#canvas"));
        await page.until('number(32) === "199"', "a game with 199 enemies started by a tap");
        assert.deepEqual(await shown(), [false, true, true, true], "no Tap to start in play, the leave button");
        const left = await page.touchscreen.touchStart(...await at("#stick", 0.1));
        const fire = await page.touchscreen.touchStart(...await at("[data-key=fire]"));
        await turnsLeft(page, "the left control turns the ship counter-clockwise");
        await page.until("bullets() > 0", "bullets fired while the ship turns");
        if (screenshot) await page.screenshot({ path: screenshot.replace(/(\.png)?$/, `-touch-${phone.width}x${phone.height}.png`) });
        await Promise.all([left.end(), fire.end()]);
        await page.touchscreen.tap(...await at("[data-key=pause]"));
        await page.until('shows("paused.png", 180, 204)', "the PAUSED plate");
        await page.touchscreen.tap(...await at("[data-key=leave]"));
        await page.until("title() === 0", "the title screen after leaving");
        assert.deepEqual(page.errors, [], "no errors in the console");
    });

// How soon a visitor sees the game, as a phone's would: from the start of the navigation, at full speed and with the
// processor four times slower (about a mid-range phone), on a first visit in a new browser profile and reloaded from the
// service worker's copy. The first sight is the first animation frame at which a canvas or picture of the page shows the
// intro's logo rows, the title ready the first at which the canvas shows them and the ready strip with the game's
// words on it, both within what a 16-bit screen rounds. The figures are printed (SKARVEL_WEB_RUNS visits of each kind, their medians), never held to a
// time: what is held is that the first picture the page shows is the game's own, shown on until the title.
const LOGO = [50, 60, 70, 80, 90, 100, 110, 120, 130], READY = [380, 390, 400];
function sightWatch(rows) {
    const looked = new OffscreenCanvas(640, 12).getContext("2d", { willReadFrequently: true });
    const fits = (data, from, expected) => expected.every((_, i) => Math.abs(data[from + i] - expected[i]) < 8 || i % 4 === 3);
    const sight = window.sight = { first: null, title: null, firstShown: null, gap: false };
    const frame = () => {
        let logo = false, title = false;
        for (const element of document.querySelectorAll("canvas, img")) {
            if (!element.checkVisibility() || element.tagName === "IMG" && !(element.complete && element.naturalWidth)) continue;
            looked.clearRect(0, 0, 640, 12);
            [...rows.logoAt, ...rows.readyAt].forEach((y, i) => looked.drawImage(element, 0, y, 640, 1, 0, i, 640, 1));
            const data = looked.getImageData(0, 0, 640, 12).data, shown = data.subarray(0, 2560 * 9).some((value, i) => i % 4 !== 3 && value);
            const itsLogo = fits(data, 0, rows.logo), ready = fits(data, 2560 * 9, rows.ready);
            sight.firstShown ??= shown ? itsLogo : null;
            logo ||= itsLogo;
            title ||= element.id === "canvas" && itsLogo && ready;
        }
        const now = Math.round(performance.now());
        if (logo) sight.first ??= now;
        else if (sight.first !== null) sight.gap = true;
        if (title) sight.title = now;
        else requestAnimationFrame(frame);
    };
    requestAnimationFrame(frame);
}
test("the game's own picture first, and how soon the page shows it and the title", { timeout: 600000 }, async () => {
    // The logo's rows as the intro picture holds them; the ready strip's, with the words the
    // game writes on it, as the game shows them once its title is up.
    const reference = await open("/index.html?noattract");
    await reference.until("title() === 0", "the title screen to read its rows from");
    const rows = await reference.evaluate(async (LOGO, READY) => {
        const bitmap = await createImageBitmap(await (await fetch("/ref/intro.png")).blob());
        const intro = new OffscreenCanvas(640, bitmap.height).getContext("2d");
        intro.drawImage(bitmap, 0, 0);
        const screen = Module.canvas.getContext("2d");
        const row = (canvas, y) => [...canvas.getImageData(0, y, 640, 1).data];
        return { logoAt: LOGO, readyAt: READY, logo: LOGO.flatMap((y) => row(intro, y)), ready: READY.flatMap((y) => row(screen, y)) };
    }, LOGO, READY);
    await reference.close();
    const runs = Number(process.env.SKARVEL_WEB_RUNS ?? 1), figures = {};
    for (let run = 0; run < runs; run++)
        for (const slower of [1, 4]) {
            const visitor = await puppeteer.launch({ ...launching, defaultViewport: { width: 655, height: 700 } });
            try {
                const page = await visitor.newPage();
                await (await page.createCDPSession()).send("Emulation.setCPUThrottlingRate", { rate: slower });
                await page.evaluateOnNewDocument(sightWatch, rows);
                const errors = [];
                page.on("pageerror", (error) => errors.push(error.message));
                page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
                const seen = async (visit) => {
                    await page.waitForFunction("sight.title !== null", { polling: 100, timeout: 60000 });
                    const { first, title, firstShown, gap, bytes } = await page.evaluate(() => ({ ...sight,
                        bytes: [performance.getEntriesByType("navigation")[0], ...performance.getEntriesByType("resource")]
                            .filter((entry) => entry.responseEnd <= sight.first).reduce((sum, entry) => sum + entry.transferSize, 0) }));
                    assert.equal(firstShown, true, `${visit}: the first picture shown is the intro's logo`);
                    assert.equal(gap, false, `${visit}: the game's picture shown on until the title`);
                    (figures[`${slower} ${visit}`] ??= []).push([bytes, first, title]);
                };
                await page.goto(`${home}/index.html?noattract`);
                await seen("first visit");
                await page.waitForFunction(() => navigator.serviceWorker.getRegistration().then((kept) => kept?.active?.state === "activated"));
                await page.reload();
                await seen("reload");
                assert.deepEqual(errors, [], "no errors in the page");
            } finally {
                await visitor.close();
            }
        }
    const median = (values) => values.sort((a, b) => a - b)[(values.length - 1) >> 1];
    console.log(`first sight and title ready (ms from the navigation; median of ${runs}; load ${os.loadavg().map((load) => load.toFixed(2)).join(" ")}):`);
    for (const [kind, seen] of Object.entries(figures)) {
        const [bytes, first, title] = [0, 1, 2].map((i) => median(seen.map((figure) => figure[i])));
        console.log(`  ${kind.replace(/^1 /, "full speed, ").replace(/^4 /, "4x slower, ").padEnd(24)} ${String(Math.round(bytes / 1024)).padStart(5)} KB before the first picture, first picture ${first} ms, title ready ${title} ms`);
    }
});

test("installable, kept to play offline, and a new build kept whole in its place", { timeout: 120000 }, async () => {
    const copy = fs.mkdtempSync(path.join(os.tmpdir(), "skarvel-page-"));
    after(() => fs.rmSync(copy, { recursive: true, force: true }));
    fs.cpSync(web, copy, { recursive: true, filter: (file) => !file.includes("CMakeFiles") });
    const kept = http.createServer(serve(copy)), port = await listen(kept);
    const page = await open(`http://127.0.0.1:${port}/index.html?noattract`);
    await page.until("title() === 0", "the title screen on a first visit");
    await page.waitForFunction(() => navigator.serviceWorker.getRegistration().then((kept) => kept?.active?.state === "activated"));
    const client = await page.createCDPSession();
    assert.deepEqual((await client.send("Page.getInstallabilityErrors")).installabilityErrors, [], "Chromium would install it");
    await page.reload();
    await page.until("title() === 0", "the title screen reloaded");
    kept.closeAllConnections();
    await new Promise((done) => kept.close(done));
    await page.reload();
    await page.until("title() === 0", "the title screen reloaded with the server gone");
    await page.keyboard.press("Space");
    await page.until('number(32) === "199"', "a game started offline");
    // A new build: only the step that names the cache runs on the changed copy.
    fs.writeFileSync(path.join(copy, "index.html"), fs.readFileSync(path.join(copy, "index.html"), "utf8").replace("Tap to start<", "Tap to start anew<"));
    execFileSync("node", [path.join(import.meta.dirname, "../../web/cachename.mjs"), copy]);
    const [, name] = fs.readFileSync(path.join(copy, "sw.js"), "utf8").match(/"(skarvel-\w+)"/);
    await listen(kept, port);
    after(() => new Promise((done) => kept.close(done)));
    await page.reload();
    const tap = () => page.$eval("#tap", (tap) => tap.textContent);
    assert.equal(await tap(), "Tap to start", "the visit after a new build still plays the build it had");
    await page.waitForFunction((name) => caches.keys().then((names) => names.join() === name), {}, name);
    await page.reload();
    await page.until("title() === 0", "the title screen of the new build");
    assert.equal(await tap(), "Tap to start anew", "the next visit plays the new build");
    assert.deepEqual(page.errors, [], "no errors in the console");
});
