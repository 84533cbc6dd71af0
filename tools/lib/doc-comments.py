#!/usr/bin/env python3
"""Doxygen input filter for the public headers.

The headers are written with plain // comments, as a reader of the header wants them. This
filter shows them to Doxygen as documentation without changing the headers:
- the comment block that opens a header becomes the file's documentation;
- a comment block directly above a declaration documents it; when several declarations
  follow without a blank line (an overload set, a constructor with its copies), the comment
  documents each of them (as a trailing comment on each further declaration);
- other comments (section rules, notes before a blank line) stay ordinary comments.
Line numbers are kept (but for one line added to the opening block), so Doxygen's warnings point at the right lines."""
import os
import re
import sys

ENDS_RUN = re.compile(r"^\s*($|//|#(?!\s*define)|public:|private:|protected:|};|}\s*;?\s*$)")
COMMENT = re.compile(r"^(\s*)// ?(.*)$")


def declaration_ends(lines, start):
    """Indexes of the lines that end each declaration of the run starting at lines[start]."""
    ends, end, depth = [], start, 0
    while end < len(lines) and (depth > 0 or not ENDS_RUN.match(lines[end])):
        stripped = lines[end].strip()
        depth += lines[end].count("{") - lines[end].count("}")
        if depth == 0 and (stripped.endswith(";") or stripped.endswith("}")):
            ends.append(end)
        end += 1
        if depth < 0:
            break
    return ends


def ends_in_class(stripped):
    return stripped.startswith(("class ", "struct ", "enum "))


def convert(lines):
    out = list(lines)
    i, first_block = 0, True
    while i < len(lines):
        if not COMMENT.match(lines[i]) or lines[i].lstrip().startswith("///"):
            if lines[i].strip():
                first_block = False
            i += 1
            continue
        start = i
        while i < len(lines) and COMMENT.match(lines[i]):
            i += 1
        block = [COMMENT.match(line) for line in lines[start:i]]
        nxt = lines[i] if i < len(lines) else ""
        if first_block:
            first_block = False
            out[start] = "/** @file " + os.path.basename(sys.argv[1]) + "\n" + block[0].group(2)
            for k in range(start + 1, i):
                out[k] = block[k - start].group(2)
            out[i - 1] = out[i - 1] + " */"
            continue
        if ENDS_RUN.match(nxt) or i >= len(lines):
            continue
        for k in range(start, i):
            out[k] = block[k - start].group(1) + "/// " + block[k - start].group(2)
        if ends_in_class(nxt.strip()):
            continue
        # Every further declaration of the run gets the same text as a trailing comment.
        text = " ".join(m.group(2) for m in block)
        for end in declaration_ends(lines, i)[1:]:
            out[end] = out[end] + " ///< " + text
    return out


def main():
    with open(sys.argv[1], encoding="utf-8") as source:
        lines = source.read().split("\n")
    sys.stdout.write("\n".join(convert(lines)))


if __name__ == "__main__":
    main()
