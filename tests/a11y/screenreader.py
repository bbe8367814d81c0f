#!/usr/bin/python3
"""Does exercises 1, 3 and 5 as a blind learner would, through AT-SPI alone.

Starts the real program under the caller's X server and D-Bus session (ctest
runs it inside xvfb-run and dbus-run-session), with the AT-SPI bus and a window
manager. Everything it knows about an item it reads from the accessible tree;
the answers come from its own small tables below, not from the program.

    screenreader.py PATH/TO/lumora
"""

import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 20.0

# Names that only say what a control is, in lower case as such tags are
# written; a caption such as the "Solution" button's starts with a capital.
ROLE_WORDS = {"person", "person picture", "picture", "solution", "mode", "sentence", "ending", "verb",
              "gap", "animation", "answer", "text", "field", "label", "button", "image"}

WINDOW_ROLES = {pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW, pyatspi.ROLE_ALERT}

MENU_BUTTONS = {
    "Exercise 1: Put in the correct suffixes. Verbs: Plural",
    "Exercise 2: Put in the correct suffixes. Verbs: Singular and Plural",
    "Exercise 3: Make sentences according to the pictures. Sentences with adverbs of place or direct object.",
    "Exercise 5: Fill in the gaps. Verbs, adverbs of place and direct object.",
}

# Exercise 1: the ending by person and the verb's last vowel (vowel harmony).
ENDINGS = {  # person: (back, front, front rounded)
    "mi": ("unk", "ünk", "ünk"),
    "ti": ("tok", "tek", "tök"),
    "ők": ("nak", "nek", "nek"),
}
BACK_VERBS = {"ír"}  # front vowel, back endings
NEW_STEMS = {("van", "mi"): "vagy", ("van", "ti"): "vagy", ("megy", "ti"): "men", ("megy", "ők"): "men"}

# Exercise 3, basic series: a word of the picture's description, the person
# heard, and a right sentence.
SENTENCES = [
    ("MOZI", "(ti)", "Moziba mentek."),
    ("EGYETEM", "(mi)", "Az egyetem előtt állunk."),
    ("newspapers", "önök", "Önök újságot olvasnak."),
    ("RENT A CAR", "(te)", "Autót bérelsz."),
    ("SZÁLLODA", "(én)", "Szállodában lakom."),
    ("stove", "(te)", "A konyhában főzöl."),
]

# Exercise 5 with Péter: the word before a gap and what completes it.
GAP_ANSWERS = {"lak": "ik", "Kelenföld": "ön"}

failures = []
heard = []


def fail(message):
    failures.append(message)
    print("FAIL:", message, flush=True)


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe until it returns something true, or fails after timeout."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        pump()
        try:
            result = probe()
        except GLib.Error:  # objects vanish while windows open and close
            result = None
        if result:
            return result
        time.sleep(0.05)
    raise TimeoutError("timed out waiting for " + what)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "lumora":
            return app
    return None


def window_named(pattern):
    app = application()
    for w in app or []:
        if w is not None and re.search(pattern, w.name) and showing(w):
            return w
    return None


def find(window, role, name):
    for node in walk(window):
        if node.getRole() == role and node.name == name and showing(node):
            return node
    return None


def focused(window):
    for node in walk(window):
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return node
    return None


def press(window, name):
    button = wait_for("button " + name, lambda: find(window, pyatspi.ROLE_PUSH_BUTTON, name))
    action = button.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    fail(f"button {name!r} cannot be pressed")


def type_into(field, text):
    field.queryEditableText().setTextContents(text)


def enter():
    subprocess.run(["xdotool", "key", "--clearmodifiers", "Return"], check=True)


def check_tree(stage):
    """Window roles, and no showing control named only by its role."""
    for w in application():
        if w is None:
            continue
        if w.getRole() not in WINDOW_ROLES:
            fail(f"{stage}: window {w.name!r} has the role {w.getRoleName()}")
        for node in walk(w):
            if showing(node) and node.name.strip() in ROLE_WORDS:
                fail(f"{stage}: a {node.getRoleName()} is named only {node.name!r}")


# Name changes, kept by the object they happened on.
name_changes = []


def on_name_change(event):
    name_changes.append((event.source, event.source.name))


def next_name_of(field, old):
    def changed():
        for source, name in name_changes:
            if source == field and name != old:
                return name
        return None
    return wait_for("a new name on " + old, changed)


def exercise1():
    window = wait_for("exercise 1", lambda: window_named(r": 1\.$"))
    press(window, "Start")
    pattern = re.compile(r"^ending for (\S+), person (\S+)$")
    field = wait_for("the ending field", lambda: (f := focused(window)) and pattern.match(f.name) and f)
    verb, person = pattern.match(field.name).groups()
    heard.append(f"exercise 1 item: {field.name!r}")
    vowels = [c for c in verb if c in "aáoóuúeéiíöőüű"]
    harmony = 0 if verb in BACK_VERBS or vowels[-1] in "aáoóuú" else 2 if vowels[-1] in "öőüű" else 1
    ending = ENDINGS[person][harmony]
    stem = NEW_STEMS.get((verb, person))
    if stem:
        type_into(find(window, pyatspi.ROLE_TEXT, "verb stem"), stem)
    type_into(field, ending)
    check_tree("exercise 1")
    item = field.name
    name_changes.clear()
    enter()
    new = next_name_of(field, item)
    heard.append(f"after the right answer {(stem or verb) + ending!r}: {new!r}")
    if not pattern.match(new):
        fail(f"exercise 1: the next item is announced as {new!r}")
    record = find(window, pyatspi.ROLE_TEXT, "right answers")
    if (stem or verb) + ending not in record.queryText().getText(0, -1):
        fail("exercise 1: the right answer is not in the record")
    press(window, "Exercise 3")


