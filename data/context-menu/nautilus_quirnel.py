# "Rename with Quirnel" in the context menu of Nautilus (through
# nautilus-python): the selected files and folders open in a new window.
import subprocess
from urllib.parse import unquote, urlparse

import gi

try:
    gi.require_version("Nautilus", "4.0")
except ValueError:
    gi.require_version("Nautilus", "3.0")
from gi.repository import GObject, Nautilus

PROGRAM = "quirnel"
LABELS = {"ko": "Quirnel로 이름 바꾸기"}
LABEL = "Rename with Quirnel"


def local_paths(files):
    """The paths of the selection; None when one of them is not a local file,
    which the program could not rename."""
    paths = []
    for info in files:
        uri = urlparse(info.get_uri())
        if uri.scheme != "file":
            return None
        paths.append(unquote(uri.path))
    return paths


def label():
    import locale
    language = (locale.getlocale()[0] or "").split("_")[0]
    return LABELS.get(language, LABEL)


class QuirnelMenu(GObject.GObject, Nautilus.MenuProvider):
    # Nautilus 43 passes (files); older versions (window, files).
    def get_file_items(self, *args):
        paths = local_paths(args[-1])
        if not paths:
            return []
        item = Nautilus.MenuItem(name="QuirnelMenu::Rename", label=label(), icon="org.quirnel.Quirnel")
        item.connect("activate", lambda *_: subprocess.Popen([PROGRAM, *paths]))
        return [item]
