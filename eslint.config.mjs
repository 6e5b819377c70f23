// The JavaScript's lint rules: eslint's recommended set, with the globals
// each kind of file meets. The modules live in tests/page/node_modules (npm ci
// there), so they are looked up from that folder.
import { builtinModules, createRequire } from "node:module";

const require = createRequire(new URL("./tests/page/package.json", import.meta.url));
const js = require("@eslint/js");
const globals = require("globals");

// Node's own modules are named with node: (require("node:fs"), not "fs").
const bare = builtinModules.filter((name) => /^[a-z]/.test(name) && !name.includes(":")).join("|");
const kBareBuiltin = `[value=/^(${bare.replaceAll("/", "\\W")})$/]`;
const kNodePrefix = 'name Node\'s own modules with node:, as in require("node:fs")';

export default [
  { ignores: ["build*/", "out/", "dist/", "obj-*/", "debian/", "**/node_modules/"] },
  js.configs.recommended,
  {
    rules: {
      "no-unused-vars": ["error", { vars: "local", args: "after-used", caughtErrors: "none" }],
      "prefer-const": "error",
      "no-var": "error",
      eqeqeq: ["error", "always"],
      "no-restricted-syntax": [
        "error",
        { selector: `CallExpression[callee.name="require"] > Literal.arguments${kBareBuiltin}`, message: kNodePrefix },
        { selector: `ImportDeclaration > Literal.source${kBareBuiltin}`, message: kNodePrefix },
      ],
    },
  },
  // The page's own scripts: plain browser scripts that share a few globals.
  {
    files: ["app/web/**/*.js"],
    languageOptions: {
      sourceType: "script",
      globals: { ...globals.browser, Module: "writable" },
    },
    rules: { "no-var": "off" },
  },
  {
    files: ["app/web/**/page.js"],
    languageOptions: { globals: { nmnmScriptMode: "readonly", nmnmOwnPictures: "readonly", nmnmRuns: "readonly" } },
  },
  {
    files: ["app/web/**/sw.js"],
    languageOptions: { globals: { ...globals.serviceworker } },
  },
  // Node programs (the page's tests, the benchmarks, the shared helpers); the
  // functions they hand to page.evaluate run in the page, hence the browser's.
  {
    files: ["tests/**/*.js", "tools/**/*.js", "scripts/**/*.js"],
    languageOptions: {
      sourceType: "commonjs",
      globals: { ...globals.node, ...globals.browser, Module: "readonly" },
    },
  },
  {
    files: ["**/*.mjs"],
    languageOptions: { sourceType: "module", globals: { ...globals.node } },
  },
];
