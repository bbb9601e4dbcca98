// Runs inside the module's factory (--pre-js), before it looks for the wasm.
// Under node the module would read "file:///…/weblab.wasm" as a path and
// fail; the bytes are read here instead, from beside this script (the
// factory's wrapper holds its URL in _scriptDir), unless the caller supplied
// them or a way to find them.
if (typeof process == "object" && typeof process.versions == "object" && typeof process.versions.node == "string" &&
    !Module["wasmBinary"] && !Module["locateFile"]) {
  Module["wasmBinary"] = require("fs").readFileSync(new URL("weblab.wasm", _scriptDir));
}
