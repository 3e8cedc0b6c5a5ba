"use strict";
// A compact tower for a streaming overlay on a transparent background: position, car, name and gap of
// the first ?rows=N cars (10 when not given) of the current race, or of ?kind=K.
const kPos = 0, kCar = 2, kName = 5, kGap = 14;
const params = new URLSearchParams(location.search);
const rowLimit = Math.max(1, Number(params.get("rows")) || 10);
const kindNumber = ["1", "2", "3", "4"].includes(params.get("kind")) ? params.get("kind") : "4";
Live.listen((state) => {
    const cars = state.kinds[kindNumber].rows.filter((row) => row.cells[kCar].trim() !== "").slice(0, rowLimit);
    document.querySelector("table.tower").tBodies[0].replaceChildren(...cars.map((row) => {
        const tr = Live.element("tr");
        tr.append(Live.element("td", "pos", row.cells[kPos].trim()), Live.element("td", "car", row.cells[kCar].trim()),
                  Live.element("td", "name", row.cells[kName].trim()), Live.element("td", "gap", row.cells[kGap].trim()));
        return tr;
    }));
});
