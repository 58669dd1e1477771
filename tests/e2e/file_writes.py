#!/usr/bin/python3
"""Reads what `strace -ff -k --decode-fds=all` recorded of a run of the program (one file per process or thread,
PREFIX.PID) and tells, for every call that made, changed, renamed or removed a file or folder, or opened one for
writing, which library made it: the innermost frame of its stack that is not the C library's own wrapper.

Only the sound client library (libpulse*) may write; everything else, the program's own code and Qt included,
fails the check. With --qt-runtime-fallback, Qt's own start-up may also make the runtime folder it falls back to
when XDG_RUNTIME_DIR is not set: QStandardPaths::writableLocation reached from
QGuiApplicationPrivate::createPlatformIntegration, before any frame of the program. A call that failed changed
nothing and is only listed, and so is a device (a character device is not a file) opened for writing.

Usage: file_writes.py PREFIX PROGRAM [--qt-runtime-fallback]; prints one line per call, exits 1 if any is not
allowed."""

import glob
import os
import re
import sys

WRITING_CALLS = {"creat", "mkdir", "mkdirat", "rename", "renameat", "renameat2", "unlink", "unlinkat", "rmdir",
                 "link", "linkat", "symlink", "symlinkat", "truncate", "mknod", "mknodat", "chmod", "fchmodat",
                 "chown", "lchown", "fchownat", "utimensat"}
OPEN_CALLS = {"open", "openat", "openat2"}
WRITING_FLAGS = {"O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND", "O_TMPFILE"}
# Calls whose last path argument is a file or folder that is there afterwards.
MAKING_CALLS = {"creat", "mkdir", "mkdirat", "rename", "renameat", "renameat2", "link", "linkat", "symlink",
                "symlinkat", "mknod", "mknodat", "bind"}

SYSTEM_WRAPPERS = re.compile(r"^(libc|libpthread|libdl|librt|ld-linux[^/]*)\.so")
SOUND_LIBRARY = re.compile(r"^libpulse")

CALL = re.compile(r"^(\w+)\((.*)\) += (.*)$")
FRAME = re.compile(r"^ > (/[^(]*)\((.*)\) \[0x[0-9a-f]+\]$")
STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')


def unescape(text):
    """A string as strace prints it (octal escapes for bytes it does not print) back into text."""
    raw = re.sub(rb"\\([0-7]{1,3}|x[0-9a-fA-F]{2}|.)",
                 lambda m: bytes([int(m[1][1:], 16)]) if m[1][:1] == b"x"
                 else bytes([int(m[1], 8)]) if m[1][:1].isdigit()
                 else {b"n": b"\n", b"t": b"\t"}.get(m[1], m[1]),
                 text.encode("latin-1", "backslashreplace"))
    return raw.decode("utf-8", "replace")


def paths_of(args):
    """The path arguments, made absolute with the folder that strace names beside a *at call's descriptor."""
    paths = []
    base = None
    for part in re.split(r", (?=(?:[^\"]*\"[^\"]*\")*[^\"]*$)", args):
        folder = re.match(r"^(?:AT_FDCWD|\d+)<(.*)>$", part)
        if folder:
            base = unescape(folder[1])
            continue
        if part.startswith("{sa_family=AF_UNIX, sun_path=\""):
            paths.append(unescape(STRING.search(part)[1]))
            continue
        string = re.match(r'^"((?:[^"\\]|\\.)*)"$', part)
        if string:
            path = unescape(string[1])
            if not path.startswith("/") and base:
                path = os.path.join(base, path)
            paths.append(path)
    return paths


def writes(call, args):
    if call in OPEN_CALLS:
        flags = next((p for p in args.split(", ") if re.match(r"^O_[A-Z_|]+$", p)), "")
        return bool(WRITING_FLAGS & set(flags.split("|"))), flags
    if call == "bind":
        # A socket bound to a name in the file system leaves a file; an abstract one does not.
        return "sun_path=\"" in args, ""
    return call in WRITING_CALLS, ""


def records(path):
    """(call, args, result, frames) of every traced call in one process's file."""
    current = None
    with open(path, encoding="latin-1") as trace:
        for line in trace:
            line = line.rstrip("\n")
            frame = FRAME.match(line)
            if line.startswith(" > "):
                if current:
                    current[3].append((frame[1], frame[2]) if frame else ("?", line[3:]))
                continue
            if current:
                yield current
            match = CALL.match(line)
            current = (match[1], match[2], match[3], []) if match else None
    if current:
        yield current


def blame(frames):
    """The object (and its symbol) that made the call: the first frame past the C library's wrappers."""
    for obj, symbol in frames:
        if obj == "?" or not SYSTEM_WRAPPERS.match(os.path.basename(obj)):
            return obj, symbol
    return "?", "no frame past the C library"


def qt_runtime_fallback(frames, program):
    symbols = [symbol for _, symbol in frames]
    objects = [os.path.realpath(obj) for obj, _ in frames]
    asked = next((i for i, s in enumerate(symbols) if s.startswith("QStandardPaths::writableLocation(")), None)
    start = next((i for i, s in enumerate(symbols)
                  if s.startswith("QGuiApplicationPrivate::createPlatformIntegration(")), None)
    own = next((i for i, o in enumerate(objects) if o == program), len(objects))
    return asked is not None and start is not None and asked < start < own


def main():
    prefix, program = sys.argv[1], os.path.realpath(sys.argv[2])
    runtime_fallback = "--qt-runtime-fallback" in sys.argv[3:]
    files = sorted(glob.glob(glob.escape(prefix) + ".*"))
    if not files:
        print(f"no trace at {prefix}.*")
        return 1
    refused = 0
    own_calls = 0
    for path in files:
        for call, args, result, frames in records(path):
            own_calls += any(os.path.realpath(obj) == program for obj, _ in frames)
            writing, flags = writes(call, args)
            if not writing:
                continue
            obj, symbol = blame(frames)
            library = os.path.basename(obj)
            targets = paths_of(args)
            if call.startswith("symlink"):
                # The link is made at the second path and points to the first.
                targets.reverse()
            what = f"{call} {' -> '.join(targets) or args}{' ' + flags if flags else ''}"
            if result.startswith("-1 "):
                print(f"tried: {library}: {what}: {result.split(' ', 2)[1]}")
                continue
            if re.search(r"<char \d+:\d+>>?$", result):
                print(f"device: {library}: {what}")
                continue
            kept = ""
            if call in MAKING_CALLS or "O_CREAT" in flags:
                made = targets[0] if call.startswith("symlink") else targets[-1] if targets else ""
                kept = " (still there)" if made and os.path.lexists(made) else " (gone)"
            if SOUND_LIBRARY.match(library):
                print(f"sound library: {library}: {what}{kept}")
            elif runtime_fallback and qt_runtime_fallback(frames, program):
                print(f"Qt's runtime folder fallback: {library}: {what}{kept}")
            else:
                refused += 1
                own = next((s for o, s in frames if os.path.realpath(o) == program), None)
                print(f"NOT ALLOWED: {library} ({symbol}): {what}{kept}"
                      + (f", from the program's {own}" if own else ""))
    # A trace without the program's own frames would let anything pass: the stacks were not read.
    if not own_calls:
        print(f"the trace holds no call with a frame of {program}: the stacks were not recorded")
        return 1
    return 1 if refused else 0


if __name__ == "__main__":
    sys.exit(main())
