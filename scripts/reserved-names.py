#!/usr/bin/env python3
"""reserved-names.py <file>...: prints each name of ours that C++ reserves for the implementation
(one that begins with an underscore), as `file:line: name`, and exits 1 if there is one.

clang-tidy's bugprone-reserved-identifier looked for these, but it read every declaration of
every header a file includes, the standard library's and Qt's, whose names are all of that kind:
a sixth of clang-tidy's time, for findings that can only be in our files. A name the compiler or
the platform defines, which our code may use but never declares, is allowed."""
import re
import sys

ALLOWED = re.compile(
    r"__(FILE|LINE|func|cplusplus|has_include|int128|attribute|GNUC|clang|x86_64|linux|declspec|"
    r"VA_ARGS|COUNTER|DATE|TIME)(__)?|__builtin_\w+|_mm_\w+|_WIN32|_WIN64|_MSC_VER"
)
# Comments, then string and character literals (raw strings included), then what is left.
CODE = re.compile(
    r'//[^\n]*|/\*.*?\*/|R"(?P<d>[^(\s]*)\(.*?\)(?P=d)"|"(?:\\.|[^"\\\n])*"|'
    r"'(?:\\.|[^'\\\n])*'|(?P<name>(?<![\w.])_\w+)",
    re.S,
)


def main(paths):
    found = False
    for path in paths:
        text = open(path, encoding="utf-8").read()
        for match in CODE.finditer(text):
            name = match.group("name")
            if name and not ALLOWED.fullmatch(name):
                line = text.count("\n", 0, match.start()) + 1
                print(f"{path}:{line}: {name}")
                found = True
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
