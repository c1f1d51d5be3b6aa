// The shared table's page: a seat's cards, marked by tapping their places,
// kept as the host tells it over the seat's WebSocket.
"use strict";

const SVG = "http://www.w3.org/2000/svg";
const state = { seat: null, turn: 1, marks: new Map(), sunk: new Map(), log: [], socket: null,
                retry: 500 };
const $ = (id) => document.getElementById(id);

function shipKey(ship) {
  return [ship.force, ship.squadron, ship.role, ship.position, ship.name].join("\u0001");
}

function svg(name, attributes) {
  const element = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  return element;
}

function send(message) {
  if (state.socket && state.socket.readyState === WebSocket.OPEN) {
    state.socket.send(JSON.stringify(message));
  }
}

function toggle(ship, place) {
  send({ mark: { force: ship.force, ship: ship.name, places: [place], squadron: ship.squadron,
                 role: ship.role, position: ship.position } });
}

// The marks over one card: a cross through each struck box, each small box
// filled, a sunk ship greyed with SUNK across it.
function drawMarks(layer, ship) {
  for (const old of layer.querySelectorAll(".cross, .filled, .sunk-cover, .sunk-word")) old.remove();
  const marks = state.marks.get(shipKey(ship)) || [];
  for (const place of layer.querySelectorAll(".place")) {
    const name = place.dataset.place;
    const marked = marks.includes(name);
    place.setAttribute("aria-pressed", marked ? "true" : "false");
    if (!marked) continue;
    const c = state.seat.places[name].corners;
    if (name.startsWith("box")) {
      layer.insertBefore(svg("polygon", { class: "filled", points: c.join(" ") }), place);
    } else {
      layer.insertBefore(svg("line", { class: "cross", x1: c[0], y1: c[1], x2: c[4], y2: c[5] }), place);
      layer.insertBefore(svg("line", { class: "cross", x1: c[2], y1: c[3], x2: c[6], y2: c[7] }), place);
    }
  }
  const sunkButton = layer.closest(".card").querySelector("[data-place=sunk]");
  sunkButton.setAttribute("aria-pressed", marks.includes("sunk") ? "true" : "false");
  if (marks.includes("sunk")) {
    const [width, height] = state.seat["card-size"];
    layer.appendChild(svg("rect", { class: "sunk-cover", x: 0, y: 0, width, height }));
    const word = svg("text", { class: "sunk-word", x: width / 2, y: height / 2,
                               "text-anchor": "middle", "dominant-baseline": "middle" });
    word.textContent = "SUNK";
    layer.appendChild(word);
  }
}

function placeElement(ship, name, place) {
  const element = svg("polygon", { class: "place", points: place.corners.join(" "),
                                   tabindex: "0", role: "button", "data-place": name,
                                   "aria-label": `${ship.name}: ${place.label}` });
  element.addEventListener("click", () => toggle(ship, name));
  element.addEventListener("keydown", (event) => {
    if (event.key !== "Enter" && event.key !== " ") return;
    event.preventDefault();
    toggle(ship, name);
  });
  return element;
}

function cardElement(ship) {
  const card = document.createElement("figure");
  card.className = "card";
  card.dataset.force = ship.force;
  card.dataset.ship = ship.name;
  const title = document.createElement("h3");
  title.textContent = ship.name;
  const wide = document.createElement("button");
  wide.type = "button";
  wide.textContent = "Wide";
  wide.setAttribute("aria-label", `${ship.name}: whole width`);
  wide.addEventListener("click", () => card.classList.toggle("wide"));
  const sunk = document.createElement("button");
  sunk.type = "button";
  sunk.textContent = "Sunk";
  sunk.dataset.place = "sunk";
  sunk.setAttribute("aria-label", `${ship.name}: sunk`);
  sunk.addEventListener("click", () => toggle(ship, "sunk"));
  title.append(wide, sunk);
  const frame = document.createElement("div");
  frame.className = "card-frame";
  const face = document.createElement("img");
  face.className = "card-face";
  face.alt = `The record card of ${ship.name}`;
  face.src = `card/${ship.card}.svg`;
  const [width, height] = state.seat["card-size"];
  const layer = svg("svg", { class: "card-marks", viewBox: `0 0 ${width} ${height}` });
  for (const [name, place] of Object.entries(state.seat.places)) {
    layer.appendChild(placeElement(ship, name, place));
  }
  frame.append(face, layer);
  card.append(title, frame);
  card.ship = ship;
  return card;
}

