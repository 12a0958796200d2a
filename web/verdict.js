// The verdict in words: what failed (the check's English line from docs/checks.md, its blanks
// filled from the message), where (the block, the test, the line with the lines around it as
// written), the likely cause when one is known, whose fault it is and how to fix it.
"use strict";

// Words the checks table has no row for.
const VERDICT_WORDS = {
  ok: {
    title: "OK: the submission passes",
    text: "Every block's rectangles lie in the grid, keep to the size limit, cover no white " +
          "cell and together cover every black cell.",
  },
  unexpected: {
    title: "Unexpected error",
    text: "The evaluation could not finish: a file could not be read, or memory ran out. " +
          "It says nothing about the submission; try again, and tell the organizers if it stays.",
    party: "the grading setup, not the contestant",
  },
};

// The values of a template's blanks ({name}) in a message, as shown text, each cut to
// SHOWN.value. A message that a zero byte or the page cut short lacks the end of its
// template: then the last blank takes the rest.
function templateValues(template, message) {
  const parts = template.split(/\{(\w+)\}/);  // text, name, text, name, ..., text
  const literal = (text) => text.replace(/[.*+?^${}()|[\]\\]/g, "\\$&");
  const head = parts.slice(0, -1).map((part, i) => (i % 2 ? "([\\s\\S]*?)" : literal(part))).join("");
  const match = new RegExp("^" + head + literal(parts[parts.length - 1]) + "$").exec(message) ||
                new RegExp("^" + head + "$").exec(message);
  const values = {};
  if (match) {
    parts.filter((_, i) => i % 2).forEach((name, i) => {
      values[name] = shown(bytesOf(match[i + 1]), {most: SHOWN.value});
    });
  }
  return values;
}

// The English of a failure: the check's English line and its fix with their blanks filled
// from the message (matched against the Slovene template) or from where the check points.
function failureWords(fields) {
  const words = CHECK_WORDS[fields.check];
  const message = fields.message.subarray(0, SHOWN.message);
  if (!words) return {title: "Check " + fields.check + " failed", text: shown(message, {most: SHOWN.value})};
  const cut = message.length < fields.message.length;
  const values = Object.assign({n: fields.line, k: fields.rectangle, x: fields.cell && fields.cell[0],
                                y: fields.cell && fields.cell[1]},
                               templateValues(words.template, latin1(message) + (cut ? "…" : "")));
  const fill = (text, unknown) => text.replace(/\{(\w+)\}/g, (blank, name) =>
    values[name] !== undefined ? String(values[name]) : unknown === undefined ? blank : unknown);
  const english = fill(words.english, "…");
  return {
    title: "Check " + fields.check + " failed",
    text: english.charAt(0).toUpperCase() + english.slice(1) + ".",
    file: words.file,
    party: words.party + " (in the " + words.file + ")",
    fix: fill(words.fix),
  };
}

// Text with `code` spans, as docs/checks.md writes them.
function showCode(element, text) {
  element.textContent = "";
  text.split("`").forEach((part, i) => {
    const node = i % 2 ? document.createElement("code") : document.createTextNode(part);
    if (i % 2) node.textContent = part;
    element.appendChild(node);
  });
}

function setVerdict(kind, words) {
  $("verdict").className = kind;
  $("verdict-title").textContent = words.title;
  $("verdict-text").textContent = words.text || "";
  $("verdict-party").textContent = words.party ? "At fault: " + words.party + "." : "";
  showCode($("verdict-fix"), words.fix ? "How to fix: " + words.fix : "");
  $("verdict-cause").hidden = !words.cause;
  $("verdict-cause").textContent = words.cause ? "Likely cause: " + words.cause : "";
  $("where").hidden = true;
  $("verdict-action").hidden = !words.action;
  if (words.action) {
    $("verdict-action").textContent = words.action.label;
    $("verdict-action").onclick = words.action.run;
  }
}

// The verdict of the report's fields. A task input check on files that look swapped is no
// fault of the organizers: the files are in each other's box.
function showVerdict(fields, swap) {
  const verdict = latin1(fields.verdict);
  let words = verdict === "failure" ? failureWords(fields) : VERDICT_WORDS[verdict];
  if (verdict === "failure" && words.file === "task input" && swap) {
    words = Object.assign(words, {
      cause: swap.text + " The evaluator read each file as the other kind.",
      party: "nobody: the files are in each other's box",
      fix: "Swap the files, then check again.",
      action: {label: "Swap the files and check", run: swap.run},
    });
  }
  setVerdict(verdict, words);
  if (verdict === "ok") {
    $("verdict-text").textContent += " Blocks: " + countText(fields.blocks) + ".";
  }
}

// A file that could not be read as it is now: no verdict on it.
function showFileFault(fault, action) {
  setVerdict("unexpected", {title: "The " + FILE_WORDS[fault.which] + " could not be read",
                            text: fault.message, action});
}

// Where the failure lies: the block and test it belongs to, and the lines around its line as
// the file holds them, that line marked (for a check that names a line).
function showWhere(fields, report) {
  const place = [];
  if (report.rectangle) place.push("rectangle " + countText(report.rectangle) + " of");
  if (fields.block) place.push("block " + countText(fields.block));
  if (fields.test) place.push("(test " + fields.test + ")");
  const lines = $("where-lines");
  lines.textContent = "";
  lines.hidden = !fields.excerptEnds;
  if (!fields.excerptEnds) {
    $("where-place").textContent = place.length ? "In " + place.join(" ") + " of the submission" : "";
    $("where").hidden = !place.length;
    return;
  }
  const line = report.line;
  let start = 0;
  fields.excerptEnds.forEach((end, i) => {
    const number = fields.excerptFirst + i;
    const row = document.createElement("div");
    row.className = number === line ? "named" : "";
    const label = document.createElement("span");
    label.className = "number";
    label.textContent = number;
    row.append(label, markedLine(fields.excerptText.subarray(start, end), fields.excerptLengths[i]));
    lines.appendChild(row);
    start = end;
  });
  if (fields.excerptFirst + fields.excerptEnds.length <= line) {
    const row = document.createElement("div");
    row.className = "named";
    row.textContent = "The file ends before line " + countText(line) + ".";
    lines.appendChild(row);
  }
  $("where-place").textContent = "Line " + countText(line) + " of the " + FILE_WORDS[latin1(fields.excerptFile)] +
      (place.length ? ": " + place.join(" ") : "");
  $("where").hidden = false;
}
