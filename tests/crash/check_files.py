#!/usr/bin/env python3
"""After a killed installation: is each file the user had the old one or a complete new one?

usage: check_files.py OLD_FOLDER PREFIX PAGE_INI FINAL_INI

OLD_FOLDER holds system.reg, user.reg and fvpat.ini as they were before the run (a missing
one did not exist); PAGE_INI is the settings file as the mailing-list page writes it and
FINAL_INI the one an uninterrupted run leaves. Prints one line
per file, "NAME old", "NAME new CLASS" or "NAME BROKEN reason", and exits 1 when one is
broken. A new registry file must hold every key of the old one unchanged (times aside) and
differ only in the uninstall entry and the keys above it; its class says which of the
entry's values it holds. A new settings file is the page's or the final one.
"""
import os
import sys

UNINSTALL = "software\\\\microsoft\\\\windows\\\\currentversion\\\\uninstall\\\\fernvale patience deluxe"


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def blocks(text):
    """The registry file's keys: lower-case path -> its lines, times left out."""
    if not text.startswith("WINE REGISTRY Version 2\n"):
        raise ValueError("no registry header")
    if not text.endswith("\n"):
        raise ValueError("cut in the middle of a line")
    keys, current = {}, None
    for line in text.split("\n")[1:]:
        if line.startswith("["):
            close = line.rfind("]")
            if close < 0:
                raise ValueError("cut key line " + line[:60])
            current = line[1:close].lower()
            keys[current] = []
        elif current is not None and line and not line.startswith("#time="):
            keys[current].append(line)
    return keys


def is_entry_or_above(path):
    return path == UNINSTALL or UNINSTALL.startswith(path + "\\\\")


def check_registry(name, old, new):
    if new == old:
        return "old"
    if new is None:
        raise ValueError("the file is gone")
    new_keys = blocks(new.decode("utf-8", "surrogateescape"))
    old_keys = blocks(old.decode("utf-8", "surrogateescape")) if old is not None else {}
    for path, lines in old_keys.items():
        if is_entry_or_above(path):
            continue
        if new_keys.get(path) != lines:
            raise ValueError("key changed or lost: " + path[:80])
    for path in new_keys:
        if path not in old_keys and not is_entry_or_above(path):
            raise ValueError("key that no step writes: " + path[:80])
    entry = new_keys.get(UNINSTALL)
    if entry is None:
        return "without-entry"
    names = sorted(line.split("=", 1)[0].strip('"') for line in entry)
    return "entry[" + ",".join(names) + "]"


def check_ini(old, new, page, final):
    if new == old:
        return "old"
    if new == page:
        return "page-written"
    if new == final:
        return "final"
    raise ValueError("neither the old, the page's nor the final settings file")


def main():
    old_folder, prefix, page_ini, final_ini = sys.argv[1:5]
    broken = False
    files = [("system.reg", prefix), ("user.reg", prefix), ("fvpat.ini", prefix + "/drive_c/windows")]
    for name, folder in files:
        old = read(os.path.join(old_folder, name))
        new = read(os.path.join(folder, name))
        try:
            if name == "fvpat.ini":
                verdict = check_ini(old, new, read(page_ini), read(final_ini))
            else:
                verdict = check_registry(name, old, new)
            print(name, "old" if verdict == "old" else "new " + verdict)
        except ValueError as error:
            print(name, "BROKEN", error)
            broken = True
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