def exercise3():
    window = wait_for("exercise 3", lambda: window_named(r": 3\.$"))
    press(window, "Start")
    pattern = re.compile(r"^sentence for the picture: (.+) Person: (.+)$")
    field = wait_for("the answer field", lambda: (f := focused(window)) and pattern.match(f.name) and f)
    description, person = pattern.match(field.name).groups()
    heard.append(f"exercise 3 item: {field.name!r}")
    rows = [row for row in SENTENCES if row[0] in description]
    if len(rows) != 1:
        fail(f"exercise 3: no single picture of the series is described as {description!r}")
        return
    _, expected_person, sentence = rows[0]
    if person != expected_person:
        fail(f"exercise 3: heard the person {person!r}, the picture's is {expected_person!r}")
    if not find(window, pyatspi.ROLE_PUSH_BUTTON, description):
        fail("exercise 3: the picture is not named by its description")
    type_into(field, sentence)
    check_tree("exercise 3")
    item = field.name
    name_changes.clear()
    enter()
    new = next_name_of(field, item)
    heard.append(f"after the right answer {sentence!r}: {new!r}")
    if not pattern.match(new):
        fail(f"exercise 3: the next item is announced as {new!r}")
    press(window, "Exercise 5")


def exercise5():
    window = wait_for("exercise 5", lambda: window_named(r": 5\.$"))
    press(window, "Start")
    pattern = re.compile(r"^gap (\d+), after (\S+), (verb|adverb|object)$")
    gaps = [n for n in walk(window) if n.getRole() == pyatspi.ROLE_TEXT and pattern.match(n.name)]
    if len(gaps) != 18:
        fail(f"exercise 5: {len(gaps)} of 18 gaps say what they ask for")
    field = wait_for("gap 0", lambda: (f := focused(window)) and f.name.startswith("gap 0,") and f)
    heard.append(f"exercise 5 gap: {field.name!r}")
    for number in (0, 1):
        word = pattern.match(field.name).group(2)
        if word not in GAP_ANSWERS:
            fail(f"exercise 5: gap {number} is said to come after {word!r}")
            return
        type_into(field, GAP_ANSWERS[word])
        enter()
        field = wait_for(f"gap {number + 1}",
                         lambda: (f := focused(window)) and f.name.startswith(f"gap {number + 1},") and f)
        heard.append(f"after the right answer {GAP_ANSWERS[word]!r}: {field.name!r}")
    check_tree("exercise 5")
    type_into(field, "x")
    enter()
    heard.append(f"after a wrong answer: {alert_text()!r}")


def alert_text():
    """The text of the message box that opens, which Return then closes."""
    alert = wait_for("a message box", lambda: next((w for w in application() if w is not None
                                                    and w.getRole() == pyatspi.ROLE_ALERT and showing(w)), None))
    text = " ".join(n.name for n in walk(alert) if n.getRole() == pyatspi.ROLE_LABEL and n.name)
    if not text:
        fail("a message box says nothing")
    enter()
    wait_for("the message box to close", lambda: not any(w is not None and w.getRole() == pyatspi.ROLE_ALERT
                                                         for w in application()))
    return text


def about():
    window = wait_for("exercise 5", lambda: window_named(r": 5\.$"))
    item = wait_for("the About item", lambda: next((n for n in walk(window) if n.getRole() == pyatspi.ROLE_MENU_ITEM
                                                    and n.name == "About"), None))
    item.queryAction().doAction(0)
    about = wait_for("the About window", lambda: window_named(r"About Lumora!$"))
    heard.append(f"About window: {about.getRoleName()} {about.name!r}")
    press(about, "more information")
    heard.append(f"more information: {alert_text()[:60]!r}...")
    check_tree("About")


def main():
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    helpers = [subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]),
               subprocess.Popen(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)]
    program = None
    try:
        # The registry answers once the bus is up.
        wait_for("the AT-SPI registry", lambda: pyatspi.Registry.getDesktop(0) is not None)
        pyatspi.Registry.registerEventListener(on_name_change, "object:property-change:accessible-name")
        program = subprocess.Popen([sys.argv[1]], env=env)
        menu = wait_for("the menu", lambda: window_named(r"^Lumora exercise menu$"))
        names = {b.name for b in walk(menu) if b.getRole() == pyatspi.ROLE_PUSH_BUTTON and showing(b)}
        heard.append(f"menu buttons: {sorted(names)}")
        if not MENU_BUTTONS <= names:
            fail(f"menu: the picture buttons are {sorted(names - {'End'})}")
        if not window_named(r"^Lumora$"):
            fail("the backdrop is not announced as 'Lumora'")
        check_tree("menu")
        press(menu, "Exercise 1: Put in the correct suffixes. Verbs: Plural")
        exercise1()
        exercise3()
        exercise5()
        about()
    except TimeoutError as error:
        fail(str(error))
    finally:
        if program:
            program.kill()
            program.wait()
        for helper in helpers:  # the bus launcher takes its bus down with it
            helper.terminate()
            helper.wait()
    for line in heard:
        print("heard:", line)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
