"use strict";
// /window/N: result window N as the operator laid it out; /kind/K: kind K with all seventeen columns
// or those of ?columns=0,2,5. Rows are rebuilt only where an update changed them.
const Results = (() => {
    const path = location.pathname.split("/");
    const byWindow = path[1] === "window";
    const number = Number(path[2]);
    let shown = null; // what the table was built for: kind, columns and looks

    function chosenColumns() {
        const asked = new URLSearchParams(location.search).get("columns");
        const all = [...Array(17).keys()];
        if (!asked) return all;
        const picked = asked.split(",").map(Number).filter((id) => Number.isInteger(id) && id >= 0 && id < 17);
        return picked.length ? picked : all;
    }

    // Kind, columns, font and grid lines of this page; null when the window is not open.
    function layoutOf(state) {
        if (!byWindow) return { kind: String(number), columns: chosenColumns(), font: null, grid: true };
        const window = state.windows.find((w) => w.number === number);
        return window ? { kind: String(window.kind), columns: window.columns, font: window.font, grid: window.grid }
                      : null;
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
            td.textContent = row.cells[id];
        }
        return td;
    }

    // Every second row is shaded as on the desktop when the operator asks for it; a followed
    // driver's row keeps its own colours.
    function rowElement(state, kind, row, index) {
        row = row || { cells: [], marker: "", color: "", background: "" };
        const tr = Live.element("tr");
        const background = row.background || state.colors.background;
        const shaded = state.colors.alternateBackground && index % 2 === 1 && background === state.colors.background;
        tr.style.color = row.color || state.colors.text;
        tr.style.background = shaded ? state.colors.alternateBackground : background;
        for (const id of shown.layout.columns) tr.appendChild(cell(state, kind, row, id));
        return tr;
    }

    function buildTable(state, layout) {
        const table = document.querySelector("table.results");
        table.classList.toggle("grid", layout.grid);
        if (layout.font) {
            table.style.fontFamily = '"' + layout.font.family + '", "DejaVu Sans", system-ui, sans-serif';
            table.style.fontSize = "calc(" + layout.font.size + "pt * var(--scale))";
            table.style.fontWeight = layout.font.bold ? "bold" : "normal";
            table.style.fontStyle = layout.font.italic ? "italic" : "normal";
        }
        const head = Live.element("tr");
        head.style.color = state.colors.headerText;
        head.style.background = state.colors.headerBackground;
        for (const id of layout.columns) head.appendChild(Live.element("th", "", state.headers[id]));
        table.tHead.replaceChildren(head);
        const kind = state.kinds[layout.kind];
        table.tBodies[0].replaceChildren(...kind.rows.map((row, index) => rowElement(state, kind, row, index)));
    }

    function updateRows(state, change) {
        const kind = state.kinds[shown.layout.kind];
        const body = document.querySelector("table.results").tBodies[0];
        while (body.rows.length > kind.rows.length) body.deleteRow(-1);
        for (const index of Object.keys(change.rows || {})) {
            const tr = rowElement(state, kind, kind.rows[index], Number(index));
            if (Number(index) < body.rows.length) body.replaceChild(tr, body.rows[Number(index)]);
            else body.appendChild(tr);
        }
    }

    Live.listen((state, update) => {
        const layout = layoutOf(state);
        const title = byWindow ? "Window " + number : state.kinds[number] && state.kinds[number].title;
        Live.renderRun(document.querySelector("header.run"), state, title);
        if (!layout || !state.kinds[layout.kind]) {
            shown = null;
            document.querySelector("table.results").replaceChildren(Live.element("caption", "",
                byWindow ? "Result window " + number + " is not open." : "There is no such kind."),
                Live.element("thead"), Live.element("tbody"));
            return;
        }
        const key = JSON.stringify([layout, state.headers, state.colors, state.kinds[layout.kind].align]);
        const change = update && update.kinds && update.kinds[layout.kind];
        if (!shown || shown.key !== key || !update || (change && "rowCount" in change)) {
            shown = { key: key, layout: layout };
            buildTable(state, layout);
        } else if (change) {
            updateRows(state, change);
        }
    });
    return {};
})();
