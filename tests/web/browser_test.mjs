// The page in a real browser: headless Chromium, driven over its DevTools protocol through a
// pipe, plays the web build served from a local server, and the canvas is compared with the
// game's own pictures. Any error in the page's console fails it.
//   node tests/web/browser_test.mjs BUILD-WEB IMAGES [SCREENSHOT.png]
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import { after, test } from "node:test";

const [web, images, screenshot] = process.argv.slice(2);
const TYPES = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm" };
// The page, the pictures to compare with under /ref/, and under /without/FOLDER/NAME/ the page
// whose package lacks that file.
const server = http.createServer((request, response) => {
    const [, without, file] = request.url.match(/^(?:\/without\/(\w+\/[\w.]+))?(\/[\w./]*)/);
    fs.readFile(file.startsWith("/ref/") ? path.join(images, file.slice(5)) : path.join(web, file), (error, body) => {
        if (error) return response.writeHead(404).end();
        if (without && file === "/skarvel.js") body = String(body).replace(`"/${without}"`, '"/left-out"');
        response.writeHead(200, { "Content-Type": TYPES[path.extname(file)] ?? "application/octet-stream" }).end(body);
    });
});
await new Promise((ready) => server.listen(0, "127.0.0.1", ready));

const profile = fs.mkdtempSync(path.join(os.tmpdir(), "skarvel-chromium-"));
const chromium = spawn("/usr/bin/chromium", ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
    "--no-first-run", "--disable-background-networking", "--disable-component-update", "--disable-sync",
    `--user-data-dir=${profile}`, "--remote-debugging-pipe", "--window-size=655,700"],
    { stdio: ["ignore", "ignore", "ignore", "pipe", "pipe"] });
const replies = new Map(), pages = new Map();
let lastId = 0, received = "";
chromium.stdio[4].setEncoding("utf8").on("data", (chunk) => {
    for (received += chunk; received.includes("\0"); received = received.slice(received.indexOf("\0") + 1)) {
        const { id, result, error, method, params, sessionId } = JSON.parse(received.slice(0, received.indexOf("\0")));
        if (id) replies.get(id)(error ? Promise.reject(new Error(error.message)) : result);
        const page = pages.get(sessionId), exception = params?.exceptionDetails;
        if (method === "Runtime.consoleAPICalled")
            (params.type === "error" ? page.errors : page.logs).push(params.args.map((a) => a.value).join(" "));
        if (method === "Runtime.exceptionThrown") page.errors.push(exception.exception?.description ?? exception.text);
        if (method === "Log.entryAdded" && params.entry.level === "error") page.errors.push(params.entry.text);
    }
});
const send = (method, params = {}, sessionId) => new Promise((resolve) => {
    replies.set(++lastId, resolve);
    chromium.stdio[3].write(JSON.stringify({ id: lastId, method, params, sessionId }) + "\0");
});
const sleep = (milliseconds) => new Promise((done) => setTimeout(done, milliseconds));
after(async () => {
    server.close();
    send("Browser.close");
    await new Promise((done) => chromium.on("exit", done) && setTimeout(done, 10000).unref());
    chromium.kill();
    fs.rmSync(profile, { recursive: true, force: true, maxRetries: 5 });
});

// Runs in the page: the pictures to compare with, loaded at its start; how many pixels of the
// canvas differ from a picture's, its key colour left out; which of ten glyphs or 64 frames fits
// best; how many pixels have exactly one colour. Each reads the canvas once, as it is then.
function helpers() {
    const pictures = {}, range = (n) => [...Array(n).keys()];
    const frame = (n) => `ship${String(n + 1).padStart(4, "0")}.png`;
    window.loaded = Promise.all(["intro.png", "ready.png", "numbers.png", ...range(64).map(frame)].map(async (name) => {
        const bitmap = await createImageBitmap(await (await fetch("/ref/" + name)).blob());
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height).getContext("2d");
        canvas.drawImage(bitmap, 0, 0);
        pictures[name] = canvas.getImageData(0, 0, bitmap.width, bitmap.height);
    }));
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
    window.pixels = (r, g, b, ...area) => screen(...area)
        .filter((red, i, all) => i % 4 === 0 && red === r && all[i + 1] === g && all[i + 2] === b).length;
}

