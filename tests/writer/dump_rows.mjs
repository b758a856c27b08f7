// Prints a table of a Jet database through mdb-reader, a reader independent
// of libmdb, as TSV with the columns Id, English and Russian in stored order:
// Null as \N, and \\ \t \n \r escaped, the form `vorelka-words list` prints.
//
//   node dump_rows.mjs <node_modules folder> <file.mdb> [table]
//
// mdb-reader decodes Jet 3 text as code page 1252; the script turns it back
// into bytes and decodes them with the file's code page, 1251.
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const [modules, file, table = "Words"] = process.argv.slice(2);
const reader = await import(pathToFileURL(join(modules, "mdb-reader/lib/node/index.js")).href);
const iconv = await import(
  pathToFileURL(join(modules, "mdb-reader/lib/node/dependencies/iconv-lite/index.js")).href
);

const bytes = readFileSync(file);
const isJet3 = bytes[0x14] === 0;
const db = new reader.default(bytes);

// Jet 3: from mdb-reader's code-page-1252 text back to the stored bytes.
const storedByte = new Map();
for (let b = 0; b < 256; ++b) {
  const c = iconv.decodeWindows1252(Buffer.from([b]));
  if (storedByte.has(c)) storedByte.set(c, -1);  // ambiguous
  else storedByte.set(c, b);
}
const cp1251 = new TextDecoder("windows-1251", { fatal: true });
function asStored(text) {
  if (!isJet3 || text === null) return text;
  const out = [];
  for (const c of text) {
    const b = storedByte.get(c);
    if (b === undefined || b < 0) throw new Error(`cannot map ${JSON.stringify(c)} back to a byte`);
    out.push(b);
  }
  return cp1251.decode(Uint8Array.from(out));
}

function field(value) {
  if (value === null || value === undefined) return "\\N";
  return String(value).replace(/[\\\t\n\r]/g, (c) =>
    ({ "\\": "\\\\", "\t": "\\t", "\n": "\\n", "\r": "\\r" })[c]);
}

const rows = db.getTable(table).getData();
const lines = ["Id\tEnglish\tRussian"];
for (const row of rows) {
  lines.push([field(row.Id), field(asStored(row.English ?? null)),
              field(asStored(row.Russian ?? null))].join("\t"));
}
process.stdout.write(lines.join("\n") + "\n");
