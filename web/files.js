// The two files: picked in their box or dropped on it (or both dropped anywhere on the page).
// Where the browser gives a handle for a file (Chrome and Edge, by their own file picker or a
// drop), every check reads the file as it is then, so a file edited since it was picked is
// checked as edited; a file picked without a handle is what it was when picked. The first
// lines of each file say what it is, so that files put in each other's box are told apart.
"use strict";

const FILE_WORDS = {input: "task input", submission: "submission"};
const OTHER = {input: "submission", submission: "input"};
// The bytes read of a file to tell what it is.
const HEAD_BYTES = 512;

const files = {
  input: null,  // {name, size, file, handle, kind}
  submission: null,
  onChange: () => {},  // called with the box whose file changed
};

// What a file's first lines say it is: "input" (the task's name, a number, then an empty line
// or nothing), "submission" (a short first line, then the task's name), or "" when neither. A
// submission whose two header lines are swapped has a block's test number on its third line:
// it is no task input, and is checked so that the verdict says what is wrong with it.
function kindOfHead(bytes) {
  const [first = "", second = "", third = ""] = latin1(bytes).replace(/^\xEF\xBB\xBF/, "").split("\n", 3)
      .map((line) => line.replace(/\r$/, ""));
  if (first.trim() === "Zelmiranke" && /^\s*[+-]?\d/.test(second) && !third.trim()) return "input";
  if (second.trim() === "Zelmiranke" && first.length <= 16) return "submission";
  return "";
}

async function kindOfFile(file) {
  try {
    return kindOfHead(new Uint8Array(await file.slice(0, HEAD_BYTES).arrayBuffer()));
  } catch (error) {
    return "";  // said when the file is checked
  }
}

async function choose(which, entry) {
  entry.kind = await kindOfFile(entry.file);
  files[which] = entry;
  showBox(which);
  files.onChange(which);
}

function showBox(which) {
  const entry = files[which];
  $(which + "-name").textContent = entry ? entry.name + " (" + sizeText(entry.size) + ")"
                                         : "No file yet: click or tap to pick one, or drop it here.";
  $("drop-" + which).classList.toggle("chosen", Boolean(entry));
}

const entryOf = (file, handle = null) => ({name: file.name, size: file.size, file, handle});

// What is wrong with where the files stand, in words, and the one click that puts them right
// ("swap", or "move" for a file alone in the other's box); null when nothing is.
function misplacement() {
  const kinds = {input: files.input && files.input.kind, submission: files.submission && files.submission.kind};
  const wrong = ["input", "submission"].filter((which) => kinds[which] === OTHER[which]);
  if (!wrong.length) return null;
  const which = wrong[0];
  const looks = {
    input: "starts with the line Zelmiranke and a number, as a task input does",
    submission: "has Zelmiranke on its second line, as a submission does",
  };
  if (wrong.length === 2) {
    return {action: "swap", text: "The files look swapped: the file in the task input box " + looks.submission +
                                  ", and the one in the submission box " + looks.input + "."};
  }
  const other = OTHER[which];
  const text = "The file in the " + FILE_WORDS[which] + " box looks like a " + FILE_WORDS[other] + ": it " +
               looks[other] + ".";
  if (!files[other]) return {action: "move", which, text};
  if (kinds[other] === kinds[which]) {
    return {action: null, text: "Both files look like a " + FILE_WORDS[other] + ": " + text.slice(0, 1).toLowerCase() +
                                text.slice(1)};
  }
  return {action: "swap", text};
}

function swapFiles() {
  [files.input, files.submission] = [files.submission, files.input];
  showBox("input");
  showBox("submission");
  files.onChange("input");
}

function moveFile(which) {
  files[OTHER[which]] = files[which];
  files[which] = null;
  showBox("input");
  showBox("submission");
  files.onChange(OTHER[which]);
}

// A file that cannot be read as it is now, with what to do, in words.
class FileFault extends Error {
  constructor(which, reason) {
    const entry = files[which];
    const name = FILE_WORDS[which] + " “" + (entry ? entry.name : "") + "”";
    const words = {
      gone: "The " + name + " is no longer where it was picked: it was moved, renamed or deleted. " +
            "Pick it again.",
      denied: "The page may no longer read the " + name + ". Pick it again.",
      stale: "The " + name + " changed after it was picked, or it was deleted. This browser checks a " +
             "picked file as it was when picked: pick it again to check it as it is now.",
      changing: "The " + name + " changed while it was being read. Check again once it is saved.",
    };
    super(words[reason]);
    this.which = which;
    this.reason = reason;
  }
}