async function open(url) {
    const { targetId } = await send("Target.createTarget", { url: "about:blank" });
    const { sessionId } = await send("Target.attachToTarget", { targetId, flatten: true });
    const page = { errors: [], logs: [], call: (method, params) => send(method, params, sessionId) };
    pages.set(sessionId, page);
    await Promise.all(["Runtime.enable", "Log.enable", "Page.enable"].map((method) => page.call(method)));
    await page.call("Page.addScriptToEvaluateOnNewDocument", { source: `(${helpers})()` });
    await page.call("Page.navigate", { url: `http://127.0.0.1:${server.address().port}${url}` });
    // Evaluated once the pictures are in, and awaited where it gives a promise.
    page.value = async (expression) => (await page.call("Runtime.evaluate", { expression: `await loaded; ${expression}`,
        replMode: true, awaitPromise: true, returnByValue: true })).result.value;
    page.until = async (check, what) => {
        for (const end = Date.now() + 20000; Date.now() < end; await sleep(100))
            if (typeof check === "function" ? check() : await page.value(check)) return;
        assert.fail(`${what} did not happen in 20 s; the page says "${await page.value("news.textContent")}"`);
    };
    // The page's own last word in the console: every message before it has arrived too.
    page.ended = (status) => page.until(() => page.logs.includes(`Skarvel ended with status ${status}`), "the end");
    page.key = (type, code) => page.call("Input.dispatchKeyEvent",
        { type, code, windowsVirtualKeyCode: { Space: 32, Escape: 27, ArrowLeft: 37 }[code] });
    page.press = async (code) => { await page.key("rawKeyDown", code); await page.key("keyUp", code); };
    return page;
}

test("a game from the title screen to the end of the program", { timeout: 90000 }, async () => {
    const page = await open("/index.html");
    await page.until("title() === 0", "the title screen");
    await page.press("Space");
    await page.until('number(32) === "199"', "a game with 199 enemies counted");
    assert.equal(await page.value("pixels(0, 255, 0, 636, 380, 4, 100)"), 400, "a full energy bar at the right edge");
    await page.key("rawKeyDown", "ArrowLeft");
    await page.key("rawKeyDown", "Space");
    const frames = [];
    for (let sample = 0; sample < 6; sample++, await sleep(150)) frames.push(await page.value("shipFrame()"));
    const steps = frames.slice(1).map((frame, i) => (frame - frames[i] + 64) % 64);
    assert.ok(steps.every((step) => step < 32) && steps.some(Boolean), `the ship turns counter-clockwise: ${frames}`);
    assert.equal(await page.value("pixels(255, 0, 255)"), 0, "no magenta boxes around sprites");
    assert.equal(await page.value("pixels(0, 0, 0)"), 0, "no black boxes around sprites");
    console.log(`frame rate the game shows in headless Chromium: ${await page.value("number(0)")}`);
    if (screenshot) fs.writeFileSync(screenshot, (await page.call("Page.captureScreenshot")).data, "base64");
    await page.key("keyUp", "ArrowLeft");
    await page.key("keyUp", "Space");
    await page.press("Escape");
    await page.until("title() === 0", "the title screen after the game");
    await page.press("Escape");
    await page.ended(0);
    assert.deepEqual(page.errors, [], "no errors in the console");
});

for (const [file, line] of [["sounds/impact3.wav", "progdir:sounds/impact3.wav: Couldn't open /sounds/impact3.wav"],
    ["images/ship0033.png", "ship frame 33: Couldn't open /images/ship0033.png"]])
    test(`without ${file} the page says why in one line and stops`, { timeout: 60000 }, async () => {
        const page = await open(`/without/${file}/index.html`);
        await page.ended(1);
        assert.deepEqual(page.errors, [`failed to load ${line}`]);
        assert.equal(await page.value("news.textContent"), `failed to load ${line} Skarvel has stopped.`);
    });
