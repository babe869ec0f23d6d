#!/usr/bin/env python3
"""Writes the web page as one self-contained HTML file: the style sheet and
the two modules inlined, the WebAssembly in base64, and a Content-Security-
Policy that allows exactly those inline blocks by their hashes.

    web-single.py SITE_FOLDER OUTPUT.html
"""
import base64
import hashlib
import re
import sys
from pathlib import Path


def replaced_once(text, old, new):
    if text.count(old) != 1:
        sys.exit(f"web-single: expected one {old!r} in the page's sources")
    return text.replace(old, new)


def source_hash(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def main(site, output):
    site = Path(site)
    html = (site / "index.html").read_text()
    css = (site / "vantor.css").read_text()
    # The core module becomes a function scope, so the two modules' own names cannot meet.
    core = (site / "core.js").read_text()
    exported = ", ".join(re.findall(r"^export (?:async )?function (\w+)", core, flags=re.M))
    core = f"const {{{exported}}} = (() => {{\n{re.sub(r'^export ', '', core, flags=re.M)}return {{{exported}}};\n}})();\n"
    page = replaced_once((site / "page.js").read_text(), 'import {loadCore} from "./core.js";\n', "")
    wasm = base64.b64encode((site / "vantor.wasm").read_bytes()).decode()
    page = replaced_once(page, 'fetch(new URL("vantor.wasm", import.meta.url)).then((r) => r.arrayBuffer())',
                         f'Promise.resolve(Uint8Array.from(atob("{wasm}"), (c) => c.charCodeAt(0)))')
    script = core + page
    policy = (f"default-src 'none'; script-src {source_hash(script)} 'wasm-unsafe-eval'; "
              f"style-src {source_hash(css)}; base-uri 'none'; form-action 'none'")
    html = re.sub(r'content="default-src [^"]*"', f'content="{policy}"', html)
    html = replaced_once(html, '<link rel="stylesheet" href="vantor.css">', f"<style>{css}</style>")
    html = replaced_once(html, '<script type="module" src="page.js"></script>',
                         f'<script type="module">{script}</script>')
    Path(output).write_text(html)


if __name__ == "__main__":
    main(*sys.argv[1:])
