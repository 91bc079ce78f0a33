#!/usr/bin/env python3
"""The file managers' context-menu entries: each offers "Rename with Quirnel"
in English and Korean and starts the program of the desktop entry with the
selected files and folders.

Usage: context_menu_test.py DATA_OUT SOURCE_DIR APP_ID
"""
import configparser
import importlib.util
import sys
import types
import xml.etree.ElementTree as ET
from pathlib import Path

data_out, source, app_id = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def keyfile(path):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str  # keys are case-sensitive
    parser.read(path, encoding="utf-8")
    return parser


program = keyfile(data_out / f"{app_id}.desktop")["Desktop Entry"]["Exec"].split()[0]
expected_exec = f"{program} %F"

# Dolphin: a service menu whose action takes every kind of entry.
dolphin = keyfile(data_out / f"{app_id}.servicemenu.desktop")
entry = dolphin["Desktop Entry"]
check(entry.get("Type") == "Service", "Dolphin: Type is not Service")
check("all/all" in entry.get("MimeType", "").split(";"), "Dolphin: not offered for files and folders alike")
actions = [a for a in entry.get("Actions", "").split(";") if a]
check(len(actions) == 1, f"Dolphin: one action expected, found {actions}")
for name in actions:
    action = dolphin[f"Desktop Action {name}"]
    check(action.get("Exec") == expected_exec, f"Dolphin: Exec is {action.get('Exec')!r}")
    check(action.get("Name") == "Rename with Quirnel" and action.get("Name[ko]"), "Dolphin: names")
    check(action.get("Icon") == app_id, "Dolphin: icon")

# Nemo: an action for any non-empty selection.
nemo = keyfile(data_out / f"{app_id}.nemo_action")["Nemo Action"]
check(nemo.get("Exec") == expected_exec, f"Nemo: Exec is {nemo.get('Exec')!r}")
check(nemo.get("Selection") == "notnone" and nemo.get("Extensions") == "any;", "Nemo: selection")
check(nemo.get("Name") == "Rename with Quirnel" and nemo.get("Name[ko]"), "Nemo: names")
check(nemo.get("Dependencies") == f"{program};", "Nemo: depends on the program")

# Thunar: a custom action the user copies into uca.xml.
action = ET.parse(source / "data/context-menu/thunar-uca.xml").getroot().find("action")
check(action.findtext("command") == expected_exec, "Thunar: command")
names = {n.get("{http://www.w3.org/XML/1998/namespace}lang"): n.text for n in action.findall("name")}
check(names.get(None) == "Rename with Quirnel" and names.get("ko"), f"Thunar: names {names}")
check(action.find("directories") is not None and action.find("other-files") is not None, "Thunar: entry kinds")

# Nautilus: the extension, loaded against a stand-in of its bindings.
started = []


class MenuItem:
    def __init__(self, name, label, icon):
        self.name, self.label, self.icon, self.handlers = name, label, icon, []

    def connect(self, signal, handler):
        self.handlers.append((signal, handler))

    def activate(self):
        for signal, handler in self.handlers:
            if signal == "activate":
                handler(self)


gi = types.ModuleType("gi")
gi.require_version = lambda name, version: None
repository = types.ModuleType("gi.repository")
repository.GObject = types.SimpleNamespace(GObject=type("GObject", (), {}))
repository.Nautilus = types.SimpleNamespace(MenuProvider=type("MenuProvider", (), {}), MenuItem=MenuItem)
gi.repository = repository
sys.modules.update({"gi": gi, "gi.repository": repository})
spec = importlib.util.spec_from_file_location("nautilus_quirnel", source / "data/context-menu/nautilus_quirnel.py")
extension = importlib.util.module_from_spec(spec)
spec.loader.exec_module(extension)
extension.subprocess = types.SimpleNamespace(Popen=lambda args: started.append(args))


class FileInfo:
    def __init__(self, uri):
        self.uri = uri

    def get_uri(self):
        return self.uri


menu = extension.QuirnelMenu()
local = [FileInfo("file:///home/ana/a%20b.jpg"), FileInfo("file:///home/ana/%ED%95%9C%EA%B8%80")]
for args in ((local,), ("window", local)):  # Nautilus 43 and older
    items = menu.get_file_items(*args)
    check(len(items) == 1, f"Nautilus: {len(items)} items for {len(args)} arguments")
    if items:
        items[0].activate()
check(started == [[program, "/home/ana/a b.jpg", "/home/ana/한글"]] * 2, f"Nautilus: started {started}")
check(menu.get_file_items([FileInfo("sftp://host/a")]) == [], "Nautilus: offered for a remote file")
check(menu.get_file_items([]) == [], "Nautilus: offered for an empty selection")

for failure in failures:
    print("FAIL:", failure)
if not failures:
    print("context menus: Dolphin, Nemo, Thunar and Nautilus entries start", expected_exec)
sys.exit(1 if failures else 0)