function otherForce(force) {
  const list = document.createElement("ul");
  list.className = "force-ships";
  for (const ship of force.ships) {
    const item = document.createElement("li");
    item.dataset.force = ship.force;
    item.dataset.ship = ship.name;
    item.textContent = ship.name;
    item.ship = ship;
    list.appendChild(item);
  }
  return list;
}

function showSeat(seat) {
  state.seat = seat;
  $("seat").textContent = seat.title;
  document.title = `${seat.title} — Brinnow`;
  $("next-turn").hidden = !seat.umpire;
  $("log-pane").hidden = !seat.umpire;
  const main = $("forces");
  main.replaceChildren();
  for (const force of seat.forces) {
    const section = document.createElement("section");
    const heading = document.createElement("h2");
    heading.textContent = force.title;
    section.appendChild(heading);
    for (const ship of force.ships) state.sunk.set(shipKey(ship), ship.sunk);
    if (force.commanded) {
      const cards = document.createElement("div");
      cards.className = "cards";
      for (const ship of force.ships) cards.appendChild(cardElement(ship));
      section.appendChild(cards);
    } else {
      section.appendChild(otherForce(force));
    }
    main.appendChild(section);
  }
}

function showGame() {
  $("turn").textContent = `Turn ${state.turn}`;
  for (const card of document.querySelectorAll(".card")) drawMarks(card.querySelector(".card-marks"), card.ship);
  for (const item of document.querySelectorAll(".force-ships li")) {
    item.classList.toggle("sunk", Boolean(state.sunk.get(shipKey(item.ship))));
  }
  const log = $("log");
  log.replaceChildren(...state.log.map((entry) => {
    const line = document.createElement("li");
    line.textContent = logLine(entry);
    return line;
  }));
}

// As the table window's log says it: the seat that marked, when one did.
function logLine(entry) {
  const place = state.seat.places[entry.mark] ? state.seat.places[entry.mark].label : entry.mark;
  const seat = entry.seat ? ` (${cut(entry.seat, 40)})` : "";
  return `Turn ${entry.turn} — ${cut(entry.ship.toUpperCase(), 120)}: ${place}${
    entry.marked ? "" : " unmarked"}${seat}`;
}

function cut(text, most) {
  return text.length > most ? `${text.slice(0, most)}…` : text;
}

function setShip(ship) {
  state.marks.set(shipKey(ship), ship.marks);
  state.sunk.set(shipKey(ship), ship.marks.includes("sunk"));
}

function receive(message) {
  if (message.seat) {
    showSeat(message.seat);
  } else if (message.game) {
    state.marks.clear();
    state.turn = message.game.turn;
    for (const ship of message.game.ships) setShip(ship);
    state.log = message.game.log;
  } else if (message.changed) {
    const changed = message.changed;
    state.turn = changed.turn;
    for (const ship of changed.ships) setShip(ship);
    for (const ship of changed.sunk) state.sunk.set(shipKey(ship), ship.sunk);
    state.log = state.log.slice(0, changed["log-kept"]).concat(changed.log);
  } else if (message.refused) {
    $("refused").textContent = message.refused;
    $("refused").hidden = false;
    return;
  }
  if (state.seat) showGame();
}

function showState(name, words) {
  $("state").dataset.state = name;
  $("state").textContent = words;
  document.body.classList.toggle("offline", name !== "connected");
}

// A dropped connection is tried again, less and less often; once back, the
// host tells the game as it then stands.
function connect() {
  const socket = new WebSocket(`${location.protocol === "https:" ? "wss" : "ws"}://${location.host}${location.pathname}ws`);
  state.socket = socket;
  socket.addEventListener("open", () => {
    state.retry = 500;
    showState("connected", "Connected");
    const name = $("device").value.trim();
    if (name) send({ device: { name } });
  });
  socket.addEventListener("message", (event) => receive(JSON.parse(event.data)));
  socket.addEventListener("close", () => {
    showState("lost", "Not connected — trying again…");
    setTimeout(connect, state.retry);
    state.retry = Math.min(state.retry * 2, 8000);
  });
}

$("next-turn").addEventListener("click", () => send({ "next-turn": {} }));
$("device").value = localStorage.getItem("brinnow-device") || "";
$("device").addEventListener("change", () => {
  localStorage.setItem("brinnow-device", $("device").value.trim());
  send({ device: { name: $("device").value.trim() } });
});
$("refused").addEventListener("click", () => { $("refused").hidden = true; });
connect();
