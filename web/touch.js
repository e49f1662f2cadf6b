// The page's touch controls and its full screen. Each finger on a control holds the very key
// the keyboard would give, sent to the canvas as the keyboard's own events are, so the game
// cannot tell a thumb from a key; several fingers hold several keys at once.
"use strict";
(() => {
    const root = document.documentElement;
    const canvas = document.getElementById("canvas");
    const stick = document.getElementById("stick");
    const KEYS = {
        left: [37, "ArrowLeft"], right: [39, "ArrowRight"], thrust: [38, "ArrowUp"], brake: [40, "ArrowDown"],
        fire: [32, "Space", " "], missiles: [77, "KeyM", "m"], pause: [80, "KeyP", "p"], leave: [27, "Escape"],
    };
    const fingers = new Map();  // each touch's identifier: the keys it holds
    const held = () => new Set([...fingers.values()].flat());

    function send(type, name) {
        const [keyCode, code, key = code] = KEYS[name];
        const event = new KeyboardEvent(type, { code, key, bubbles: true, cancelable: true });
        // emscripten's SDL reads the old keyCode, which a new event cannot be given otherwise.
        Object.defineProperty(event, "keyCode", { value: keyCode });
        canvas.dispatchEvent(event);
    }

    // What a finger that began on target holds where it is now. The stick reads the finger's
    // place from its centre: a quarter of its radius off the centre turns, thrusts or brakes,
    // and a diagonal does two at once. A tap on the title screen starts a game, as Space does.
    function holds(target, x, y) {
        if (stick.contains(target)) {
            const box = stick.getBoundingClientRect();
            const dx = (x - box.left) / box.width - 0.5, dy = (y - box.top) / box.height - 0.5;
            return [dx < -0.125 && "left", dx > 0.125 && "right", dy < -0.125 && "thrust", dy > 0.125 && "brake"]
                .filter(Boolean);
        }
        const control = target.closest?.("[data-key]");
        if (control) return [control.dataset.key];
        return target === canvas && root.dataset.screen === "title" ? ["fire"] : [];
    }

    function touched(event) {
        root.classList.add("touch");
        root.classList.remove("pad");
        if (event.target.closest?.("#full")) {
            if (event.type === "touchend") fullScreen();
            return event.preventDefault();
        }
        if (!event.target.closest?.("#stage")) return;  // the text below may scroll, in full screen there is none
        event.preventDefault();
        const before = held();
        for (const touch of event.changedTouches) {
            if (event.type === "touchend" || event.type === "touchcancel") fingers.delete(touch.identifier);
            else fingers.set(touch.identifier, holds(touch.target, touch.clientX, touch.clientY));
        }
        const after = held();
        for (const name of after) if (!before.has(name)) send("keydown", name);
        for (const name of before) if (!after.has(name)) send("keyup", name);
        for (const arrow of stick.children) arrow.classList.toggle("held", after.has(arrow.dataset.key));
    }
    for (const type of ["touchstart", "touchmove", "touchend", "touchcancel"])
        document.addEventListener(type, touched, { passive: false });

    // A device whose main pointer is a finger gets the controls from the start; any other
    // gets them at its first touch. They hide while a gamepad plays.
    if (matchMedia("(pointer: coarse) and (hover: none)").matches) root.classList.add("touch");
    addEventListener("gamepadconnected", () => root.classList.add("pad"));
    addEventListener("gamepaddisconnected", () => root.classList.remove("pad"));

    // The screen and its controls in full screen, turned to landscape where a phone allows it.
    // The browser keeps Escape there for leaving full screen: the game does not see it.
    function fullScreen() {
        if (!document.fullscreenEnabled) return;
        if (document.fullscreenElement) return document.exitFullscreen();
        document.getElementById("stage").requestFullscreen({ navigationUI: "hide" })
            .then(() => root.classList.contains("touch") && screen.orientation?.lock?.("landscape"))
            .catch(() => {});  // refused, or no turning: the page stays as it is
    }
    const full = document.getElementById("full");
    full.hidden = !document.fullscreenEnabled;
    full.addEventListener("click", fullScreen);
    full.addEventListener("mousedown", (event) => event.preventDefault());  // the game keeps the keyboard
    // Arrow keys and Space never scroll the page, wherever the keyboard is.
    addEventListener("keydown", (event) => {
        if (event.code === "KeyF" && !event.repeat && event.isTrusted) fullScreen();
        if (["ArrowLeft", "ArrowRight", "ArrowUp", "ArrowDown", "Space"].includes(event.code)) event.preventDefault();
    });
})();
