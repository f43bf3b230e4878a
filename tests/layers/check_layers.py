#!/usr/bin/env python3
"""Fails when a source file includes a header against the direction of the layers.

Each folder below is one library and one layer; a layer may include its own headers and
those of the layers it lists, nothing else. Layers that must stay free of Qt Widgets (or of
Qt altogether) are checked against the headers of the Qt Widgets include folder given on
the command line. Prints every offending line as FILE:LINE and exits 1.
"""
import os
import re
import sys

FRAMEWORK = ["framework/base", "framework/core", "framework/widgets"]
SKIN = ["skin/pixels", "skin/data", "skin/render", "skin/window", "skin/controls"]
LIBRARIES = FRAMEWORK + ["scanner"] + SKIN + ["resources"]

# layer -> the layers it may include besides itself
ALLOWED = {
    "framework/base": [],
    "framework/core": ["framework/base"],
    "framework/widgets": ["framework/base", "framework/core"],
    "scanner": ["framework/base"],
    "skin/pixels": ["framework/base"],
    "skin/data": ["skin/pixels", "framework/base", "framework/core"],
    "skin/render": ["skin/data", "skin/pixels", "framework/base", "framework/core"],
    "skin/window": ["skin/render", "skin/data", "skin/pixels"] + FRAMEWORK,
    "skin/controls": ["skin/window", "skin/render", "skin/data", "skin/pixels"] + FRAMEWORK,
    "resources": ["skin/data", "skin/pixels", "framework/base", "framework/core"],
    "app": LIBRARIES,
    "tools/demo-site": LIBRARIES,
    "tools/skin-art": LIBRARIES,
    "tools/tovrin-skin": LIBRARIES,
}
NO_QT = {"framework/base", "scanner", "skin/pixels"}
NO_QT_WIDGETS = {"framework/core", "skin/data", "skin/render", "resources"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    """The longest layer name that is a folder prefix of path, or None."""
    best = None
    for layer in ALLOWED:
        if (path + "/").startswith(layer + "/") and (best is None or len(layer) > len(best)):
            best = layer
    return best


def main():
    if len(sys.argv) != 3:
        print("usage: check_layers.py SOURCE_DIR QT_WIDGETS_INCLUDE_DIR", file=sys.stderr)
        return 2
    root, widgets_dir = sys.argv[1], sys.argv[2]
    widget_headers = set(os.listdir(widgets_dir)) if os.path.isdir(widgets_dir) else set()
    if not widget_headers:
        print(f"no Qt Widgets headers in {widgets_dir}", file=sys.stderr)
        return 2
    problems = []
    checked = 0
    for top in ["framework", "scanner", "skin", "resources", "app", "tools"]:
        for folder, _, files in os.walk(os.path.join(root, top)):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                full = os.path.join(folder, name)
                relative = os.path.relpath(full, root).replace(os.sep, "/")
                layer = layer_of(relative)
                if layer is None:
                    problems.append(f"{relative}: the file lies in no known layer")
                    continue
                checked += 1
                with open(full, encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        quote, header = match.groups()
                        where = f"{relative}:{number}"
                        if quote == '"':
                            target = layer_of(header) if "/" in header else layer
                            if target is None and header.split("/")[0] in ("tests", "bench"):
                                problems.append(f"{where}: {layer} includes test code \"{header}\"")
                            elif target is not None and target != layer and target not in ALLOWED[layer]:
                                problems.append(f"{where}: {layer} may not include \"{header}\" ({target})")
                        elif header.startswith("Q") or header.startswith("Qt"):
                            base = header.split("/")[-1]
                            if layer in NO_QT:
                                problems.append(f"{where}: {layer} must not use Qt (<{header}>)")
                            elif layer in NO_QT_WIDGETS and (base in widget_headers or header.startswith("QtWidgets")):
                                problems.append(f"{where}: {layer} must not use Qt Widgets (<{header}>)")
    for problem in problems:
        print(problem)
    print(f"{checked} files checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
