#!/usr/bin/python3
# Prints the name and description of the game's focused object, read over
# AT-SPI as a screen reader reads them, then the application's description;
# fails when there is none.
import sys

import pyatspi


def focused(node):
    if node.getState().contains(pyatspi.STATE_FOCUSED):
        return node
    return next((f for f in map(focused, filter(None, node)) if f), None)


for app in filter(None, pyatspi.Registry.getDesktop(0)):
    node = focused(app) if app.name == "fusefuda" else None
    if node:
        sys.exit(print(node.name, node.description, app.description, sep="\n"))
sys.exit(1)
