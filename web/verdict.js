// The verdict in words: what failed, where and why, as the module's explanation says it
// (src/explain: the check's English line with its values, the block, the test, the likely
// cause and its fix, whose fault it is), and the lines around the failing one as the file holds
// them, that line marked.
"use strict";

// Words for the verdicts that are no failure of a check.
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
    party: "the grading setup, never the contestant",
  },
};
// How much of a text of the explanation is shown, in characters.
const SHOWN_WORDS = 2000;

const wordsOf = (bytes) => shown(bytes, {most: SHOWN_WORDS});
const sentence = (text) => text.charAt(0).toUpperCase() + text.slice(1) + (/[.!?]$/.test(text) ? "" : ".");

// Text with `code` spans, as the explanation writes them.
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
  showCode($("verdict-fix"), words.fix ? (words.cause ? "Fix: " : "How to fix: ") + words.fix : "");
  $("verdict-cause").hidden = !words.cause;
  $("verdict-cause").textContent = words.cause ? "Likely cause: " + words.cause : "";
  $("where").hidden = true;
  $("verdict-action").hidden = !words.action;
  if (words.action) {
    $("verdict-action").textContent = words.action.label;
    $("verdict-action").onclick = words.action.run;
  }
}

// The verdict as the report says it; a failure's words follow with its explanation.
function showVerdict(fields) {
  const verdict = latin1(fields.verdict);
  if (verdict !== "failure") {
    setVerdict(verdict, VERDICT_WORDS[verdict]);
    if (verdict === "ok") $("verdict-text").textContent += " Blocks: " + countText(fields.blocks) + ".";
    return;
  }
  setVerdict("failure", {title: "Check " + fields.check + " failed", text: "Working out where and why…"});
}

// Where and why the run failed. Files in each other's box are no fault of the organizers:
// `swap`, when the page saw them so, offers to swap them. Nor is a submission picked in the
// task input's box, which swapping cannot put right.
function showWhy(fields, report, swap) {
  const words = {
    title: "Check " + report.check + " failed",
    text: sentence(wordsOf(fields.english)),
    party: fields.partyWords && wordsOf(fields.partyWords),
    fix: wordsOf(fields.fix),
  };
  if (fields.causeWhat) {
    words.cause = wordsOf(fields.causeWhat);
    words.fix = wordsOf(fields.causeFix);
  }
  const cause = fields.causeName ? latin1(fields.causeName) : "";
  if (cause === "files-swapped" || (swap && latin1(fields.party || new Uint8Array()) === "grading setup")) {
    words.party = "nobody: the files are in each other's box";
    if (!words.cause && swap) words.cause = swap.text;
    words.fix = "Swap the files, then check again.";
    if (swap) words.action = {label: "Swap the files and check", run: swap.run};
  } else if (cause === "submission-as-input") {
    words.party = "nobody: a submission was picked as the task input";
  }
  setVerdict("failure", words);
  showWhere(fields, report);
}

// Where the failure lies: the block and test it belongs to, and the lines around its line as
// the file holds them (for a check that names a line).
function showWhere(fields, report) {
  const place = [];
  if (report.rectangle) place.push("rectangle " + countText(report.rectangle) + " of");
  if (fields.block) place.push("block " + countText(fields.block));
  if (fields.test) place.push("(test " + fields.test + ")");
  if (fields.blockStart) place.splice(0, place.length, "where block " + countText(fields.block) + " should start");
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

// A file that could not be read as it is now: no verdict on it.
function showFileFault(fault, action) {
  setVerdict("unexpected", {title: "The " + FILE_WORDS[fault.which] + " could not be read",
                            text: fault.message, action});
}
