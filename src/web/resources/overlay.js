"use strict";
// A compact tower for a streaming overlay on a transparent background: position, car, name and gap of
// the first ?rows=N cars (10 when not given) of the current race, or of ?kind=K. On air nothing
// alarming is shown: when the connection is lost the rows stay for a grace and then fade out, and
// come back with it. ?indicator=1 adds a small dot, green while live, grey while lost, and the small
// note of a silent feed.
const kPos = 0, kCar = 2, kName = 5, kGap = 14;
const rowLimit = Math.max(1, Number(Live.params.get("rows")) || 10);
const kindNumber = ["1", "2", "3", "4"].includes(Live.params.get("kind")) ? Live.params.get("kind") : "4";
const indicator = Live.params.get("indicator") === "1";
document.addEventListener("DOMContentLoaded", () => {
    document.body.classList.toggle("with-indicator", indicator);
    if (indicator) document.body.appendChild(Live.element("span", "indicator"));
});
Live.listenConnection((connected) => document.body.classList.toggle("live", connected));
Live.listen((state) => {
    const cars = state.kinds[kindNumber].rows.filter((row) => row.cells[kCar].trim() !== "").slice(0, rowLimit);
    document.querySelector("table.tower").tBodies[0].replaceChildren(...cars.map((row) => {
        const tr = Live.element("tr");
        tr.append(Live.element("td", "pos", row.cells[kPos].trim()), Live.element("td", "car", row.cells[kCar].trim()),
                  Live.element("td", "name", row.cells[kName].trim()), Live.element("td", "gap", row.cells[kGap].trim()));
        return tr;
    }));
});
