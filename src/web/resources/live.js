"use strict";
// The program's state, kept up to date over the WebSocket at /ws. The server sends the whole state
// first, then updates that carry only what changed, and at least every two seconds a sign of life:
// when nothing comes for four seconds the connection is taken as lost, said so on the page, and made
// again until the program answers. A page on air (body data-connection="quiet") shows no bar: it is
// told of the loss and shows it its own way.
const Live = (() => {
    const kLostAfterMs = 4000;
    const kMetaKeys = ["run", "info", "followed", "classes", "events", "colors", "headers", "windows"];
    const listeners = [];
    const connectionListeners = [];
    const params = new URLSearchParams(location.search);
    let state = null;
    let socket = null;
    let lastMessage = 0;
    let attempts = 0;
    let connected = false;

    function status(text) {
        const nowConnected = text === "";
        document.body.classList.toggle("lost", !nowConnected);
        if (nowConnected !== connected) {
            connected = nowConnected;
            connectionListeners.forEach((listener) => listener(connected));
        }
        if (document.body.dataset.connection === "quiet") return;
        let bar = document.getElementById("connection");
        if (!bar) {
            bar = document.createElement("div");
            bar.id = "connection";
            document.body.appendChild(bar);
        }
        bar.textContent = text;
        bar.hidden = nowConnected;
    }

    // ?theme=dark or light; without it the browser's own preference.
    function applyTheme() {
        const asked = params.get("theme");
        const dark = asked ? asked === "dark" : matchMedia("(prefers-color-scheme: dark)").matches;
        document.body.classList.toggle("theme-dark", dark);
    }

    // "No data for 0:45" once no line has come for ten seconds, on amber, and on red after a minute,
    // as the general information panel of the program shows it.
    function silenceText(seconds) {
        const two = (n) => String(n).padStart(2, "0");
        const hours = Math.floor(seconds / 3600), minutes = Math.floor(seconds / 60) % 60;
        return "No data for " + (hours ? hours + ":" + two(minutes) : minutes) + ":" + two(seconds % 60);
    }

    // In the page's header where it has one (the pages draw it anew on each update), else on its own.
    function showStaleness(run) {
        const place = document.querySelector("header.run") || document.body;
        let badge = document.getElementById("stale");
        if (!badge) {
            badge = document.createElement("span");
            badge.id = "stale";
        }
        if (badge.parentNode !== place) place.appendChild(badge);
        const stale = run.stale === "amber" || run.stale === "red";
        badge.hidden = !stale;
        badge.className = stale ? "stale-" + run.stale : "";
        badge.textContent = stale ? silenceText(run.sinceLastLine) : "";
    }

    function merge(update) {
        for (const key of kMetaKeys) {
            if (key in update) state[key] = update[key];
        }
        for (const [number, change] of Object.entries(update.kinds || {})) {
            const kind = state.kinds[number];
            if ("title" in change) kind.title = change.title;
            if ("align" in change) kind.align = change.align;
            if ("rowCount" in change) kind.rows.length = change.rowCount;
            for (const [row, value] of Object.entries(change.rows || {})) kind.rows[Number(row)] = value;
        }
        state.seq = update.seq;
        state.time = update.time;
    }

    function receive(message) {
        lastMessage = Date.now();
        if (message.type === "snapshot") {
            state = message;
            attempts = 0;
            status("");
            listeners.forEach((listener) => listener(state, null));
            showStaleness(state.run);
        } else if (message.type === "delta" && state) {
            merge(message);
            listeners.forEach((listener) => listener(state, message));
            showStaleness(state.run);
        }
    }

    function lost() {
        if (socket) {
            socket.onclose = socket.onmessage = null;
            socket.close();
            socket = null;
        }
        status(state ? "Connection to Kavendor lost \u2014 reconnecting\u2026" : "Connecting to Kavendor\u2026");
        setTimeout(connect, Math.min(2000, 250 * ++attempts));
    }

    function connect() {
        const scheme = location.protocol === "https:" ? "wss://" : "ws://";
        socket = new WebSocket(scheme + location.host + "/ws");
        lastMessage = Date.now();
        socket.onmessage = (event) => receive(JSON.parse(event.data));
        socket.onclose = lost;
    }

    setInterval(() => {
        if (socket && Date.now() - lastMessage > kLostAfterMs) lost();
    }, 500);

    return {
        // listener(state, update): update is null when the whole state is new.
        listen(listener) {
            listeners.push(listener);
            if (state) listener(state, null);
        },
        // listener(connected): told when the connection is made and when it is lost.
        listenConnection(listener) {
            connectionListeners.push(listener);
        },
        params: params,
        // Within a class the place and the gap columns show the class's own (class position, class gap).
        kInClass: { 0: 17, 14: 18 },
        // The name of the class asked for by its number or name (any case); what was asked when the run
        // has no such class, so that a page opened early shows it once it comes.
        className(state, asked) {
            const wanted = asked.trim().toLowerCase();
            const found = (state.classes || []).find((c) => String(c.number) === wanted ||
                                                            c.name.trim().toLowerCase() === wanted);
            return found ? found.name.trim() : asked.trim();
        },
        // The cars followed on this page: the operator's, and those of ?follow= (car numbers) for this
        // viewer only.
        followedCars(state) {
            const cars = new Set(state.followed.map((driver) => driver.car.trim()));
            (params.get("follow") || "").split(",").map((car) => car.trim()).filter(Boolean).forEach((car) => cars.add(car));
            return cars;
        },
        inClass(row, name) {
            return row.cells[15].trim().toLowerCase() === name.toLowerCase();
        },
        dark() {
            return document.body.classList.contains("theme-dark");
        },
        start() {
            applyTheme();
            status("Connecting to Kavendor\u2026");
            connect();
        },
        flagName(run) {
            return run.finished ? "finish" : run.flag;
        },
        markerUrl(name) {
            return "/markers/" + name.replace(/ /g, "_") + ".svg";
        },
        // The run's name, its flag and, where given, what the page shows.
        renderRun(header, state, title) {
            const flag = Live.flagName(state.run);
            header.replaceChildren(
                Live.element("span", "name", state.run.name || "Kavendor"),
                Live.element("span", "flag flag-" + flag, flag.toUpperCase()),
                Live.element("span", "time", state.run.raceTime.trim()));
            if (title) header.appendChild(Live.element("span", "title", title));
        },
        element(tag, className, text) {
            const node = document.createElement(tag);
            if (className) node.className = className;
            if (text !== undefined) node.textContent = text;
            return node;
        },
    };
})();
document.addEventListener("DOMContentLoaded", () => Live.start());
