"use strict";
// A full-page flag board for a screen at the pit exit: green, yellow, red, chequered at the finish.
Live.listen((state) => {
    const flag = Live.flagName(state.run);
    document.body.className = "flag-board flag-" + flag;
    document.querySelector("main").textContent = flag.toUpperCase();
});
