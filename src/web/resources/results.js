"use strict";
// /window/N: result window N as the operator laid it out; /kind/K: kind K with every column or those
// of ?columns=0,2,5. Only the rows the race has are shown, not the empty rows below the field. Rows
// are rebuilt only where an update changed them. ?page=S turns pages every S seconds when the field
// does not fit the screen's height, for a TV that shows every car in turn. ?class= (a class's name or
// number) shows the cars of that class only, placed and gapped within it; a window set to one class
// shows that class unless the page asks for another. ?sort=class (each class
// together, in class order) or ?sort=best (by best lap), or a click on the Pos, Cls Pos or Best
// Laptime header, orders the rows; a last lap that is the car's best is marked PB, the fastest best
// lap of the field with a star, in text so that no one needs the colours. Followed drivers are marked
// with a triangle; ?follow=32,87 (car numbers) follows more for this viewer only.
const Results = (() => {
    const path = location.pathname.split("/");
    const byWindow = path[1] === "window";
    const number = Number(path[2]);
    const pageSeconds = Number(Live.params.get("page")) || 0;
    const askedClass = Live.params.get("class");
    const kSortColumns = { 0: "pos", 17: "class", 11: "best" };
    const kLastLap = 9, kBestLap = 11, kClass = 15, kClassPosition = 17;
    let sortBy = Object.values(kSortColumns).includes(Live.params.get("sort")) ? Live.params.get("sort") : "pos";
    let shown = null; // what the table was built for: kind, columns and looks
    let latest = null; // the state as the last update left it
    let page = 0;

    function chosenColumns(count) {
        const asked = Live.params.get("columns");
        const all = [...Array(count).keys()];
        if (!asked) return all;
        const picked = asked.split(",").map(Number).filter((id) => Number.isInteger(id) && id >= 0 && id < count);
        return picked.length ? picked : all;
    }

    // Kind, columns, font and grid lines of this page; null when the window is not open.
    function layoutOf(state) {
        if (!byWindow)
            return { kind: String(number), columns: chosenColumns(state.headers.length), font: null, grid: true };
        const window = state.windows.find((w) => w.number === number);
        return window ? { kind: String(window.kind), columns: window.columns, font: window.font, grid: window.grid,
                          shownClass: window.class } : null;
    }

    // The rows of the field: those up to the last one with anything but its place and marker.
    function fieldSize(kind) {
        let size = kind.rows.length;
        while (size > 0 && (!kind.rows[size - 1] ||
               kind.rows[size - 1].cells.every((text, id) => id < 2 || text.trim() === "")))
            --size;
        return size;
    }

    // The operator's colours; on a dark page the plain text and backgrounds turn dark, and rows of
    // colours of their own (followed drivers) keep them.
    function palette(state) {
        const colors = state.colors;
        if (!Live.dark()) return { colors: colors, text: (c) => c, back: (c) => c };
        const dark = { text: "#ffffff", background: "#000000", headerText: "#ffffff", headerBackground: "#262626",
                       alternateBackground: colors.alternateBackground ? "#1c1c1c" : "" };
        return { colors: Object.assign({}, colors, dark),
                 text: (c) => (c === colors.text ? dark.text : c),
                 back: (c) => (c === colors.background ? dark.background : c) };
    }

    // A lap time's seconds; Infinity for none, so that cars without a time sort last.
    function seconds(text) {
        const parts = text.trim().split(":");
        if (!/^[\d:.]+$/.test(text.trim())) return Infinity;
        return parts.reduce((total, part) => total * 60 + Number(part), 0);
    }

    function ordered(rows) {
        if (sortBy === "best") return rows.slice().sort((a, b) => seconds(a.cells[kBestLap]) - seconds(b.cells[kBestLap]));
        if (sortBy !== "class") return rows;
        const classOrder = new Map();
        rows.forEach((row) => classOrder.has(row.cells[kClass]) || classOrder.set(row.cells[kClass], classOrder.size));
        return rows.slice().sort((a, b) => classOrder.get(a.cells[kClass]) - classOrder.get(b.cells[kClass]) ||
                                           Number(a.cells[kClassPosition]) - Number(b.cells[kClassPosition]));
    }

    function fastestOf(rows) {
        return Math.min(...rows.map((row) => seconds(row.cells[kBestLap])));
    }

    // The text mark of a lap time: PB for a last lap that is the car's best, a star for the field's fastest.
    function markOf(row, id) {
        const time = seconds(row.cells[id]);
        if (time === Infinity || (id !== kLastLap && id !== kBestLap)) return "";
        if (time === shown.fastest) return " \u2605";
        return id === kLastLap && time === seconds(row.cells[kBestLap]) ? " PB" : "";
    }

    function cell(state, kind, row, id) {
        const td = Live.element("td");
        td.style.textAlign = kind.align[id];
        if (id === 1) {
            td.className = "marker";
            if (row.marker) {
                const img = Live.element("img");
                img.src = Live.markerUrl(row.marker);
                img.alt = row.marker;
                td.appendChild(img);
            }
        } else {
            td.textContent = row.cells[(shown.className !== null && Live.kInClass[id]) || id];
            const mark = row.cells.length ? markOf(row, id) : "";
            if (mark) td.appendChild(Live.element("span", "mark", mark));
        }
        return td;
    }

    // Every second row is shaded as on the desktop when the operator asks for it; a followed
    // driver's row keeps its own colours.
    function rowElement(state, kind, row, index) {
        row = row || { cells: [], marker: "", color: "", background: "" };
        const look = palette(state);
        const tr = Live.element("tr");
        const background = look.back(row.background || state.colors.background);
        const shaded = look.colors.alternateBackground && index % 2 === 1 && background === look.colors.background;
        tr.style.color = look.text(row.color || state.colors.text);
        tr.style.background = shaded ? look.colors.alternateBackground : background;
        for (const id of shown.layout.columns) tr.appendChild(cell(state, kind, row, id));
        // A followed driver is marked in text as well; one this viewer follows takes the follow colours.
        const car = row.cells.length ? row.cells[2].trim() : "";
        if (car && shown.followed.has(car) && tr.cells.length) {
            tr.classList.add("followed");
            if (!state.followed.some((driver) => driver.car.trim() === car)) {
                tr.style.color = state.colors.followText;
                tr.style.background = state.colors.followBackground;
            }
            tr.cells[0].prepend(Live.element("span", "mark", "\u25B6 "));
        }
        return tr;
    }

    function buildTable(state, layout) {
        const table = document.querySelector("table.results");
        const look = palette(state);
        table.classList.toggle("grid", layout.grid);
        if (layout.font) {
            table.style.fontFamily = '"' + layout.font.family + '", "DejaVu Sans", system-ui, sans-serif';
            table.style.fontSize = "calc(" + layout.font.size + " * 4 / 3 * var(--px))";
            table.style.fontWeight = layout.font.bold ? "bold" : "normal";
            table.style.fontStyle = layout.font.italic ? "italic" : "normal";
        }
        const head = Live.element("tr");
        head.style.color = look.colors.headerText;
        head.style.background = look.colors.headerBackground;
        for (const id of layout.columns) {
            const th = Live.element("th", "", state.headers[id]);
            if (kSortColumns[id]) {
                th.classList.add("sortable");
                if (kSortColumns[id] === sortBy) th.appendChild(Live.element("span", "mark", " \u25BC"));
                th.addEventListener("click", () => {
                    sortBy = kSortColumns[id];
                    Live.params.set("sort", sortBy);
                    history.replaceState(null, "", "?" + Live.params.toString());
                    buildTable(latest, layout);
                });
            }
            head.appendChild(th);
        }
        table.tHead.replaceChildren(head);
        const kind = state.kinds[layout.kind];
        let rows = kind.rows.slice(0, fieldSize(kind));
        shown.fastest = fastestOf(rows);
        shown.followed = Live.followedCars(state);
        if (shown.className !== null) rows = rows.filter((row) => Live.inClass(row, shown.className));
        rows = ordered(rows);
        table.tBodies[0].replaceChildren(...rows.map((row, index) => rowElement(state, kind, row, index)));
    }

    function updateRows(state, change) {
        const kind = state.kinds[shown.layout.kind];
        const body = document.querySelector("table.results").tBodies[0];
        const size = fieldSize(kind);
        while (body.rows.length > size) body.deleteRow(-1);
        for (let index = body.rows.length; index < size; ++index)
            body.appendChild(rowElement(state, kind, kind.rows[index], index));
        for (const index of Object.keys(change.rows || {})) {
            if (Number(index) >= size) continue;
            const tr = rowElement(state, kind, kind.rows[index], Number(index));
            body.replaceChild(tr, body.rows[Number(index)]);
        }
    }

    // With paging on, the rows of the current page are shown and the others hidden; the header
    // says which page this is.
    function showPage() {
        const body = document.querySelector("table.results").tBodies[0];
        const header = document.querySelector("header.run");
        let note = document.getElementById("page");
        if (!pageSeconds || !body.rows.length) {
            if (note) note.remove();
            return;
        }
        [...body.rows].forEach((tr) => { tr.hidden = false; });
        const table = document.querySelector("table.results");
        const rowHeight = body.rows[0].getBoundingClientRect().height || 1;
        const room = window.innerHeight - header.getBoundingClientRect().height -
                     table.tHead.getBoundingClientRect().height - 16;
        const perPage = Math.max(1, Math.floor(room / rowHeight));
        const pages = Math.ceil(body.rows.length / perPage);
        page %= pages;
        [...body.rows].forEach((tr, index) => { tr.hidden = Math.floor(index / perPage) !== page; });
        if (pages < 2) {
            if (note) note.remove();
            return;
        }
        if (!note) note = Live.element("span", "page");
        note.id = "page";
        note.textContent = "Page " + (page + 1) + "/" + pages;
        if (note.parentNode !== header) header.appendChild(note);
    }

    if (pageSeconds > 0) {
        document.addEventListener("DOMContentLoaded", () => document.body.classList.add("paged"));
        setInterval(() => { ++page; showPage(); }, pageSeconds * 1000);
        window.addEventListener("resize", showPage);
    }

    Live.listen((state, update) => {
        latest = state;
        const layout = layoutOf(state);
        const wantedClass = askedClass !== null ? askedClass : (layout && layout.shownClass) || null;
        const className = wantedClass === null ? null : Live.className(state, wantedClass);
        let title = byWindow ? "Window " + number : state.kinds[number] && state.kinds[number].title;
        if (className !== null) title += ", " + (className || "no class");
        Live.renderRun(document.querySelector("header.run"), state, title);
        if (!layout || !state.kinds[layout.kind]) {
            shown = null;
            document.querySelector("table.results").replaceChildren(Live.element("caption", "",
                byWindow ? "Result window " + number + " is not open." : "There is no such kind."),
                Live.element("thead"), Live.element("tbody"));
            return;
        }
        const key = JSON.stringify([layout, className, state.headers, state.colors, state.followed,
                                    state.kinds[layout.kind].align]);
        const change = update && update.kinds && update.kinds[layout.kind];
        // A class's or a sorted table's rows move between places as the field does, and a new fastest lap
        // moves its star: such a table is built anew.
        const kind = state.kinds[layout.kind];
        const rebuild = className !== null || sortBy !== "pos" ||
                        (shown && fastestOf(kind.rows.slice(0, fieldSize(kind))) !== shown.fastest);
        if (!shown || shown.key !== key || !update || (change && ("rowCount" in change || rebuild))) {
            shown = { key: key, layout: layout, className: className };
            buildTable(state, layout);
        } else if (change) {
            updateRows(state, change);
        }
        showPage();
    });
    return {};
})();
