// Bytes of the files and the report as the page shows them: printable ASCII as it is, every
// other byte as \xHH (as the viewer's pictures show them), and every text cut to a length a
// reader can take in, with its end marked, so that no file can make the page slow or huge.
"use strict";

// How much of the report the page shows: at most so many bytes and lines (a box of many short
// lines takes long to lay out); saving it gives all of it.
const SHOWN_REPORT = {bytes: 16 << 10, lines: 1000};
// How much of the picture's caption the page shows, in bytes.
const SHOWN_CAPTION = 8 << 10;

// The length of the head of `bytes` that holds at most `most` bytes and `lines` lines.
function headLength(bytes, most, lines) {
  const head = bytes.subarray(0, most);
  let end = 0;
  for (let found = 0; end < head.length && found < lines; ++found) {
    const next = head.indexOf(10, end);
    end = next < 0 ? head.length : next + 1;
  }
  return end;
}

const BYTE_TEXT = Array.from({length: 256}, (_, byte) =>
  byte >= 0x20 && byte < 0x7f ? String.fromCharCode(byte)
                              : "\\x" + byte.toString(16).toUpperCase().padStart(2, "0"));

// `bytes` as text, at most `most` bytes of them and "…" when there are more; an LF stays a line
// end when `lineEnds`.
function shown(bytes, {most = Infinity, lineEnds = false} = {}) {
  const end = Math.min(bytes.length, most);
  const parts = new Array(end);
  for (let i = 0; i < end; ++i) {
    parts[i] = lineEnds && bytes[i] === 10 ? "\n" : BYTE_TEXT[bytes[i]];
  }
  return parts.join("") + (end < bytes.length ? "…" : "");
}

// One character a byte.
function latin1(bytes) {
  let text = "";
  for (let i = 0; i < bytes.length; i += 8192) {
    text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
  }
  return text;
}

function sizeText(bytes) {
  if (bytes < 1e3) return bytes + " B";
  if (bytes < 1e6) return (bytes / 1e3).toFixed(1) + " kB";
  if (bytes < 1e9) return (bytes / 1e6).toFixed(1) + " MB";
  return (bytes / 1e9).toFixed(2) + " GB";
}

// A count with its thousands apart: 1,234,567 (toLocaleString first loads the locale's data, which
// keeps the page busy for tens of milliseconds).
const countText = (count) => String(count).replace(/\B(?=(\d{3})+(?!\d))/g, ",");

// A line of a file (its first bytes, of `length` in all) as a reader should see it: escaped
// bytes and the blanks and tabs at its end marked, since those are what makes a line that
// looks right fail its check.
function markedLine(bytes, length) {
  const line = document.createElement("code");
  // The blanks and tabs at the end, when the line's end is shown.
  let end = bytes.length;
  while (length === bytes.length && end > 0 && (bytes[end - 1] === 0x20 || bytes[end - 1] === 0x09)) --end;
  let plain = "";
  const flush = () => {
    if (plain) line.append(plain);
    plain = "";
  };
  const mark = (text, title) => {
    flush();
    const span = document.createElement("mark");
    span.textContent = text;
    span.title = title;
    line.append(span);
  };
  for (let i = 0; i < bytes.length; ++i) {
    const byte = bytes[i];
    if (i >= end) mark(byte === 0x20 ? "·" : "→", byte === 0x20 ? "a blank at the end of the line"
                                                              : "a tab at the end of the line");
    else if (byte >= 0x20 && byte < 0x7f) plain += BYTE_TEXT[byte];
    else mark(BYTE_TEXT[byte], "the byte " + BYTE_TEXT[byte] + ", which is no printable ASCII character");
  }
  flush();
  if (length > bytes.length) {
    const rest = document.createElement("span");
    rest.className = "cut";
    rest.textContent = " … (" + countText(length) + " bytes in all)";
    line.append(rest);
  }
  if (length === 0) {
    const empty = document.createElement("span");
    empty.className = "cut";
    empty.textContent = "(empty line)";
    line.append(empty);
  }
  return line;
}
