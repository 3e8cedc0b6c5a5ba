"use strict";
// A full-page flag board for a screen at the pit exit: green, yellow, red, chequered at the finish.
// When the feed has been silent for ten seconds or the connection to the program is lost, the flag
// shown may no longer be the flag out there: the board says the flag is unknown.
let lastState = null;
let connected = false;

function showFlag() {
    const stale = lastState && (lastState.run.stale === "amber" || lastState.run.stale === "red");
    const flag = !lastState || stale || !connected ? "unknown" : Live.flagName(lastState.run);
    document.body.classList.remove(...[...document.body.classList].filter((name) => name.startsWith("flag-")));
    document.body.classList.add("flag-board", "flag-" + flag);
    document.querySelector("main").textContent = flag === "unknown" ? "FLAG UNKNOWN" : flag.toUpperCase();
}

Live.listenConnection((live) => {
    connected = live;
    showFlag();
});
Live.listen((state) => {
    lastState = state;
    connected = true;
    showFlag();
});
