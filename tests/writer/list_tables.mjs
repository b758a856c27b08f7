// Lists the tables of a Jet database through mdb-reader, system tables
// included: one line per table, its name, row count and columns (name and
// type), in the reader's order.
//
//   node list_tables.mjs <node_modules folder> <file.mdb>
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const [modules, file] = process.argv.slice(2);
const reader = await import(pathToFileURL(join(modules, "mdb-reader/lib/node/index.js")).href);
const db = new reader.default(readFileSync(file));
const lines = [];
for (const name of db.getTableNames({ normalTables: true, systemTables: true })) {
  const table = db.getTable(name);
  const columns = table.getColumns().map((c) => `${c.name}:${c.type}`);
  lines.push(`${name}\t${table.rowCount}\t${columns.join(" ")}`);
}
process.stdout.write(lines.join("\n") + "\n");
