// Put before the module (--extern-pre-js), at the ES module's top level.
// Emscripten 3.1.6 writes the module's node code for CommonJS: it calls
// require() and reads __dirname, neither of which an ES module has. Under
// node they are made here from import.meta.url; in a page or a worker both
// stay undefined and the node code never runs.
const fermatUnderNode = typeof process == "object" && typeof process.versions == "object" &&
  typeof process.versions.node == "string";
const require = fermatUnderNode ? (await import("module")).createRequire(import.meta.url) : undefined;
const __dirname = fermatUnderNode ? require("path").dirname(require("url").fileURLToPath(import.meta.url)) : undefined;
