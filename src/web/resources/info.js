"use strict";
// The general information panel: the items the operator shows on it (all of them when the panel shows
// none), the flag lamp among them. A dark page keeps the operator's caption colour on black.
const kLampColours = { red: "#e00", yellow: "#fd0", green: "#0c0" };
Live.listen((state) => {
    Live.renderRun(document.querySelector("header.run"), state);
    const panel = document.querySelector(".panel");
    const dark = Live.dark();
    panel.style.background = dark ? "#111" : state.colors.panelBackground;
    const anyShown = state.info.some((item) => item.shown);
    const items = state.info.filter((item) => item.shown || !anyShown);
    panel.replaceChildren(...items.map((item) => {
        const box = Live.element("div", "item");
        box.dataset.item = item.item;
        if (item.item === 10) {
            const lamp = Live.element("span", "lamp");
            lamp.style.background = kLampColours[item.value] || "#888";
            lamp.title = item.value;
            box.append(Live.element("span", "caption", item.caption), lamp);
        } else {
            const caption = Live.element("span", "caption", item.caption);
            caption.style.color = state.colors.panelCaption;
            const value = Live.element("span", "value", item.value);
            value.style.color = dark ? "#fff" : state.colors.panelValue;
            box.append(caption, value);
        }
        return box;
    }));
});
