// The page in a real browser: Debian's Chromium, headless and driven by puppeteer-core, plays the web build served from a local server, and the canvas is compared with the
// game's own pictures. Any error in the page's console fails it.
//   node tests/web/browser_test.mjs BUILD-WEB IMAGES [SCREENSHOT.png]
import assert from "node:assert/strict";
import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import { after, test } from "node:test";
import puppeteer from "puppeteer-core";

const [web, images, screenshot] = process.argv.slice(2);
const TYPES = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm" };
// The page, the pictures to compare with under /ref/, and under /without/FOLDER/NAME/ the page
// whose package lacks that file, under /broken/FOLDER/NAME/ the page whose package holds it
// with its picture data garbled.
const server = http.createServer((request, response) => {
    const [, kind, name, file] = request.url.match(/^(?:\/(without|broken)\/(\w+\/[\w.]+))?(\/[\w./]*)/);
    fs.readFile(file.startsWith("/ref/") ? path.join(images, file.slice(5)) : path.join(web, file), (error, body) => {
        if (error) return response.writeHead(404).end();
        if (kind === "without" && file === "/skarvel.js") body = String(body).replace(`"/${name}"`, '"/left-out"');
        if (kind === "broken" && file === "/skarvel.data") {
            const [, start] = fs.readFileSync(path.join(web, "skarvel.js"), "utf8")
                .match(new RegExp(`"filename":"/${name}","start":(\\d+)`));
            const data = body.indexOf("IDAT", Number(start)) + 4;
            body.fill(0xff, data, data + body.readUInt32BE(data - 8));
        }
        response.writeHead(200, { "Content-Type": TYPES[path.extname(file)] ?? "application/octet-stream" }).end(body);
    });
});
await new Promise((ready) => server.listen(0, "127.0.0.1", ready));

const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", pipe: true, headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
        "--disable-component-update", "--disable-sync"], defaultViewport: { width: 655, height: 700 } });
after(() => Promise.all([browser.close(), new Promise((done) => server.close(done))]));

// Runs in the page: the pictures to compare with, loaded at its start; how many pixels of the
// canvas differ from a picture's, its key colour left out; which of ten glyphs or 64 frames fits
// best; how many pixels have exactly one colour. Each reads the canvas once, as it is then.
function helpers() {
    const pictures = {}, range = (n) => [...Array(n).keys()];
    window.pictured = false;
    const frame = (n) => `ship${String(n + 1).padStart(4, "0")}.png`;
    window.loaded = Promise.all(["intro.png", "ready.png", "numbers.png", ...range(64).map(frame)].map(async (name) => {
        const bitmap = await createImageBitmap(await (await fetch("/ref/" + name)).blob());
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
    window.title = (shown = screen()) =>
        differing(shown, "intro.png", 0, 0, 0, 0, 640, 340) + differing(shown, "ready.png", 0, 340, 0, 0, 640, 140);
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
    window.pixels = (r, g, b, ...area) => screen(...area)
        .filter((red, i, all) => i % 4 === 0 && red === r && all[i + 1] === g && all[i + 2] === b).length;
}

async function open(url) {
    const page = await browser.newPage();
    page.errors = [];
    page.logs = [];
    page.on("console", (message) => (message.type() === "error" ? page.errors : page.logs).push(message.text()));
    page.on("pageerror", (error) => page.errors.push(error.message));
    await page.evaluateOnNewDocument(helpers);
    await page.goto(`http://127.0.0.1:${server.address().port}${url}`);
    // Evaluated once the pictures are in.
    page.value = (expression) => page.evaluate(`loaded.then(() => ${expression})`);
    // Checked at every animation frame, the page's own pace, until it holds.
    page.until = (expression, what) => page.waitForFunction(`pictured && (${expression})`, { polling: "raf", timeout: 20000 })
        .catch(async () => assert.fail(`${what} did not happen in 20 s; the page says "${await page.value("news.textContent")}"`));
    // The page's own last word in the console: every message before it has arrived too.
    page.ended = (status) => new Promise((done) => {
        const check = () => page.logs.includes(`Skarvel ended with status ${status}`) && done();
        check();
        page.on("console", check);
    });
    return page;
}

test("a game from the title screen to the end of the program", { timeout: 90000 }, async () => {
    const page = await open("/index.html");
    await page.until("title() === 0", "the title screen");
    await page.keyboard.press("Space");
    await page.until('number(32) === "199"', "a game with 199 enemies counted");
    assert.equal(await page.value("pixels(0, 255, 0, 636, 380, 4, 100)"), 400, "a full energy bar at the right edge");
    await page.keyboard.down("ArrowLeft");
    await page.keyboard.down("Space");
    const frames = await page.value("turns(5)");
    const steps = frames.slice(1).map((frame, i) => (frame - frames[i] + 64) % 64);
    assert.ok(steps.every((step) => step < 32), `the ship turns counter-clockwise: ${frames}`);
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

test("a warning leaves the game playing, and a pad connected after the page loaded plays", { timeout: 60000 }, async () => {
    const page = await open("/index.html?-scale+9");
    await page.until("title() === 0", "the title screen");
    assert.equal(await page.value("news.textContent"), "ignoring -scale 9: the scale is 1 to 8, whole or with one decimal");
    // A browser lists a pad only once a button is pressed. The game's SDL reads it through
    // navigator.getGamepads, and its axes once it has opened it.
    await page.evaluate(() => {
        const axes = [0, 0, 0, 0];
        window.pad = { id: "pad", index: 0, connected: true, mapping: "standard", timestamp: 0, opened: false,
            get axes() { return (this.opened = true) && axes; }, buttons: [...Array(17)].map(() => ({ pressed: false })) };
        navigator.getGamepads = () => [pad];
        dispatchEvent(new Event("gamepadconnected"));
    });
    await page.until("pad.opened", "the pad opened");
    await page.evaluate(() => (pad.buttons[7] = { pressed: true }));
    await page.until("number(32) === '199'", "a game started by Start");
    await page.evaluate(() => { pad.buttons[7] = { pressed: false }; pad.axes[0] = -1; });
    const frames = await page.value("turns(5)");
    assert.ok(frames.slice(1).every((frame, i) => (frame - frames[i] + 64) % 64 < 32), `the stick turns the ship left: ${frames}`);
    assert.deepEqual(page.errors, [], "no errors in the console");
});
