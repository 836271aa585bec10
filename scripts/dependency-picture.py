#!/usr/bin/env python3
"""dependency-picture.py <graphviz.dot>: the program's libraries and what each links directly,
from the graph that `cmake --graphviz` writes, one line per library from the bottom up.
docs/ARCHITECTURE.md holds this picture; scripts/check-rules.sh fails when the two differ."""
import re
import sys

LIBRARIES = ["base", "calc", "format", "os", "print", "platform", "resources", "stringgrid_model",
             "stringgrid", "aligngrid_model", "aligngrid", "ui_main", "ui_debit", "ui_about",
             "quilvar_app", "quilvar"]
OUTSIDE = {"Qt6::Core": "Qt Core", "Qt6::Gui": "Qt Gui", "Qt6::Widgets": "Qt Widgets",
           "Qt6::PrintSupport": "Qt PrintSupport", "JPEG::JPEG": "libjpeg",
           "Fontconfig::Fontconfig": "fontconfig", "dl": "libdl"}


def main(path):
    text = open(path, encoding="utf-8").read()
    names = dict(re.findall(r'"(node\d+)" \[ label = "([^"]+)"', text))
    links = {}
    for source, target in re.findall(r'"(node\d+)" -> "(node\d+)"', text):
        links.setdefault(names[source], []).append(names[target])
    for library in LIBRARIES:
        if library not in names.values():
            continue
        linked = links.get(library, [])
        ours = [d for d in LIBRARIES if d in linked]
        outside = [OUTSIDE[d] for d in OUTSIDE if d in linked]
        print(f"{library:<17} -> {', '.join(ours + outside) or '(nothing)'}")


if __name__ == "__main__":
    main(sys.argv[1])
