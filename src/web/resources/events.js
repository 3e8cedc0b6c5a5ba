"use strict";
// The race events as they happen, newest first: the race time, what kind of event it is (a sign and a
// word, not colour alone) and what happened. ?class= (name or number) keeps the flags and that class's
// events.
const kSigns = { "FLAG": "\u2691", "FASTEST": "\u23F1", "CLASS FASTEST": "\u23F1", "LEAD": "\u25B2",
                 "CLASS LEAD": "\u25B3", "PB": "\u2605", "FINISH": "\u25A3", "STOPPED": "\u26A0",
                 "PIT IN": "\u2193", "PIT OUT": "\u2191" };
const askedClass = Live.params.get("class");
Live.listen((state) => {
    const className = askedClass === null ? null : Live.className(state, askedClass).toLowerCase();
    Live.renderRun(document.querySelector("header.run"), state, "Race events");
    const events = state.events.filter((event) => className === null || event.kind === "FLAG" ||
                                                  event.class.trim().toLowerCase() === className);
    const list = document.querySelector("ol.events");
    list.replaceChildren(...events.map((event) => {
        const item = Live.element("li", "event event-" + event.kind.toLowerCase().replace(" ", "-"));
        item.dataset.seq = event.seq;
        item.append(Live.element("span", "time", event.raceTime),
                    Live.element("span", "kind", (kSigns[event.kind] || "") + " " + event.kind),
                    Live.element("span", "text", event.text));
        return item;
    }));
    if (!events.length) list.appendChild(Live.element("li", "none", "Nothing has happened yet."));
});