// The two files as they are now, for a check.
async function currentFiles() {
  const current = {};
  for (const which of ["input", "submission"]) {
    const entry = files[which];
    if (entry.handle) {
      try {
        entry.file = await entry.handle.getFile();
      } catch (error) {
        throw new FileFault(which, error.name === "NotFoundError" ? "gone" : "denied");
      }
      entry.size = entry.file.size;
      showBox(which);
    }
    current[which] = entry.file;
  }
  return current;
}

// The fault of a file the worker could not read. A file with a handle was taken as it was when
// this check started, so it changed while being read and checking again reads it anew; one
// picked without a handle stays what it was when picked, and only picking it again helps,
// however far it was read.
function readFault(which, name) {
  if (name === "NotFoundError") return new FileFault(which, "gone");
  if (name === "NotAllowedError" || name === "SecurityError") return new FileFault(which, "denied");
  return new FileFault(which, files[which].handle ? "changing" : "stale");
}

// The browser's own file picker where it gives a handle; the file input otherwise.
async function pick(which) {
  try {
    const [handle] = await window.showOpenFilePicker({id: which});
    choose(which, entryOf(await handle.getFile(), handle));
  } catch (error) {
    if (error.name !== "AbortError") $(which + "-file").click();
  }
}

// The dropped files with their handles where the browser gives them; those must be asked for
// while the drop is being handled.
function dropped(transfer) {
  const items = Array.from(transfer.items || []).filter((item) => item.kind === "file");
  const waits = items.map((item) => {
    const file = item.getAsFile();
    const handle = item.getAsFileSystemHandle ? item.getAsFileSystemHandle().catch(() => null)
                                              : Promise.resolve(null);
    return handle.then((made) => (made && made.kind === "file" ? entryOf(file, made) : entryOf(file)));
  });
  return Promise.all(waits).then((entries) => entries.filter((entry) => entry.file));
}

// Files dropped outside the boxes, or several at once: each goes where its first lines say,
// else to a box still empty.
async function chooseDropped(entries) {
  if (!entries.length || entries.length > 2) return;
  for (const entry of entries) entry.kind = await kindOfFile(entry.file);
  const placed = {};
  for (const entry of entries) if (entry.kind && !placed[entry.kind]) placed[entry.kind] = entry;
  for (const entry of entries) {
    if (Object.values(placed).includes(entry)) continue;
    const free = ["input", "submission"].find((which) => !placed[which] && (entries.length === 2 || !files[which]));
    if (free) placed[free] = entry;
  }
  for (const which of ["input", "submission"]) {
    if (placed[which]) {
      files[which] = placed[which];
      showBox(which);
    }
  }
  files.onChange(placed.submission ? "submission" : "input");
}

function listenToFiles() {
  for (const which of ["input", "submission"]) {
    const input = $(which + "-file");
    input.addEventListener("change", () => {
      if (input.files[0]) choose(which, entryOf(input.files[0]));
      input.value = "";  // so that picking the same file again is a change too
    });
    const zone = $("drop-" + which);
    zone.addEventListener("click", (event) => {
      if (!window.showOpenFilePicker || event.target === input) return;
      event.preventDefault();
      pick(which);
    });
    zone.addEventListener("dragover", (event) => {
      event.preventDefault();
      zone.classList.add("over");
    });
    zone.addEventListener("dragleave", () => zone.classList.remove("over"));
    zone.addEventListener("drop", (event) => {
      event.preventDefault();
      event.stopPropagation();
      zone.classList.remove("over");
      dropped(event.dataTransfer).then((entries) => {
        if (entries.length === 1) choose(which, entries[0]);
        else chooseDropped(entries);
      });
    });
  }
  document.addEventListener("dragover", (event) => event.preventDefault());
  document.addEventListener("drop", (event) => {
    event.preventDefault();
    dropped(event.dataTransfer).then(chooseDropped);
  });
}
