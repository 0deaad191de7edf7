#!/usr/bin/python3
# Prints the name and the description of the object that has the keyboard
# focus in the game, read over AT-SPI as a screen reader reads them.
import sys

import pyatspi


def focused(node, depth=0):
    if node is None or depth > 12:
        return None
    if node.getState().contains(pyatspi.STATE_FOCUSED):
        return node
    for child in node:
        found = focused(child, depth + 1)
        if found is not None:
            return found
    return None


for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == "fusefuda":
        node = focused(app)
        if node is not None:
            print(node.name)
            print(node.description)
            sys.exit(0)
sys.exit(1)
