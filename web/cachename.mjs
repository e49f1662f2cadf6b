// Names the cache of the page's service worker from the contents of every file the page loads,
// and writes the name and each file's digest into the worker's first line: a new build, and
// only a new build, changes the name. The build runs it last; it runs alone on any copy of
// the built page too:  node web/cachename.mjs BUILD-WEB
import { createHash } from "node:crypto";
import fs from "node:fs";
import path from "node:path";

const folder = process.argv[2];
const read = (file) => fs.readFileSync(path.join(folder, file));
// The page with its controls, the title's large pictures, the game, its packed files, and the
// icons its manifest names.
const icons = JSON.parse(read("manifest.webmanifest")).icons.map((icon) => icon.src);
const pictures = fs.readdirSync(path.join(folder, "images")).sort().map((name) => `images/${name}`);
const files = ["index.html", "touch.js", "manifest.webmanifest", ...pictures, "skarvel.js", "skarvel.wasm", "skarvel.data",
    ...new Set(icons)];
const sha256 = (bytes) => createHash("sha256").update(bytes).digest("hex");
const contents = files.map(read);
const digests = Object.fromEntries(files.map((file, i) => [file, sha256(contents[i])]));
// The worker's own code, below the line this step writes, is part of the name as well.
const worker = path.join(folder, "sw.js");
const code = fs.readFileSync(worker, "utf8").replace(/^.*\n/, "");
const name = `skarvel-${sha256(JSON.stringify(digests) + code).slice(0, 16)}`;
fs.writeFileSync(worker, `const CACHE = "${name}", FILES = ${JSON.stringify(digests)};\n${code}`);
const bytes = contents.reduce((sum, content) => sum + content.length, 0) + code.length;
console.log(`cachename.mjs: ${name}, ${files.length + 1} files of ${bytes} bytes kept for playing offline`);
