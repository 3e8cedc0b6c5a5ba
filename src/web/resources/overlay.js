"use strict";
// A compact tower for a streaming overlay on a transparent background: position, car, name and gap of
// the first ?rows=N cars (10 when not given) of the current race, or of ?kind=K. ?class= (name or
// number) shows one class with its own places and gaps, ?followed=1 the followed drivers only (the
// operator's and those of ?follow=, car numbers, for this viewer), and
// ?gap=interval the interval to the car ahead instead of the gap to the leader. On air nothing
// alarming is shown: when the connection is lost the rows stay for a grace and then fade out, and
// come back with it. ?indicator=1 adds a small dot, green while live, grey while lost, and the small
// note of a silent feed.
const kPos = 0, kCar = 2, kName = 5, kGap = 14, kInterval = 19, kClassInterval = 20;
const rowLimit = Math.max(1, Number(Live.params.get("rows")) || 10);
const kindNumber = ["1", "2", "3", "4"].includes(Live.params.get("kind")) ? Live.params.get("kind") : "4";
const indicator = Live.params.get("indicator") === "1";
const askedClass = Live.params.get("class");
const followedOnly = Live.params.get("followed") === "1";
const byInterval = Live.params.get("gap") === "interval";
document.addEventListener("DOMContentLoaded", () => {
    document.body.classList.toggle("with-indicator", indicator);
    if (indicator) document.body.appendChild(Live.element("span", "indicator"));
});
Live.listenConnection((connected) => document.body.classList.toggle("live", connected));
Live.listen((state) => {
    const className = askedClass === null ? null : Live.className(state, askedClass);
    const followed = Live.followedCars(state);
    const cars = state.kinds[kindNumber].rows.filter((row) => row.cells[kCar].trim() !== "" &&
        (className === null || Live.inClass(row, className)) && (!followedOnly || followed.has(row.cells[kCar].trim())));
    const inClass = (id) => (className !== null && Live.kInClass[id]) || id;
    const gap = byInterval ? (className === null ? kInterval : kClassInterval) : inClass(kGap);
    document.querySelector("table.tower").tBodies[0].replaceChildren(...cars.slice(0, rowLimit).map((row) => {
        const tr = Live.element("tr", followed.has(row.cells[kCar].trim()) ? "followed" : "");
        tr.append(Live.element("td", "pos", row.cells[inClass(kPos)].trim()),
                  Live.element("td", "car", row.cells[kCar].trim()), Live.element("td", "name", row.cells[kName].trim()),
                  Live.element("td", "gap", row.cells[gap].trim()));
        return tr;
    }));
});
