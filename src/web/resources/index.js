"use strict";
// The start page: the run and a link to every page, the open result windows first.
Live.listen((state) => {
    Live.renderRun(document.querySelector("header.run"), state);
    const list = Live.element("ul");
    const link = (href, text) => {
        const item = Live.element("li");
        const anchor = Live.element("a", "", text);
        anchor.href = href;
        item.appendChild(anchor);
        list.appendChild(item);
    };
    for (const window of state.windows)
        link("/window/" + window.number, "Window " + window.number + ": " + state.kinds[window.kind].title);
    for (const kind of ["4", "1", "2", "3"])
        link("/kind/" + kind, state.kinds[kind].title + ", every column");
    for (const entry of state.classes || [])
        link("/kind/4?class=" + entry.number, state.kinds["4"].title + ", " + entry.name.trim());
    link("/info", "General information");
    link("/events", "Race events");
    link("/flag", "Flag board");
    link("/overlay", "Streaming overlay");
    document.querySelector("nav").replaceChildren(list);
});
