// The page's touch controls and its full screen. Each finger on a control holds the very key
// the keyboard would give, sent to the canvas where emscripten's SDL listens for the
// keyboard's own events, so the game cannot tell a thumb from a key; several fingers hold
// several keys at once.
"use strict";
(() => {
    const root = document.documentElement;
    const canvas = document.getElementById("canvas");
    const stick = document.getElementById("stick");
    const controls = [...document.querySelectorAll("#stage [data-key]")];
    // Each control's key: the DOM's key code, which emscripten's SDL reads, its code and key.
    const KEYS = {
        left: [37, "ArrowLeft"], right: [39, "ArrowRight"], thrust: [38, "ArrowUp"], brake: [40, "ArrowDown"],
        fire: [32, "Space", " "], missiles: [77, "KeyM", "m"], pause: [80, "KeyP", "p"], leave: [27, "Escape"],
    };
    const fingers = new Map();  // each touch's identifier: the keys it holds
    const held = () => new Set([...fingers.values()].flat());

    function send(type, name) {
        const [keyCode, code, key = code] = KEYS[name];
        const event = new KeyboardEvent(type, { code, key, bubbles: true, cancelable: true });
        Object.defineProperty(event, "keyCode", { value: keyCode });  // a new event's is always 0
        canvas.dispatchEvent(event);
    }

    // What a finger that began on target holds where it is now. The stick reads the finger's
    // place from its centre, a diagonal holding two keys: an eighth of its width off the centre
    // turns, thrusts or brakes. On the title screen a tap anywhere else starts a game, as Space
    // does; in play it does nothing.
    function holds(target, x, y) {
        if (stick.contains(target)) {
            const box = stick.getBoundingClientRect();
            const dx = (x - box.left) / box.width - 0.5, dy = (y - box.top) / box.height - 0.5;
            return [dx < -0.125 && "left", dx > 0.125 && "right", dy < -0.125 && "thrust", dy > 0.125 && "brake"]
                .filter(Boolean);
        }
        const control = target.closest("[data-key]");
        if (control) return [control.dataset.key];
        return root.dataset.screen === "title" ? ["fire"] : [];
    }

    // emscripten's SDL lets its sound start at a touch's start, which a phone's browser does not
    // count as leave to play sound; a lifted finger is, and resumes it.
    const sounds = [];
    if (window.AudioContext)
        window.AudioContext = class extends AudioContext {
            constructor(...options) { super(...options); sounds.push(this); }
        };

    function touched(event) {
        root.classList.add("touch");
        root.classList.remove("pad");
        if (event.type === "touchend") for (const sound of sounds) if (sound.state === "suspended") sound.resume();
        if (!(event.target instanceof Element) || !event.target.closest("#stage")) return;
        event.preventDefault();  // no scrolling, zooming, selecting or mouse events after it
        if (event.target.closest("#full")) return event.type === "touchend" && fullScreen();
        const before = held();
        for (const touch of event.changedTouches) {
            if (event.type === "touchend" || event.type === "touchcancel") fingers.delete(touch.identifier);
            else if (touch.target instanceof Element) fingers.set(touch.identifier, holds(touch.target, touch.clientX, touch.clientY));
        }
        const after = held();
        for (const name of after) if (!before.has(name)) send("keydown", name);
        for (const name of before) if (!after.has(name)) send("keyup", name);
        for (const control of controls) control.classList.toggle("held", after.has(control.dataset.key));
    }
    for (const type of ["touchstart", "touchmove", "touchend", "touchcancel"])
        document.addEventListener(type, touched, { passive: false });

    // A device whose main pointer is a finger gets the controls from the start; any other gets
    // them at its first touch. They hide while a gamepad plays, till the next touch.
    if (matchMedia("(pointer: coarse) and (hover: none)").matches) root.classList.add("touch");
    addEventListener("gamepadconnected", () => root.classList.add("pad"));
    addEventListener("gamepaddisconnected", () => root.classList.remove("pad"));

    // The screen and its controls in full screen, turned to landscape where a phone allows it.
    // The browser keeps Escape there for leaving full screen: the game does not see it.
    function fullScreen() {
        if (document.fullscreenElement) return document.exitFullscreen();
        document.getElementById("stage").requestFullscreen({ navigationUI: "hide" })
            .then(() => root.classList.contains("touch") && screen.orientation?.lock?.("landscape"))
            .catch(() => {});  // refused, or no turning: the page stays as it is
    }
    const full = document.getElementById("full");
    full.hidden = !document.fullscreenEnabled;
    full.addEventListener("click", fullScreen);
    full.addEventListener("mousedown", (event) => event.preventDefault());  // the canvas keeps the keyboard
    // F puts the game in full screen; arrow keys and Space never scroll the page.
    addEventListener("keydown", (event) => {
        if (event.code === "KeyF" && !event.repeat && event.isTrusted) fullScreen();
        if (["ArrowLeft", "ArrowRight", "ArrowUp", "ArrowDown", "Space"].includes(event.code)) event.preventDefault();
    });
})();
