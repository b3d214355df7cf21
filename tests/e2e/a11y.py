#!/usr/bin/python3
"""Accessibility helpers of the end-to-end tests (used through orca_lib.sh).

    a11y.py orca <speech-file> <prefs-dir> [<trace-file>]
        runs the Orca screen reader in this process until it is stopped; every phrase it
        speaks goes to <speech-file>, one a line, as it speaks it, and with <trace-file> its
        own trace goes there (what it was told, what it made of it), line by line.
    a11y.py tree <application-name>
        prints the AT-SPI tree of a running program, one object a line:
        "<depth> <role> | <name> | <description> | <value> | <states>".

Needs Debian's python3 with python3-pyatspi and, for `orca`, the orca package. Both talk to the
accessibility bus of the D-Bus session they are started in (orca_lib.sh starts a private one).
"""
import importlib.machinery
import importlib.util
import logging
import sys


def run_orca(speech_file, prefs, trace_file=None):
    # Orca's own launcher, loaded as a module so that two of its habits can be left out: it
    # refuses to start while any other Orca of the same user runs (a player's own Orca, or
    # another test's on a shared machine), and it renames its process "orca", which would make
    # a player's Orca refuse in turn. Everything else runs as in /usr/bin/orca.
    loader = importlib.machinery.SourceFileLoader("orca_launcher", "/usr/bin/orca")
    launcher = importlib.util.module_from_spec(importlib.util.spec_from_loader(loader.name, loader))
    loader.exec_module(launcher)
    launcher.otherOrcas = lambda: []
    launcher.setProcessName = lambda name: False

    # Orca logs each utterance to its "speech" logger as "SPEECH OUTPUT: '<text>'" on its way
    # to the synthesizer; the handler writes it out at once, so that a test can wait for it.
    handler = logging.FileHandler(speech_file, encoding="utf-8")
    handler.setFormatter(logging.Formatter("%(message)s"))
    logging.getLogger("speech").addHandler(handler)

    if trace_file:
        # As the launcher's --debug-file does, but written line by line, so that a test that
        # failed and stopped Orca still finds the whole trace.
        from orca import debug
        debug.debugLevel = debug.LEVEL_ALL
        debug.eventDebugLevel = debug.LEVEL_OFF
        debug.debugFile = open(trace_file, "w", buffering=1, encoding="utf-8")

    # No braille display, no echo of the keys the test presses: only what the program says.
    sys.argv = ["orca", "--user-prefs", prefs, "--disable", "braille,key-echo"]
    return launcher.main()


def print_tree(application):
    import pyatspi

    desktop = pyatspi.Registry.getDesktop(0)
    apps = [app for app in desktop if app is not None and app.name == application]
    if not apps:
        print(f"a11y.py: no application '{application}' on the accessibility bus", file=sys.stderr)
        return 1

    def value_of(node):
        try:
            return str(node.queryValue().currentValue)
        except NotImplementedError:
            return ""

    def walk(node, depth):
        states = sorted(pyatspi.stateToString(s) for s in node.getState().getStates())
        fields = [node.getRoleName(), node.name, node.description, value_of(node), ",".join(states)]
        print(depth, " | ".join(f or "" for f in fields))
        for child in node:
            if child is not None:
                walk(child, depth + 1)

    walk(apps[0], 0)
    return 0


def main(argv):
    if len(argv) in (4, 5) and argv[1] == "orca":
        return run_orca(*argv[2:])
    if len(argv) == 3 and argv[1] == "tree":
        return print_tree(argv[2])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
