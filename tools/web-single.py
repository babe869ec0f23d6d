#!/usr/bin/env python3
"""Writes the web page as one self-contained HTML file: the style sheet and
the modules inlined, the WebAssembly in base64, and a Content-Security-
Policy that allows exactly those inline blocks by their hashes.

    web-single.py SITE_FOLDER OUTPUT.html
"""
import base64
import hashlib
import re
import sys
from pathlib import Path

IMPORT = re.compile(r'^import \{([^}]*)\} from "\./(\w+)\.js";\n', flags=re.M)


def replaced_once(text, old, new):
    if text.count(old) != 1:
        sys.exit(f"web-single: expected one {old!r} in the page's sources")
    return text.replace(old, new)


def source_hash(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def inlined(site, name, done):
    """The module and those it imports, each before its importer, each a
    function scope of its own, so that their private names cannot meet."""
    source = (site / f"{name}.js").read_text()
    script = "".join(inlined(site, used, done) for _, used in IMPORT.findall(source) if used not in done)
    body = IMPORT.sub("", source)
    if name == "page":
        return script + body
    done.add(name)
    exported = ", ".join(re.findall(r"^export (?:async )?(?:function|const|let) (\w+)", body, flags=re.M))
    body = re.sub(r"^export ", "", body, flags=re.M)
    return script + f"const {{{exported}}} = (() => {{\n{body}return {{{exported}}};\n}})();\n"


def main(site, output):
    site = Path(site)
    html = (site / "index.html").read_text()
    css = (site / "vantor.css").read_text()
    wasm = base64.b64encode((site / "vantor.wasm").read_bytes()).decode()
    script = replaced_once(inlined(site, "page", set()), 'fetch(new URL("vantor.wasm", import.meta.url))',
                           f'Promise.resolve(new Response(Uint8Array.from(atob("{wasm}"), (c) => c.charCodeAt(0))))')
    policy = (f"default-src 'none'; script-src {source_hash(script)} 'wasm-unsafe-eval'; "
              f"style-src {source_hash(css)}; base-uri 'none'; form-action 'none'")
    html = re.sub(r'content="default-src [^"]*"', f'content="{policy}"', html)
    html = replaced_once(html, '<link rel="stylesheet" href="vantor.css">', f"<style>{css}</style>")
    html = replaced_once(html, '<script type="module" src="page.js"></script>',
                         f'<script type="module">{script}</script>')
    Path(output).write_text(html)


if __name__ == "__main__":
    main(*sys.argv[1:])
